// Irregular hillslope: editing the segment list, the hydrograph at a line of
// the chain, and the list's project-file sections.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "encosta_comum.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

namespace {

namespace fs = std::filesystem;
using namespace encosta_teste;

std::vector<int> Comprimentos(const TEncostaCinematicaSecoes& l) {
  std::vector<int> c;
  for (int i = 0; i < l.Count(); ++i) c.push_back(l.Trechos(i).Comprimento());
  return c;
}

// A list whose segments have the reference soil and the given lengths.
void Preencher(TEncostaCinematicaSecoes& l, const std::vector<int>& comprimentos) {
  l.SetCount(static_cast<int>(comprimentos.size()));
  for (int i = 0; i < l.Count(); ++i) PlanoReferencia(l.Trechos(i), comprimentos[i], "2");
}

// ------------------------------------------------------------------ editing

TEST(EncostaSecoes, SetCountExcluirInserirMovemValoresNaoObjetos) {
  TEncostaCinematicaSecoes l("S");
  l.SetCount(3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(l.Trechos(i).Versao, "2");
    EXPECT_EQ(l.Trechos(i).Sufixo, "S");
    l.Trechos(i).SetComprimento(10 * (i + 1));  // A, B, C = 10, 20, 30
    l.Trechos(i).SetVIB(i + 1);
  }
  const TEncostaCinematica* objetos[] = {&l.Trechos(0), &l.Trechos(1), &l.Trechos(2)};

  TEncostaCinematica x("outro");
  x.SetComprimento(99);
  x.SetVIB(9);
  l.Inserir(x, 1);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{10, 99, 20, 30}));
  EXPECT_EQ(l.Trechos(1).VIB(), 9);
  EXPECT_EQ(l.Trechos(3).VIB(), 3);
  EXPECT_EQ(x.Versao, "2");
  EXPECT_EQ(x.Comprimento(), 99);
  EXPECT_EQ(l.Trechos(1).Sufixo, "S");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(&l.Trechos(i), objetos[i]);

  l.Excluir(1);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{10, 20, 30}));
  l.Excluir(0);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{20, 30}));
  EXPECT_EQ(l.Trechos(0).VIB(), 2);
  EXPECT_EQ(&l.Trechos(0), objetos[0]);
  l.Inserir(x, 2);  // at the end
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{20, 30, 99}));
  l.Excluir(2);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{20, 30}));

  l.SetCount(4);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{20, 30, 0, 0}));
  EXPECT_EQ(l.Trechos(3).Versao, "2");
  l.SetCount(1);
  EXPECT_EQ(Comprimentos(l), (std::vector<int>{20}));

  l.Regular = true;
  l.LaminaEscoada = 0.1;
  l.Limpar();
  EXPECT_EQ(l.Count(), 0);
  EXPECT_FALSE(l.Regular);
  EXPECT_EQ(l.Sufixo, "S");
  EXPECT_EQ(l.LaminaEscoada, 0.1);
  l.Excluir(0);  // nothing to remove
  EXPECT_EQ(l.Count(), 0);
}

TEST(EncostaSecoes, PosicoesForaDaListaSaoRecusadas) {
  TEncostaCinematicaSecoes l;
  l.SetCount(2);
  TEncostaCinematica x;
  EXPECT_THROW(l.Inserir(x, 3), EEncostaCinematica);
  EXPECT_THROW(l.Inserir(x, -1), EEncostaCinematica);
  EXPECT_THROW(l.Excluir(2), EEncostaCinematica);
  EXPECT_THROW(l.SetCount(256), EEncostaCinematica);
  l.SetCount(255);
  EXPECT_THROW(l.Inserir(x, 0), EEncostaCinematica);
  EXPECT_EQ(l.Count(), 255);
}

TEST(EncostaSecoes, SomaLinhasSemDarAVolta) {
  TEncostaCinematicaSecoes l;
  EXPECT_EQ(l.SomaLinhas(), 0);
  Preencher(l, {40, 120});
  EXPECT_EQ(l.SomaLinhas(), 340);
  // Two lines per metre above 50 m: a count that 16 or 32 bits would wrap.
  Preencher(l, {20000, 20000});
  EXPECT_EQ(l.SomaLinhas(), 80000);
  Preencher(l, {40, 2147483647});
  EXPECT_EQ(l.SomaLinhas(), 100 + 4294967294LL);
}

// A hillslope of more lines than a run accepts is refused with a message
// naming the segment, before any segment is computed: a wrapped count used to
// compute a line of another segment as the foot, or to ask for line -2.
TEST(EncostaSecoes, LinhasDemaisSaoRecusadasNomeandoOTrecho) {
  struct {
    std::vector<int> comprimentos;
    const char* trecho;  // expected in the message; nullptr: accepted
  } const casos[] = {
      {{32767}, nullptr},  // 65534 lines
      {{32768}, "A encosta, com 32768 m"},
      {{1073741824}, "A encosta, com 1073741824 m de comprimento, teria 2147483648 linhas"},
      {{2147483647}, "teria 4294967294 linhas"},
      {{40, 1073741824}, "O trecho 2 da encosta, com 1073741824 m"},
      {{20000, 20000}, "Com o trecho 2 (20000 m), a encosta teria 80000 linhas"},
      {{40, 32700, 40}, "Com o trecho 3 (40 m), a encosta teria 65600 linhas"},
  };
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  for (const auto& c : casos) {
    TEncostaCinematicaSecoes l;
    Preencher(l, c.comprimentos);
    if (!c.trecho) {
      EXPECT_NO_THROW(l.VerificarLinhas());
      continue;
    }
    for (int vez = 0; vez < 2; ++vez) {
      try {
        if (vez == 0)
          l.VerificarLinhas();
        else
          l.CalcularCaudalente(1, chuva, nullptr, nullptr);
        ADD_FAILURE() << c.trecho << " accepted";
      } catch (const EEncostaCinematica& e) {
        EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("no máximo 65535 linhas"), std::string::npos) << e.what();
      }
    }
  }
}

// ------------------------------------------------------------------ hydrograph

struct TCasoLinha {
  int linha;
  double Lt;  // contributing length, m
  std::vector<std::string> trechosMostrados;
};

// Segments of 40 m (100 lines of 0.4 m), 120 m (240 of 0.5 m), 40 m (100).
TEST(EncostaSecoes, HidrogramaNaLinhaComComprimentoContribuinte) {
  const TCasoLinha casos[] = {
      {100, 40, {"1", "2"}},
      {150, 40 + 50 * 0.5, {"1", "2", "3"}},
      {340, 160, {"1", "2", "3"}},
      {440, 200, {"1", "2", "3"}},
  };
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes l;
  Preencher(l, {40, 120, 40});
  ASSERT_EQ(l.SomaLinhas(), 440);
  TEncostaCinematica plano;
  PlanoReferencia(plano);
  const double tia = TempoAbstracaoInicial(plano, chuva);
  const double excesso = ExcessoMm(chuva, tia, TempoFinalEscoamento(chuva, "2", 20), 20);

  for (const auto& c : casos) {
    TProgressoGravado tempo, trecho;
    auto q = l.CalcularCaudalente(static_cast<uint16_t>(c.linha), chuva, &tempo, &trecho);
    ASSERT_GE(q->Count(), 3) << c.linha;
    EXPECT_EQ(q->Local, 1);
    EXPECT_EQ(trecho.textos, c.trechosMostrados) << c.linha;
    EXPECT_FALSE(tempo.textos.empty());
    // Lamina: volume per metre over the contributing length.
    EXPECT_REL_NEAR(q->Lamina, q->Volume / (c.Lt * 1000), 1e-12) << c.linha;
    EXPECT_DOUBLE_EQ(l.LaminaEscoada, q->Lamina);
    // Same soil everywhere: the outflow is the excess over the length above
    // the line, less what is still on the slope when the excess ends and then
    // soaks in (more on longer slopes, a few %).
    EXPECT_LE(q->Volume, c.Lt * excesso) << c.linha;
    EXPECT_GE(q->Volume, 0.95 * c.Lt * excesso) << c.linha;
  }

  // The top segment alone is the plain plane with nothing entering from above.
  auto q = l.CalcularCaudalente(100, chuva, nullptr, nullptr);
  auto p = plano.CalcularCaudalente(chuva, nullptr, nullptr, 100);
  ASSERT_EQ(q->Count(), p->Count());
  EXPECT_EQ(q->Count(), 198);
  for (int k = 0; k < q->Count(); ++k) EXPECT_EQ(q->Ponto(k).Vazao, p->Ponto(k).Vazao);
  EXPECT_NEAR(q->VazaoMaxima, 1.655, 1e-3);
  EXPECT_NEAR(q->Lamina, 0.03113, 1e-5);
}

// A chain of two equal 60 m planes is the 120 m plane cut in two: the same
// grid and step, only the top cell of the lower half sees the upper half's
// outflow through the series instead of through the scheme.
TEST(EncostaSecoes, DoisTrechosIguaisEquivalemAoPlanoInteiro) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes l;
  Preencher(l, {60, 60});
  auto q = l.CalcularCaudalente(l.SomaLinhas(), chuva, nullptr, nullptr);
  TEncostaCinematica plano;
  PlanoReferencia(plano, 120);
  auto p = plano.CalcularCaudalente(chuva, nullptr, nullptr, plano.NumeroLinhas());
  EXPECT_REL_NEAR(q->VazaoMaxima, p->VazaoMaxima, 0.01);
  EXPECT_NEAR(q->TempoPico, p->TempoPico, 2 * 0.3);
  EXPECT_REL_NEAR(q->Volume, p->Volume, 0.01);
  EXPECT_REL_NEAR(q->Lamina, p->Lamina, 0.01);
}

TEST(EncostaSecoes, LinhaForaDaEncostaNaoCalculaNada) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes l;
  Preencher(l, {40, 40});
  for (int linha : {0, 201}) {
    TProgressoGravado trecho;
    auto q = l.CalcularCaudalente(static_cast<uint16_t>(linha), chuva, nullptr, &trecho);
    EXPECT_EQ(q->Count(), 0);
    EXPECT_EQ(q->Local, 1);
    EXPECT_EQ(q->Volume, 0);
    EXPECT_EQ(q->Lamina, 0);
    EXPECT_EQ(l.LaminaEscoada, 0);
    EXPECT_EQ(trecho.textos, std::vector<std::string>{"1"});
  }
}

TEST(EncostaSecoes, TrechoSemEscoamentoDaVersao1EsvaziaOResultado) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes l;
  Preencher(l, {40});
  auto comEscoamento = l.CalcularCaudalente(100, chuva, nullptr, nullptr);
  ASSERT_GE(comEscoamento->Count(), 3);
  EXPECT_FALSE(comEscoamento->SemEscoamento);

  l.Trechos(0).Versao = "1";
  l.Trechos(0).SetVIB(300);
  TMensagensGravadas mensagens;
  auto q = l.CalcularCaudalente(100, chuva, nullptr, nullptr);
  EXPECT_TRUE(q->SemEscoamento);
  EXPECT_EQ(mensagens.textos.size(), 1u);
  EXPECT_EQ(q->Count(), 0);
  EXPECT_EQ(q->Local, 1);
  EXPECT_EQ(q->VazaoMaxima, 0);
  EXPECT_EQ(q->Volume, 0);
}

// ------------------------------------------------------------------ project file

class EncostaSecoesArquivo : public ::testing::Test {
 protected:
  std::string Caminho() const { return (pasta_ / "p.cdt").string(); }
  void Escrever(const std::string& conteudo) const {
    std::ofstream(pasta_ / "p.cdt", std::ios::binary) << conteudo;
  }

  // Three segments that differ in every stored value.
  static void Variada(TEncostaCinematicaSecoes& l) {
    l.SetCount(3);
    for (int i = 0; i < 3; ++i) {
      TEncostaCinematica& t = l.Trechos(i);
      t.SetComprimento(25 * (i + 1));
      t.SetVIB(2.5 + i);
      t.SetSt(0.01 * (i + 1));
      t.nt = TReal(0.02 + 0.005 * i, static_cast<int8_t>(i + 1));
      t.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(i + 3);
      t.Cobertura.Tratamento.Indice = static_cast<uint8_t>(i + 1);
      t.Cobertura.CondicaoHidrologica.Indice = static_cast<uint8_t>(3 - i);
    }
  }

  teste::TPastaTemporaria temporaria_;
  const fs::path pasta_ = temporaria_.Caminho();
  toolkit::TRegionalTemporario regional_{toolkit::RegionalPtBr()};
};

TEST_F(EncostaSecoesArquivo, GravaELeDeVoltaNaMesmaOrdem) {
  for (const std::string sufixo : {"", "_B"}) {
    fs::remove(Caminho());
    TEncostaCinematicaSecoes l(sufixo);
    Variada(l);
    TEncostaCinematica x;
    x.SetComprimento(7);
    l.Inserir(x, 0);
    l.Excluir(2);  // 7, 25, 75
    l.Trechos(1).Versao = "1";
    ASSERT_TRUE(l.GravarArquivo(Caminho()));
    for (int i = 0; i < l.Count(); ++i) {
      EXPECT_EQ(l.Trechos(i).Sufixo, sufixo);
      EXPECT_EQ(l.Trechos(i).Cobertura.Sufixo, sufixo);
      EXPECT_EQ(l.Trechos(i).Versao, "2");
    }

    toolkit::TArquivoIni ini(Caminho());
    const std::string S = sufixo;
    const std::vector<std::string> ordem = {"Encosta" + S,
                                            "Cobertura" + S + ": Trecho 1",
                                            "Terreno" + S + ": Trecho 1",
                                            "Encosta" + S + ": Trecho 1",
                                            "Cobertura" + S + ": Trecho 2",
                                            "Terreno" + S + ": Trecho 2",
                                            "Encosta" + S + ": Trecho 2",
                                            "Cobertura" + S + ": Trecho 3",
                                            "Terreno" + S + ": Trecho 3",
                                            "Encosta" + S + ": Trecho 3"};
    EXPECT_EQ(ini.Secoes(), ordem);
    EXPECT_EQ(ini.Chaves("Encosta" + S), (std::vector<std::string>{"Versao", "Count"}));
    EXPECT_EQ(ini.LerString("Encosta" + S, "Versao", ""), "2");
    EXPECT_EQ(ini.LerString("Encosta" + S + ": Trecho 2", "Comprimento", ""), "25");
    EXPECT_EQ(ini.LerString("Encosta" + S + ": Trecho 2", "Versao", ""), "2");
    EXPECT_EQ(ini.LerString("Terreno" + S + ": Trecho 2", "VIB", ""), "2,5");  // regional separator

    TEncostaCinematicaSecoes lida(sufixo);
    lida.SetCount(5);
    ASSERT_TRUE(lida.LerArquivo(Caminho()));
    ASSERT_EQ(lida.Count(), 3);
    EXPECT_EQ(Comprimentos(lida), (std::vector<int>{7, 25, 75}));
    for (int i = 0; i < 3; ++i) {
      const TEncostaCinematica& a = l.Trechos(i);
      const TEncostaCinematica& b = lida.Trechos(i);
      EXPECT_EQ(b.Versao, "2");
      EXPECT_EQ(b.Sufixo, sufixo);
      EXPECT_EQ(b.Cobertura.Sufixo, sufixo);
      EXPECT_EQ(b.VIB(), a.VIB());
      EXPECT_EQ(b.St(), a.St());
      EXPECT_EQ(b.nt.Valor, a.nt.Valor);
      EXPECT_EQ(b.nt.Indice, a.nt.Indice);
      EXPECT_EQ(b.Cobertura.UsoTerra.Indice, a.Cobertura.UsoTerra.Indice);
      EXPECT_EQ(b.Cobertura.Tratamento.Indice, a.Cobertura.Tratamento.Indice);
      EXPECT_EQ(b.Cobertura.CondicaoHidrologica.Indice, a.Cobertura.CondicaoHidrologica.Indice);
    }
  }
}

TEST_F(EncostaSecoesArquivo, GravarMenosTrechosMantemOsAntigosELeOsNovos) {
  TEncostaCinematicaSecoes l;
  Variada(l);
  l.SetCount(4);
  ASSERT_TRUE(l.GravarArquivo(Caminho()));
  l.SetCount(2);
  ASSERT_TRUE(l.GravarArquivo(Caminho()));

  const toolkit::TArquivoIni ini(Caminho());
  EXPECT_EQ(ini.Secoes().size(), 1u + 4 * 3);
  EXPECT_TRUE(ini.ExisteSecao("Encosta: Trecho 4"));
  EXPECT_EQ(ini.LerInteiro("Encosta", "Count", -1), 2);

  TEncostaCinematicaSecoes lida;
  ASSERT_TRUE(lida.LerArquivo(Caminho()));
  EXPECT_EQ(Comprimentos(lida), (std::vector<int>{25, 50}));
}

TEST_F(EncostaSecoesArquivo, LeOLeiauteAntigoDeUmaSoEncosta) {
  // No version keys in the ground sections and a roughness row out of range:
  // the older layout is read leniently. 12,5 with the regional comma.
  Escrever(
      "[Encosta]\r\nVersao=1\r\nComprimento=75\r\n"
      "[Cobertura]\r\nVersao=1\r\nIndUso=4\r\nIndCond=3\r\nIndTrat=2\r\n"
      "[Terreno]\r\nVIB=12,5\r\nSt=0,08\r\nnt=0,04\r\nIndnt=-3\r\n");
  TEncostaCinematicaSecoes l;
  l.SetCount(3);
  ASSERT_TRUE(l.LerArquivo(Caminho()));
  ASSERT_EQ(l.Count(), 1);
  const TEncostaCinematica& t = l.Trechos(0);
  EXPECT_EQ(t.Versao, "1");
  EXPECT_EQ(t.Sufixo, "");
  EXPECT_EQ(t.Comprimento(), 75);
  EXPECT_DOUBLE_EQ(t.VIB(), 12.5);
  EXPECT_DOUBLE_EQ(t.St(), 0.08);
  EXPECT_DOUBLE_EQ(t.nt.Valor, 0.04);
  EXPECT_EQ(t.nt.Indice, -3);
  EXPECT_EQ(t.Cobertura.UsoTerra.Indice, 4);
  EXPECT_EQ(t.Cobertura.CondicaoHidrologica.Indice, 3);
  EXPECT_EQ(t.Cobertura.Tratamento.Indice, 2);

  // Its length error is the one of a whole hillslope.
  Escrever("[Encosta]\r\nVersao=1\r\nComprimento=-5\r\n");
  try {
    l.LerArquivo(Caminho());
    ADD_FAILURE();
  } catch (const EEncostaCinematica& x) {
    EXPECT_STREQ(x.what(), "O Item do comprimento da encosta não pode ser menor ou igual a zero.");
  }
}

TEST_F(EncostaSecoesArquivo, VersaoDesconhecidaDeixaAListaComoEstava) {
  for (const char* conteudo : {"[Encosta]\r\nVersao=3\r\nCount=1\r\n", "[Outra]\r\nX=1\r\n"}) {
    Escrever(conteudo);
    TEncostaCinematicaSecoes l;
    Preencher(l, {30, 60});
    try {
      l.LerArquivo(Caminho());
      ADD_FAILURE() << conteudo;
    } catch (const EEncostaCinematica& x) {
      EXPECT_STREQ(x.what(), "O arquivo p.cdt não é uma versão compatível.");
    }
    EXPECT_EQ(Comprimentos(l), (std::vector<int>{30, 60}));
  }
}

TEST_F(EncostaSecoesArquivo, TrechoIlegivelEsvaziaAListaENomeiaOTrecho) {
  struct {
    const char* chave;
    const char* secao;
    const char* valor;
    int trecho;
  } const casos[] = {
      {"Comprimento", "Encosta: Trecho 1", "-1", 1},  // negative length
      {"Indnt", "Terreno: Trecho 2", "-1", 2},        // no roughness row
      {"Versao", "Terreno: Trecho 3", "2", 3},        // unknown ground version
      {"IndUso", "Cobertura: Trecho 2", "6", 2},      // land use out of range
  };
  for (const auto& c : casos) {
    fs::remove(Caminho());
    TEncostaCinematicaSecoes l;
    Variada(l);
    ASSERT_TRUE(l.GravarArquivo(Caminho()));
    {
      toolkit::TArquivoIni ini(Caminho());
      ini.EscreverString(c.secao, c.chave, c.valor);
      ini.SalvarOuErro();
    }
    try {
      l.LerArquivo(Caminho());
      ADD_FAILURE() << c.secao;
    } catch (const EEncostaCinematica& x) {
      EXPECT_EQ(std::string(x.what()), "Ocorreu um erro ao tentar ler os dados da encosta de número " +
                                           std::to_string(c.trecho) + " no arquivo " + Caminho());
    }
    EXPECT_EQ(l.Count(), 0) << c.secao;
  }
}

TEST_F(EncostaSecoesArquivo, FalhaAoGravarDevolveFalsoERestauraSufixos) {
  TEncostaCinematicaSecoes l("S");
  Variada(l);
  EXPECT_FALSE(l.GravarArquivo((pasta_ / "nao existe" / "p.cdt").string()));
  for (int i = 0; i < l.Count(); ++i) {
    EXPECT_EQ(l.Trechos(i).Sufixo, "S");
    EXPECT_EQ(l.Trechos(i).Cobertura.Sufixo, "S");
  }
}

}  // namespace
