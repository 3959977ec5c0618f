#include <gtest/gtest.h>

#include "common/NomeDoCaso.h"
#include "common/Tolerancia.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"

using namespace toolkit;

namespace {

struct CasoPadrao {
  const char* padrao;
  double valor;
  const char* esperado;
};

class Padroes : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(Padroes, FormataComVirgulaExplicita) {
  const CasoPadrao& c = GetParam();
  EXPECT_EQ(FormatarNumero(c.padrao, c.valor, ','), c.esperado) << c.padrao << " " << c.valor;
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Padroes,
    ::testing::Values(CasoPadrao{"0.0######", 0.5, "0,5"}, CasoPadrao{"0.0######", 2.0, "2,0"},
                      // 0.30000000000000004: the binary noise is below the seventh decimal.
                      CasoPadrao{"0.0######", 0.1 + 0.2, "0,3"},
                      CasoPadrao{"0.0######", 1.23456789, "1,2345679"},
                      CasoPadrao{"0.0######", 12345678.0, "12345678,0"},
                      // Decimal half away from zero on the value as typed, not on its binary expansion.
                      CasoPadrao{"0.0#", 2.675, "2,68"}, CasoPadrao{"0.0#", 2.665, "2,67"},
                      CasoPadrao{"0.0#", -2.675, "-2,68"}, CasoPadrao{"0.0#", 1.005, "1,01"},
                      CasoPadrao{"0.0#", 0.15, "0,15"}, CasoPadrao{"0.0", 0.05, "0,1"},
                      CasoPadrao{"0.0", 0.25, "0,3"}, CasoPadrao{"0.0", -0.25, "-0,3"},
                      // A negative value that rounds to zero carries no sign.
                      CasoPadrao{"0.0#", -0.001, "0,0"}, CasoPadrao{"0", -0.4, "0"},
                      CasoPadrao{"#.0######", 0.5, ",5"}, CasoPadrao{"#.0######", 0.0, ",0"},
                      CasoPadrao{"#.0######", 3.25, "3,25"}, CasoPadrao{"#0.0######", 0.5, "0,5"},
                      CasoPadrao{"###0.000", 1234.5, "1234,500"}, CasoPadrao{"###0.000", 0.0005, "0,001"},
                      CasoPadrao{"0", 2.5, "3"}, CasoPadrao{"0", -2.5, "-3"}, CasoPadrao{"0", 1e6, "1000000"},
                      CasoPadrao{"0.0000000", 1.0 / 3.0, "0,3333333"},
                      CasoPadrao{"0.0000000", 2.0, "2,0000000"}, CasoPadrao{"0.00##", 0.1, "0,10"},
                      CasoPadrao{"0.00##", 12.34567, "12,3457"}, CasoPadrao{"0.0##", 9.9996, "10,0"},
                      CasoPadrao{"0.0##", 99.9999, "100,0"}, CasoPadrao{"0.0####", 1e-7, "0,0"},
                      CasoPadrao{"0.0#####", 0.000123, "0,000123"}, CasoPadrao{"00.0", 5.0, "05,0"},
                      // Sections, literals, and values too large for a fixed pattern.
                      CasoPadrao{"0.0;(0.0)", -1.5, "(1,5)"}, CasoPadrao{"0.0;(0.0);'zero'", 0.0, "zero"},
                      CasoPadrao{"0.0 m", 1.5, "1,5 m"}, CasoPadrao{"'Q = '0.00", 3.14159, "Q = 3,14"},
                      CasoPadrao{"0.0", 1e20, "1E20"}, CasoPadrao{" 0.000", 0.213, " 0,213"},
                      CasoPadrao{" 0.0", 21.3, " 21,3"},
                      // Many optional decimals show the value as typed, not its binary expansion.
                      CasoPadrao{"0.#######################", 0.1, "0,1"},
                      CasoPadrao{"0.#######################", 2.0, "2"},
                      CasoPadrao{"0.#######################", 1.0 / 3.0, "0,3333333333333333"}),
    [](const ::testing::TestParamInfo<CasoPadrao>& info) {
      return teste::NomeNumerado(info.index, info.param.esperado);
    });

TEST(FormatoNumero, UsaSeparadorAtualOuVirgulaNaRegraDoGrafico) {
  {
    TRegionalTemporario c(RegionalC());
    EXPECT_EQ(FormatarNumero("0.0#", 2.5), "2.5");
    EXPECT_EQ(FormatoGeral(0.5), "0.5");
    EXPECT_EQ(FormatarComVirgula("0.00##", 1.23456), "1,2346");
  }
  TRegionalTemporario pt(RegionalPtBr());
  EXPECT_EQ(FormatarNumero("0.0#", 2.5), "2,5");
  EXPECT_EQ(FormatoGeral(0.5), "0,5");
  EXPECT_EQ(FormatarComVirgula("0.00##", 1.23456), "1,2346");
}

struct CasoGeral {
  double valor;
  const char* esperado;
};

class Geral : public ::testing::TestWithParam<CasoGeral> {};

TEST_P(Geral, FormaMaisCurta) {
  EXPECT_EQ(FormatoGeral(GetParam().valor, ','), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Geral,
    ::testing::Values(CasoGeral{0.0, "0"}, CasoGeral{-0.0, "0"}, CasoGeral{0.5, "0,5"},
                      CasoGeral{-2.5, "-2,5"}, CasoGeral{100.0, "100"}, CasoGeral{123.456, "123,456"},
                      CasoGeral{0.1 + 0.2, "0,3"}, CasoGeral{1.0 / 3.0, "0,333333333333333"},
                      CasoGeral{2.0 / 3.0, "0,666666666666667"}, CasoGeral{1e-5, "0,00001"},
                      CasoGeral{1.5e-5, "0,000015"}, CasoGeral{1e-6, "1E-6"}, CasoGeral{1.5e-7, "1,5E-7"},
                      CasoGeral{-1.5e-7, "-1,5E-7"}, CasoGeral{999999999999999.0, "999999999999999"},
                      CasoGeral{1e15, "1E15"}, CasoGeral{1e20, "1E20"},
                      CasoGeral{1234567890123456789.0, "1,23456789012346E18"},
                      CasoGeral{999999999999999.5, "1E15"}),
    [](const ::testing::TestParamInfo<CasoGeral>& info) {
      return teste::NomeNumerado(info.index, info.param.esperado);
    });

struct CasoLeitura {
  const char* texto;
  char separador;
  bool aceito;
  double valor;
};

class Leitura : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(Leitura, ComoTextoDoUsuario) {
  const CasoLeitura& c = GetParam();
  double v = -12345.0;
  EXPECT_EQ(TextoParaReal(c.texto, v, c.separador), c.aceito) << "'" << c.texto << "'";
  if (c.aceito)
    EXPECT_REL_NEAR(v, c.valor, 1e-15);
  else
    EXPECT_EQ(v, -12345.0) << "a failed read must leave the value alone";
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, Leitura,
    ::testing::Values(CasoLeitura{"2,5", ',', true, 2.5}, CasoLeitura{"  -2,5\t", ',', true, -2.5},
                      CasoLeitura{"+1,5E-3", ',', true, 0.0015}, CasoLeitura{"1e3", ',', true, 1000.0},
                      CasoLeitura{",5", ',', true, 0.5}, CasoLeitura{"5,", ',', true, 5.0},
                      CasoLeitura{"1E-400", ',', true, 0.0}, CasoLeitura{"0", ',', true, 0.0},
                      CasoLeitura{"2.5", '.', true, 2.5}, CasoLeitura{"1,5E-7", ',', true, 1.5e-7},
                      CasoLeitura{"2.5", ',', false, 0}, CasoLeitura{"2,5", '.', false, 0},
                      CasoLeitura{"1.000,5", ',', false, 0}, CasoLeitura{"1 000", ',', false, 0},
                      CasoLeitura{"", ',', false, 0}, CasoLeitura{"   ", ',', false, 0},
                      CasoLeitura{",", ',', false, 0}, CasoLeitura{"-", ',', false, 0},
                      CasoLeitura{"1E", ',', false, 0}, CasoLeitura{"1E+", ',', false, 0},
                      CasoLeitura{"E5", ',', false, 0}, CasoLeitura{"abc", ',', false, 0},
                      CasoLeitura{"1,2,3", ',', false, 0}, CasoLeitura{"--1", ',', false, 0},
                      CasoLeitura{"1E400", ',', false, 0}, CasoLeitura{"nan", ',', false, 0},
                      CasoLeitura{"inf", ',', false, 0}, CasoLeitura{"0x10", ',', false, 0},
                      CasoLeitura{"2,5 mm", ',', false, 0}),
    [](const ::testing::TestParamInfo<CasoLeitura>& info) {
      return teste::NomeNumerado(info.index,
                                 std::string(info.param.aceito ? "aceito " : "recusado ") + info.param.texto);
    });

// In files the other separator is accepted when the whole text reads with it;
// typed texts (above) stay strict.
TEST(FormatoNumero, LeituraDeArquivoAceitaOOutroSeparador) {
  const CasoLeitura casos[] = {
      {"2,5", ',', true, 2.5},         {"2.5", ',', true, 2.5},   {"2,5", '.', true, 2.5},
      {"-1.5E-7", ',', true, -1.5e-7}, {"1E-6", '.', true, 1e-6}, {"1.000,5", ',', false, 0},
      {"1,000.5", '.', false, 0},      {"1,2.3", ',', false, 0},  {"2.5.", '.', false, 0},
      {"nan", ',', false, 0},          {"1E400", '.', false, 0},  {"", ',', false, 0},
  };
  for (const CasoLeitura& c : casos) {
    double v = -12345.0;
    EXPECT_EQ(TextoParaRealDeArquivo(c.texto, v, c.separador), c.aceito) << "'" << c.texto << "'";
    EXPECT_EQ(v, c.aceito ? c.valor : -12345.0) << "'" << c.texto << "'";
  }
  TRegionalTemporario pt(RegionalPtBr());
  double v = 0;
  EXPECT_TRUE(TextoParaRealDeArquivo("0.125", v));
  EXPECT_EQ(v, 0.125);
}

TEST(FormatoNumero, FormaGeralVoltaAoMesmoValor) {
  for (double x : {0.5, 1e-6, 1.5e-7, 0.012345, 1234.5678, 1e15, 6.02e23, -3.3e-12, 1000.0}) {
    for (char sep : {',', '.'}) {
      double lido = 0.0;
      ASSERT_TRUE(TextoParaReal(FormatoGeral(x, sep), lido, sep)) << FormatoGeral(x, sep);
      EXPECT_REL_NEAR(lido, x, 1e-14);
    }
  }
}

TEST(FormatoNumero, VarianteQueLancaDizOTexto) {
  EXPECT_EQ(TextoParaRealOuErro("7,25", ','), 7.25);
  try {
    TextoParaRealOuErro("7x", ',');
    FAIL() << "no error";
  } catch (const EConversaoInvalida& e) {
    EXPECT_STREQ(e.what(), "'7x' não é um valor numérico válido");
  }
}

}  // namespace
