// The IDF component: reset state, the query seam, and its project-file section.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/PastaTemporaria.h"
#include "idf/Nimbora21Comp.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

namespace {

class Nimbora21Comp : public ::testing::Test {
 protected:
  void Gravar(const std::string& bytes) { std::ofstream(arquivo_, std::ios::binary) << bytes; }
  teste::TPastaTemporaria temporaria_;
  const std::string pasta_ = temporaria_.Caminho();
  const std::string arquivo_ = pasta_ + "/p.cdt";
};

void Preencher(TNimbora21& n) {
  n.IndEstado = 20;
  n.StrEstado = "Rio Grande do Sul";
  n.IndEstacao = 10;
  n.IndLocalidade = -1;
  n.StrCidade = "Passo Fundo";
  n.Latitude = "28°16'00\"";
  n.Longitude = "52°25'00\"";
  n.Precipitacao().SetTr(25);
  n.Precipitacao().SetK(670.74);
  n.Precipitacao().SetA(0.21);
  n.Precipitacao().SetB(7.9);
  n.Precipitacao().SetC(0.74);
}

TEST_F(Nimbora21Comp, LimparDeixaOEstadoInicialMasGuardaAAutoria) {
  TNimbora21 n;
  EXPECT_EQ(n.IndEstado, -1);
  EXPECT_EQ(n.IndEstacao, 0);
  EXPECT_EQ(n.IndLocalidade, 0);
  Preencher(n);
  n.Secao = "X";
  n.ShowAbout = true;
  n.HelpContext = 7;
  n.DefinirAutoria("Torres et al. (2025)");
  TPrecipitacaoExponencialNegativa* chuva = &n.Precipitacao();
  n.Limpar();
  EXPECT_EQ(&n.Precipitacao(), chuva) << "the storm object is never replaced";
  EXPECT_EQ(n.IndEstado, -1);
  EXPECT_EQ(n.IndEstacao, 0);
  EXPECT_EQ(n.IndLocalidade, 0);
  EXPECT_TRUE(n.StrEstado.empty() && n.StrCidade.empty() && n.Latitude.empty() && n.Longitude.empty());
  EXPECT_TRUE(n.Secao.empty());
  EXPECT_FALSE(n.ShowAbout);
  EXPECT_EQ(n.HelpContext, 0);
  EXPECT_EQ(n.Precipitacao().K(), 0.0);
  EXPECT_EQ(n.Autoria(), "Torres et al. (2025)");
}

TEST_F(Nimbora21Comp, ConsultaPeloEncaixe) {
  TNimbora21 n;
  EXPECT_THROW(n.Execute(), ENimbora21);
  try {
    n.ExigirEstado();
    FAIL() << "no error";
  } catch (const ENimbora21& e) {
    EXPECT_STREQ(e.what(), "É necessário entrar com um índice para o estado");
  }
  n.Consulta = [](TNimbora21& c) {
    c.ExigirEstado();
    c.Precipitacao().SetK(1000);
    c.DefinirAutoria("Interpolação");
    return true;
  };
  EXPECT_THROW(n.Execute(), ENimbora21);
  n.IndEstado = 3;
  EXPECT_TRUE(n.Execute());
  EXPECT_EQ(n.Precipitacao().K(), 1000.0);
  EXPECT_EQ(n.Autoria(), "Interpolação");
}

TEST_F(Nimbora21Comp, SecaoDoProjeto) {
  toolkit::TRegionalTemporario r(toolkit::RegionalPtBr());
  TNimbora21 n;
  Preencher(n);
  ASSERT_TRUE(n.GravarArquivo(arquivo_));
  {
    const toolkit::TArquivoIni ini(arquivo_);
    EXPECT_EQ(ini.Secoes(),
              (std::vector<std::string>{"NIMBORA", "PRECIPITACAO", "PREC_EXPONENCIAL_NEGATIVA"}));
    EXPECT_EQ(ini.LerString("PREC_EXPONENCIAL_NEGATIVA", "K", ""), "670,74");
  }
  TNimbora21 lido;
  ASSERT_TRUE(lido.LerArquivo(arquivo_));
  EXPECT_EQ(lido.IndEstado, 20);
  EXPECT_EQ(lido.StrEstado, "Rio Grande do Sul");
  EXPECT_EQ(lido.IndEstacao, 10);
  EXPECT_EQ(lido.IndLocalidade, -1);
  EXPECT_EQ(lido.StrCidade, "Passo Fundo");
  EXPECT_EQ(lido.Latitude, "28°16'00\"");
  EXPECT_EQ(lido.Longitude, "52°25'00\"");
  EXPECT_EQ(lido.Precipitacao().K(), 670.74);
  EXPECT_EQ(lido.Precipitacao().C(), 0.74);

  // The blank coordinate text of an untouched field comes back with its blanks.
  TNimbora21 branco;
  branco.Latitude = "  °  '  \"";
  branco.GravarArquivo(arquivo_);
  ASSERT_TRUE(lido.LerArquivo(arquivo_));
  EXPECT_EQ(lido.Latitude, "  °  '  \"");
}

// The estimate taken round-trips; a file without the key (older files, and
// every file of the classic estimate) reads as the classic one, and saving
// the classic estimate over a file takes the key away.
TEST_F(Nimbora21Comp, EstimativaGuardadaSoQuandoEAsIntensidades) {
  TNimbora21 n;
  Preencher(n);
  ASSERT_TRUE(n.GravarArquivo(arquivo_));
  EXPECT_EQ(teste::LerBytes(arquivo_).find("Estimativa"), std::string::npos);
  TNimbora21 lido;
  lido.Estimativa = TNimbora21::TEstimativa::Intensidades;
  ASSERT_TRUE(lido.LerArquivo(arquivo_));
  EXPECT_EQ(lido.Estimativa, TNimbora21::TEstimativa::Coeficientes);

  n.Estimativa = TNimbora21::TEstimativa::Intensidades;
  ASSERT_TRUE(n.GravarArquivo(arquivo_));
  EXPECT_NE(teste::LerBytes(arquivo_).find("Estimativa=1\r\n"), std::string::npos);
  ASSERT_TRUE(lido.LerArquivo(arquivo_));
  EXPECT_EQ(lido.Estimativa, TNimbora21::TEstimativa::Intensidades);

  n.Estimativa = TNimbora21::TEstimativa::Coeficientes;
  ASSERT_TRUE(n.GravarArquivo(arquivo_));
  EXPECT_EQ(teste::LerBytes(arquivo_).find("Estimativa"), std::string::npos);

  {
    toolkit::TArquivoIni ini(arquivo_);
    ini.EscreverInteiro("NIMBORA", "Estimativa", 7);  // unknown: the classic estimate
    ini.SalvarOuErro();
  }
  lido.Estimativa = TNimbora21::TEstimativa::Intensidades;
  ASSERT_TRUE(lido.LerArquivo(arquivo_));
  EXPECT_EQ(lido.Estimativa, TNimbora21::TEstimativa::Coeficientes);
}

TEST_F(Nimbora21Comp, VersaoDiferenteDeUmNaoEhLida) {
  for (const char* secao : {"[NIMBORA]\r\nStrCidade=X\r\n", "[NIMBORA]\r\nVersao=2\r\nStrCidade=X\r\n", ""}) {
    Gravar(secao);
    TNimbora21 n;
    Preencher(n);
    EXPECT_FALSE(n.LerArquivo(arquivo_)) << secao;
    EXPECT_EQ(n.StrCidade, "Passo Fundo") << "nothing is read";
  }
  // Keys missing from a version-1 section read as their defaults.
  Gravar("[NIMBORA]\r\nVersao=1\r\n");
  TNimbora21 n;
  Preencher(n);
  ASSERT_TRUE(n.LerArquivo(arquivo_));
  EXPECT_EQ(n.IndEstado, -1);
  EXPECT_EQ(n.IndEstacao, -1);
  EXPECT_EQ(n.IndLocalidade, -1);
  EXPECT_TRUE(n.StrCidade.empty() && n.Latitude.empty());
  EXPECT_EQ(n.Precipitacao().K(), 0.0);
}

}  // namespace
