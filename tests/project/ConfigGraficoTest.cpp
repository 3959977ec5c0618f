// The chart settings section: what a save writes (keys in order, numbers in
// the regional format) and what a load gives back, defaults included.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "common/PastaTemporaria.h"
#include "project/Configuracao.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

namespace {

namespace fs = std::filesystem;

class ConfigGrafico : public ::testing::Test {
 protected:
  std::string Ini() const { return pasta_.Arquivo("Caudalente.ini"); }
  std::string Ler() const { return teste::LerBytes(Ini()); }
  teste::TPastaTemporaria pasta_;
};

TEST_F(ConfigGrafico, SemArquivoValemOsPadroes) {
  TConfigGrafico c;
  c.PosicaoLegenda = 0;
  c.EixoX.Titulo = "outro";
  CarregarGrafico(Ini(), "_VazoPlot", c);
  EXPECT_FALSE(c.TituloVisivel);
  EXPECT_EQ(c.FonteTitulo.Cor, 16711680);
  EXPECT_TRUE(c.GradienteVisivel);
  EXPECT_EQ(c.GradienteFim, 13750691);
  EXPECT_EQ(c.GradienteInicio, 16777215);
  EXPECT_EQ(c.CorGrafico, -16777201);
  EXPECT_EQ(c.EixoX.Titulo, "Tempo (min)");
  EXPECT_EQ(c.EixoY.Formato, "0.0#");
  EXPECT_FALSE(c.LegendaVisivel);
  EXPECT_EQ(c.PosicaoLegenda, 3);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(ConfigGrafico, TituloNegritoItalicoELegendaAEsquerdaVoltam) {
  TConfigGrafico c;
  c.TituloVisivel = true;
  c.FonteTitulo.Negrito = c.FonteTitulo.Italico = true;
  c.FonteTitulo.Nome = "Times New Roman";
  c.LegendaVisivel = true;
  c.PosicaoLegenda = 2;
  c.ParedeSolida = false;
  c.EixoY.Automatico = false;
  c.EixoY.Maximo = 40;
  SalvarGrafico(Ini(), "_VazoPlot", c);

  const std::string texto = Ler();
  EXPECT_NE(texto.find("[TCHART_VazoPlot]\r\n"), std::string::npos);
  EXPECT_NE(texto.find("Legenda_Posicao=2\r\n"), std::string::npos);
  EXPECT_NE(texto.find("BackWall_Style=bsClear\r\n"), std::string::npos);

  TConfigGrafico l;
  CarregarGrafico(Ini(), "_VazoPlot", l);
  EXPECT_TRUE(l.TituloVisivel);
  EXPECT_TRUE(l.FonteTitulo.Negrito);
  EXPECT_TRUE(l.FonteTitulo.Italico);
  EXPECT_FALSE(l.FonteTitulo.Sublinhado);
  EXPECT_EQ(l.FonteTitulo.Nome, "Times New Roman");
  EXPECT_EQ(l.PosicaoLegenda, 2);
  EXPECT_FALSE(l.ParedeSolida);
  EXPECT_EQ(l.EixoY.Maximo, 40);
}

TEST_F(ConfigGrafico, ChavesEmOrdemERealComVirgulaEmPtBr) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TConfigGrafico c;
  c.EixoX.Maximo = 12.5;
  SalvarGrafico(Ini(), "_VazoPlot", c);
  EXPECT_EQ(toolkit::TArquivoIni(Ini()).Chaves("TCHART_VazoPlot"),
            (std::vector<std::string>{"Titulo_Visivel",
                                      "Titulo_FonteCor",
                                      "Titulo_FonteName",
                                      "Titulo_FonteSize",
                                      "Titulo_FonteNegrito",
                                      "Titulo_FonteItalico",
                                      "Titulo_FonteUnderline",
                                      "Titulo_FonteStrike",
                                      "Gradiente_Visivel",
                                      "Gradiente_EndColor",
                                      "Gradiente_StartColor",
                                      "Chart_Color",
                                      "BackWall_Style",
                                      "BackWall_Cor",
                                      "EixoX_Caption",
                                      "EixoX_Formato",
                                      "EixoX_Grid",
                                      "EixoX_Automatico",
                                      "EixoX_Maximo",
                                      "EixoX_Minimo",
                                      "EixoY_Caption",
                                      "EixoY_Formato",
                                      "EixoY_Grid",
                                      "EixoY_Automatico",
                                      "EixoY_Maximo",
                                      "EixoY_Minimo",
                                      "View3D",
                                      "Zoom",
                                      "Rotation",
                                      "Elevation",
                                      "3DPercent",
                                      "Legenda_Visivel",
                                      "Legenda_FonteCor",
                                      "Legenda_FonteName",
                                      "Legenda_FonteSize",
                                      "Legenda_FonteNegrito",
                                      "Legenda_FonteItalico",
                                      "Legenda_FonteUnderline",
                                      "Legenda_FonteStrike",
                                      "Legenda_Posicao"}));
  EXPECT_NE(Ler().find("EixoX_Maximo=12,5\r\n"), std::string::npos);
}

TEST_F(ConfigGrafico, LimitesDeEixoAutomaticoEPosicaoInvalidaNaoSaoLidos) {
  {
    toolkit::TArquivoIni ini(Ini());
    ini.EscreverString("TCHART_VazoPlot", "EixoX_Automatico", "1");
    ini.EscreverString("TCHART_VazoPlot", "EixoX_Maximo", "55");
    ini.EscreverString("TCHART_VazoPlot", "EixoY_Automatico", "0");
    ini.EscreverString("TCHART_VazoPlot", "EixoY_Maximo", "abc");
    ini.EscreverString("TCHART_VazoPlot", "EixoY_Minimo", "-2");
    ini.EscreverString("TCHART_VazoPlot", "Legenda_Posicao", "7");
    ini.EscreverString("TCHART_VazoPlot", "Titulo_Visivel", "5");
    ini.SalvarOuErro();
  }
  TConfigGrafico c;
  c.EixoX.Maximo = 30;
  c.PosicaoLegenda = 1;
  CarregarGrafico(Ini(), "_VazoPlot", c);
  EXPECT_EQ(c.EixoX.Maximo, 30);
  EXPECT_EQ(c.EixoY.Maximo, 100);
  EXPECT_EQ(c.EixoY.Minimo, -2);
  EXPECT_EQ(c.PosicaoLegenda, 1);
  EXPECT_TRUE(c.TituloVisivel);
}

}  // namespace
