// The application settings file: what start-up reads (a missing file, a file
// set aside by Versao "0", a whole file), what closing writes, and the failure
// to write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/PastaTemporaria.h"
#include "project/Configuracao.h"
#include "toolkit/ArquivoIni.h"

namespace {

namespace fs = std::filesystem;

class Configuracao : public ::testing::Test {
 protected:
  std::string Ini() const { return pasta_.Arquivo("Caudalente.ini"); }
  void Escrever(const std::string& texto) const { teste::GravarBytes(Ini(), texto); }
  std::string Ler() const { return teste::LerBytes(Ini()); }

  teste::TPastaTemporaria pasta_;
};

TEST_F(Configuracao, ArquivoAusenteDaOsPadroes) {
  TUnidades u;
  u.SetDeclividade(0);
  TConfiguracao::TRecentes recentes{"/x/a.cdt", "", "", ""};
  EXPECT_TRUE(TConfiguracao(Ini()).Ler(u, recentes));
  EXPECT_EQ(u.UnidadeDeclividade, "m/m");
  EXPECT_EQ(recentes, (TConfiguracao::TRecentes{"", "", "", ""}));
  EXPECT_FALSE(fs::exists(Ini()));  // reading never creates it
}

TEST_F(Configuracao, VersaoZeroEIgnorada) {
  Escrever(
      "[CAUDALENTE]\r\nVersao=0\r\n[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\nComprimento=2\r\nVI=0\r\n"
      "[PRINCIPAL]\r\npath1=/x/a.cdt\r\n");
  TUnidades u;
  u.SetVI(2);
  TConfiguracao::TRecentes recentes{};
  EXPECT_FALSE(TConfiguracao(Ini()).Ler(u, recentes));
  EXPECT_EQ(u.UnidadeDeclividade, "m/m");
  EXPECT_EQ(u.UnidadeVI, "mm/h");
  EXPECT_EQ(recentes[0], "");
}

// Written on closing and read at the next start: the exact layout, and the
// chart settings of another window kept in place.
TEST_F(Configuracao, GravaELeDeVolta) {
  Escrever("[TCHART_VazoPlot]\r\nCor=255\r\n");
  TUnidades u;
  u.SetDeclividade(0);
  u.SetVI(2);
  u.Estado = 10;
  const TConfiguracao conf(Ini());
  conf.Gravar(u, {"/x/um.cdt", "/x/dois.cdt", "", ""});
  EXPECT_EQ(Ler(),
            "[TCHART_VazoPlot]\r\nCor=255\r\n[CAUDALENTE]\r\nVersao=1\r\n[UNIDADES]\r\nVersao=1\r\n"
            "Declividade=0\r\nComprimento=2\r\nVI=2\r\nEstado=10\r\n[PRINCIPAL]\r\npath1=/x/um.cdt\r\n"
            "path2=/x/dois.cdt\r\npath3=\r\npath4=\r\n");

  TUnidades lidas;
  TConfiguracao::TRecentes recentes{};
  EXPECT_TRUE(conf.Ler(lidas, recentes));
  EXPECT_EQ(lidas.UnidadeDeclividade, "%");
  EXPECT_EQ(lidas.UnidadeVI, "m/dia");
  EXPECT_EQ(lidas.Estado, 10);
  EXPECT_EQ(recentes, (TConfiguracao::TRecentes{"/x/um.cdt", "/x/dois.cdt", "", ""}));

  // The units alone, after the units dialog: the list stays.
  lidas.SetDeclividade(1);
  conf.GravarUnidades(lidas);
  EXPECT_NE(Ler().find("Declividade=1\r\n"), std::string::npos);
  EXPECT_NE(Ler().find("path2=/x/dois.cdt\r\n"), std::string::npos);
}

TEST_F(Configuracao, FalhaDeGravacaoChegaAoChamador) {
  // The file's folder is a file: nothing can be written there.
  std::ofstream(pasta_.Arquivo("arquivo")) << "x";
  const TConfiguracao conf(pasta_.Arquivo("arquivo/Caudalente.ini"));
  EXPECT_THROW(conf.Gravar(TUnidades(), {}), toolkit::EArquivoIni);
  EXPECT_THROW(conf.GravarUnidades(TUnidades()), toolkit::EArquivoIni);
  EXPECT_THROW(conf.GravarMetodo(TMetodoNumerico::Convergido), toolkit::EArquivoIni);
}

// The numerical method: written and read back, kept when closing writes the
// rest, and anything but "convergido" read as the original scheme.
TEST_F(Configuracao, MetodoNumerico) {
  const TConfiguracao conf(Ini());
  EXPECT_EQ(conf.LerMetodo(), TMetodoNumerico::Original);  // no file
  conf.GravarMetodo(TMetodoNumerico::Convergido);
  EXPECT_EQ(Ler(), "[CAUDALENTE]\r\nMetodoNumerico=convergido\r\n");
  conf.Gravar(TUnidades(), {"/x/um.cdt", "", "", ""});
  EXPECT_EQ(conf.LerMetodo(), TMetodoNumerico::Convergido);
  EXPECT_NE(Ler().find("[CAUDALENTE]\r\nMetodoNumerico=convergido\r\nVersao=1\r\n"), std::string::npos);
  conf.GravarMetodo(TMetodoNumerico::Original);
  EXPECT_EQ(conf.LerMetodo(), TMetodoNumerico::Original);
  EXPECT_NE(Ler().find("MetodoNumerico=original\r\n"), std::string::npos);
  EXPECT_NE(Ler().find("path1=/x/um.cdt\r\n"), std::string::npos);

  for (const char* valor : {"", "Convergido", "convergido2", "1", "caracteristicas"}) {
    Escrever(std::string("[CAUDALENTE]\r\nVersao=1\r\nMetodoNumerico=") + valor + "\r\n");
    EXPECT_EQ(conf.LerMetodo(), TMetodoNumerico::Original) << valor;
  }
  Escrever("[CAUDALENTE]\r\nVersao=0\r\nMetodoNumerico=convergido\r\n");
  EXPECT_EQ(conf.LerMetodo(), TMetodoNumerico::Original);
}

}  // namespace
