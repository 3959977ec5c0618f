#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/Tolerancia.h"
#include "model/channel/uRegressao.h"

namespace {

TRegressao Pares(const std::vector<double>& x, const std::vector<double>& y) {
  TRegressao r(static_cast<int>(x.size()));
  r.X = x;
  r.Y = y;
  return r;
}

struct CasoAjuste {
  const char* nome;
  std::vector<double> x, y;
  double primeiro, segundo;  // (a, b) of the line or (c, m) of the power law
};

class AjusteDeReta : public ::testing::TestWithParam<CasoAjuste> {};

TEST_P(AjusteDeReta, RecuperaARetaExata) {
  const auto& caso = GetParam();
  double a = -99, b = -99;
  Pares(caso.x, caso.y).AjusteLinear(a, b);
  EXPECT_REL_NEAR(a, caso.primeiro, 1e-12);
  EXPECT_REL_NEAR(b, caso.segundo, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Retas, AjusteDeReta,
                         ::testing::Values(CasoAjuste{"tres_pontos", {1, 2, 3}, {3, 5, 7}, 1, 2},
                                           CasoAjuste{"decrescente", {0, 4, 10, 12}, {5, 3, 0, -1}, 5, -0.5},
                                           CasoAjuste{"dois_pontos", {2, 6}, {1, 1}, 1, 0}),
                         [](const auto& info) { return info.param.nome; });

class AjustePotenciaExata : public ::testing::TestWithParam<CasoAjuste> {};

TEST_P(AjustePotenciaExata, RecuperaALeiExata) {
  const auto& caso = GetParam();
  double c = -99, m = -99;
  Pares(caso.x, caso.y).AjustePotencia(c, m);
  EXPECT_REL_NEAR(c, caso.primeiro, 1e-12);
  EXPECT_REL_NEAR(m, caso.segundo, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Potencias, AjustePotenciaExata,
                         ::testing::Values(CasoAjuste{"proporcional", {1, 10, 100}, {2, 20, 200}, 2, 1},
                                           CasoAjuste{"raiz", {0.25, 1, 4, 9}, {1.5, 3, 6, 9}, 3, 0.5},
                                           CasoAjuste{"inversa", {0.5, 2, 8}, {8, 2, 0.5}, 4, -1}),
                         [](const auto& info) { return info.param.nome; });

// A zero ordinate cannot be a logarithm: it enters as log 0, as if the pair were (x, 1).
TEST(AjustePotencia, OrdenadaNulaEntraComoUm) {
  double cZero = 0, mZero = 0, cUm = 0, mUm = 0;
  Pares({1, 10, 100}, {0, 20, 200}).AjustePotencia(cZero, mZero);
  Pares({1, 10, 100}, {1, 20, 200}).AjustePotencia(cUm, mUm);
  EXPECT_EQ(cZero, cUm);
  EXPECT_EQ(mZero, mUm);
  // Hand fit of log10 pairs (0, 0), (1, log 20), (2, log 200): slope = (log 200) / 2.
  EXPECT_REL_NEAR(mZero, std::log10(200.0) / 2, 1e-12);
}

TEST(Regressao, SetTamanhoRedimensionaComZeros) {
  TRegressao r(2);
  r.X[1] = 7;
  r.SetTamanho(4);
  EXPECT_EQ(r.N, 4);
  ASSERT_EQ(r.X.size(), 4u);
  ASSERT_EQ(r.Y.size(), 4u);
  EXPECT_EQ(r.X[1], 7);
  EXPECT_EQ(r.X[3], 0);
  EXPECT_EQ(r.Y[3], 0);
}

}  // namespace
