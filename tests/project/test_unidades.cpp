// Unit settings: the conversion tables, the setters' out-of-range rule and the
// "UNIDADES" section of settings and project files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "project/Unidades.h"

namespace {

namespace fs = std::filesystem;

// One settings file in a folder of its own.
class ArquivoTemporario {
 public:
  explicit ArquivoTemporario(const std::string& conteudo = "") {
    if (!conteudo.empty()) pasta_.Escrever("unidades.ini", conteudo);
  }
  const std::string& caminho() const { return caminho_; }
  std::string Texto() const { return pasta_.Ler("unidades.ini"); }

 private:
  teste::TPastaTemporaria pasta_;
  const std::string caminho_ = pasta_.Arquivo("unidades.ini");
};

TEST(Unidades, ConstrucaoDaOsPadroes) {
  const TUnidades u;
  EXPECT_EQ(u.UnidadeDeclividade, "m/m");
  EXPECT_EQ(u.UnidadeVI, "mm/h");
  EXPECT_EQ(u.UnidadeComprimento, "m");
  EXPECT_EQ(u.FatorDeclividade, 1);
  EXPECT_EQ(u.FatorVI, 1.0);
  EXPECT_EQ(u.FatorComprimento, 1.0);
  EXPECT_EQ(u.IndDeclividade, 1);
  EXPECT_EQ(u.IndComprimento, 2);
  EXPECT_EQ(u.IndVI, 1);
  EXPECT_EQ(u.Estado, 1);
}

// A slope of 0.05 m/m and a rate of 10 mm/h as the windows show them.
struct CasoConversao {
  int indice;
  const char* rotulo;
  double mostrado;
};

TEST(Unidades, DeclividadeMostradaEmCadaUnidade) {
  for (const CasoConversao c : {CasoConversao{0, "%", 5.0}, CasoConversao{1, "m/m", 0.05}}) {
    TUnidades u;
    u.SetDeclividade(static_cast<std::uint8_t>(c.indice));
    EXPECT_EQ(u.UnidadeDeclividade, c.rotulo);
    EXPECT_REL_NEAR(0.05 * u.FatorDeclividade, c.mostrado, 1e-12);
  }
}

TEST(Unidades, InfiltracaoMostradaEmCadaUnidade) {
  for (const CasoConversao c : {CasoConversao{0, "m/h", 0.01}, CasoConversao{1, "mm/h", 10},
                                CasoConversao{2, "m/dia", 0.24}, CasoConversao{3, "cm/dia", 24}}) {
    TUnidades u;
    u.SetVI(static_cast<std::uint8_t>(c.indice));
    EXPECT_EQ(u.UnidadeVI, c.rotulo);
    EXPECT_REL_NEAR(10.0 * u.FatorVI, c.mostrado, 1e-12);
  }
}

TEST(Unidades, ComprimentoEmMetrosPorUnidade) {
  for (const CasoConversao c : {CasoConversao{0, "cm", 0.01}, CasoConversao{1, "mm", 0.001},
                                CasoConversao{2, "m", 1}, CasoConversao{3, "km", 1000}}) {
    TUnidades u;
    u.SetComprimento(static_cast<std::uint8_t>(c.indice));
    EXPECT_EQ(u.UnidadeComprimento, c.rotulo);
    EXPECT_REL_NEAR(u.FatorComprimento, c.mostrado, 1e-12);
  }
}

TEST(Unidades, IndiceForaDaTabelaMantemRotuloEFator) {
  TUnidades u;
  u.SetDeclividade(0);
  u.SetDeclividade(2);
  u.SetVI(3);
  u.SetVI(4);
  u.SetComprimento(0);
  u.SetComprimento(4);
  EXPECT_EQ(u.IndDeclividade, 2);
  EXPECT_EQ(u.UnidadeDeclividade, "%");
  EXPECT_EQ(u.FatorDeclividade, 100);
  EXPECT_EQ(u.IndVI, 4);
  EXPECT_EQ(u.UnidadeVI, "cm/dia");
  EXPECT_REL_NEAR(u.FatorVI, 2.4, 1e-12);
  EXPECT_EQ(u.IndComprimento, 4);
  EXPECT_EQ(u.UnidadeComprimento, "cm");
  u.Padrao();
  EXPECT_EQ(u.UnidadeDeclividade, "m/m");
  EXPECT_EQ(u.UnidadeVI, "mm/h");
  EXPECT_EQ(u.UnidadeComprimento, "m");
}

struct CasoLeitura {
  const char* nome;
  const char* secao;  // body of [UNIDADES]
  bool ok;
  int declividade, comprimento, vi, estado;
  const char* rotuloDeclividade;
  const char* rotuloVI;
};

class LeituraUnidades : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(LeituraUnidades, AplicaOuRecusa) {
  const CasoLeitura& c = GetParam();
  ArquivoTemporario arquivo(std::string("[OUTRA]\r\nx=1\r\n[UNIDADES]\r\n") + c.secao);
  TUnidades u;
  u.SetVI(3);  // a non-default start, to see what a failed read leaves
  u.Estado = 7;
  EXPECT_EQ(u.LerArquivo(arquivo.caminho()), c.ok);
  EXPECT_EQ(u.IndDeclividade, c.declividade);
  EXPECT_EQ(u.IndComprimento, c.comprimento);
  EXPECT_EQ(u.IndVI, c.vi);
  EXPECT_EQ(u.Estado, c.estado);
  EXPECT_EQ(u.UnidadeDeclividade, c.rotuloDeclividade);
  EXPECT_EQ(u.UnidadeVI, c.rotuloVI);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LeituraUnidades,
    ::testing::Values(
        CasoLeitura{"completa", "Versao=1\r\nDeclividade=0\r\nComprimento=3\r\nVI=2\r\nEstado=10\r\n", true,
                    0, 3, 2, 10, "%", "m/dia"},
        CasoLeitura{"semVersaoVoltaAoPadrao", "Declividade=0\r\n", false, 1, 2, 1, 1, "m/m", "mm/h"},
        CasoLeitura{"versaoErradaVoltaAoPadrao", "Versao=2\r\nDeclividade=0\r\n", false, 1, 2, 1, 1, "m/m",
                    "mm/h"},
        // Keys missing: every index reads 0, the state 1.
        CasoLeitura{"chavesAusentes", "Versao=1\r\n", true, 0, 0, 0, 1, "%", "m/h"},
        CasoLeitura{"declividade2Aceita", "Versao=1\r\nDeclividade=2\r\nComprimento=2\r\nVI=1\r\n", true, 2,
                    2, 1, 1, "m/m", "mm/h"},
        CasoLeitura{"comprimento4Aceito", "Versao=1\r\nDeclividade=1\r\nComprimento=4\r\nVI=1\r\n", true, 1,
                    4, 1, 1, "m/m", "mm/h"},
        // Comprimento is checked first and nothing else is applied.
        CasoLeitura{"comprimento5Falha", "Versao=1\r\nDeclividade=0\r\nComprimento=5\r\nVI=0\r\n", false, 1,
                    2, 3, 7, "m/m", "cm/dia"},
        // Declividade passed and stays applied when VI fails.
        CasoLeitura{"viForaFalhaDepoisDaDeclividade",
                    "Versao=1\r\nDeclividade=0\r\nComprimento=2\r\nVI=5\r\n", false, 0, 2, 3, 7, "%",
                    "cm/dia"},
        CasoLeitura{"declividadeNegativaFalha", "Versao=1\r\nDeclividade=-1\r\nComprimento=2\r\n", false, 1,
                    2, 3, 7, "m/m", "cm/dia"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Unidades, ArquivoAusenteDaOsPadroes) {
  TUnidades u;
  u.SetDeclividade(0);
  EXPECT_FALSE(u.LerArquivo("/nao/existe/Caudalente.ini"));
  EXPECT_EQ(u.UnidadeDeclividade, "m/m");
}

TEST(Unidades, GravacaoNaOrdemEMantendoOResto) {
  ArquivoTemporario arquivo("[CAUDALENTE]\r\nVersao=1\r\n[UNIDADES]\r\nVI=3\r\nExtra=x\r\n");
  TUnidades u;
  u.SetDeclividade(0);
  u.SetVI(2);
  u.Estado = 13;
  ASSERT_TRUE(u.GravarArquivo(arquivo.caminho()));
  EXPECT_EQ(arquivo.Texto(),
            "[CAUDALENTE]\r\nVersao=1\r\n[UNIDADES]\r\nVI=2\r\nExtra=x\r\nVersao=1\r\n"
            "Declividade=0\r\nComprimento=2\r\nEstado=13\r\n");

  TUnidades lida;
  ASSERT_TRUE(lida.LerArquivo(arquivo.caminho()));
  EXPECT_EQ(lida.UnidadeDeclividade, "%");
  EXPECT_EQ(lida.UnidadeVI, "m/dia");
  EXPECT_EQ(lida.Estado, 13);
}

TEST(Unidades, ArquivoNovoComASecaoNaOrdem) {
  ArquivoTemporario arquivo;
  ASSERT_TRUE(TUnidades().GravarArquivo(arquivo.caminho()));
  EXPECT_EQ(arquivo.Texto(),
            "[UNIDADES]\r\nVersao=1\r\nDeclividade=1\r\nComprimento=2\r\nVI=1\r\nEstado=1\r\n");
}

}  // namespace
