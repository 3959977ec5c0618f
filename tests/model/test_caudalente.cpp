// Hydrograph series: statistics, volume by the trapezoid rule, interpolation,
// recession clean-up, copying and the 16-bit point limit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/NomeDoCaso.h"
#include "common/Tolerancia.h"
#include "model/hillslope/uCaudalente.h"

namespace {

void Preencher(TCaudalente& c, const std::vector<TPonto>& pontos) {
  for (const TPonto& p : pontos) c.Adicionar(p.Tempo, p.Vazao);
}

struct CasoEstatistica {
  const char* nome;
  std::vector<TPonto> pontos;
  double vazaoMaxima, tempoPico, volume;
};

class Estatistica : public ::testing::TestWithParam<CasoEstatistica> {};

TEST_P(Estatistica, PicoEVolume) {
  const CasoEstatistica& caso = GetParam();
  TCaudalente c;
  c.Local = 1;
  Preencher(c, caso.pontos);
  c.Calcular(1);
  EXPECT_EQ(c.VazaoMaxima, caso.vazaoMaxima);
  EXPECT_EQ(c.TempoPico, caso.tempoPico);
  EXPECT_DOUBLE_EQ(c.Volume, caso.volume);
  EXPECT_DOUBLE_EQ(c.CalcularVolume(), caso.volume);
  EXPECT_DOUBLE_EQ(c.Lamina, caso.volume);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Estatistica,
    ::testing::Values(
        CasoEstatistica{"três pontos: pico sem volume", {{0, 0}, {1, 5}, {2, 0}}, 5, 1, 0},
        // (0+6)·1·30 + (6+6)·1·30 + (6+0)·1·30; the earliest of equal maxima wins.
        CasoEstatistica{"patamar", {{0, 0}, {1, 6}, {2, 6}, {3, 0}}, 6, 1, 720},
        // The ends never count as the peak.
        CasoEstatistica{"pontas mais altas", {{0, 9}, {0.5, 2}, {1, 3}, {2, 8}}, 3, 1, 30 * (5.5 + 2.5 + 11)},
        CasoEstatistica{"sem interior positivo", {{0, 1}, {1, 0}, {2, 0}, {3, 0}}, 0, 0, 30},
        CasoEstatistica{"dois pontos", {{0, 0}, {1, 5}}, 0, 0, 0}),
    teste::PeloNome());

TEST(Caudalente, ProfundidadeEVelocidadeNoPico) {
  TCaudalente c;
  c.Local = 1;
  c.Alfa = 2;
  c.Expoente = 5.0 / 3;
  Preencher(c, {{0, 0}, {1, 3}, {2, 1}, {3, 0}});
  c.Calcular(1000);
  // (3 / 2000)^0.6 and 3 L/s over 1000 L/m³ times that depth.
  EXPECT_REL_NEAR(c.Profundidade, 0.020214116, 1e-8);
  EXPECT_REL_NEAR(c.Velocidade, 0.14841114, 1e-7);
  EXPECT_DOUBLE_EQ(c.Lamina, c.Volume / 1000);

  c.Alfa = 0;
  c.Calcular(1);
  EXPECT_EQ(c.VazaoMaxima, 3);
  EXPECT_EQ(c.Profundidade, 0);
  EXPECT_EQ(c.Velocidade, 0);
}

TEST(Caudalente, ProfundidadeDoCanalPassaPelaFuncaoDoCanal) {
  double areaRecebida = -1;
  TCaudalente c([&](double area) {
    areaRecebida = area;
    return area / 2;
  });
  c.Local = 2;
  c.Alfa = 2;
  c.Expoente = 5.0 / 3;
  Preencher(c, {{0, 0}, {1, 3}, {2, 0}});
  c.Calcular(1);
  EXPECT_REL_NEAR(areaRecebida, 0.020214116, 1e-8);
  EXPECT_REL_NEAR(c.Profundidade, 0.020214116 / 2, 1e-8);
  // The velocity is discharge over the flow area, before the conversion.
  EXPECT_REL_NEAR(c.Velocidade, 0.14841114, 1e-7);
}

TEST(Caudalente, CalcularPedeOLocalENoCanalAFuncaoDeProfundidade) {
  TCaudalente c;
  Preencher(c, {{0, 0}, {1, 5}, {2, 0}});
  c.VazaoMaxima = 42;
  try {
    c.Calcular(1);
    ADD_FAILURE();
  } catch (const ECaudalente& e) {
    EXPECT_STREQ(e.what(), "Local do caudalente não definido (canal ou encosta).");
  }
  c.Local = 2;
  try {
    c.Calcular(1);
    ADD_FAILURE();
  } catch (const ECaudalente& e) {
    EXPECT_STREQ(e.what(), "Erro. Função de determinação da profundidade do canal não definida.");
  }
  EXPECT_EQ(c.VazaoMaxima, 42);  // untouched by the failed call
}

TEST(Caudalente, VazaoEmInterpolaNoEspacamentoDaSerie) {
  TCaudalente c;
  Preencher(c, {{0, 0}, {0.5, 2}, {1, 4}, {1.5, 0}});
  struct Caso {
    double tempo, vazao;
  };
  for (const Caso caso : {Caso{0.75, 3}, Caso{0.5, 2}, Caso{1.5, 0}, Caso{0, 0}, Caso{-1, 0}, Caso{9, 0},
                          Caso{0.25, 1}, Caso{1.25, 2}, Caso{1.4, 0.8}}) {
    EXPECT_NEAR(c.VazaoEm(caso.tempo, 0.5), caso.vazao, 1e-12) << caso.tempo;
  }
  // A clock a hair short of a point still reads that point's interval.
  EXPECT_NEAR(c.VazaoEm(1 - 1e-9, 0.5), 4, 1e-6);
  // A hair short of the last point rounds to the last index; the interval
  // before it is read instead of a point past the end: 4 + (0.499999/0.5)·(0 − 4).
  EXPECT_NEAR(c.VazaoEm(1.5 - 1e-6, 0.5), 8e-6, 1e-12);
  EXPECT_EQ(TCaudalente().VazaoEm(1, 0.5), 0);
}

TEST(Caudalente, SuavizarRecessaoReplacesARenewedRise) {
  TCaudalente c;
  Preencher(c, {{0, 0}, {1, 4}, {2, 2}, {3, 3}, {4, 1}, {5, 0}});
  c.SuavizarRecessao();
  const double esperado[] = {0, 4, 2, 4.0 / 3, 2.0 / 3, 0};
  ASSERT_EQ(c.Count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(c.Ponto(i).Vazao, esperado[i], 1e-12) << i;

  // A clean recession, and a series that never falls, are left alone.
  for (const std::vector<TPonto>& pontos : {std::vector<TPonto>{{0, 0}, {1, 4}, {2, 2}, {3, 2}, {4, 0}},
                                            std::vector<TPonto>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}}) {
    TCaudalente d;
    Preencher(d, pontos);
    d.SuavizarRecessao();
    for (std::size_t i = 0; i < pontos.size(); ++i) EXPECT_EQ(d.Ponto(i).Vazao, pontos[i].Vazao);
  }
  TCaudalente vazio;
  vazio.SuavizarRecessao();
  EXPECT_EQ(vazio.Count(), 0);
}

TEST(Caudalente, AssignELimparGuardamOQueDevem) {
  int chamadas = 0;
  TCaudalente canal([&](double a) {
    ++chamadas;
    return a;
  });
  canal.Local = 2;
  canal.VazaoMaxima = 9;
  TCaudalente origem;
  origem.Local = 1;
  origem.Alfa = 1.5;
  origem.Expoente = 1.2;
  origem.Lamina = 0.03;
  origem.Volume = 77;
  Preencher(origem, {{0, 0}, {1, 2}, {2, 0}});

  canal.Assign(origem);
  EXPECT_EQ(canal.Count(), 3);
  EXPECT_EQ(canal.Ponto(1).Vazao, 2);
  EXPECT_EQ(canal.Alfa, 1.5);
  EXPECT_EQ(canal.Expoente, 1.2);
  EXPECT_EQ(canal.Lamina, 0.03);
  EXPECT_EQ(canal.Volume, 0);
  EXPECT_EQ(canal.VazaoMaxima, 9);
  EXPECT_EQ(canal.Local, 2);
  ASSERT_TRUE(canal.TemFuncaoProfundidade());
  canal.Calcular(1);
  EXPECT_EQ(chamadas, 1);

  canal.Limpar();
  EXPECT_EQ(canal.Count(), 0);
  EXPECT_EQ(canal.VazaoMaxima, 2);
  EXPECT_EQ(canal.Local, 2);
  EXPECT_EQ(canal.Alfa, 1.5);
}

TEST(Caudalente, PointCountStopsAt65535) {
  TCaudalente c;
  for (uint32_t i = 0; i < TCaudalente::MaximoPontos; ++i) c.Adicionar(i * 0.1, 1);
  EXPECT_EQ(c.Count(), 65535);
  EXPECT_TRUE(c.Cheio());
  EXPECT_THROW(c.Adicionar(1e4, 1), ECaudalente);
  EXPECT_EQ(c.Count(), 65535);  // no wrap to 0
}

}  // namespace
