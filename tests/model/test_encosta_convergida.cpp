// The converged hillslope solver against the exact solution of the same
// equations on single planes, and its refinement and mass balance on chains.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <thread>
#include <vector>

#include "SolucaoCaracteristicas.h"
#include "common/NomeDoCaso.h"
#include "common/Tolerancia.h"
#include "encosta_comum.h"
#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

namespace {

using encosta_teste::DefinirChuva;

struct CasoPlano {
  int comprimento;  // m
  double st, nt, vib;
  int uso, tratamento, condicao;
  double tr, k, a, b, c;  // storm
};

void Segmento(TEncostaCinematica& e, int comprimento, double st, double nt, double vib, int uso = 0,
              int tratamento = 0, int condicao = 0) {
  e.Versao = "2";
  e.SetComprimento(comprimento);
  e.SetSt(st);
  e.nt = TReal(nt, 0);
  e.SetVIB(vib);
  e.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(uso);
  e.Cobertura.Tratamento.Indice = static_cast<uint8_t>(tratamento);
  e.Cobertura.CondicaoHidrologica.Indice = static_cast<uint8_t>(condicao);
}

void PrintTo(const CasoPlano& c, std::ostream* os) {
  *os << c.comprimento << " m, St " << c.st << ", nt " << c.nt << ", VIB " << c.vib;
}

class PlanoConvergido : public ::testing::TestWithParam<CasoPlano> {};

TEST_P(PlanoConvergido, ConfereComAsCaracteristicas) {
  const CasoPlano& c = GetParam();
  TPrecipitacaoExponencialNegativa chuva;
  DefinirChuva(chuva, c.tr, c.k, c.a, c.b, c.c);
  TEncostaCinematicaSecoes lista;
  lista.SetCount(1);
  TEncostaCinematica& plano = lista.Trechos(0);
  Segmento(plano, c.comprimento, c.st, c.nt, c.vib, c.uso, c.tratamento, c.condicao);

  TParametrosConvergencia parametros;
  parametros.OrcamentoRelogio = 120;  // the same levels in a slower build (sanitisers)
  TEncostaConvergida solver(parametros);
  const auto serie = solver.CalcularCaudalente(lista, lista.SomaLinhas(), chuva, nullptr, nullptr);
  ASSERT_GE(serie->Count(), 3u) << solver.Info().Nivel << " " << solver.Info().Passos << " "
                                << solver.Info().Pico;

  const double tia = TempoAbstracaoInicial(plano, chuva);
  const teste::TSolucaoCaracteristicas exata(chuva, tia, c.vib, plano.Alfa(), c.comprimento);
  double pico, tempoPico;
  exata.Pico(pico, tempoPico);
  const double volume = exata.Volume();

  // The 20 m plane's corner is overshot by 0.11 %; the others are within 0.05 %.
  EXPECT_REL_NEAR(serie->VazaoMaxima, pico, 0.0015);
  EXPECT_NEAR(serie->TempoPico, tempoPico, 0.006);
  EXPECT_REL_NEAR(serie->Volume, volume, 3e-4);
  EXPECT_EQ(serie->Local, 1);
  EXPECT_DOUBLE_EQ(serie->Alfa, plano.Alfa());
  EXPECT_REL_NEAR(serie->Lamina, serie->Volume / (c.comprimento * 1000.0), 1e-12);
  EXPECT_TRUE(solver.Info().Convergiu);
  // Evenly spaced, opening and closing with zero.
  const auto& p = serie->Pontos();
  const double passo = p[1].Tempo - p[0].Tempo;
  for (size_t i = 1; i < p.size(); ++i) ASSERT_NEAR(p[i].Tempo - p[i - 1].Tempo, passo, 1e-9);
  EXPECT_EQ(p.front().Vazao, 0);
  EXPECT_EQ(p.back().Vazao, 0);
  // One rise and one recession, as the exact solution: the recession
  // clean-up that callers run must find nothing to straighten.
  TCaudalente limpa;
  limpa.Assign(*serie);
  limpa.SuavizarRecessao();
  for (size_t i = 0; i < p.size(); ++i) ASSERT_EQ(limpa.Ponto(i).Vazao, p[i].Vazao) << i;
}

INSTANTIATE_TEST_SUITE_P(Tabela, PlanoConvergido,
                         ::testing::Values(
                             // The worked 40 m plane of the original scheme.
                             CasoPlano{40, 0.05, 0.03, 20, 0, 0, 0, 10, 1000, 0.2, 10, 0.8},
                             CasoPlano{20, 0.2, 0.02, 5, 0, 0, 0, 10, 1000, 0.2, 10, 0.8},
                             CasoPlano{120, 0.01, 0.4, 60, 5, 0, 3, 25, 3510.7, 0.18, 31.5, 0.95},
                             CasoPlano{75, 0.08, 0.15, 120, 5, 0, 2, 10, 1500, 0.15, 12, 0.85},
                             CasoPlano{60, 0.1, 0.025, 150, 0, 0, 0, 50, 2800, 0.16, 20, 0.82},
                             CasoPlano{100, 0.03, 0.1, 35, 4, 2, 1, 5, 900, 0.2, 8, 0.75},
                             CasoPlano{120, 0.05, 0.03, 20, 0, 0, 0, 10, 1000, 0.2, 10, 0.8}),
                         [](const ::testing::TestParamInfo<CasoPlano>& info) {
                           std::ostringstream texto;
                           PrintTo(info.param, &texto);
                           return teste::NomeNumerado(info.index, texto.str());
                         });

// The no-runoff rules and messages of the original scheme hold for the
// converged one: a single hillslope of the older layout whose soil takes more
// than the storm's peak tells the user and gives an empty series; a segment
// of the list says nothing.
TEST(EncostaConvergida, SemEscoamento) {
  TPrecipitacaoExponencialNegativa chuva;
  encosta_teste::ChuvaReferencia(chuva);
  for (const char* versao : {"1", "2"}) {
    SCOPED_TRACE(versao);
    TEncostaCinematicaSecoes lista;
    lista.SetCount(1);
    encosta_teste::PlanoReferencia(lista.Trechos(0), 40, versao);
    lista.Trechos(0).SetVIB(300);
    encosta_teste::TMensagensGravadas mensagens;
    const auto serie = TEncostaConvergida().CalcularCaudalente(lista, 100, chuva, nullptr, nullptr);
    EXPECT_EQ(serie->Count(), 0u);
    EXPECT_EQ(serie->Local, 1);
    EXPECT_EQ(serie->VazaoMaxima, 0);
    if (std::string(versao) == "1") {
      ASSERT_EQ(mensagens.textos.size(), 1u);
      EXPECT_EQ(mensagens.textos[0].rfind("Para Tie = 300", 0), 0u) << mensagens.textos[0];
    } else {
      EXPECT_TRUE(mensagens.textos.empty());
    }
  }
}

// Two converged traces side by side give, bit for bit, what each gives
// alone: a run keeps its state (budget included) in its own objects and only
// reads the storm.
TEST(EncostaConvergida, DuasThreadsDaoOsResultadosDeUmaSo) {
  TPrecipitacaoExponencialNegativa chuva;
  encosta_teste::ChuvaReferencia(chuva);
  const TPrecipitacaoExponencialNegativa& compartilhada = chuva;
  auto computar = [&](int comprimento, std::vector<TPonto>& encosta, std::vector<TPonto>& canal) {
    TEncostaCinematicaSecoes lista;
    encosta_teste::MontarTrechos(lista, {{comprimento, 0.05, 0.03, 20}, {20, 0.01, 0.2, 20}});
    TParametrosConvergencia p;
    p.OrcamentoRelogio = 120;  // no level dropped for a busy core
    const auto q =
        TEncostaConvergida(p).CalcularCaudalente(lista, lista.SomaLinhas(), compartilhada, nullptr, nullptr);
    encosta = q->Pontos();
    TCanalCinematico c;
    encosta_teste::CanalDeTeste(c, 1, 0.05, 150);
    canal = TCanalConvergido(p).CalcularCaudalente(c, 150, compartilhada, *q, 20, 60, nullptr)->Pontos();
  };
  std::vector<TPonto> sozinhaA, canalA, sozinhaB, canalB;
  computar(30, sozinhaA, canalA);
  computar(45, sozinhaB, canalB);
  ASSERT_GT(sozinhaA.size(), 10u);
  ASSERT_GT(canalA.size(), 10u);
  std::vector<TPonto> a, ca, b, cb;
  std::thread t1([&] { computar(30, a, ca); });
  std::thread t2([&] { computar(45, b, cb); });
  t1.join();
  t2.join();
  auto iguais = [](const std::vector<TPonto>& x, const std::vector<TPonto>& y) {
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(TPonto)) == 0;
  };
  EXPECT_TRUE(iguais(a, sozinhaA));
  EXPECT_TRUE(iguais(ca, canalA));
  EXPECT_TRUE(iguais(b, sozinhaB));
  EXPECT_TRUE(iguais(cb, canalB));
}

}  // namespace
