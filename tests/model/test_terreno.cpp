// Land cover, terrain and the curve-number initial abstraction
// Ia = (100/CN − 1)·50.8 mm, with their project-file sections.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "common/NomeDoCaso.h"
#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "model/hillslope/uTerreno.h"
#include "toolkit/Regional.h"

namespace {

namespace fs = std::filesystem;

TTerreno Terreno(int uso, int tratamento, int condicao, double vib) {
  TTerreno t;
  t.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(uso);
  t.Cobertura.Tratamento.Indice = static_cast<uint8_t>(tratamento);
  t.Cobertura.CondicaoHidrologica.Indice = static_cast<uint8_t>(condicao);
  t.SetVIB(vib);
  return t;
}

struct CasoCN {
  int uso, tratamento, condicao;
  double vib;
  int cn;
};

class TabelaDoNumeroDaCurva : public ::testing::TestWithParam<CasoCN> {};

TEST_P(TabelaDoNumeroDaCurva, EscolheLinhaEColuna) {
  const CasoCN c = GetParam();
  const TTerreno t = Terreno(c.uso, c.tratamento, c.condicao, c.vib);
  EXPECT_EQ(NumeroDaCurva(t.Cobertura, t.VIB()), c.cn);
  const double esperado = c.cn == 0 ? 0 : (100.0 / c.cn - 1) * 50.8;
  EXPECT_DOUBLE_EQ(AbstracaoInicial(t), esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, TabelaDoNumeroDaCurva,
    ::testing::Values(
        // Bare soil ignores treatment and condition; column limits 3, 40 and 190 belong below.
        CasoCN{0, 0, 0, 2, 98}, CasoCN{0, 3, 2, 3, 98}, CasoCN{0, 1, 1, 3.0001, 97}, CasoCN{0, 0, 0, 40, 97},
        CasoCN{0, 0, 0, 40.5, 94}, CasoCN{0, 0, 0, 190, 94}, CasoCN{0, 0, 0, 190.5, 89},
        // Row crops: conditions 1 and 3 only.
        CasoCN{1, 1, 1, 2, 97}, CasoCN{1, 1, 2, 2, 0}, CasoCN{1, 3, 3, 500, 79}, CasoCN{1, 0, 1, 2, 0},
        // Small grain, contoured: condition 1 has its own row, every other condition shares one.
        CasoCN{2, 2, 1, 50, 88}, CasoCN{2, 2, 0, 50, 87}, CasoCN{2, 2, 2, 50, 87}, CasoCN{2, 2, 3, 50, 87},
        CasoCN{3, 3, 3, 200, 70}, CasoCN{3, 2, 2, 2, 0},
        // Pasture has no terraced rows.
        CasoCN{4, 1, 2, 20, 91}, CasoCN{4, 2, 3, 200, 15}, CasoCN{4, 3, 1, 2, 0},
        // Forest ignores the treatment but needs a condition.
        CasoCN{5, 0, 3, 50, 74}, CasoCN{5, 2, 1, 2, 93}, CasoCN{5, 1, 0, 2, 0}, CasoCN{6, 1, 1, 2, 0},
        // Every other row of the table once, the columns taken in turn.
        CasoCN{1, 1, 3, 10, 94}, CasoCN{1, 2, 1, 100, 91}, CasoCN{1, 2, 3, 250, 82}, CasoCN{1, 3, 1, 1, 92},
        CasoCN{2, 1, 1, 10, 93}, CasoCN{2, 1, 3, 100, 88}, CasoCN{2, 3, 1, 250, 78}, CasoCN{2, 3, 3, 1, 92},
        CasoCN{3, 1, 1, 10, 94}, CasoCN{3, 1, 3, 100, 86}, CasoCN{3, 2, 1, 250, 81}, CasoCN{3, 2, 3, 1, 93},
        CasoCN{3, 3, 1, 10, 91}, CasoCN{4, 1, 1, 100, 91}, CasoCN{4, 1, 3, 250, 59}, CasoCN{4, 2, 1, 1, 95},
        CasoCN{4, 2, 2, 10, 88}, CasoCN{5, 3, 2, 250, 56}, CasoCN{3, 0, 1, 10, 0}),
    [](const ::testing::TestParamInfo<CasoCN>& info) {
      const CasoCN& c = info.param;
      std::ostringstream nome;
      nome << "uso" << c.uso << "_trat" << c.tratamento << "_cond" << c.condicao << "_vib" << c.vib << "_cn"
           << c.cn;
      return teste::NomeDeTeste(nome.str());
    });

TEST(Terreno, AbstracoesCalculadasAMao) {
  EXPECT_REL_NEAR(AbstracaoInicial(Terreno(0, 0, 0, 2)), 1.0367347, 1e-7);
  EXPECT_REL_NEAR(AbstracaoInicial(Terreno(5, 0, 3, 50)), 17.848649, 1e-7);
  // A cleared ground is bare soil with VIB 0.
  TTerreno limpo = Terreno(5, 0, 3, 50);
  limpo.Limpar();
  EXPECT_REL_NEAR(AbstracaoInicial(limpo), 1.0367347, 1e-7);
}

TEST(Terreno, AtribuicaoAssignELimpar) {
  TTerreno t("S");
  EXPECT_EQ(t.Cobertura.Sufixo, "S");
  EXPECT_EQ(t.nt.Valor, 0);
  EXPECT_EQ(t.nt.Indice, 0);
  t.SetVIB(-1);
  EXPECT_EQ(t.VIB(), 0);
  t.SetSt(-0.2);  // no check on the slope
  EXPECT_EQ(t.St(), -0.2);

  TTerreno origem = Terreno(4, 2, 3, 12.5);
  origem.SetSt(0.08);
  origem.nt = TReal(0.035, 3);
  origem.DefinirSufixo("O");
  t.Assign(origem);
  EXPECT_EQ(t.VIB(), 12.5);
  EXPECT_EQ(t.St(), 0.08);
  EXPECT_EQ(t.nt.Valor, 0.035);
  EXPECT_EQ(t.nt.Indice, 3);
  EXPECT_EQ(t.Cobertura.UsoTerra.Indice, 4);
  EXPECT_EQ(t.Cobertura.Tratamento.Indice, 2);
  EXPECT_EQ(t.Cobertura.CondicaoHidrologica.Indice, 3);
  EXPECT_EQ(t.Sufixo, "S");
  EXPECT_EQ(t.Cobertura.Sufixo, "S");

  t.Limpar();
  EXPECT_EQ(t.VIB(), 0);
  EXPECT_EQ(t.St(), 0);
  EXPECT_EQ(t.nt.Valor, 0);
  EXPECT_EQ(t.Cobertura.UsoTerra.Indice, 0);
  EXPECT_EQ(t.Cobertura.CondicaoHidrologica.Indice, 0);
  EXPECT_EQ(t.Sufixo, "S");
}

class TerrenoArquivo : public ::testing::Test {
 protected:
  std::string Caminho() const { return temporaria_.Arquivo("p.cdt"); }
  void Escrever(const std::string& conteudo) const { temporaria_.Escrever("p.cdt", conteudo); }
  std::string Conteudo() const { return temporaria_.Ler("p.cdt"); }
  teste::TPastaTemporaria temporaria_;
  toolkit::TRegionalTemporario regional_{toolkit::RegionalC()};
};

TEST_F(TerrenoArquivo, IdaEVoltaComSecoesEmOrdem) {
  TTerreno t = Terreno(2, 3, 1, 25.5);
  t.SetSt(0.12);
  t.nt = TReal(0.03, 2);
  t.DefinirSufixo(": Trecho 1");
  ASSERT_TRUE(t.GravarArquivo(Caminho()));
  EXPECT_EQ(Conteudo(),
            "[Cobertura: Trecho 1]\r\nVersao=1\r\nIndUso=2\r\nIndCond=1\r\nIndTrat=3\r\n"
            "[Terreno: Trecho 1]\r\nVersao=1\r\nVIB=25.5\r\nSt=0.12\r\nnt=0.03\r\nIndnt=2\r\n");

  TTerreno lido(": Trecho 1");
  ASSERT_TRUE(lido.LerArquivo(Caminho()));
  EXPECT_EQ(lido.Cobertura.UsoTerra.Indice, 2);
  EXPECT_EQ(lido.Cobertura.Tratamento.Indice, 3);
  EXPECT_EQ(lido.Cobertura.CondicaoHidrologica.Indice, 1);
  EXPECT_EQ(lido.VIB(), 25.5);
  EXPECT_EQ(lido.St(), 0.12);
  EXPECT_EQ(lido.nt.Valor, 0.03);
  EXPECT_EQ(lido.nt.Indice, 2);
}

TEST_F(TerrenoArquivo, SecoesRuinsFalhamALeitura) {
  const std::string cobertura = "[Cobertura]\r\nVersao=1\r\nIndUso=1\r\nIndCond=3\r\nIndTrat=2\r\n";
  const std::string terreno = "[Terreno]\r\nVersao=1\r\nVIB=-4\r\nSt=0.1\r\nnt=0.02\r\n";
  struct Caso {
    const char* nome;
    std::string arquivo;
    bool lido;
  };
  const Caso casos[] = {
      {"valid", cobertura + terreno + "Indnt=0\r\n", true},
      {"cover version missing",
       "[Cobertura]\r\nIndUso=1\r\nIndCond=3\r\nIndTrat=2\r\n" + terreno + "Indnt=0\r\n", false},
      {"land use 6",
       "[Cobertura]\r\nVersao=1\r\nIndUso=6\r\nIndCond=3\r\nIndTrat=2\r\n" + terreno + "Indnt=0\r\n", false},
      {"condition missing", "[Cobertura]\r\nVersao=1\r\nIndUso=1\r\nIndTrat=2\r\n" + terreno + "Indnt=0\r\n",
       false},
      {"treatment 4",
       "[Cobertura]\r\nVersao=1\r\nIndUso=1\r\nIndCond=3\r\nIndTrat=4\r\n" + terreno + "Indnt=0\r\n", false},
      {"terrain version 2", cobertura + "[Terreno]\r\nVersao=2\r\nIndnt=0\r\n", false},
      {"roughness row missing", cobertura + terreno, false},
      {"roughness row negative", cobertura + terreno + "Indnt=-1\r\n", false},
      {"roughness row beyond a signed byte", cobertura + terreno + "Indnt=200\r\n", false},
  };
  for (const Caso& caso : casos) {
    Escrever(caso.arquivo);
    TTerreno t;
    EXPECT_EQ(t.LerArquivo(Caminho()), caso.lido) << caso.nome;
  }
  // Values read before the failing key stay applied; a negative VIB reads as 0.
  Escrever(cobertura + terreno + "Indnt=-1\r\n");
  TTerreno t;
  t.SetVIB(9);
  EXPECT_FALSE(t.LerArquivo(Caminho()));
  EXPECT_EQ(t.Cobertura.Tratamento.Indice, 2);
  EXPECT_EQ(t.VIB(), 0);
  EXPECT_EQ(t.nt.Valor, 0.02);
}

TEST_F(TerrenoArquivo, GravarSobreArquivoExistenteAtualizaNoLugar) {
  Escrever("[Outra]\r\nChave=1\r\n[Terreno]\r\nVersao=1\r\nVIB=1\r\nExtra=x\r\n");
  TTerreno t = Terreno(0, 0, 0, 7);
  ASSERT_TRUE(t.GravarArquivo(Caminho()));
  EXPECT_EQ(Conteudo(),
            "[Outra]\r\nChave=1\r\n[Terreno]\r\nVersao=1\r\nVIB=7\r\nExtra=x\r\nSt=0\r\nnt=0\r\nIndnt=0\r\n"
            "[Cobertura]\r\nVersao=1\r\nIndUso=0\r\nIndCond=0\r\nIndTrat=0\r\n");
}

}  // namespace
