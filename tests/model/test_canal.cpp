#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "model/channel/uCanal.h"
#include "model/channel/uCanalCinematico.h"
#include "toolkit/Regional.h"

namespace {

TEST(Canal, SettersMantemOsValoresNaFaixa) {
  struct Caso {
    void (TCanal::*set)(double);
    double (TCanal::*get)() const;
    double entrada, guardado;
  };
  const Caso casos[] = {
      {&TCanal::SetB, &TCanal::B, -2, 0},      {&TCanal::SetB, &TCanal::B, 0.6, 0.6},
      {&TCanal::SetH, &TCanal::H, -1, 0},      {&TCanal::SetH, &TCanal::H, 0.3, 0.3},
      {&TCanal::SetHr, &TCanal::Hr, 0, 0},     {&TCanal::SetHr, &TCanal::Hr, -0.1, 0},
      {&TCanal::SetHr, &TCanal::Hr, 0.2, 0.2}, {&TCanal::SetCDu, &TCanal::CDu, 0.5, 1.0},
      {&TCanal::SetCDu, &TCanal::CDu, 1, 1.0}, {&TCanal::SetCDu, &TCanal::CDu, 1.2, 1.2},
  };
  for (const auto& caso : casos) {
    TCanal canal;
    (canal.*caso.set)(caso.entrada);
    EXPECT_EQ((canal.*caso.get)(), caso.guardado) << "entrada " << caso.entrada;
  }

  TCanalGradienteCustom trecho;
  trecho.SetComprimento(-5);
  trecho.SetQ(-1);
  trecho.SetSc(-0.01);
  EXPECT_EQ(trecho.Comprimento(), 0);
  EXPECT_EQ(trecho.Q(), 0);
  EXPECT_EQ(trecho.Sc(), -0.01);
}

void EsperarVazio(const TCanal& canal, int tipo) {
  EXPECT_EQ(canal.TipoCanal.Tipo, tipo);
  EXPECT_EQ(canal.B(), 0);
  EXPECT_EQ(canal.H(), 0);
  EXPECT_EQ(canal.Hr(), 0);
  EXPECT_EQ(canal.CDu(), 1.0);
  EXPECT_EQ(canal.Z.Valor, 0);
  EXPECT_EQ(canal.Z.Indice, -1);
  EXPECT_EQ(canal.Sm.Valor, 0);
  EXPECT_EQ(canal.Sm.Indice, -1);
}

// The bare section starts triangular; a reach (and so the program's channel) trapezoidal.
TEST(Canal, EstadoInicialELimpar) {
  TCanal canal("X");
  EsperarVazio(canal, 1);
  TCanalGradienteCustom trecho("X");
  EsperarVazio(trecho, 0);
  EXPECT_EQ(trecho.nc.Indice, 0);

  canal.SetB(2);
  canal.TipoCanal.Tipo = 0;
  canal.Z = TReal(1.5, 3);
  canal.Limpar();
  EsperarVazio(canal, 1);
  EXPECT_EQ(canal.Sufixo, "X");

  trecho.SetB(2);
  trecho.SetCDu(3);
  trecho.Sm = TReal(0.7, 2);
  trecho.nc = TReal(0.03, 4);
  trecho.SetComprimento(100);
  trecho.SetSc(0.01);
  trecho.SetQ(5);
  trecho.TipoCanal.Tipo = 1;
  trecho.Limpar();
  EsperarVazio(trecho, 0);
  EXPECT_EQ(trecho.nc.Valor, 0);
  EXPECT_EQ(trecho.nc.Indice, 0);
  EXPECT_EQ(trecho.Comprimento(), 0);
  EXPECT_EQ(trecho.Sc(), 0);
  EXPECT_EQ(trecho.Q(), 0);
  EXPECT_EQ(trecho.Sufixo, "X");
}

TEST(Canal, AssignCopiaValoresMasNaoOSufixo) {
  TCanalGradienteCustom origem("A"), destino("B");
  origem.SetB(1.5);
  origem.SetH(0.4);
  origem.SetHr(0.1);
  origem.SetCDu(1.3);
  origem.TipoCanal.Tipo = 1;
  origem.Z = TReal(0.05, 2);
  origem.Sm = TReal(0.7, 5);
  origem.nc = TReal(0.03, 7);
  origem.SetComprimento(120);
  origem.SetSc(0.004);
  origem.SetQ(2.5);
  destino.Assign(origem);
  EXPECT_EQ(destino.Sufixo, "B");
  EXPECT_EQ(destino.B(), 1.5);
  EXPECT_EQ(destino.H(), 0.4);
  EXPECT_EQ(destino.Hr(), 0.1);
  EXPECT_EQ(destino.CDu(), 1.3);
  EXPECT_EQ(destino.TipoCanal.Tipo, 1);
  EXPECT_EQ(destino.Z.Valor, 0.05);
  EXPECT_EQ(destino.Z.Indice, 2);
  EXPECT_EQ(destino.Sm.Indice, 5);
  EXPECT_EQ(destino.nc.Valor, 0.03);
  EXPECT_EQ(destino.nc.Indice, 7);
  EXPECT_EQ(destino.Comprimento(), 120);
  EXPECT_EQ(destino.Sc(), 0.004);
  EXPECT_EQ(destino.Q(), 2.5);
}

struct CasoSecao {
  const char* nome;
  int tipo;
  double B, Z, Sm;
};

TCanal* NovaSecao(const CasoSecao& caso) {
  auto* canal = new TCanal;
  canal->TipoCanal.Tipo = static_cast<uint8_t>(caso.tipo);
  canal->SetB(caso.B);
  canal->Z.Valor = caso.Z;
  canal->Sm.Valor = caso.Sm;
  return canal;
}

// Hand results: trapezoid B = 1, Z = 1: (√(1 + 8) − 1)/2 = 1; triangle
// Z = Sm = 0.5: 1/Z + 1/Sm = 4, √(2·2/4) = 1.
TEST(Canal, ProfundidadeDaAreaCalculadaAMao) {
  const CasoSecao trapezio{"trapezio", 0, 1, 1, 0}, triangulo{"triangulo", 1, 0, 0.5, 0.5};
  for (const auto& caso : {trapezio, triangulo}) {
    std::unique_ptr<TCanal> canal(NovaSecao(caso));
    EXPECT_REL_NEAR(canal->ProfundidadeDaArea(2), 1.0, 1e-14) << caso.nome;
    EXPECT_EQ(canal->ProfundidadeDaArea(0), 0) << caso.nome;
  }
}

class GeometriaSecao : public ::testing::TestWithParam<CasoSecao> {};

// The depth from an area is the inverse of the area of a depth, and the
// geometry satisfies the identities of each shape.
TEST_P(GeometriaSecao, ProfundidadeInverteAArea) {
  std::unique_ptr<TCanal> canal(NovaSecao(GetParam()));
  for (double y : {0.01, 0.2, 1.0, 3.7}) {
    const double area = canal->AreaMolhada(y);
    EXPECT_REL_NEAR(canal->ProfundidadeDaArea(area), y, 1e-12);
    if (GetParam().tipo == 1) {
      const double k = 1 / GetParam().Z + 1 / GetParam().Sm;
      EXPECT_REL_NEAR(canal->LarguraSuperficial(y), std::sqrt(area) * std::sqrt(2 * k), 1e-12);
    } else {
      EXPECT_REL_NEAR(canal->PerimetroMolhado(y),
                      GetParam().B + 2 * y * std::sqrt(GetParam().Z * GetParam().Z + 1), 1e-12);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Secoes, GeometriaSecao,
                         ::testing::Values(CasoSecao{"trapezio", 0, 1, 1, 0},
                                           CasoSecao{"trapezio_largo", 0, 2.5, 0.3, 0},
                                           CasoSecao{"triangulo_terraco", 1, 0, 0.05, 0.7},
                                           CasoSecao{"triangulo_simetrico", 1, 0, 0.5, 0.5}),
                         [](const auto& info) { return info.param.nome; });

// A terrace channel: 5 % hillslope side and a 0.7 wall.
TEST(Canal, TrianguloDeTerracoEhLargo) {
  std::unique_ptr<TCanal> canal(NovaSecao({"", 1, 0, 0.05, 0.7}));
  EXPECT_REL_NEAR(canal->LarguraSuperficial(0.1), 0.1 * (20 + 1 / 0.7), 1e-14);
  EXPECT_REL_NEAR(canal->LarguraSuperficial(1), 21.4286, 1e-5);
}

TEST(Canal, TipoDesconhecidoNaoTemProfundidade) {
  TCanal canal;
  canal.TipoCanal.Tipo = 2;
  canal.Z.Valor = 1;
  try {
    canal.ProfundidadeDaArea(1);
    FAIL() << "no error";
  } catch (const ECanal& e) {
    EXPECT_STREQ(e.what(), "Erro. Seção transversal do canal não definida.");
  }
}

// ---- project file ----

class ArquivoCanal : public ::testing::Test {
 protected:
  void Escrever(const std::string& texto) { pasta_.Escrever("canal.cdt", texto); }
  std::string Ler() const { return pasta_.Ler("canal.cdt"); }
  std::string Caminho() const { return pasta_.Arquivo("canal.cdt"); }

  teste::TPastaTemporaria pasta_;
};

TEST_F(ArquivoCanal, GravaSecoesEChavesNaOrdem) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TCanalGradienteCustom canal;
  canal.SetB(0.5);
  canal.SetH(0.4);
  canal.SetHr(0.25);
  canal.SetCDu(1.5);
  canal.Z = TReal(1.5, 3);
  canal.Sm = TReal(0.7, -1);
  canal.SetComprimento(120);
  canal.SetSc(0.000001);
  canal.SetQ(2);
  canal.nc = TReal(0.03, 4);
  EXPECT_TRUE(canal.GravarArquivo(Caminho()));
  EXPECT_EQ(Ler(),
            "[Canal]\r\nVersao=1\r\nH=0,4\r\nHr=0,25\r\nB=0,5\r\nCDu=1,5\r\nIndZ=3\r\nValorZ=1,5\r\n"
            "IndSm=-1\r\nValorSm=0,7\r\nTipoCanal=0\r\n"
            "[CanalGradiente]\r\nVersao=1\r\nComprimento=120\r\nSc=1E-6\r\nQ=2\r\nIndnc=4\r\nnc=0,03\r\n");
}

TEST_F(ArquivoCanal, IdaEVoltaComSufixoPreservaTudo) {
  TCanalCinematicoCustom origem(" 2"), lido(" 2");
  origem.TipoCanal.Tipo = 1;
  origem.SetB(1.25);
  origem.SetH(0.5);
  origem.SetHr(0.125);
  origem.SetCDu(1.1);
  origem.Z = TReal(0.05, -1);
  origem.Sm = TReal(1.0 / 3.0, 6);
  origem.nc = TReal(0.035, 2);
  origem.TCanalGradienteCustom::SetComprimento(300);
  origem.SetSc(0.0035);
  origem.SetQ(0.75);
  ASSERT_TRUE(origem.GravarArquivo(Caminho()));
  EXPECT_NE(Ler().find("[Canal 2]"), std::string::npos);
  EXPECT_NE(Ler().find("[CanalGradiente 2]"), std::string::npos);

  ASSERT_TRUE(lido.LerArquivo(Caminho()));
  EXPECT_EQ(lido.TipoCanal.Tipo, 1);
  EXPECT_EQ(lido.B(), 1.25);
  EXPECT_EQ(lido.H(), 0.5);
  EXPECT_EQ(lido.Hr(), 0.125);
  EXPECT_EQ(lido.CDu(), 1.1);
  EXPECT_EQ(lido.Z.Valor, 0.05);
  EXPECT_EQ(lido.Z.Indice, -1);
  EXPECT_REL_NEAR(lido.Sm.Valor, 1.0 / 3.0, 1e-14);
  EXPECT_EQ(lido.Sm.Indice, 6);
  EXPECT_EQ(lido.nc.Valor, 0.035);
  EXPECT_EQ(lido.nc.Indice, 2);
  EXPECT_EQ(lido.Comprimento(), 300);
  EXPECT_EQ(lido.Sc(), 0.0035);
  EXPECT_EQ(lido.Q(), 0.75);
  // Reading takes the plain length: the node spacing stays unset.
  EXPECT_EQ(lido.DeltaX, 0);
}

// Sections that fail the checks, and what is already stored when they do.
TEST_F(ArquivoCanal, LeituraRecusaSecoesInvalidas) {
  const std::string canalBom =
      "[Canal]\nVersao=1\nB=2\nCDu=0\nIndZ=-1\nValorZ=1\nIndSm=-1\nValorSm=0.5\nTipoCanal=0\n";
  const std::string gradienteBom =
      "[CanalGradiente]\nVersao=1\nComprimento=-3\nSc=0.01\nQ=-4\nIndnc=-1\nnc=0.02\n";
  struct Caso {
    const char* nome;
    std::string texto;
    bool aceito;
    double BEsperado;  // B after the read (9 = untouched)
    int comprimentoEsperado;
  };
  const Caso casos[] = {
      {"completo", canalBom + gradienteBom, true, 2, 0},
      {"sem_canal", gradienteBom, false, 9, 77},
      {"versao_canal_2", "[Canal]\nVersao=2\nB=2\nIndZ=-1\nIndSm=-1\nTipoCanal=0\n" + gradienteBom, false, 9,
       77},
      {"sem_indz", "[Canal]\nVersao=1\nB=2\nIndSm=-1\nTipoCanal=0\n" + gradienteBom, false, 2, 77},
      {"indsm_menos_2", "[Canal]\nVersao=1\nB=2\nIndZ=0\nIndSm=-2\nTipoCanal=0\n" + gradienteBom, false, 2,
       77},
      {"indz_fora_de_8_bits", "[Canal]\nVersao=1\nB=2\nIndZ=200\nIndSm=0\nTipoCanal=0\n" + gradienteBom,
       false, 2, 77},
      {"tipo_2", "[Canal]\nVersao=1\nB=2\nIndZ=0\nIndSm=0\nTipoCanal=2\n" + gradienteBom, false, 2, 77},
      {"sem_tipo", "[Canal]\nVersao=1\nB=2\nIndZ=0\nIndSm=0\n" + gradienteBom, false, 2, 77},
      {"sem_gradiente", canalBom, false, 2, 77},
      {"sem_indnc", canalBom + "[CanalGradiente]\nVersao=1\nComprimento=50\nnc=0.02\n", false, 2, 50},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    toolkit::TRegionalTemporario regional(toolkit::RegionalC());
    Escrever(caso.texto);
    TCanalGradienteCustom canal;
    canal.SetB(9);
    canal.SetComprimento(77);
    EXPECT_EQ(canal.LerArquivo(Caminho()), caso.aceito);
    EXPECT_EQ(canal.B(), caso.BEsperado);
    EXPECT_EQ(canal.Comprimento(), caso.comprimentoEsperado);
    if (caso.aceito) {
      EXPECT_EQ(canal.CDu(), 1.0);  // a missing or low CDu goes through its setter
      EXPECT_EQ(canal.Q(), 0);
      EXPECT_EQ(canal.Z.Indice, -1);
      EXPECT_EQ(canal.nc.Indice, -1);
    }
  }
}

// Values written under one decimal separator keep their value under the other.
TEST_F(ArquivoCanal, SeparadorDecimalDaConfiguracaoRegional) {
  Escrever("[Canal]\nVersao=1\nB=2.5\nValorZ=1,5\nIndZ=0\nIndSm=0\nTipoCanal=1\n");
  for (const auto& regional : {toolkit::RegionalPtBr(), toolkit::RegionalC()}) {
    toolkit::TRegionalTemporario r(regional);
    TCanal canal;
    canal.SetB(7);
    EXPECT_TRUE(canal.LerArquivo(Caminho()));
    EXPECT_EQ(canal.B(), 2.5);
    EXPECT_EQ(canal.Z.Valor, 1.5);
  }
}

}  // namespace
