#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "common/PastaTemporaria.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

using namespace toolkit;

namespace {

class ArquivoIni : public ::testing::Test {
 protected:
  void Gravar(const std::string& bytes) { teste::GravarBytes(caminho_, bytes); }
  std::string Ler() const { return teste::LerBytes(caminho_); }
  std::vector<std::string> ArquivosDaPasta() const {
    std::vector<std::string> nomes;
    DIR* d = opendir(pasta_.c_str());
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') nomes.push_back(e->d_name);
    closedir(d);
    return nomes;
  }
  teste::TPastaTemporaria temporaria_;
  const std::string pasta_ = temporaria_.Caminho();
  const std::string caminho_ = pasta_ + "/projeto.cdt";
};

const char kOriginal[] =
    "; projeto de teste\r\n"
    "[Canal]\r\n"
    "Versao=1\r\n"
    "H=0,5\r\n"
    "Extra=guardar\r\n"
    "\r\n"
    "[NIMBORA]\r\n"
    "  ; nota\r\n"
    "Versao=1\r\n"
    "\r\n";

TEST_F(ArquivoIni, EscritaNoLugarGuardaOResto) {
  Gravar(kOriginal);
  TArquivoIni ini(caminho_);
  ini.EscreverString("canal", "h", "0,75");  // replaced where it stands
  ini.EscreverString("CANAL", "B", "2");     // after the last key of its section
  ini.EscreverString("Nimbora", "Latitude", "29°20'00\"");
  ini.EscreverString("UNIDADES", "Versao", "1");  // new section at the end
  ini.EscreverString("Unidades", "VI", "0");
  ASSERT_TRUE(ini.Salvar());
  EXPECT_EQ(Ler(),
            "; projeto de teste\r\n"
            "[Canal]\r\n"
            "Versao=1\r\n"
            "H=0,75\r\n"
            "Extra=guardar\r\n"
            "B=2\r\n"
            "\r\n"
            "[NIMBORA]\r\n"
            "  ; nota\r\n"
            "Versao=1\r\n"
            "Latitude=29\xB0"
            "20'00\"\r\n"
            "\r\n"
            "[UNIDADES]\r\n"
            "Versao=1\r\n"
            "VI=0\r\n");
}

TEST_F(ArquivoIni, NomesSemDiferencaDeCaixaInclusiveAcentos) {
  Gravar("[Cobertura: Trecho 1]\nIndUso=3\n[SE\xC7\xC3O]\n\xC1rea=10\n");
  TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerInteiro("COBERTURA: TRECHO 1", "indUSO", -1), 3);
  EXPECT_EQ(ini.LerInteiro("seção", "área", -1), 10);
  EXPECT_EQ(ini.LerInteiro("Cobertura: Trecho 10", "IndUso", -1), -1);
  EXPECT_EQ(ini.Secoes(), (std::vector<std::string>{"Cobertura: Trecho 1", "SEÇÃO"}));
  EXPECT_EQ(ini.Chaves("Seção"), (std::vector<std::string>{"Área"}));
}

TEST_F(ArquivoIni, ArquivoComLFEhLidoEGravadoComCRLF) {
  Gravar("[A]\nx=1\n; c\n[B]\ny = 2 \n");
  TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerString("B", "y", ""), "2");
  ini.EscreverString("A", "x", "5");
  ASSERT_TRUE(ini.Salvar());
  EXPECT_EQ(Ler(), "[A]\r\nx=5\r\n; c\r\n[B]\r\ny = 2 \r\n");
}

TEST_F(ArquivoIni, Windows1252NoDiscoUtf8NaInterface) {
  Gravar("[NIMBORA]\r\n; coment\xE1rio \x81\r\nStrCidade=Jo\xE3o Pessoa\r\n");
  TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerString("NIMBORA", "StrCidade", ""), "João Pessoa");
  ini.EscreverString("NIMBORA", "StrEstado", "Paraíba");
  ASSERT_TRUE(ini.Salvar());
  EXPECT_EQ(Ler(),
            "[NIMBORA]\r\n; coment\xE1rio \x81\r\nStrCidade=Jo\xE3o Pessoa\r\n"
            "StrEstado=Para\xED"
            "ba\r\n");
  EXPECT_EQ(TArquivoIni(caminho_).LerString("nimbora", "strestado", ""), "Paraíba");
}

TEST_F(ArquivoIni, LeituraDeValoresETiposComPadroes) {
  Gravar(
      "[S]\n"
      "t1 =   texto com espa\xE7o   \n"
      "t2=\"  entre aspas \"\n"
      "i1=12abc\n"
      "i2=-7\n"
      "i3=abc\n"
      "i4=99999999999\n"
      "r1=2,5\n"
      "r2=2.5\n"
      "r3=1E-6\n"
      "b1=1\n"
      "b2=0\n"
      "b3=2\n"
      "b4=sim\n"
      "vazio=\n");
  TRegionalTemporario pt(RegionalPtBr());
  TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerString("S", "t1", "x"), "texto com espaço");
  EXPECT_EQ(ini.LerString("S", "t2", "x"), "  entre aspas ");
  EXPECT_EQ(ini.LerString("S", "vazio", "x"), "");
  EXPECT_EQ(ini.LerString("S", "falta", "x"), "x");
  EXPECT_EQ(ini.LerInteiro("S", "i1", 0), 0);  // trailing text: no integer
  EXPECT_EQ(ini.LerInteiro("S", "i2", 0), -7);
  EXPECT_EQ(ini.LerInteiro("S", "i3", -1), -1);
  EXPECT_EQ(ini.LerInteiro("S", "i4", -1), -1);
  EXPECT_EQ(ini.LerInteiro("S", "falta", -2), -2);
  EXPECT_EQ(ini.LerReal("S", "r1", 0), 2.5);
  // Not this settings' separator, but the whole text reads with the other one.
  EXPECT_EQ(ini.LerReal("S", "r2", 0), 2.5);
  EXPECT_EQ(ini.LerReal("S", "r3", 0), 1e-6);
  EXPECT_EQ(ini.LerReal("S", "vazio", 9), 9.0);
  EXPECT_TRUE(ini.LerBooleano("S", "b1", false));
  EXPECT_FALSE(ini.LerBooleano("S", "b2", true));
  EXPECT_TRUE(ini.LerBooleano("S", "b3", false));
  EXPECT_TRUE(ini.LerBooleano("S", "b4", true));
  EXPECT_FALSE(ini.LerBooleano("S", "b4", false));
}

TEST_F(ArquivoIni, EscritaDeTiposApagarENovoArquivo) {
  TRegionalTemporario pt(RegionalPtBr());
  {
    TArquivoIni ini(caminho_);  // missing file: empty
    EXPECT_TRUE(ini.Secoes().empty());
    ini.EscreverReal("R", "meio", 0.5);
    ini.EscreverReal("R", "micro", 1e-6);
    ini.EscreverInteiro("R", "nenhum", -1);
    ini.EscreverBooleano("R", "sim", true);
    ini.EscreverString("R", "quebra", "a\r\nb");  // no line break may reach the file
    ini.EscreverString("R", "apagar", "x");
    EXPECT_TRUE(ini.ApagarChave("r", "APAGAR"));
    EXPECT_FALSE(ini.ApagarChave("r", "APAGAR"));
    ini.EscreverString("Outra", "k", "v");
    EXPECT_TRUE(ini.ApagarSecao("outra"));
    EXPECT_FALSE(ini.ExisteSecao("Outra"));
    ASSERT_TRUE(ini.Salvar());
  }
  EXPECT_EQ(Ler(), "[R]\r\nmeio=0,5\r\nmicro=1E-6\r\nnenhum=-1\r\nsim=1\r\nquebra=a  b\r\n");
  const TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerReal("R", "meio", 0), 0.5);
  EXPECT_TRUE(ini.ExisteChave("R", "MICRO"));
}

TEST_F(ArquivoIni, TextosVoltamComoForamEscritos) {
  const std::string valores[] = {"  \xC2\xB0  '  \"",
                                 "29\xC2\xB0"
                                 "20'00\"",
                                 " a",
                                 "b\t",
                                 "\"q\"",
                                 "'s'",
                                 "\"meia",
                                 "",
                                 "x = y"};
  {
    TArquivoIni ini(caminho_);
    for (size_t i = 0; i < std::size(valores); ++i)
      ini.EscreverString("T", "k" + std::to_string(i), valores[i]);
    ASSERT_TRUE(ini.Salvar());
  }
  const TArquivoIni ini(caminho_);
  for (size_t i = 0; i < std::size(valores); ++i)
    EXPECT_EQ(ini.LerString("T", "k" + std::to_string(i), "?"), valores[i]) << i;
  EXPECT_NE(Ler().find("k1=29\xB0"
                       "20'00\"\r\n"),
            std::string::npos)
      << "plain values stay unquoted";
}

TEST_F(ArquivoIni, SalvarSemAlteracaoNaoCriaArquivo) {
  TArquivoIni ini(caminho_);
  EXPECT_EQ(ini.LerString("A", "b", "c"), "c");
  EXPECT_TRUE(ini.Salvar());
  EXPECT_TRUE(ArquivosDaPasta().empty());
}

TEST_F(ArquivoIni, FalhaAoSalvarNaoDeixaArquivoPelaMetade) {
  // A folder that does not exist: the error names the path, nothing is left behind.
  TArquivoIni fantasma(pasta_ + "/nao/existe.cdt");
  fantasma.EscreverString("A", "b", "c");
  EXPECT_FALSE(fantasma.Salvar());
  try {
    fantasma.SalvarOuErro();
    FAIL() << "no error";
  } catch (const EArquivoIni& e) {
    EXPECT_EQ(std::string(e.what()),
              "Não foi possível gravar o arquivo " + pasta_ + "/nao/existe.cdt (pasta inexistente).");
  }
  EXPECT_TRUE(ArquivosDaPasta().empty());

  // Success replaces the file as a whole and leaves no temporary beside it.
  Gravar(kOriginal);
  TArquivoIni ini(caminho_);
  ini.EscreverString("Canal", "H", "1");
  ASSERT_TRUE(ini.Salvar());
  EXPECT_EQ(ArquivosDaPasta(), std::vector<std::string>{"projeto.cdt"});

  // A path that cannot be read as a file is never replaced.
  const std::string subpasta = pasta_ + "/sub";
  mkdir(subpasta.c_str(), 0755);
  TArquivoIni pastaNoLugar(subpasta);
  pastaNoLugar.EscreverString("A", "b", "c");
  EXPECT_FALSE(pastaNoLugar.Salvar());
  struct stat st {};
  ASSERT_EQ(stat(subpasta.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(ArquivosDaPasta().size(), 2u);
}

TEST_F(ArquivoIni, GravarPorUmLinkAtualizaOArquivoLigado) {
  Gravar("[A]\r\nx=1\r\n");
  const std::string link = pasta_ + "/atalho.cdt";
  ASSERT_EQ(symlink(caminho_.c_str(), link.c_str()), 0);
  TArquivoIni ini(link);
  ini.EscreverString("A", "x", "2");
  ASSERT_TRUE(ini.Salvar());
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Ler(), "[A]\r\nx=2\r\n");
}

TEST_F(ArquivoIni, ArquivoSomenteLeituraNaoEhRegravado) {
  Gravar(kOriginal);
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  chmod(caminho_.c_str(), 0444);
  TArquivoIni somenteLeitura(caminho_);
  somenteLeitura.EscreverString("Canal", "H", "2");
  const std::string antes = Ler();
  EXPECT_FALSE(somenteLeitura.Salvar());
  EXPECT_EQ(Ler(), antes);
  EXPECT_EQ(ArquivosDaPasta(), std::vector<std::string>{"projeto.cdt"});
}

}  // namespace
