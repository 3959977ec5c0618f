// The IDF equation fitted to intensities: a known equation comes back from
// its own intensities, the reported error is the fit's, and the database's
// second estimate at a station is the station's own equation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Tolerancia.h"
#include "idf/AjusteIdf.h"
#include "idf/UnBD.h"

namespace {

const std::string Pasta =
    (std::filesystem::path(CAUDALENTE_SOURCE_DIR) / "data" / "Arquivos Comuns").string() + "/";

std::vector<TPontoIdf> Grade(const TEquacaoIdf& e) {
  std::vector<TPontoIdf> pontos;
  for (double tr : PeriodosRetornoAjuste())
    for (double t : DuracoesAjuste()) pontos.push_back({tr, t, IntensidadeIdf(e, tr, t)});
  return pontos;
}

TEST(AjusteIdf, GradeDe5MinA24Horas) {
  const std::vector<double>& d = DuracoesAjuste();
  EXPECT_REL_NEAR(d.front(), 5.0, 1e-12);
  EXPECT_REL_NEAR(d.back(), 1440.0, 1e-12);
  for (std::size_t k = 2; k < d.size(); ++k) EXPECT_REL_NEAR(d[k] / d[k - 1], d[1] / d[0], 1e-9);
  EXPECT_EQ(PeriodosRetornoAjuste(), (std::vector<double>{2, 5, 10, 25, 50, 100}));
}

// Equations of the delivered database's range (b from 0 to 73 min, c up to 1.2).
TEST(AjusteIdf, EquacaoConhecidaVoltaDasSuasIntensidades) {
  const TEquacaoIdf casos[] = {{766.466, 0.191, 8.951, 0.701},
                               {8394.51, 0.205, 40.691, 1.165},
                               {1000.0, 0.15, 0.0, 0.75},
                               {3450.0, 0.225, 58.409, 0.947},
                               {1123.0, 0.103, 13.0, 0.7594}};
  for (const TEquacaoIdf& e : casos) {
    const TAjusteIdf r = AjustarEquacaoIdf(Grade(e));
    EXPECT_REL_NEAR(r.Equacao.K, e.K, 1e-6);
    EXPECT_REL_NEAR(r.Equacao.a, e.a, 1e-6);
    EXPECT_NEAR(r.Equacao.b, e.b, 1e-6 * std::max(1.0, e.b));
    EXPECT_REL_NEAR(r.Equacao.c, e.c, 1e-6);
    EXPECT_LT(r.ErroMaximo, 1e-8);
  }
}

// Two different neighbours: no equation of the form has their mean
// intensities, and the error reported is the one over the grid.
TEST(AjusteIdf, ErroDoAjusteEODaGrade) {
  const TEquacaoIdf e1{766.466, 0.191, 8.951, 0.701}, e2{8394.51, 0.205, 40.691, 1.165};
  const TAjusteIdf r = AjustarMediaDeIntensidades({{e1, 3.0}, {e2, 1.0}});
  std::vector<double> erros;
  for (double tr : PeriodosRetornoAjuste())
    for (double t : DuracoesAjuste()) {
      const double media = 0.75 * IntensidadeIdf(e1, tr, t) + 0.25 * IntensidadeIdf(e2, tr, t);
      erros.push_back(std::abs(IntensidadeIdf(r.Equacao, tr, t) / media - 1.0));
    }
  std::sort(erros.begin(), erros.end());
  EXPECT_REL_NEAR(r.ErroMaximo, erros.back(), 1e-9);
  EXPECT_REL_NEAR(r.ErroMediano, (erros[erros.size() / 2 - 1] + erros[erros.size() / 2]) / 2, 1e-9);
  EXPECT_GT(r.ErroMaximo, 1e-4);
  EXPECT_LT(r.ErroMaximo, 0.5);

  // Equal equations average to themselves, whatever the weights.
  const TAjusteIdf igual = AjustarMediaDeIntensidades({{e2, 1e-6}, {e2, 5.0}});
  EXPECT_REL_NEAR(igual.Equacao.K, e2.K, 1e-6);
  EXPECT_REL_NEAR(igual.Equacao.c, e2.c, 1e-6);
}

TEST(AjusteIdf, PontosInvalidosRecusados) {
  const std::vector<TPontoIdf> poucos{{2, 5, 100}, {5, 10, 90}, {10, 30, 60}};
  EXPECT_THROW(AjustarEquacaoIdf(poucos), std::invalid_argument);
  std::vector<TPontoIdf> zero = Grade({1000, 0.15, 10, 0.75});
  zero[3].i = 0.0;
  EXPECT_THROW(AjustarEquacaoIdf(zero), std::invalid_argument);
  zero[3].i = NAN;
  EXPECT_THROW(AjustarEquacaoIdf(zero), std::invalid_argument);
  EXPECT_THROW(AjustarMediaDeIntensidades({}), std::invalid_argument);
}

class AjusteNoBanco : public ::testing::Test {
 protected:
  void SetUp() override { bd.LerEstados(); }
  TBDPrecipitacao bd{Pasta};
};

// At a station both estimates are the station's own equation.
TEST_F(AjusteNoBanco, NaEstacaoAEquacaoDaEstacao) {
  for (int estado : {12, 26, 4}) {
    const TEstacao& e = bd.Estacoes(estado).at(1);
    const TAjusteIdf r = bd.InterpolarIntensidades(e.Latitude, e.Longitude);
    EXPECT_REL_NEAR(r.Equacao.K, e.K, 1e-6) << e.Nome;
    EXPECT_REL_NEAR(r.Equacao.a, e.a, 1e-6) << e.Nome;
    EXPECT_NEAR(r.Equacao.b, e.b, 1e-6 * std::max(1.0, e.b)) << e.Nome;
    EXPECT_REL_NEAR(r.Equacao.c, e.c, 1e-6) << e.Nome;
    EXPECT_LT(r.ErroMaximo, 1e-8);
  }
}

// Picked points between stations: the fit's error is reported, and the
// fitted intensities are the weighted mean's up to it.
TEST_F(AjusteNoBanco, PontosEscolhidosComOErroDoAjuste) {
  const struct {
    const char* lat;
    const char* lon;
  } casos[] = {{"19\xC2\xB0"
                "55'00\"",
                "43\xC2\xB0"
                "56'00\""},  // Belo Horizonte
               {"23\xC2\xB0"
                "00'00\"",
                "47\xC2\xB0"
                "00'00\""},
               {"12\xC2\xB0"
                "30'00\"",
                "40\xC2\xB0"
                "00'00\""},
               {"10\xC2\xB0"
                "00'00\"",
                "48\xC2\xB0"
                "30'00\""}};
  for (const auto& c : casos) {
    const TAjusteIdf r = bd.InterpolarIntensidades(c.lat, c.lon);
    EXPECT_GT(r.ErroMaximo, 0.0) << c.lat;
    EXPECT_LE(r.ErroMediano, r.ErroMaximo) << c.lat;
    EXPECT_LT(r.ErroMaximo, 0.5) << c.lat;
    const auto pesos = bd.PesosInterpolacao(c.lat, c.lon);
    double total = 0;
    for (const auto& p : pesos) total += p.second;
    for (double tr : {2.0, 25.0, 100.0})
      for (double t : {5.0, 60.0, 1440.0}) {
        double media = 0;
        for (const auto& [e, w] : pesos) media += w / total * IntensidadeIdf({e->K, e->a, e->b, e->c}, tr, t);
        EXPECT_LE(std::abs(IntensidadeIdf(r.Equacao, tr, t) / media - 1.0), r.ErroMaximo * (1 + 1e-9) + 1e-12)
            << c.lat << " Tr " << tr << " t " << t;
      }
  }
}

}  // namespace
