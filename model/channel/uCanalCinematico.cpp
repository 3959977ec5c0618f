#include "model/channel/uCanalCinematico.h"

#include <cmath>
#include <utility>
#include <vector>

#include "model/channel/uRegressao.h"
#include "toolkit/FormatoNumero.h"

namespace {

// x^y as the rating defines it: 0 for a zero base. A negative base gives NaN,
// which the surface-loss step treats as a failed evaluation.
inline double Potencia(double x, double y) {
  return x == 0 ? 0 : std::exp(y * std::log(x));
}

constexpr int kPeriodoProgresso = 23;   // steps between two progress updates
constexpr double kMmHParaMS = 3600000;  // mm/h -> m/s
const char* const kDeuPau = "Deu pau.";

// What the surface loss after the end of the inflow looks like for each shape.
enum class TPerda { Nenhuma, Triangular, Trapezoidal };

// Constants of one computation.
struct TConstantes {
  double alfa, beta, inversoBeta;
  double dtS;         // s
  double C1, C2, C3;  // DeltaX/alfa, DeltaX/(alfa*dtS), alfa*dtS/DeltaX
  double areaLimite;  // m², sum of two areas above which the space march applies
  double W;           // triangle: top width = W*sqrt(A)
  double B, Z;        // trapezoid
};

// Areas (m²) and A^beta (= Q/alfa) of every node at the previous and new time
// levels. Node 0 is the upstream boundary; its new-level values stay 0.
struct TNos {
  explicit TNos(std::size_t n) : memoria(4 * n, 0.0) {
    AreaAnterior = memoria.data();
    AreaNova = AreaAnterior + n;
    FluxoAnterior = AreaNova + n;
    FluxoNovo = FluxoAnterior + n;
  }
  // The new level becomes the previous one. Every new-level value of nodes
  // 1.. is rewritten before it is read in the next pass, so only node 0 needs
  // clearing.
  void AvancarNivel() {
    std::swap(AreaAnterior, AreaNova);
    std::swap(FluxoAnterior, FluxoNovo);
    AreaNova[0] = 0;
    FluxoNovo[0] = 0;
  }
  std::vector<double> memoria;
  double* AreaAnterior;
  double* AreaNova;
  double* FluxoAnterior;
  double* FluxoNovo;
};

// One pass over nodes 1 .. colunas-1 at the new time level. E is the lateral
// inflow (m³/s per m) of node 1; after the end of the inflow each node's
// surface loss becomes the E of the node below it. excesso = I - Tie in mm/h.
// Returns the area left at the last node (not clipped). deuPau is set when
// the trapezoidal loss could not be evaluated somewhere.
template <TPerda kPerda>
double AvancarNos(TNos& nos, int colunas, const TConstantes& k, double E, double excesso, bool& deuPau) {
  const double* const areaAnterior = nos.AreaAnterior;
  const double* const fluxoAnterior = nos.FluxoAnterior;
  double* const areaNova = nos.AreaNova;
  double* const fluxoNovo = nos.FluxoNovo;
  double a = 0;
  for (int j = 1; j < colunas; ++j) {
    if (areaNova[j - 1] + areaAnterior[j] > k.areaLimite) {
      // Continuity over the cell above the node, solved for the node's discharge.
      a = E * k.C1 + (areaAnterior[j - 1] - areaNova[j - 1]) * k.C2 + fluxoNovo[j - 1];
      a = a > 0 ? Potencia(a, k.inversoBeta) : 0;
    } else {
      // Explicit upwind step where the wave is slow; not clipped yet.
      a = areaAnterior[j] + E * k.dtS + (fluxoAnterior[j - 1] - fluxoAnterior[j]) * k.C3;
    }
    if constexpr (kPerda == TPerda::Triangular) {
      // A negative area gives a NaN loss here; it is caught below as a dry node.
      E = excesso * std::sqrt(a) * k.W / kMmHParaMS;
      a -= Potencia(std::fabs(E) / k.alfa, k.inversoBeta);
    } else if constexpr (kPerda == TPerda::Trapezoidal) {
      if (a > 0) {
        const double y = (std::sqrt(k.B * k.B + 4 * k.Z * a) - k.B) / (2 * k.Z);
        E = excesso * (2 * y * k.Z + k.B) / kMmHParaMS;
      } else {
        E = 0;
      }
      // A positive E (rain still above Tie) has no loss to take: the area
      // stays, and E feeds the next node.
      const double perda = Potencia(-E / k.alfa, k.inversoBeta);
      if (std::isfinite(perda))
        a -= perda;
      else
        deuPau = true;
    }
    // Whatever went wrong in the arithmetic, a node without a finite area is
    // dry, so the outlet can dry up and every run ends.
    if (!std::isfinite(a)) a = 0;
    if (a > 0) {
      areaNova[j] = a;
      fluxoNovo[j] = Potencia(a, k.beta);
    } else {
      areaNova[j] = 0;
      fluxoNovo[j] = 0;
    }
  }
  return a;
}

}  // namespace

void TCanalCinematicoCustom::Assign(const TCanal& Origem) {
  TCanalGradienteCustom::Assign(Origem);
  if (const auto* canal = dynamic_cast<const TCanalCinematicoCustom*>(&Origem)) DeltaX = canal->DeltaX;
}

void TCanalCinematicoCustom::SetComprimento(int L) {
  TCanalGradienteCustom::SetComprimento(L);
  if (Comprimento() > 0) DeltaX = 1.0;
}

TCurvaDescarga TCanalCinematicoCustom::CurvaDescarga() const {
  TCurvaDescarga curva;
  const double z = Z.Valor, sm = Sm.Valor;
  if (TipoCanal.Tipo == 1) {
    const double w = std::sqrt(2 / (1 / sm + 1 / z));
    const double inversoZ = 1 / z, inversoSm = 1 / sm;
    curva.c = (std::sqrt(inversoZ * inversoZ + 1) + std::sqrt(inversoSm * inversoSm + 1)) * w;
    curva.m = 0.5;
  } else {
    TRegressao ajuste(25);
    for (int k = 1; k <= 25; ++k) {
      const double y = 0.2 * k;
      ajuste.X[k - 1] = y * (B() + z * y);
      ajuste.Y[k - 1] = B() + 2 * y * std::sqrt(z * z + 1);
    }
    ajuste.AjustePotencia(curva.c, curva.m);
  }
  curva.Alfa = std::sqrt(Sc()) / (nc.Valor * Potencia(curva.c, 2.0 / 3.0));
  curva.Beta = 5.0 / 3.0 - (2.0 / 3.0) * curva.m;
  return curva;
}

double TCanalCinematico::PassoDeTempo(double Tie) {
  double tabela;
  if (Tie <= 10)
    tabela = 0.15;
  else if (Tie <= 30)
    tabela = 0.12;
  else if (Tie <= 50)
    tabela = 0.10;
  else if (Tie <= 70)
    tabela = 0.08;
  else if (Tie <= 90)
    tabela = 0.06;
  else if (Tie <= 110)
    tabela = 0.04;
  else
    tabela = 0.02;
  return tabela / 2;
}

double TCanalCinematico::AreaLimite(double Alfa, double Beta, double dtS, double DeltaX) {
  return 2 * Potencia(DeltaX / (Beta * Alfa * dtS), 1 / (Beta - 1));
}

std::unique_ptr<TCaudalente> TCanalCinematico::NovoCaudalente() const {
  auto serie = std::make_unique<TCaudalente>([this](double A) { return ProfundidadeDaArea(A); });
  serie->Local = 2;
  return serie;
}

std::unique_ptr<TCaudalente> TCanalCinematico::CalcularCaudalente(int Colunas, TPrecipitacao& Chuva,
                                                                  const TCaudalente& CaudalenteEncosta,
                                                                  double Tie, double ComprimentoEncosta,
                                                                  IProgresso* Progresso) {
  auto resultado = NovoCaudalente();
  const int pontosEntrada = CaudalenteEncosta.Count();
  if (pontosEntrada == 0) return resultado;
  if (Colunas < 1) throw ECanal("A coluna do canal deve ser maior ou igual a 1.");

  const TCurvaDescarga curva = CurvaDescarga();
  const double alfa = curva.Alfa, beta = curva.Beta;

  if (Colunas == 1) {
    resultado->Assign(CaudalenteEncosta);
    for (std::size_t i = 0; i < resultado->Pontos().size(); ++i) resultado->Ponto(i).Vazao *= DeltaX;
  } else {
    const double tFim = CaudalenteEncosta.Ponto(pontosEntrada - 1).Tempo;
    const double dtEntrada =
        pontosEntrada > 1 ? CaudalenteEncosta.Ponto(1).Tempo - CaudalenteEncosta.Ponto(0).Tempo : 0;
    SetComprimento(Comprimento());
    const double dtMin = PassoDeTempo(Tie);
    const int nos = DeltaX > 0 ? static_cast<int>(std::lround(Comprimento() / DeltaX)) : 0;
    if (nos < 1) throw ECanal("O comprimento do canal deve ser maior que zero.");
    if (Colunas > nos) throw ECanal("A coluna do canal deve estar entre 1 e " + std::to_string(nos) + ".");

    TConstantes k{};
    k.alfa = alfa;
    k.beta = beta;
    k.inversoBeta = 1 / beta;
    k.dtS = 60 * dtMin;
    k.C1 = DeltaX / alfa;
    k.C2 = DeltaX / (alfa * k.dtS);
    k.C3 = alfa * k.dtS / DeltaX;
    k.areaLimite = AreaLimite(alfa, beta, k.dtS, DeltaX);
    k.W = TipoCanal.Tipo == 1 ? std::sqrt(2 * (1 / Sm.Valor + 1 / Z.Valor)) : 1.0;
    k.B = B();
    k.Z = Z.Valor;

    TNos no(static_cast<std::size_t>(nos));
    const int saida = Colunas - 1;
    double t = CaudalenteEncosta.Ponto(0).Tempo;
    resultado->Adicionar(t, 0);
    t += dtMin;
    int passos = 0;
    bool deuPau = false, avisouDeuPau = false, parar = false;
    while (!parar) {
      const bool comEntrada = t < tFim;
      const double E = comEntrada ? CaudalenteEncosta.VazaoEm(t, dtEntrada) / 1000 : 0;
      ++passos;
      if (Progresso && passos % kPeriodoProgresso == 0) {
        Progresso->Mostrar(toolkit::FormatarNumero("0.0", t));
        Progresso->ProcessarMensagens();
      }
      if (E > 0) {
        no.FluxoAnterior[0] = DeltaX * E / alfa;
        no.AreaAnterior[0] = Potencia(no.FluxoAnterior[0], k.inversoBeta);
      } else {
        no.FluxoAnterior[0] = 0;
        no.AreaAnterior[0] = 0;
      }

      double aSaida;
      if (comEntrada) {
        aSaida = AvancarNos<TPerda::Nenhuma>(no, Colunas, k, E, 0, deuPau);
      } else {
        // The unit change comes last, as in the loss formulas, so the losses
        // keep their last bits.
        const double excesso = Chuva.IntensidadeInstantanea(t) - Tie;
        if (TipoCanal.Tipo == 1)
          aSaida = AvancarNos<TPerda::Triangular>(no, Colunas, k, E, excesso, deuPau);
        else
          aSaida = AvancarNos<TPerda::Trapezoidal>(no, Colunas, k, E, excesso, deuPau);
        // Once per computation: the failure repeats at every node of every step.
        if (deuPau && !avisouDeuPau) {
          avisouDeuPau = true;
          MensagensDoModelo().Informar(kDeuPau);
        }
      }

      // A dry outlet ends the run, except on the first pass, which is repeated once.
      if (aSaida <= 0 && passos > 1) parar = true;
      if (aSaida > 0) {
        // One point must stay free for the closing zero.
        if (resultado->Count() >= TCaudalente::MaximoPontos - 1)
          throw ECanal("O caudalente no canal ultrapassou o limite de " +
                       std::to_string(TCaudalente::MaximoPontos) +
                       " pontos de uma série; o cálculo foi interrompido.");
        resultado->Adicionar(t, 1000 * alfa * no.FluxoNovo[saida]);
        t += dtMin;
        no.AvancarNivel();
      }
    }
    resultado->Adicionar(t + dtMin, 0);
    resultado->SuavizarRecessao();
  }

  if (resultado->Count() <= 2) {
    resultado->Limpar();
  } else {
    resultado->Alfa = alfa;
    resultado->Expoente = beta;
    resultado->Local = 2;
    resultado->Calcular(Colunas * DeltaX * ComprimentoEncosta * 1000);
  }
  return resultado;
}
