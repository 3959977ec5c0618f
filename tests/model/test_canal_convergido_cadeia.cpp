// The converged channel fed by a segment chain whose outflow jumps: a steep
// bare segment over a gentle grassed one sends a kinematic shock to the
// foot, and the channel's inflow leaps from ~0.85 to ~2.42 L/s·m at 12.62
// min. The jump travels down the channel as a break in the slope of the
// area, and the outlet's peak sits on it (trapezoid) or on a very flat top
// just ahead of it (triangle). Refinement must settle on both, and the water
// must be accounted for.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "common/Tolerancia.h"
#include "encosta_comum.h"
#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

namespace {

struct CasoCadeia {
  const char* nome;
  int tipo;  // 0 trapezoidal, 1 triangular
  double Z;
  // L/s and min, as tests/tools/referencia/canal_cadeia.py computes them
  // along the characteristics of the hillslope and the channel: the peak,
  // its time, and the outflow a minute after that time.
  double pico, tempoPico, recessao;
};

// The series' discharge at t, linear between its points.
double VazaoEm(const TCaudalente& s, double t) {
  for (std::size_t i = 1; i < s.Count(); ++i) {
    const TPonto a = s.Ponto(i - 1), b = s.Ponto(i);
    if (b.Tempo >= t) return a.Vazao + (t - a.Tempo) / (b.Tempo - a.Tempo) * (b.Vazao - a.Vazao);
  }
  return 0;
}

class CanalCadeia : public ::testing::TestWithParam<CasoCadeia> {};

TEST_P(CanalCadeia, AssentaComSaltoNaEntrada) {
  const CasoCadeia& c = GetParam();
  TPrecipitacaoExponencialNegativa chuva;
  encosta_teste::ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  encosta_teste::MontarTrechos(lista, {{30, 0.15, 0.02, 20}, {50, 0.01, 0.2, 20}});
  const auto encosta =
      TEncostaConvergida().CalcularCaudalente(lista, lista.SomaLinhas(), chuva, nullptr, nullptr);
  ASSERT_GE(encosta->Count(), 3u);

  TCanalCinematico canal;
  encosta_teste::CanalDeTeste(canal, c.tipo, c.Z, 300);

  // The default budget, counted in work alone: a slower build (sanitisers)
  // runs the same levels.
  TParametrosConvergencia parametros;
  parametros.OrcamentoRelogio = 120;
  TCanalConvergido solver(parametros);
  const auto serie = solver.CalcularCaudalente(canal, 300, chuva, *encosta, 20, 80, nullptr);
  ASSERT_GE(serie->Count(), 3u);
  const TInfoConvergencia info = solver.Info();
  EXPECT_TRUE(info.Convergiu);
  EXPECT_REL_NEAR(info.Pico, c.pico, 0.001);
  EXPECT_NEAR(info.TempoPico, c.tempoPico, 0.02);
  // A wiggle after the peak would have turned the recession into a straight line.
  EXPECT_REL_NEAR(VazaoEm(*serie, c.tempoPico + 1), c.recessao, 2e-4);

  TParametrosConvergencia mais;
  mais.NivelFixo = info.Nivel + 1;
  mais.OrcamentoSegundos = 60;
  TCanalConvergido fino(mais);
  const auto serieFina = fino.CalcularCaudalente(canal, 300, chuva, *encosta, 20, 80, nullptr);
  EXPECT_REL_NEAR(serieFina->VazaoMaxima, serie->VazaoMaxima, 0.001);
  // On the triangle's flat top the time of the largest sample wanders by a
  // few thousandths of a minute; the time the outflow first comes within
  // 0.1 % of the peak does not.
  EXPECT_NEAR(fino.Info().TempoAlcance, info.TempoAlcance, 0.002);

  const TBalancoMassa& b = info.Balanco;
  EXPECT_REL_NEAR(b.Chuva, 300 * encosta->Volume, 1e-9);
  EXPECT_REL_NEAR(serie->Volume + b.Armazenado, b.Chuva + b.Entrada - b.Infiltracao, 0.001);
  EXPECT_GT(b.Infiltracao, 0);
  EXPECT_LT(b.Infiltracao, 0.05 * b.Chuva);
}

INSTANTIATE_TEST_SUITE_P(Tabela, CanalCadeia,
                         ::testing::Values(CasoCadeia{"trapezoidal", 0, 1, 596.75, 16.812, 553.30},
                                           CasoCadeia{"triangular", 1, 0.05, 540.88, 19.092, 508.28}),
                         [](const ::testing::TestParamInfo<CasoCadeia>& i) {
                           return std::string(i.param.nome);
                         });

}  // namespace
