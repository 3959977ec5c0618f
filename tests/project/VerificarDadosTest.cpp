// Model checks before a trace: messages, controls and the priority rule.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "common/NomeDoCaso.h"
#include "project/ProjetoExemplo.h"
#include "project/VerificarDados.h"

namespace {

// No row of the curve-number table: row crops without a treatment.
void SemCobertura(TEncostaCinematica& t) {
  t.Cobertura.UsoTerra.Indice = 1;
  t.Cobertura.Tratamento.Indice = 0;
  t.Cobertura.CondicaoHidrologica.Indice = 0;
}

TVerificacao Verificar(TProjeto& p, bool irregular) {
  return VerificarDados(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), irregular);
}

TEST(VerificarDados, ProjetoCorretoPassa) {
  for (int trechos : {1, 3}) {
    TProjeto p;
    teste::PreencherProjeto(p, trechos);
    const TVerificacao v = Verificar(p, trechos > 1);
    EXPECT_TRUE(v.Aprovado);
    EXPECT_EQ(v.Mensagem, " ");
    EXPECT_EQ(v.Controle, "bAvancar");
    EXPECT_NO_THROW(ExigirDadosCorretos(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), trechos > 1));
  }
}

struct CasoFalha {
  const char* nome;
  int trechos;
  int tipoCanal;
  bool irregular;
  std::function<void(TProjeto&)> estragar;
  const char* controle;
  std::string mensagem;
};

class UmaFalha : public ::testing::TestWithParam<CasoFalha> {};

TEST_P(UmaFalha, MensagemEControle) {
  const CasoFalha& c = GetParam();
  TProjeto p;
  teste::PreencherProjeto(p, c.trechos, c.tipoCanal);
  c.estragar(p);
  const TVerificacao v = Verificar(p, c.irregular);
  EXPECT_FALSE(v.Aprovado);
  EXPECT_EQ(v.Controle, c.controle);
  EXPECT_EQ(v.Mensagem, c.mensagem);
  try {
    ExigirDadosCorretos(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), c.irregular);
    ADD_FAILURE() << "no error";
  } catch (const EDadosIncorretos& e) {
    EXPECT_EQ(e.what(), c.mensagem);
    EXPECT_EQ(e.Controle, c.controle);
  }
}

const std::string kNaoFinitos =
    ": com ele, o coeficiente α, a profundidade ou a velocidade do escoamento não seriam números finitos.  ";

TEncostaCinematica& Ultimo(TProjeto& p) {
  return p.Encosta.Trechos(p.Encosta.Count() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, UmaFalha,
    ::testing::Values(
        CasoFalha{"lista vazia, aba irregular", 0, 0, true, [](TProjeto&) {}, "bAdicionar1",
                  "  Nenhum trecho definido para a encosta.  "},
        CasoFalha{"lista vazia, aba regular", 0, 0, false, [](TProjeto&) {}, "bAdicionar1",
                  "  Nenhum trecho definido para a encosta.  "},
        CasoFalha{"nt", 1, 0, false, [](TProjeto& p) { Ultimo(p).nt.Valor = 0; }, "ent",
                  "  Valor incorreto da rugosidade do terreno.  "},
        CasoFalha{"comprimento", 1, 0, false, [](TProjeto& p) { Ultimo(p).SetComprimento(0); }, "eEncComp",
                  "  Valor incorreto do comprimento da encosta.  "},
        CasoFalha{"St", 1, 0, false, [](TProjeto& p) { Ultimo(p).SetSt(-0.1); }, "eSt",
                  "  Valor incorreto da declividade da encosta.  "},
        CasoFalha{"St NaN", 1, 0, false, [](TProjeto& p) { Ultimo(p).SetSt(std::nan("")); }, "eSt",
                  "  Valor incorreto da declividade da encosta.  "},
        CasoFalha{"cobertura", 1, 0, false, [](TProjeto& p) { SemCobertura(Ultimo(p)); }, "bCoberVeg",
                  "  Nenhuma informação sobre cobertura vegetal foi fornecida.  "},
        // A rate of 0 would keep rainfall excess going for ever.
        CasoFalha{"VIB zero", 1, 0, false, [](TProjeto& p) { Ultimo(p).SetVIB(0); }, "eVIB",
                  "  Valor incorreto da taxa de infiltração estável.  "},
        CasoFalha{"aba regular olha so o ultimo trecho", 3, 0, false,
                  [](TProjeto& p) {
                    p.Encosta.Trechos(0).SetVIB(0);
                    Ultimo(p).SetComprimento(0);
                  },
                  "eEncComp", "  Valor incorreto do comprimento da encosta.  "},
        CasoFalha{"trecho 2 sem nt", 3, 0, true, [](TProjeto& p) { p.Encosta.Trechos(1).nt.Valor = 0; },
                  "tgEncosta1", "  Valor incorreto da rugosidade do terreno no trecho 2 da encosta.  "},
        CasoFalha{"trecho 3 curto", 3, 0, true, [](TProjeto& p) { p.Encosta.Trechos(2).SetComprimento(0); },
                  "tgEncosta1", "  Valor incorreto do comprimento da encosta para o trecho 3 da encosta.  "},
        CasoFalha{"trecho 1 plano", 3, 0, true, [](TProjeto& p) { p.Encosta.Trechos(0).SetSt(0); },
                  "tgEncosta1", "  Valor incorreto da declividade da encosta para o trecho 1 da encosta.  "},
        CasoFalha{"trechos 2 e 3 sem cobertura: vale o 3", 3, 0, true,
                  [](TProjeto& p) {
                    SemCobertura(p.Encosta.Trechos(1));
                    SemCobertura(p.Encosta.Trechos(2));
                  },
                  "tgEncosta1",
                  "  Nenhuma informação sobre cobertura vegetal foi fornecida para o trecho 3 da encosta.  "},
        CasoFalha{"no trecho, VIB antes da cobertura", 3, 0, true,
                  [](TProjeto& p) {
                    SemCobertura(p.Encosta.Trechos(1));
                    p.Encosta.Trechos(1).SetVIB(0);
                    p.Encosta.Trechos(1).nt.Valor = 0;
                  },
                  "tgEncosta1",
                  "  Valor incorreto da taxa de infiltração estável para o trecho 2 da encosta.  "},
        CasoFalha{"Z trapezio", 1, 0, false, [](TProjeto& p) { p.Canal.Z.Valor = 0; }, "eZ",
                  "  Valor incorreto da declividade da parede do canal trapezoidal.  "},
        CasoFalha{"base trapezio", 1, 0, false, [](TProjeto& p) { p.Canal.SetB(0); }, "eBCan",
                  "  Valor incorreto da base do canal trapezoidal.  "},
        CasoFalha{"parede 1 triangulo", 1, 1, false, [](TProjeto& p) { p.Canal.Z.Valor = 0; }, "em1",
                  "  Valor incorreto da declividade da parede 1 do canal triangular.  "},
        CasoFalha{"parede 2 triangulo", 1, 1, false, [](TProjeto& p) { p.Canal.Sm.Valor = 0; }, "emSm",
                  "  Valor incorreto da declividade da parede 2 do canal triangular.  "},
        CasoFalha{"base zero nao importa no triangulo, nc sim", 1, 1, false,
                  [](TProjeto& p) {
                    p.Canal.SetB(0);
                    p.Canal.nc.Valor = 0;
                  },
                  "enc", "  Valor incorreto da rugosidade do canal.  "},
        CasoFalha{"comprimento do canal", 1, 0, false, [](TProjeto& p) { p.Canal.SetComprimento(0); }, "eCanComp",
                  "  Valor incorreto do comprimento do canal.  "},
        CasoFalha{"Sc", 1, 0, false, [](TProjeto& p) { p.Canal.SetSc(0); }, "eSc",
                  "  Valor incorreto da declividade do canal.  "},
        CasoFalha{"c", 1, 0, false, [](TProjeto& p) { p.Nimbora.Precipitacao().SetC(0); }, "eC",
                  "  Valor incorreto do parâmetro \"c\" da equação de chuvas intensas.  "},
        CasoFalha{"b", 1, 0, false, [](TProjeto& p) { p.Nimbora.Precipitacao().SetB(0); }, "eB",
                  "  Valor incorreto do parâmetro \"b\" da equação de chuvas intensas.  "},
        CasoFalha{"a", 1, 0, false, [](TProjeto& p) { p.Nimbora.Precipitacao().SetA(0); }, "eA",
                  "  Valor incorreto do parâmetro \"a\" da equação de chuvas intensas.  "},
        CasoFalha{"K", 1, 0, false, [](TProjeto& p) { p.Nimbora.Precipitacao().SetK(0); }, "eK",
                  "  Valor incorreto do parâmetro \"K\" da equação de chuvas intensas.  "},
        CasoFalha{"Tr", 1, 0, false, [](TProjeto& p) { p.Nimbora.Precipitacao().SetTr(0); }, "eTr",
                  "  Valor incorreto do tempo de retorno.  "},
        // The last failing check wins: Tr hides the channel roughness and an empty list.
        CasoFalha{"Tr e nc", 0, 0, true,
                  [](TProjeto& p) {
                    p.Nimbora.Precipitacao().SetTr(0);
                    p.Canal.nc.Valor = 0;
                  },
                  "eTr", "  Valor incorreto do tempo de retorno.  "},
        CasoFalha{"nc esconde o canal e a encosta", 3, 1, true,
                  [](TProjeto& p) {
                    p.Canal.nc.Valor = 0;
                    p.Canal.Sm.Valor = 0;
                    p.Encosta.Trechos(2).SetVIB(0);
                  },
                  "enc", "  Valor incorreto da rugosidade do canal.  "},
        CasoFalha{"secao esconde a encosta", 3, 0, true,
                  [](TProjeto& p) {
                    p.Canal.SetB(0);
                    p.Encosta.Trechos(2).SetVIB(0);
                  },
                  "eBCan", "  Valor incorreto da base do canal trapezoidal.  "},
        // Positive values whose flow law or section overflows: the field
        // that is orders of magnitude out is named.
        CasoFalha{"nt extremo", 1, 0, false, [](TProjeto& p) { Ultimo(p).nt.Valor = 2.2e-308; }, "ent",
                  "  Valor incorreto da rugosidade do terreno" + kNaoFinitos},
        CasoFalha{"nt enorme", 1, 0, false, [](TProjeto& p) { Ultimo(p).nt.Valor = 1e300; }, "ent",
                  "  Valor incorreto da rugosidade do terreno" + kNaoFinitos},
        CasoFalha{"St enorme e nt minusculo: culpa do mais extremo", 1, 0, false,
                  [](TProjeto& p) {
                    Ultimo(p).SetSt(1.7e308);
                    Ultimo(p).nt.Valor = 1e-152;
                  },
                  "eSt", "  Valor incorreto da declividade da encosta" + kNaoFinitos},
        CasoFalha{"trecho 2 com nt extremo", 3, 0, true,
                  [](TProjeto& p) { p.Encosta.Trechos(1).nt.Valor = 2.2e-308; }, "tgEncosta1",
                  "  Valor incorreto da rugosidade do terreno no trecho 2 da encosta" + kNaoFinitos},
        CasoFalha{"nc extremo", 1, 0, false, [](TProjeto& p) { p.Canal.nc.Valor = 2.2e-308; }, "enc",
                  "  Valor incorreto da rugosidade do canal" + kNaoFinitos},
        CasoFalha{"Z trapezio extremo", 1, 0, false, [](TProjeto& p) { p.Canal.Z.Valor = 1.7e308; }, "eZ",
                  "  Valor incorreto da declividade da parede do canal trapezoidal" + kNaoFinitos},
        CasoFalha{"base extrema", 1, 0, false, [](TProjeto& p) { p.Canal.SetB(1.7e308); }, "eBCan",
                  "  Valor incorreto da base do canal trapezoidal" + kNaoFinitos},
        // A value that fails its own check keeps its own message.
        CasoFalha{"nt negativo e St extremo", 1, 0, false,
                  [](TProjeto& p) {
                    Ultimo(p).nt.Valor = -1;
                    Ultimo(p).SetSt(4.9e-324);
                  },
                  "ent", "  Valor incorreto da rugosidade do terreno.  "}),
    teste::PeloNome());

// Extreme values whose derived quantities stay finite are the user's to
// choose: a triangle with a vertical wall, a glassy or very steep hillslope.
TEST(VerificarDados, ExtremosComGrandezasFinitasPassam) {
  const std::function<void(TProjeto&)> casos[] = {
      [](TProjeto& p) { p.Canal.Sm.Valor = 1.7e308; },
      [](TProjeto& p) { p.Canal.Z.Valor = 1.7e308; },
      [](TProjeto& p) { Ultimo(p).nt.Valor = 1e-9; },
      [](TProjeto& p) { Ultimo(p).SetSt(1e10); },
  };
  for (const auto& estragar : casos) {
    TProjeto p;
    teste::PreencherProjeto(p, 1, 1);
    estragar(p);
    const TVerificacao v = Verificar(p, false);
    EXPECT_TRUE(v.Aprovado) << v.Mensagem;
  }
}

TEST(VerificarDados, TipoDeCanalDesconhecidoEhErroImediato) {
  TProjeto p;
  teste::PreencherProjeto(p, 1);
  p.Canal.TipoCanal.Tipo = 2;
  p.Nimbora.Precipitacao().SetTr(0);
  try {
    Verificar(p, false);
    FAIL() << "no error";
  } catch (const ECanal& e) {
    EXPECT_STREQ(e.what(), "Erro. Tipo de canal não definido.");
  }
}

}  // namespace
