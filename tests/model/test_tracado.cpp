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

// A run that cannot end inside a series is refused before any solver runs
// (the progress boxes stay untouched), naming the segment whose excess lasts
// too long; a line above that segment never reaches it and runs, while the
// channel's finer steps cannot follow even that segment's excess.
TEST(Tracado, DuracaoImpossivelRecusadaAntesDeCalcular) {
  TPrecipitacaoExponencialNegativa chuva;
  DefinirChuva(chuva, 10, 123456, 0.223, 7.9, 0.74);
  TEncostaCinematicaSecoes l;
  l.SetCount(3);
  PlanoReferencia(l.Trechos(0), 30);
  PlanoReferencia(l.Trechos(1), 40);
  PlanoReferencia(l.Trechos(2), 50);
  for (int k : {0, 2}) l.Trechos(k).SetVIB(200);  // excess for about 1,900 min
  l.Trechos(1).SetVIB(8);                         // and for about 148,000 min
  TCanalCinematico canal;
  canal.SetComprimento(100);
  canal.SetB(0.5);
  canal.Z.Valor = 1.5;
  canal.nc.Valor = 0.025;
  canal.SetSc(0.004);
  const auto pe = static_cast<uint16_t>(l.SomaLinhas());
  struct Caso {
    uint16_t linha;
    int coluna;
    TMetodoNumerico metodo;
    const char* mensagem;  // start of the message; "" when the run goes ahead
  };
  const Caso casos[] = {
      {pe, 0, TMetodoNumerico::Original,
       "O caudalente na encosta teria mais de 65535 pontos e não pode ser calculado: a chuva excedente do "
       "trecho 2 da encosta vai de t = "},
      {pe, 0, TMetodoNumerico::Convergido,
       "O caudalente na encosta não pode ser calculado pelo método convergido"},
      {50, 10, TMetodoNumerico::Original,
       "O caudalente no canal teria mais de 65535 pontos e não pode ser calculado: a chuva excedente do "
       "trecho 1"},
      {50, 0, TMetodoNumerico::Original, ""},
  };
  for (const Caso& c : casos) {
    TProgressoGravado tempo, trecho, tempoCanal;
    std::string erro;
    try {
      const auto serie = TracarCaudalente(l, canal, chuva, c.linha, c.coluna, 120,
                                          TProgressoTracado{&tempo, &trecho, &tempoCanal}, false, c.metodo);
      EXPECT_GE(serie->Count(), 3) << c.linha;
    } catch (const std::runtime_error& e) {
      erro = e.what();
    }
    if (*c.mensagem == 0) {
      EXPECT_EQ(erro, "");
      continue;
    }
    EXPECT_EQ(erro.rfind(c.mensagem, 0), 0u) << erro;
    EXPECT_NE(erro.find("Aumente a taxa de infiltração estável (Tie)"), std::string::npos) << erro;
    EXPECT_TRUE(trecho.textos.empty()) << erro;
    EXPECT_TRUE(tempo.textos.empty()) << erro;
  }
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
