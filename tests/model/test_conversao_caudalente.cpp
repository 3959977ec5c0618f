// Conversion of hydrograph files: the output's name, both directions with the
// points kept, the output written over its input, and the files that are not
// converted.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/PastaTemporaria.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uCaudalenteConversao.h"
#include "model/hillslope/uInterfaceUsuario.h"

namespace {

namespace fs = std::filesystem;

struct TCasoNome {
  const char* nome;
  const char* origem;
  bool paraBinario;
  const char* esperado;
};

class NomeDoArquivoConvertido : public ::testing::TestWithParam<TCasoNome> {};

TEST_P(NomeDoArquivoConvertido, TrocaAExtensao) {
  const TCasoNome& c = GetParam();
  EXPECT_EQ(NomeConvertido(c.origem, c.paraBinario), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, NomeDoArquivoConvertido,
                         ::testing::Values(TCasoNome{"TxtParaBin", "/d/dados.txt", true, "/d/dados.bin"},
                                           TCasoNome{"BinParaTxt", "/d/dados.bin", false, "/d/dados.txt"},
                                           TCasoNome{"ExtensaoLonga", "/d/dados.text", true, "/d/dados.bin"},
                                           TCasoNome{"ExtensaoCurta", "/d/x.t", true, "/d/x.bin"},
                                           TCasoNome{"DoisPontos", "/d/a.b.bin", false, "/d/a.b.txt"},
                                           TCasoNome{"SemExtensao", "/d/dados", true, "/d/dados.bin"},
                                           TCasoNome{"PontoNaPasta", "/d.v2/dados", false, "/d.v2/dados.txt"},
                                           TCasoNome{"Acentos", "/d/vazões.txt", true, "/d/vazões.bin"},
                                           TCasoNome{"Relativo", "dados.TXT", true, "dados.bin"}),
                         [](const ::testing::TestParamInfo<TCasoNome>& info) {
                           return std::string(info.param.nome);
                         });

class TRegistro : public IMensagens {
 public:
  void Informar(const std::string& texto) override { mensagens.push_back(texto); }
  std::vector<std::string> mensagens;
};

class ConversaoCaudalente : public ::testing::Test {
 protected:
  void SetUp() override {
    DefinirMensagensDoModelo(&registro_);
    for (const auto& p : pontos_) serie_.Adicionar(p.Tempo, p.Vazao);
  }
  void TearDown() override { DefinirMensagensDoModelo(nullptr); }
  std::string Caminho(const std::string& nome) const { return pasta_.Arquivo(nome); }
  void EsperarPontos(const TCaudalente& lida) const {
    ASSERT_EQ(lida.Count(), pontos_.size());
    for (std::size_t i = 0; i < pontos_.size(); ++i) {
      EXPECT_DOUBLE_EQ(lida.Ponto(i).Tempo, pontos_[i].Tempo);
      EXPECT_DOUBLE_EQ(lida.Ponto(i).Vazao, pontos_[i].Vazao);
    }
  }

  teste::TPastaTemporaria pasta_;
  TRegistro registro_;
  // Values with six decimals at most: the text layout keeps six.
  const std::vector<TPonto> pontos_{{0, 0}, {1.5, 2.25}, {3, 1.125}, {4.5, 0}};
  TCaudalente serie_;
};

TEST_F(ConversaoCaudalente, IdaEVoltaGuardaOsPontos) {
  serie_.SalvarTexto(Caminho("dados.txt"));
  ASSERT_TRUE(ConverterCaudalente(Caminho("dados.txt"), Caminho("dados.bin"), true));
  TCaudalente binaria;
  ASSERT_TRUE(binaria.LerBinario(Caminho("dados.bin")));
  EsperarPontos(binaria);

  ASSERT_TRUE(ConverterCaudalente(Caminho("dados.bin"), Caminho("volta.txt"), false));
  TCaudalente texto;
  ASSERT_TRUE(texto.LerTexto(Caminho("volta.txt")));
  EsperarPontos(texto);
  EXPECT_TRUE(registro_.mensagens.empty());
}

// A text file named .bin converted to binary replaces itself: it is read
// whole before the output is written.
TEST_F(ConversaoCaudalente, SaidaSobreAEntrada) {
  serie_.SalvarTexto(Caminho("x.bin"));
  ASSERT_TRUE(ConverterCaudalente(Caminho("x.bin"), Caminho("x.bin"), true));
  TCaudalente lida;
  ASSERT_TRUE(lida.LerBinario(Caminho("x.bin")));
  EsperarPontos(lida);
}

TEST_F(ConversaoCaudalente, ArquivosQueNaoSeConvertem) {
  // Missing: false, the reader has told the user, nothing is written.
  EXPECT_FALSE(ConverterCaudalente(Caminho("falta.txt"), Caminho("falta.bin"), true));
  EXPECT_EQ(registro_.mensagens.size(), 1u);
  EXPECT_FALSE(fs::exists(Caminho("falta.bin")));

  // Not a hydrograph: the reader's error, nothing written.
  pasta_.Escrever("ruim.bin", "nada");
  EXPECT_THROW(ConverterCaudalente(Caminho("ruim.bin"), Caminho("ruim.txt"), false), ECaudalente);
  EXPECT_FALSE(fs::exists(Caminho("ruim.txt")));

  // An output that cannot be written (its folder is a file).
  serie_.SalvarTexto(Caminho("dados.txt"));
  EXPECT_THROW(ConverterCaudalente(Caminho("dados.txt"), Caminho("dados.txt/x.bin"), true), ECaudalente);
}

}  // namespace
