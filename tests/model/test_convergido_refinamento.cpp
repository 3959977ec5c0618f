// The converged solvers where no exact solution is at hand: segment chains
// (with the kinematic shock a steep segment makes on a gentle one) and
// channels. One more halving of the grid and the step must not move the
// peak, and the water must be accounted for: outflow + water left on the
// surface = rain after the abstraction − infiltration where water stood.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/Tolerancia.h"
#include "encosta_comum.h"
#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/uConvergencia.h"

namespace {

using encosta_teste::CanalDeTeste;
using encosta_teste::ChuvaReferencia;
using encosta_teste::DefinirChuva;
using encosta_teste::MontarTrechos;

struct CasoCadeia {
  const char* nome;
  std::vector<encosta_teste::TTrechoTeste> trechos;
  int linha;            // 0: the foot
  bool assenta = true;  // settles within the CPU budget
};

// The default budget, counted in work alone: a slower build (sanitisers)
// runs the same levels.
TParametrosConvergencia SemRelogio() {
  TParametrosConvergencia p;
  p.OrcamentoRelogio = 120;
  return p;
}

// Rain (L per metre) on the computed length of each segment from the time its
// abstraction was filled to the end of the run.
double ChuvaAposAbstracao(TEncostaCinematicaSecoes& lista, int linha, TPrecipitacaoExponencialNegativa& chuva,
                          double tFinal) {
  double total = 0;
  int d = linha;
  for (int i = 0; i < lista.Count() && d > 0; ++i) {
    TEncostaCinematica& e = lista.Trechos(i);
    const int n = e.NumeroLinhas();
    const double comprimento = n < d ? e.Comprimento() : d * e.DeltaX();
    d = n < d ? d - n : 0;
    const double tia = TempoAbstracaoInicial(e, chuva);
    if (std::isfinite(tia) && tia < tFinal) total += comprimento * (chuva.Altura(tFinal) - chuva.Altura(tia));
  }
  return total;
}

class Cadeia : public ::testing::TestWithParam<CasoCadeia> {};

TEST_P(Cadeia, RefinadaEConservativa) {
  const CasoCadeia& c = GetParam();
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  MontarTrechos(lista, c.trechos);
  const uint16_t linha = c.linha > 0 ? static_cast<uint16_t>(c.linha) : lista.SomaLinhas();

  TEncostaConvergida solver(SemRelogio());
  const auto serie = solver.CalcularCaudalente(lista, linha, chuva, nullptr, nullptr);
  ASSERT_GE(serie->Count(), 3u);
  const TInfoConvergencia info = solver.Info();
  EXPECT_LE(info.SegundosCpu, 2.0 * 1.1);

  // Where run-on meets a gentler segment, the kinematic shock it makes
  // reaches the foot and the outflow jumps there: the peak too must settle.
  EXPECT_EQ(info.Convergiu, c.assenta)
      << info.Erro.Pico / info.Pico << " " << info.Erro.TempoPico << " " << info.Erro.Volume / info.Volume;
  if (c.assenta) {
    // One level finer moves nothing by more than the estimate says.
    TParametrosConvergencia mais;
    mais.NivelFixo = info.Nivel + 1;
    mais.OrcamentoSegundos = 60;
    TEncostaConvergida fino(mais);
    const auto serieFina = fino.CalcularCaudalente(lista, linha, chuva, nullptr, nullptr);
    EXPECT_REL_NEAR(serieFina->VazaoMaxima, serie->VazaoMaxima, 0.001);
    EXPECT_NEAR(fino.Info().TempoPico, info.TempoPico, std::max(0.002, 0.001 * info.TempoPico));
    EXPECT_REL_NEAR(serieFina->Volume, serie->Volume, 0.001);
    // Nor by much more than the estimate (some of the tolerance left for
    // levels that happen to agree).
    EXPECT_LE(std::fabs(fino.Info().Pico - info.Pico), std::max(info.Erro.Pico, 2e-4 * info.Pico));
    EXPECT_LE(std::fabs(fino.Info().TempoAlcance - info.TempoAlcance), std::max(info.Erro.TempoPico, 0.002));
  } else {
    // Stopped on the budget, with the estimate it reached.
    EXPECT_TRUE(std::isfinite(info.Erro.Pico));
    EXPECT_TRUE(info.Erro.Pico > 0.001 * info.Pico || info.Erro.TempoPico > 0.01 ||
                info.Erro.Volume > 0.001 * info.Volume);
  }

  const TBalancoMassa& b = info.Balanco;
  const double chuvaEsperada = ChuvaAposAbstracao(lista, linha, chuva, info.TempoFinal);
  EXPECT_REL_NEAR(b.Chuva, chuvaEsperada, 1e-9);
  EXPECT_REL_NEAR(serie->Volume + b.Armazenado + b.Abstracao, chuvaEsperada - b.Infiltracao, 0.001);
  EXPECT_GE(b.Infiltracao, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Cadeia,
    ::testing::Values(
        // A gentle segment over a steep one: the run-on spreads, no shock.
        // Its peak sits on a corner the grid rounds off: it converges at
        // order 0.7, too slowly to settle within the budget.
        CasoCadeia{"suave_sobre_ingreme", {{50, 0.02, 0.05, 20, 0}, {30, 0.10, 0.03, 20, 0}}, 0, false},
        CasoCadeia{"linha_no_segundo", {{50, 0.02, 0.05, 20, 0}, {30, 0.10, 0.03, 35, 0}}, 130},
        // A steep bare segment over a gentle grassed one: a shock runs down
        // the second and makes the peak.
        CasoCadeia{"ingreme_sobre_suave", {{30, 0.15, 0.02, 20, 0}, {50, 0.01, 0.2, 20, 0}}, 0},
        // The shock crosses into a steeper plane below.
        CasoCadeia{"choque_atravessa",
                   {{30, 0.15, 0.02, 20, 0}, {50, 0.01, 0.2, 20, 0}, {60, 0.05, 0.03, 20, 0}},
                   0},
        // Two shocks reach the foot at different times.
        CasoCadeia{"dois_choques",
                   {{30, 0.15, 0.02, 20, 0},
                    {30, 0.01, 0.2, 20, 0},
                    {30, 0.12, 0.02, 20, 0},
                    {30, 0.01, 0.15, 20, 0}},
                   0},
        // A forest strip at the foot, whose abstraction fills later: what
        // arrives before is taken by the abstraction.
        CasoCadeia{"faixa_florestal", {{60, 0.06, 0.035, 25, 0}, {30, 0.06, 0.3, 60, 5}}, 0}),
    [](const ::testing::TestParamInfo<CasoCadeia>& i) { return std::string(i.param.nome); });

// A record whose outflow jumps from antes(t) to depois(t) at tChoque,
// spread over a logistic ramp of width w min, sampled every 0.002 min.
convergencia::TRodada RegistroComRampa(double tChoque, double w) {
  convergencia::TRodada r;
  for (int i = 0; i <= 5000; ++i) {
    const double t = 0.002 * i, u = t - 5;
    const double antes = 1 + 0.05 * u, depois = 3 - 0.2 * u + 0.01 * u * u;
    r.Tempo.push_back(t);
    r.Vazao.push_back(antes + (depois - antes) * 0.5 * (1 + std::tanh((t - tChoque) / w)));
  }
  r.AlfaSaida = std::sqrt(0.05) / 0.03;  // outflow in L/s per metre of a plane
  r.ExpoenteSaida = 5.0 / 3.0;
  r.DeltaXSaida = 0.05;  // m
  return r;
}

TEST(AjusteDeChoque, RampaCurtaViraOSaltoNoLugarQueGuardaOVolume) {
  const double tChoque = 5.0123;
  convergencia::TRodada r = RegistroComRampa(tChoque, 0.001);
  ASSERT_EQ(convergencia::AjustarChoques(r), 1);
  double pico, tempoPico, volume;
  convergencia::Indicadores(r, pico, tempoPico, volume);
  const double u = tChoque - 5;
  EXPECT_NEAR(tempoPico, tChoque, 1e-4);
  EXPECT_REL_NEAR(pico, 3 - 0.2 * u + 0.01 * u * u, 1e-5);
  // Times still run forward (the jump is two samples at one time) and the
  // evenly spaced series holds the jump as its peak.
  EXPECT_TRUE(std::is_sorted(r.Tempo.begin(), r.Tempo.end()));
  TCaudalente serie;
  serie.Local = 1;
  convergencia::Reamostrar(r, serie);
  serie.Calcular(1);
  EXPECT_REL_NEAR(serie.VazaoMaxima, pico, 1e-12);
  EXPECT_DOUBLE_EQ(serie.TempoPico, tempoPico);
}

TEST(AjusteDeChoque, SubidaLongaDemaisParaUmChoqueFicaComoEsta) {
  // The same rise over half a minute: a shock crossing the outlet cell that
  // slowly would span hundreds of cells.
  convergencia::TRodada r = RegistroComRampa(5.0123, 0.5);
  const std::vector<double> antes = r.Vazao;
  EXPECT_EQ(convergencia::AjustarChoques(r), 0);
  EXPECT_EQ(r.Vazao, antes);
  // Over cells a hundred times longer, the same rise is a shock's ramp.
  r.DeltaXSaida *= 100;
  EXPECT_EQ(convergencia::AjustarChoques(r), 1);
}

struct CasoCanal {
  const char* nome;
  int tipo;  // 0 trapezoidal, 1 triangular
  int comprimento, colunas;
};

class Canal : public ::testing::TestWithParam<CasoCanal> {};

TEST_P(Canal, RefinadoEConservativo) {
  const CasoCanal& c = GetParam();
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  MontarTrechos(lista, {{40, 0.05, 0.03, 20}});
  const auto encosta =
      TEncostaConvergida().CalcularCaudalente(lista, lista.SomaLinhas(), chuva, nullptr, nullptr);
  ASSERT_GE(encosta->Count(), 3u);

  TCanalCinematico canal;
  CanalDeTeste(canal, c.tipo, c.tipo == 0 ? 1 : 0.05, c.comprimento);

  TCanalConvergido solver(SemRelogio());
  const auto serie = solver.CalcularCaudalente(canal, c.colunas, chuva, *encosta, 20, 40, nullptr);
  ASSERT_GE(serie->Count(), 3u);
  const TInfoConvergencia info = solver.Info();
  EXPECT_TRUE(info.Convergiu);
  EXPECT_EQ(serie->Local, 2);
  const TCurvaDescarga curva = canal.CurvaDescarga();
  EXPECT_EQ(serie->Alfa, curva.Alfa);
  EXPECT_EQ(serie->Expoente, curva.Beta);
  EXPECT_REL_NEAR(serie->Lamina, serie->Volume / (c.colunas * 40.0 * 1000), 1e-12);

  TParametrosConvergencia mais;
  mais.NivelFixo = info.Nivel + 1;
  mais.OrcamentoSegundos = 60;
  TCanalConvergido fino(mais);
  const auto serieFina = fino.CalcularCaudalente(canal, c.colunas, chuva, *encosta, 20, 40, nullptr);
  EXPECT_REL_NEAR(serieFina->VazaoMaxima, serie->VazaoMaxima, 0.001);

  // Every metre of channel takes in one metre of hillslope's runoff; after
  // the inflow ends, the water surface loses Tie minus the rain.
  const TBalancoMassa& b = info.Balanco;
  EXPECT_REL_NEAR(b.Chuva, c.colunas * encosta->Volume, 1e-9);
  EXPECT_REL_NEAR(serie->Volume + b.Armazenado, b.Chuva + b.Entrada - b.Infiltracao, 0.001);
  EXPECT_GT(b.Infiltracao, 0);
  EXPECT_LT(b.Infiltracao, 0.05 * b.Chuva);
}

INSTANTIATE_TEST_SUITE_P(Tabela, Canal,
                         ::testing::Values(CasoCanal{"trapezoidal", 0, 300, 300},
                                           CasoCanal{"triangular", 1, 300, 300},
                                           CasoCanal{"trapezoidal_coluna_80", 0, 150, 80}),
                         [](const ::testing::TestParamInfo<CasoCanal>& i) {
                           return std::string(i.param.nome);
                         });

// The error of the last of three values at levels each twice as fine:
// exact for a pure power of the cell size, no smaller than the last change
// when the changes alternate, never below a second order's share.
TEST(ErroRichardson, DaOErroRestanteDoUltimoValor) {
  struct Caso {
    double f0, f1, f2, erro, ordem;
  } casos[] = {
      {1 + 0.08, 1 + 0.04, 1 + 0.02, 0.02, 1},                   // first order
      {1 - 0.16 * 0.6156, 1 - 0.16 * 0.3789, 1 - 0.16 * 0.2333,  // order 0.7
       0.16 * 0.2333, 0.7},
      {1 + 0.16, 1 + 0.04, 1 + 0.01, 0.01, 2},      // second order
      {1 + 0.64, 1 + 0.08, 1 + 0.01, 0.07 / 3, 3},  // "third": counted as second
      {1.01, 0.995, 1.002, 0.007, 0},               // alternating
      {1.0, 1.01, 1.03, 0.03, 0},                   // growing changes
      {2.5, 2.5, 2.5, 0, 0},                        // exact at every level
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.f2);
    double ordem;
    EXPECT_NEAR(convergencia::ErroRichardson(c.f0, c.f1, c.f2, ordem), c.erro, 5e-3 * c.erro + 1e-15);
    EXPECT_NEAR(ordem, c.ordem, 0.01);
  }
}

// Whatever the input, a run ends within its CPU budget: settled or not with
// the estimate it reached, or, when not even the coarsest level fits, with
// a message that says so. A progress box that throws (the window's
// "Cancelar") stops it at its next tick, which comes within a few
// hundredths of a second.
TEST(OrcamentoConvergido, TerminaDentroDoLimite) {
  struct Caso {
    const char* nome;
    encosta_teste::TTrechoTeste trecho;
  } casos[] = {
      {"st_enorme", {30, 1e20, 0.03, 20}},
      {"nt_minusculo", {30, 0.05, 1e-20, 20}},
      {"dez_km", {10000, 0.05, 0.03, 20}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    TPrecipitacaoExponencialNegativa chuva;
    ChuvaReferencia(chuva);
    TEncostaCinematicaSecoes lista;
    MontarTrechos(lista, {c.trecho});
    TParametrosConvergencia p;
    p.OrcamentoSegundos = 0.2;
    TEncostaConvergida solver(p);
    const double inicio = convergencia::SegundosCpu();
    try {
      const auto serie = solver.CalcularCaudalente(lista, lista.SomaLinhas(), chuva, nullptr, nullptr);
      EXPECT_GE(serie->Count(), 3u);
      EXPECT_TRUE(std::isfinite(solver.Info().Erro.Pico) || !solver.Info().Convergiu);
    } catch (const EEncostaCinematica& e) {
      EXPECT_STREQ(e.what(), convergencia::kOrcamentoEsgotado);
    }
    EXPECT_LT(convergencia::SegundosCpu() - inicio, 0.2 + 0.1);
  }
}

struct ECancelado {};
class TProgressoCancelado : public IProgresso {
 public:
  void Mostrar(const std::string& t) override { texto = t; }
  void ProcessarMensagens() override { throw ECancelado{}; }
  std::string texto;
};

TEST(OrcamentoConvergido, CancelarParaNoTickSeguinte) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  MontarTrechos(lista, {{120, 0.05, 0.03, 20}});  // about 0.4 s to settle
  TProgressoCancelado progresso;
  double inicio = convergencia::SegundosCpu();
  EXPECT_THROW(TEncostaConvergida().CalcularCaudalente(lista, lista.SomaLinhas(), chuva, &progresso, nullptr),
               ECancelado);
  EXPECT_LT(convergencia::SegundosCpu() - inicio, 0.1);
  // The box shows the simulated time and the level being computed.
  EXPECT_NE(progresso.texto.find("(refinamento "), std::string::npos) << progresso.texto;

  MontarTrechos(lista, {{40, 0.05, 0.03, 20}});
  const auto encosta =
      TEncostaConvergida().CalcularCaudalente(lista, lista.SomaLinhas(), chuva, nullptr, nullptr);
  TCanalCinematico canal;
  CanalDeTeste(canal, 0, 1, 3000);
  inicio = convergencia::SegundosCpu();
  EXPECT_THROW(TCanalConvergido().CalcularCaudalente(canal, 3000, chuva, *encosta, 20, 40, &progresso),
               ECancelado);
  EXPECT_LT(convergencia::SegundosCpu() - inicio, 0.1);
}

// A steady lateral inflow q (L/s per metre) fills a channel of L metres to
// an outflow of q·L exactly, and the flat top settles.
TEST(CanalConvergido, EntradaConstanteChegaAqL) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  const double q = 0.8;
  TCaudalente entrada;
  entrada.Local = 1;
  entrada.Adicionar(0, 0);
  entrada.Adicionar(0.5, q);
  entrada.Adicionar(60, q);
  entrada.Adicionar(60.5, 0);
  entrada.Calcular(40 * 1000);
  for (int tipo : {0, 1}) {
    SCOPED_TRACE(tipo);
    TCanalCinematico canal;
    CanalDeTeste(canal, tipo, tipo == 0 ? 1 : 0.05, 200);
    TCanalConvergido solver(SemRelogio());
    const auto serie = solver.CalcularCaudalente(canal, 200, chuva, entrada, 20, 40, nullptr);
    ASSERT_GE(serie->Count(), 3u);
    EXPECT_REL_NEAR(serie->VazaoMaxima, q * 200, 1e-9);
    EXPECT_TRUE(solver.Info().Convergiu);
    EXPECT_LT(solver.Info().Erro.TempoPico, 0.01);
  }
}

}  // namespace
