// Hydrograph of one plane hillslope (equations in the header): the grid and
// step from the length and the soil, runoff from the time the initial
// abstraction is filled until the outlet dries, the scheme in uOndaCinematica.
// Time in min, intensities in mm/h, discharge in L/s per metre, depth in m.
#include "model/hillslope/uEncostaCinematica.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uOndaCinematica.h"
#include "model/hillslope/uRaiz.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/FormatoNumero.h"

namespace {

const char* const kSemEscoamento = "Para as condições especificadas, não há ocorrência de escoamento.";

using mensagens_encosta::kContato;
using mensagens_encosta::kErroNoLaco;
using mensagens_encosta::MotivoDoErro;

// 0^x counts as 0, as in the storm's peak formula.
double Potencia(double base, double expoente) {
  return base == 0 ? 0 : std::pow(base, expoente);
}

// A run must not outgrow what a series (and its files) can hold.
void AdicionarPonto(TCaudalente& Serie, double Tempo, double Vazao) {
  if (Serie.Cheio())
    throw EEncostaCinematica(
        "O caudalente na encosta teria mais de 65535 pontos e não pode ser calculado. Verifique a"
        " taxa de infiltração estável (Tie) e os parâmetros da chuva: o escoamento não termina"
        " num tempo razoável.");
  Serie.Adicionar(Tempo, Vazao);
}

// Upstream discharge read back from an evenly spaced series; 0 without one.
class TEntrada {
 public:
  explicit TEntrada(const TCaudalente* serie) {
    if (serie && serie->Count() > 0) {
      serie_ = serie;
      ultimo_ = serie->Ponto(serie->Count() - 1u).Tempo;
      if (serie->Count() >= 2) intervalo_ = serie->Ponto(1).Tempo - serie->Ponto(0).Tempo;
    }
  }
  bool Vazia() const { return serie_ == nullptr; }
  double UltimoTempo() const { return ultimo_; }
  double VazaoEm(double t) const {
    return serie_ && serie_->Count() >= 2 ? serie_->VazaoEm(t, intervalo_) : 0.0;
  }

 private:
  const TCaudalente* serie_ = nullptr;
  double ultimo_ = 0;
  double intervalo_ = 0;
};

std::string NaoFinito(const char* grandeza, double t) {
  return std::string(grandeza) + " no tempo t = " + toolkit::FormatoGeral(t) +
         " min não é um número finito. Verifique os parâmetros da chuva e do terreno.";
}

}  // namespace

double IntensidadeMaxima(const TPrecipitacaoExponencialNegativa& Chuva) {
  return Chuva.K() * Potencia(Chuva.Tr(), Chuva.A()) / Potencia(Chuva.B(), Chuva.C());
}

namespace mensagens_encosta {

const char* const kContato =
    "\n\nPor favor, entre em contato com o grupo de pesquisa responsável pelo Caudalente e"
    " informe as condições da simulação (chuva, encosta e canal) em que o erro ocorreu."
    "\nOs endereços para contato estão na janela \"Sobre\" do programa.";
const char* const kErroNoLaco = "Ocorreu um erro quando calculando o caudalente na encosta.";

std::string MotivoDoErro(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e)) return "\nNão há memória suficiente para o cálculo.";
  if (dynamic_cast<const EErroAritmetico*>(&e) || dynamic_cast<const ECaudalente*>(&e))
    return std::string("\n") + e.what();
  return "";
}
const char* const kAlfaInvalido = "A declividade e a rugosidade do terreno devem ser maiores que zero.";

const char* Comprimento(const std::string& Versao) {
  return Versao == "1" ? "O Item do comprimento da encosta não pode ser menor ou igual a zero."
                       : "O Item do comprimento de um trecho da encosta não pode ser menor ou igual a zero.";
}

namespace {
std::string MensagemTie(double VIB, const char* causa) {
  return "Para Tie = " + toolkit::FormatarNumero("0.0#", VIB) + causa;
}
}  // namespace

std::string TieMaiorQueIntensidade(double VIB) {
  return MensagemTie(VIB,
                     " e para as condições fornecidas não existe escoamento, pois a "
                     "Tie é maior do que a intensidade instantânea de precipitação.");
}

std::string AbstracaoDepoisDoFim(double VIB) {
  return MensagemTie(VIB,
                     " e para as condições"
                     " fornecidas não existe escoamento, pois o tempo para preenchimento das"
                     " abstrações iniciais é maior do que o tempo final do escoamento.");
}

}  // namespace mensagens_encosta

double TempoFinalEscoamento(const TPrecipitacaoExponencialNegativa& Chuva, const std::string& Versao,
                            double Tie) {
  if (!(IntensidadeMaxima(Chuva) > Tie)) {
    if (Versao == "1") throw EEncostaCinematica(kSemEscoamento);
    return 0;
  }
  // Newton on I(t) - Tie; an iterate at or below zero restarts from the peak.
  // A step that cannot be computed is as good as no convergence.
  const std::string naoConvergiu =
      std::string("Não houve convergência quando calculando o tempo final do escoamento.") + kContato;
  const double B = Chuva.B();
  const double C = Chuva.C();
  double t = 1;
  int iteracoes = 0;
  double passo;
  try {
    do {
      if (!(t > 0)) t = 0;
      const double I = Chuva.IntensidadeInstantanea(t);
      const double i = Chuva.IntensidadeMedia(t);
      const double derivada = -C / (t + B) * (I + i * B / (t + B));
      passo = (I - Tie) / derivada;
      if (!std::isfinite(passo)) throw EErroAritmetico();
      t -= passo;
      ++iteracoes;
    } while (!(std::fabs(passo) <= 1e-10) && iteracoes <= 200);
  } catch (const EErroAritmetico&) {
    throw EEncostaCinematica(naoConvergiu);
  }
  if (iteracoes > 200) throw EEncostaCinematica(naoConvergiu);
  return t;
}

double TempoAbstracaoInicial(const TTerreno& Terreno, const TPrecipitacaoExponencialNegativa& Chuva) {
  const double Ia = AbstracaoInicial(Terreno);  // mm
  // P(t) = i(t)·t/60 and d(i·t)/dt = I(t).
  const raiz::TNewton r = raiz::Newton(
      [&](double t) {
        return raiz::TAvaliacao{Chuva.IntensidadeMedia(t) * t - 60 * Ia, Chuva.IntensidadeInstantanea(t)};
      },
      1.0, 1e-7, 200, false);
  // A step that settles only after the 200th counts as no convergence too.
  if (r.estado == raiz::EstadoNewton::Convergiu && r.iteracoes <= 200) return r.x;
  // With C > 1 the cumulative depth P(t) = KTrA·t/(t+B)^C peaks at t = B/(C-1);
  // with C = 1 it only tends to KTrA/60. A storm whose depth never reaches Ia
  // never fills it: +inf rather than a start at t = 0, which would make runoff
  // out of rain that all went into the abstraction.
  const double C = Chuva.C(), B = Chuva.B();
  double alturaMaxima = HUGE_VAL;
  if (C > 1)
    alturaMaxima = Chuva.Altura(B / (C - 1));
  else if (C == 1)
    alturaMaxima = Chuva.KTrA() / 60;
  return alturaMaxima <= Ia ? HUGE_VAL : 0.0;
}

// ---------------------------------------------------------------------------

TEncostaCinematicaCustom::TEncostaCinematicaCustom() {
  Limpar();
}

TEncostaCinematicaCustom::TEncostaCinematicaCustom(const std::string& Sufixo) : TTerreno(Sufixo) {
  Limpar();
}

void TEncostaCinematicaCustom::Limpar() {
  TTerreno::Limpar();
  LaminaEscoada = 0;
  FComprimento = 0;
  Versao = "1";
}

void TEncostaCinematicaCustom::Assign(const TTerreno& Origem) {
  TTerreno::Assign(Origem);
  if (const auto* encosta = dynamic_cast<const TEncostaCinematicaCustom*>(&Origem)) {
    FComprimento = encosta->FComprimento;
    Versao = encosta->Versao;
  }
}

void TEncostaCinematicaCustom::SetComprimento(int n) {
  if (n < 0) throw EEncostaCinematica(mensagens_encosta::Comprimento(Versao));
  FComprimento = n;
}

int64_t TEncostaCinematicaCustom::NumeroLinhas() const {
  if (FComprimento <= 50) return 100;
  return std::llround(FComprimento / 0.5);
}

double TEncostaCinematicaCustom::DeltaX() const {
  return std::min(FComprimento / 100.0, 0.5);
}

double TEncostaCinematicaCustom::DeltaT() const {
  // Faster soils end the excess sooner and need finer steps.
  const double v = VIB();
  if (v <= 10) return 0.35;
  if (v <= 30) return 0.30;
  if (v <= 60) return 0.25;
  if (v <= 90) return 0.20;
  if (v <= 120) return 0.15;
  return 0.10;
}

double TEncostaCinematicaCustom::Alfa() const {
  return std::sqrt(St()) / nt.Valor;
}

// ---------------------------------------------------------------------------

std::unique_ptr<TCaudalente> TEncostaCinematica::CalcularCaudalente(
    const TPrecipitacaoExponencialNegativa& Chuva, TCaudalente* Entrada, IProgresso* Progresso, int Linhas) {
  auto serieVazia = [](bool semEscoamento = false) {
    auto s = std::make_unique<TCaudalente>();
    s->Local = 1;
    s->SemEscoamento = semEscoamento;
    return s;
  };
  LaminaEscoada = 0;

  if (Versao == "1" && IntensidadeMaxima(Chuva) < VIB()) {
    MensagensDoModelo().Informar(mensagens_encosta::TieMaiorQueIntensidade(VIB()));
    return serieVazia(true);
  }
  const double tfe = TempoFinalEscoamento(Chuva, Versao, VIB());
  double tia;
  try {
    tia = TempoAbstracaoInicial(*this, Chuva);
  } catch (const EErroAritmetico& e) {
    throw EEncostaCinematica(e.what());
  }
  // A storm that never fills the abstraction gives no runoff on any layout.
  if (std::isinf(tia) && Versao != "1") return serieVazia();
  if (Versao == "1" && tia > tfe) {
    MensagensDoModelo().Informar(mensagens_encosta::AbstracaoDepoisDoFim(VIB()));
    return serieVazia(true);
  }

  // A run on an undefined grid would produce nonsense (division by zero) or
  // write past the arrays: refuse it with a message instead.
  const int64_t N = NumeroLinhas();
  if (Comprimento() <= 0) throw EEncostaCinematica(mensagens_encosta::Comprimento(Versao));
  const double alfa = Alfa();
  if (!(alfa > 0) || !std::isfinite(alfa)) throw EEncostaCinematica(mensagens_encosta::kAlfaInvalido);
  if (Linhas < 1 || Linhas > N)
    throw EEncostaCinematica("A linha " + std::to_string(Linhas) + " não existe num trecho de " +
                             std::to_string(N) + " linhas.");

  const double dx = DeltaX();     // m
  const double dtMin = DeltaT();  // min
  const double dtS = 60 * dtMin;  // s
  const double VIBmmh = VIB();

  if (Entrada) {
    Entrada->Alfa = alfa;
    Entrada->Expoente = 5.0 / 3.0;
  }
  const TEntrada entrada(Entrada);
  if (Progresso) Progresso->ProcessarMensagens();

  // Excess over the top cell plus the upstream supply, L/s per metre.
  auto vazaoTopo = [&](double t) {
    return (Chuva.IntensidadeInstantanea(t) - VIBmmh) * dx / 3600 + entrada.VazaoEm(t);
  };

  auto serie = serieVazia();
  if (tfe > tia) serie->Reservar(static_cast<std::size_t>(std::min(65535.0, (tfe - tia) / dtMin * 1.5 + 16)));

  try {
    double t = tia;
    AdicionarPonto(*serie, t, 0);
    if (Linhas == 1) {
      // The top cell drains all it receives.
      double Q;
      do {
        t += dtMin;
        Q = vazaoTopo(t);
        if (!std::isfinite(Q)) throw EErroAritmetico(NaoFinito("A vazão que deixa a primeira linha", t));
        AdicionarPonto(*serie, t, Q > 0 ? Q : 0);
      } while (Q > 0);
    } else {
      TPlanoCinematico plano(Linhas, dx, dtS, alfa);
      auto contorno = [&](double tc) {
        const double Q0 = vazaoTopo(tc);
        if (!std::isfinite(Q0)) throw EErroAritmetico(NaoFinito("A vazão que deixa a primeira linha", tc));
        plano.DefinirTopo(Q0);
        return Q0;
      };

      t += dtMin;
      bool parar = contorno(t) < 0;
      long passos = 0;
      // Steps whose outlet was dry while the run went on (water may still come
      // from above). They become zeros once the outlet is wet again, so the
      // series stays evenly spaced for the segment below, which reads it by
      // its spacing; dry steps at the end are dropped. Dry steps before the
      // first wet one are dropped too, the opening zero moving to the last of
      // them: a series that opened with a run of zeros would look like no
      // runoff to the channel, which stops when its outlet is dry at the start.
      long secos = 0;
      double tPrimeiroSeco = 0, tUltimoSeco = 0;
      while (!parar) {
        ++passos;
        if (Progresso && passos % 23 == 0) {
          Progresso->Mostrar(toolkit::FormatarNumero("0.0", t));
          Progresso->Simulado(t);
          Progresso->ProcessarMensagens();
        }
        const double e = (Chuva.IntensidadeInstantanea(t) - VIBmmh) / 3600000;  // m/s
        const double M = plano.Avancar(e);
        if (!std::isfinite(M)) throw EErroAritmetico(NaoFinito("A profundidade na última linha", t));
        // A dry outlet ends the run unless water may still come from above.
        if (M <= 0 && (Versao == "1" || entrada.Vazia())) parar = true;
        t += dtMin;
        // Stamped with the time at which this step's rainfall was taken.
        if (M > 0) {
          if (secos > 0 && serie->Count() == 1) {
            serie->Ponto(0).Tempo = tUltimoSeco;
            secos = 0;
          }
          for (double tSeco = tPrimeiroSeco; secos > 0; --secos, tSeco += dtMin)
            AdicionarPonto(*serie, tSeco, 0);
          AdicionarPonto(*serie, t - dtMin, plano.VazaoSaida());
        } else {
          if (secos++ == 0) tPrimeiroSeco = t - dtMin;
          tUltimoSeco = t - dtMin;
        }
        contorno(t);
        if (Versao == "2" && !entrada.Vazia() && t > entrada.UltimoTempo() && !(M > 0)) parar = true;
      }
      const TPonto ultimo = serie->Ponto(serie->Count() - 1u);
      if (ultimo.Vazao != 0) AdicionarPonto(*serie, ultimo.Tempo + dtMin, 0);
    }
  } catch (const EEncostaCinematica&) {
    throw;
  } catch (const std::exception& e) {
    throw EEncostaCinematica(kErroNoLaco + MotivoDoErro(e) + kContato);
  }

  if (serie->Count() < 3) {
    serie->Limpar();
    return serie;
  }
  serie->Alfa = alfa;
  serie->Expoente = 5.0 / 3.0;
  serie->Local = 1;
  serie->Calcular(1);
  LaminaEscoada = serie->Volume / (Linhas * dx * 1 * 1000);
  serie->Lamina = LaminaEscoada;
  return serie;
}

// ---------------------------------------------------------------------------
// Project file: section "Encosta" + Sufixo after the terrain's sections.

bool TEncostaCinematicaCustom::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TEncostaCinematicaCustom::GravarArquivo(const std::string& NomeArquivo) {
  return toolkit::GravarIni(NomeArquivo, [this](toolkit::TArquivoIni& ini) { GravarSecoes(ini); });
}

bool TEncostaCinematicaCustom::LerSecoes(const toolkit::TArquivoIni& Ini) {
  if (!TTerreno::LerSecoes(Ini)) return false;
  const int comprimento = Ini.LerInteiro("Encosta" + Sufixo, "Comprimento", 0);
  if (comprimento < 0) return false;
  FComprimento = comprimento;
  return true;
}

void TEncostaCinematicaCustom::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  TTerreno::GravarSecoes(Ini);
  const std::string secao = "Encosta" + Sufixo;
  Ini.EscreverString(secao, "Versao", Versao);
  Ini.EscreverInteiro(secao, "Comprimento", FComprimento);
}
