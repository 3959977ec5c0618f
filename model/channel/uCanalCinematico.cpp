#include "model/channel/uCanalCinematico.h"

#include <unistd.h>

#include <cmath>
#include <limits>
#include <new>
#include <string>
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

// Areas (m²) and A^beta (= Q/alfa) of every node at one time level. Node 0 is
// the upstream boundary: set from the inflow on the level a step starts from,
// 0 on the level it computes.
struct TNivel {
  double* Area;
  double* Fluxo;
};

// State of one step over the nodes: its lateral inflow E, handed on from node
// to node once the surface loss applies, and excesso = I - Tie (mm/h).
struct TPasso {
  double E;
  double excesso;
  bool deuPau;
};

// New area of node j (1 ..) at the level `nova`, from the level `anterior`
// and the node above at the new level. Returns the area; a node that is not
// wet gets 0 (and so does one whose area is not a finite number).
template <TPerda kPerda>
inline double AvancarNo(const TNivel& anterior, const TNivel& nova, int j, const TConstantes& k, TPasso& p) {
  double a;
  if (nova.Area[j - 1] + anterior.Area[j] > k.areaLimite) {
    // Continuity over the cell above the node, solved for the node's discharge.
    a = p.E * k.C1 + (anterior.Area[j - 1] - nova.Area[j - 1]) * k.C2 + nova.Fluxo[j - 1];
    a = a > 0 ? Potencia(a, k.inversoBeta) : 0;
  } else {
    // Explicit upwind step where the wave is slow; not clipped yet.
    a = anterior.Area[j] + p.E * k.dtS + (anterior.Fluxo[j - 1] - anterior.Fluxo[j]) * k.C3;
  }
  // The unit change comes last, as in the loss formulas, so the losses keep
  // their last bits.
  if constexpr (kPerda == TPerda::Triangular) {
    // A negative area gives a NaN loss here; it is caught below as a dry node.
    p.E = p.excesso * std::sqrt(a) * k.W / kMmHParaMS;
    a -= Potencia(std::fabs(p.E) / k.alfa, k.inversoBeta);
  } else if constexpr (kPerda == TPerda::Trapezoidal) {
    if (a > 0) {
      p.E = p.excesso * TCanal::LarguraTrapezio(k.B, k.Z, a) / kMmHParaMS;
    } else {
      p.E = 0;
    }
    // A positive E (rain still above Tie) has no loss to take: the area
    // stays, and E feeds the next node.
    const double perda = Potencia(-p.E / k.alfa, k.inversoBeta);
    if (std::isfinite(perda))
      a -= perda;
    else
      p.deuPau = true;
  }
  // Whatever went wrong in the arithmetic, a node without a finite area is
  // dry, so the outlet can dry up and every run ends.
  if (!std::isfinite(a)) a = 0;
  if (a > 0) {
    nova.Area[j] = a;
    nova.Fluxo[j] = Potencia(a, k.beta);
  } else {
    nova.Area[j] = 0;
    nova.Fluxo[j] = 0;
  }
  return a;
}

// Two consecutive steps over nodes 1 .. colunas-1: from n0 to n1 (step 1) and
// from n1 to n2 (step 2). Node j of step 2 needs only node j of step 1 and
// node j-1 of step 2, so step 2 runs one node behind step 1 and the two
// chains of powers overlap in the processor; every value is the one the steps
// give one after the other. n1's node 0 holds 0 while step 1 reads it and the
// boundary of step 2 (area, A^beta) afterwards. saida1 and saida2 receive
// the outlet areas of the two steps.
template <TPerda kPerda1, TPerda kPerda2>
void AvancarDoisPassos(const TNivel& n0, const TNivel& n1, const TNivel& n2, int colunas,
                       const TConstantes& k, TPasso& p1, TPasso& p2, double areaContorno2,
                       double fluxoContorno2, double& saida1, double& saida2) {
  saida1 = AvancarNo<kPerda1>(n0, n1, 1, k, p1);
  n1.Area[0] = areaContorno2;
  n1.Fluxo[0] = fluxoContorno2;
  for (int j = 2; j < colunas; ++j) {
    saida1 = AvancarNo<kPerda1>(n0, n1, j, k, p1);
    AvancarNo<kPerda2>(n1, n2, j - 1, k, p2);
  }
  saida2 = AvancarNo<kPerda2>(n1, n2, colunas - 1, k, p2);
}

template <TPerda kPerda1>
void AvancarDoisPassos(TPerda perda2, const TNivel& n0, const TNivel& n1, const TNivel& n2, int colunas,
                       const TConstantes& k, TPasso& p1, TPasso& p2, double areaContorno2,
                       double fluxoContorno2, double& saida1, double& saida2) {
  switch (perda2) {
    case TPerda::Nenhuma:
      return AvancarDoisPassos<kPerda1, TPerda::Nenhuma>(n0, n1, n2, colunas, k, p1, p2, areaContorno2,
                                                         fluxoContorno2, saida1, saida2);
    case TPerda::Triangular:
      return AvancarDoisPassos<kPerda1, TPerda::Triangular>(n0, n1, n2, colunas, k, p1, p2, areaContorno2,
                                                            fluxoContorno2, saida1, saida2);
    case TPerda::Trapezoidal:
      return AvancarDoisPassos<kPerda1, TPerda::Trapezoidal>(n0, n1, n2, colunas, k, p1, p2, areaContorno2,
                                                             fluxoContorno2, saida1, saida2);
  }
}

// The storm's intensity for the loss step; a storm that cannot be evaluated
// says why, and the user is told it happened in the channel.
double IntensidadeNoCanal(const TPrecipitacao& Chuva, double t) {
  try {
    return Chuva.IntensidadeInstantanea(t);
  } catch (const EErroAritmetico& e) {
    throw ECanal(std::string("Ocorreu um erro quando calculando o caudalente no canal.\n") + e.what());
  }
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

std::unique_ptr<TCaudalente> TCanalCinematico::CalcularCaudalente(int Colunas, const TPrecipitacao& Chuva,
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
    const double nosReal = DeltaX > 0 ? std::round(Comprimento() / DeltaX) : 0;
    if (!(nosReal >= 1)) throw ECanal("O comprimento do canal deve ser maior que zero.");
    if (nosReal > std::numeric_limits<int>::max())
      throw ECanal("O canal de " + std::to_string(Comprimento()) +
                   " m teria mais colunas de cálculo do que o programa pode representar; reduza o"
                   " comprimento do canal.");
    const int nos = static_cast<int>(nosReal);
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
    k.W = TipoCanal.Tipo == 1 ? FatorTriangulo() : 1.0;
    k.B = B();
    k.Z = Z.Valor;

    // Three time levels: the one the next step starts from and two to compute.
    // No node below the column asked for is ever read, so the levels hold
    // only the nodes computed, whatever the channel's length.
    const auto tamanho = static_cast<std::size_t>(Colunas);
    const std::size_t bytes = 6 * tamanho * sizeof(double);
    const auto semMemoria = [&] {
      return ECanal("Não há memória suficiente para calcular o caudalente na coluna " +
                    std::to_string(Colunas) + " do canal (seriam necessários " +
                    std::to_string(bytes / (1024 * 1024)) + " MB).");
    };
    // More than the machine's memory is refused before asking for it: the
    // system may grant such a request and end the program when it is used.
    const long paginas = sysconf(_SC_PHYS_PAGES);
    const long pagina = sysconf(_SC_PAGE_SIZE);
    if (paginas > 0 && pagina > 0 &&
        bytes / static_cast<std::size_t>(pagina) >= static_cast<std::size_t>(paginas))
      throw semMemoria();
    std::vector<double> memoria;
    try {
      memoria.assign(6 * tamanho, 0.0);
    } catch (const std::bad_alloc&) {
      throw semMemoria();
    }
    TNivel niveis[3];
    for (std::size_t n = 0; n < 3; ++n)
      niveis[n] = TNivel{memoria.data() + 2 * n * tamanho, memoria.data() + (2 * n + 1) * tamanho};
    TNivel* anterior = &niveis[0];
    TNivel* nova1 = &niveis[1];
    TNivel* nova2 = &niveis[2];
    const int saida = Colunas - 1;

    const TPerda perdaDaForma = TipoCanal.Tipo == 1 ? TPerda::Triangular : TPerda::Trapezoidal;
    // What a step at time tp starts with: its lateral inflow and, once the
    // hillslope has stopped feeding the channel, the surface loss.
    auto iniciarPasso = [&](double tp, TPerda& perda) {
      TPasso p{0, 0, false};
      if (tp < tFim) {
        p.E = CaudalenteEncosta.VazaoEm(tp, dtEntrada) / 1000;
        perda = TPerda::Nenhuma;
      } else {
        p.excesso = IntensidadeNoCanal(Chuva, tp) - Tie;
        perda = perdaDaForma;
      }
      return p;
    };
    // Node 0 of the level a step starts from (area, A^beta).
    auto contorno = [&](double E, double& area, double& fluxo) {
      if (E > 0) {
        fluxo = DeltaX * E / alfa;
        area = Potencia(fluxo, k.inversoBeta);
      } else {
        fluxo = 0;
        area = 0;
      }
    };
    auto mostrarProgresso = [&](int passo, double tp) {
      if (Progresso && passo % kPeriodoProgresso == 0) {
        Progresso->Mostrar(toolkit::FormatarNumero("0.0", tp));
        Progresso->Simulado(tp);
        Progresso->ProcessarMensagens();
      }
    };
    bool avisouDeuPau = false;
    auto avisarDeuPau = [&](bool deuPau) {
      // Once per computation: the failure repeats at every node of every step.
      if (deuPau && !avisouDeuPau) {
        avisouDeuPau = true;
        MensagensDoModelo().Informar(kDeuPau);
      }
    };
    auto adicionarSaida = [&](double tp, const TNivel& nivel) {
      // One point must stay free for the closing zero.
      if (resultado->Count() >= TCaudalente::MaximoPontos - 1)
        throw ECanal("O caudalente no canal ultrapassou o limite de " +
                     std::to_string(TCaudalente::MaximoPontos) +
                     " pontos de uma série; o cálculo foi interrompido.");
      resultado->Adicionar(tp, 1000 * alfa * nivel.Fluxo[saida]);
    };

    double t = CaudalenteEncosta.Ponto(0).Tempo;
    resultado->Adicionar(t, 0);
    t += dtMin;
    int passos = 0;
    // Steps go in pairs; the second is taken as if the first left the outlet
    // wet and counts only when it did. A dry outlet ends the run. On the very
    // first step it would be computed once more at the same time, from the
    // same values, and found dry again, so it ends the run as well.
    for (;;) {
      const double t2 = t + dtMin;
      TPerda perda1, perda2;
      TPasso p1 = iniciarPasso(t, perda1);
      mostrarProgresso(++passos, t);
      TPasso p2 = iniciarPasso(t2, perda2);
      contorno(p1.E, anterior->Area[0], anterior->Fluxo[0]);
      double areaContorno2, fluxoContorno2;
      contorno(p2.E, areaContorno2, fluxoContorno2);

      double saida1, saida2;
      switch (perda1) {
        case TPerda::Nenhuma:
          AvancarDoisPassos<TPerda::Nenhuma>(perda2, *anterior, *nova1, *nova2, Colunas, k, p1, p2,
                                             areaContorno2, fluxoContorno2, saida1, saida2);
          break;
        case TPerda::Triangular:
          AvancarDoisPassos<TPerda::Triangular>(perda2, *anterior, *nova1, *nova2, Colunas, k, p1, p2,
                                                areaContorno2, fluxoContorno2, saida1, saida2);
          break;
        case TPerda::Trapezoidal:
          AvancarDoisPassos<TPerda::Trapezoidal>(perda2, *anterior, *nova1, *nova2, Colunas, k, p1, p2,
                                                 areaContorno2, fluxoContorno2, saida1, saida2);
          break;
      }

      avisarDeuPau(p1.deuPau);
      if (!(saida1 > 0)) break;
      adicionarSaida(t, *nova1);
      t = t2;
      mostrarProgresso(++passos, t);
      avisarDeuPau(p2.deuPau);
      if (!(saida2 > 0)) break;
      adicionarSaida(t, *nova2);
      t += dtMin;
      // The second new level is where the next pair starts; the other two
      // are computed afresh, with their node 0 at 0.
      std::swap(anterior, nova2);
      for (TNivel* nivel : {nova1, nova2}) {
        nivel->Area[0] = 0;
        nivel->Fluxo[0] = 0;
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
