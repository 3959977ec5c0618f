// The trace shared by the tracing page and the calculator: the last segment
// alone when the regular form is in use, and the progress boxes it feeds.
#include <gtest/gtest.h>

#include <cmath>

#include "encosta_comum.h"
#include "model/channel/uTracado.h"

namespace {

using namespace encosta_teste;

// Segments left over above the one in use change nothing: the regular form
// is the last segment alone, and the channel sees only its infiltration.
TEST(Tracado, SoUltimoTrechoIgualAUmaEncostaDeUmTrecho) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes varios, um;
  varios.SetCount(2);
  PlanoReferencia(varios.Trechos(0), 30);
  varios.Trechos(0).SetSt(0.12);
  PlanoReferencia(varios.Trechos(1), 40);
  um.SetCount(1);
  PlanoReferencia(um.Trechos(0), 40);
  TCanalCinematico canal;

  const TProgressoTracado nenhum;
  const auto esperado = TracarCaudalente(um, canal, chuva, 60, 0, 40, nenhum);
  const auto obtido = TracarCaudalente(varios, canal, chuva, 60, 0, 40, nenhum, true);
  ASSERT_GE(esperado->Count(), 3);
  ASSERT_EQ(obtido->Count(), esperado->Count());
  for (std::size_t i = 0; i < esperado->Pontos().size(); ++i) {
    EXPECT_EQ(obtido->Ponto(i).Tempo, esperado->Ponto(i).Tempo);
    EXPECT_EQ(obtido->Ponto(i).Vazao, esperado->Ponto(i).Vazao);
  }
  EXPECT_EQ(obtido->Lamina, esperado->Lamina);
  EXPECT_EQ(varios.LaminaEscoada, um.LaminaEscoada);
  // The whole chain gives another hydrograph at the same line.
  const auto cadeia = TracarCaudalente(varios, canal, chuva, 60, 0, 70, nenhum);
  EXPECT_NE(cadeia->VazaoMaxima, esperado->VazaoMaxima);
}

// A hillslope trace writes the segment and the hillslope time, never the
// channel's box.
TEST(Tracado, CaixasDeProgresso) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes l;
  l.SetCount(2);
  PlanoReferencia(l.Trechos(0), 30);
  PlanoReferencia(l.Trechos(1), 40);
  TCanalCinematico canal;
  TProgressoGravado tempo, trecho, tempoCanal;
  TracarCaudalente(l, canal, chuva, l.SomaLinhas(), 0, 70, TProgressoTracado{&tempo, &trecho, &tempoCanal});
  EXPECT_EQ(trecho.textos, (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(tempo.textos.empty());
  EXPECT_TRUE(tempoCanal.textos.empty());
  EXPECT_EQ(tempoCanal.processamentos, 0);
}

// The converged method tells whether it settled and how close it is: its
// estimated errors are below the tolerances exactly when it settled; in the
// channel they carry the hillslope's share. The original scheme has nothing
// to settle and no estimate.
TEST(Tracado, MetodoConvergidoDizSeAssentou) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TCanalCinematico canal;
  encosta_teste::CanalDeTeste(canal, 0, 1, 100);
  const TProgressoTracado nenhum;
  TEncostaCinematicaSecoes plano, cadeia;
  plano.SetCount(1);
  PlanoReferencia(plano.Trechos(0), 40);
  MontarTrechos(
      cadeia,
      {{37, 0.043, 0.093, 39}, {77, 0.013, 0.037, 34}, {76, 0.031, 0.086, 47}, {22, 0.008, 0.171, 7}});
  bool convergiu = false;
  TErroEstimado erro;
  auto serie = TracarCaudalente(plano, canal, chuva, plano.SomaLinhas(), 0, 40, nenhum, false,
                                TMetodoNumerico::Convergido, &convergiu, &erro);
  EXPECT_TRUE(convergiu);
  EXPECT_LE(erro.Pico, 0.001 * serie->VazaoMaxima);
  EXPECT_LE(erro.TempoPico, 0.01);
  EXPECT_LE(erro.Volume, 0.001 * serie->Volume);
  const TErroEstimado encosta = erro;

  serie = TracarCaudalente(cadeia, canal, chuva, cadeia.SomaLinhas(), 0, 212, nenhum, false,
                           TMetodoNumerico::Convergido, &convergiu, &erro);
  EXPECT_EQ(convergiu, erro.Pico <= 0.001 * serie->VazaoMaxima && erro.TempoPico <= 0.01 &&
                           erro.Volume <= 0.001 * serie->Volume);

  serie = TracarCaudalente(plano, canal, chuva, plano.SomaLinhas(), 50, 40, nenhum, false,
                           TMetodoNumerico::Convergido, &convergiu, &erro);
  ASSERT_GE(serie->Count(), 3u);
  EXPECT_GE(erro.TempoPico, encosta.TempoPico);
  EXPECT_GT(erro.Volume, 0);

  TracarCaudalente(cadeia, canal, chuva, cadeia.SomaLinhas(), 0, 212, nenhum, false,
                   TMetodoNumerico::Original, &convergiu, &erro);
  EXPECT_TRUE(convergiu);
  EXPECT_TRUE(std::isinf(erro.Pico));
}

}  // namespace
