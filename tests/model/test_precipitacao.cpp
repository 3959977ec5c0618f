// Design storm: IDF intensities, inverse functions, hyetograph and its
// project-file sections. Reference storm: Tr 10, K 1000, a 0.2, b 10, c 0.8,
// so K·Tr^a = 1000·10^0.2 = 1584.893 and I(0) = 1584.893 / 10^0.8 = 251.189 mm/h.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <utility>
#include <vector>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "model/hillslope/uPrecipitacao.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

namespace {

namespace fs = std::filesystem;

void Definir(TPrecipitacaoExponencialNegativa& p, double tr, double k, double a, double b, double c) {
  p.SetTr(tr);
  p.SetK(k);
  p.SetA(a);
  p.SetB(b);
  p.SetC(c);
}

TPrecipitacaoExponencialNegativa Referencia() {
  TPrecipitacaoExponencialNegativa p;
  Definir(p, 10, 1000, 0.2, 10, 0.8);
  return p;
}

class TSerieColetada : public ISerieGrafico {
 public:
  void Limpar() override {
    pontos.clear();
    ++limpezas;
  }
  void Adicionar(double x, double y) override { pontos.emplace_back(x, y); }
  std::vector<std::pair<double, double>> pontos;
  int limpezas = 0;
};

class ArquivoDeChuva : public ::testing::Test {
 protected:
  std::string Caminho(const std::string& nome) const { return temporaria_.Arquivo(nome); }
  void Escrever(const std::string& nome, const std::string& conteudo) const {
    temporaria_.Escrever(nome, conteudo);
  }
  teste::TPastaTemporaria temporaria_;
  toolkit::TRegionalTemporario regional_{toolkit::RegionalC()};
};

TEST(Precipitacao, IntensidadesDaChuvaDeReferencia) {
  auto p = Referencia();
  EXPECT_REL_NEAR(p.KTrA(), 1584.893, 1e-6);
  EXPECT_REL_NEAR(p.IntensidadeInstantanea(0), 251.189, 1e-5);
  EXPECT_REL_NEAR(p.IntensidadeMedia(0), 251.189, 1e-5);
  // I(t) is d(t·i)/dt with i falling: it lies below i for every t > 0.
  for (double t : {0.01, 1.0, 10.0, 60.0, 1440.0})
    EXPECT_LT(p.IntensidadeInstantanea(t), p.IntensidadeMedia(t));
  // i(30) = 1584.893 / 40^0.8 = 1584.893 / 19.12705; P(30) = i·30/60.
  EXPECT_REL_NEAR(p.IntensidadeMedia(30), 82.86135, 1e-5);
  EXPECT_REL_NEAR(p.Altura(30), 41.43068, 1e-5);
  EXPECT_REL_NEAR(p.IntensidadeInstantanea(30), 82.86135 * (1 - 0.8 * 30 / 40), 1e-5);
  for (double t : {0.5, 7.0, 30.0}) EXPECT_REL_NEAR(p.AlturaEntre(0, t), p.Altura(t), 1e-12);
  EXPECT_REL_NEAR(p.AlturaEntre(10, 30), p.Altura(30) - p.Altura(10), 1e-12);
}

TEST(Precipitacao, AtribuicaoRecusaNegativosEGuardaKTrA) {
  struct Caso {
    void (TPrecipitacaoExponencialNegativa::*setter)(double);
    const char* mensagem;
  };
  const Caso casos[] = {
      {&TPrecipitacaoExponencialNegativa::SetTr, "O valor do tempo de retorno (Tr) deve ser maior que zero."},
      {&TPrecipitacaoExponencialNegativa::SetK, "O valor do parâmetro \"K\" deve ser maior que zero."},
      {&TPrecipitacaoExponencialNegativa::SetA, "O valor do parâmetro \"a\" deve ser maior que zero."},
      {&TPrecipitacaoExponencialNegativa::SetB, "O valor do parâmetro \"b\" deve ser maior que zero."},
      {&TPrecipitacaoExponencialNegativa::SetC, "O valor do parâmetro \"c\" deve ser maior que zero."},
  };
  for (const Caso& caso : casos) {
    auto p = Referencia();
    try {
      (p.*caso.setter)(-0.5);
      ADD_FAILURE() << "no error for " << caso.mensagem;
    } catch (const EPrecipitacao& e) {
      EXPECT_STREQ(e.what(), caso.mensagem);
    }
    EXPECT_EQ(p.Tr(), 10);
    EXPECT_EQ(p.K(), 1000);
    EXPECT_EQ(p.A(), 0.2);
    EXPECT_EQ(p.B(), 10);
    EXPECT_EQ(p.C(), 0.8);
    EXPECT_REL_NEAR(p.KTrA(), 1584.893, 1e-6);
  }
}

TEST(Precipitacao, ZeroEhEstadoIntermediarioSemKTrA) {
  auto p = Referencia();
  p.SetTr(0);
  EXPECT_EQ(p.Tr(), 0);
  EXPECT_EQ(p.KTrA(), -1);
  // The cache is used as it is: −1 / 20^0.8.
  EXPECT_REL_NEAR(p.IntensidadeMedia(10), -1 / std::pow(20.0, 0.8), 1e-12);
  p.SetTr(10);
  p.SetB(0);  // b and c never touch the cache
  EXPECT_REL_NEAR(p.KTrA(), 1584.893, 1e-6);
  // ln(0) has no value: an arithmetic error reaches the caller.
  EXPECT_THROW(p.IntensidadeMedia(0), EErroAritmetico);
  EXPECT_THROW(p.IntensidadeInstantanea(-1), EErroAritmetico);
  p.Limpar();
  EXPECT_EQ(p.KTrA(), -1);
  EXPECT_EQ(p.B(), 0);
  EXPECT_EQ(p.Duracao, 0);
}

// A failed evaluation tells the user which time and coefficients failed.
TEST(Precipitacao, ErrosAritmeticosNomeiamOTempoEOsCoeficientes) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  auto p = Referencia();
  const struct {
    double c, t;
    const char* causa;
  } casos[] = {{0.8, -10, "t + b não é maior que zero"},
               {100000, 1, "(t + b) elevado a c ultrapassa"},
               {1000, 0, "(t + b) elevado a c ultrapassa"}};
  for (const auto& caso : casos) {
    p.SetC(caso.c);
    try {
      p.IntensidadeInstantanea(caso.t);
      ADD_FAILURE() << caso.c << " " << caso.t;
    } catch (const EErroAritmetico& e) {
      const std::string m = e.what();
      EXPECT_NE(m.find(caso.causa), std::string::npos) << m;
      EXPECT_NE(m.find("K = 1000, Tr = 10, a = 0,2, b = 10, c = "), std::string::npos) << m;
      EXPECT_NE(m.find("Verifique os parâmetros da chuva."), std::string::npos) << m;
    }
  }
}

TEST(Precipitacao, TempoDaIntensidadeInverteAIntensidadeInstantanea) {
  auto p = Referencia();
  // Newton from the starting guesses for x below 100 and below 200.
  TIteracaoInversa w;
  for (double x : {20.0, 150.0}) {
    const double t = p.TempoDaIntensidade(x, &w);
    EXPECT_GT(t, 0) << x;
    EXPECT_REL_NEAR(p.IntensidadeInstantanea(t), x, 1e-6);
    EXPECT_LE(w.Iteracoes, 100) << "Newton converged for " << x;
    EXPECT_LT(std::fabs(w.Passo), 1e-7);
    EXPECT_EQ(p.TempoDaIntensidade(x), t) << "the working values change nothing";
  }
  // Close to I(0) Newton from t = 1 overshoots below zero; the bisection
  // still finds the time.
  const double t = p.TempoDaIntensidade(250, &w);
  EXPECT_EQ(w.Iteracoes, 200);
  EXPECT_NEAR(p.IntensidadeInstantanea(t), 250, 1e-4);
}

TEST(Precipitacao, TempoDaIntensidadeRecorreABissecao) {
  auto p = Referencia();
  // Above I(0) the storm never gets that strong: Newton leaves t >= 0 and the
  // bisection closes in on t = 0.
  TIteracaoInversa w;
  for (double x : {251.19, 300.0, 600.0}) {
    const double t = p.TempoDaIntensidade(x, &w);
    EXPECT_GE(t, 0);
    EXPECT_LE(t, 1e-7) << x;
    EXPECT_EQ(w.Iteracoes, 200);
    EXPECT_LE(std::fabs(w.LimiteSuperior - w.LimiteInferior), 1e-7);
  }
  // With c < 1 the instantaneous intensity stays positive: 0 is never reached
  // and the bisection runs to its upper bracket.
  EXPECT_REL_NEAR(p.TempoDaIntensidade(0), 100000, 1e-9);
  EXPECT_REL_NEAR(p.TempoDaIntensidade(-5, &w), 100000, 1e-9);
  // Newton stopped there because its step overflowed: the working fields keep
  // the last values that could be computed, never an infinite step.
  EXPECT_EQ(w.Iteracoes, 200);
  EXPECT_TRUE(std::isfinite(w.Passo)) << w.Passo;
  EXPECT_TRUE(std::isfinite(w.Derivada)) << w.Derivada;
}

TEST(Precipitacao, DuracaoDaAlturaInverteAAlturaAcumulada) {
  auto p = Referencia();
  EXPECT_NEAR(p.DuracaoDaAltura(0), 0, 1e-9);
  EXPECT_NEAR(p.DuracaoDaAltura(p.Altura(30)), 30, 1e-7);
  TIteracaoInversa w;
  EXPECT_NEAR(p.DuracaoDaAltura(p.Altura(600), &w), 600, 1e-6);
  EXPECT_LE(w.Iteracoes, 100);
  // An undefined storm (KTrA = −1) has negative depths: Newton runs into
  // t + b <= 0 and the bisection takes over, ending at its lower bracket.
  TPrecipitacaoExponencialNegativa indefinida;
  indefinida.SetB(10);
  indefinida.SetC(0.8);
  EXPECT_NEAR(indefinida.DuracaoDaAltura(10, &w), 1000, 1e-6);
  EXPECT_GT(w.Iteracoes, 100);
}

TEST(Precipitacao, HietogramaTemUmPontoPorMinuto) {
  struct Caso {
    double duracao;
    std::size_t pontos;
  };
  for (const Caso caso : {Caso{0, 50}, Caso{12.4, 12}, Caso{12.5, 12}, Caso{13.5, 14}, Caso{0.3, 0}}) {
    auto p = Referencia();
    p.Duracao = caso.duracao;
    TSerieColetada serie;
    serie.pontos.emplace_back(-1, -1);  // stale point that the storm must clear
    p.PreencherSerie(serie);
    EXPECT_EQ(serie.limpezas, 1);
    ASSERT_EQ(serie.pontos.size(), caso.pontos) << caso.duracao;
    for (std::size_t i = 0; i < serie.pontos.size(); ++i) {
      EXPECT_EQ(serie.pontos[i].first, static_cast<double>(i + 1));
      EXPECT_EQ(serie.pontos[i].second, p.IntensidadeInstantanea(static_cast<double>(i + 1)));
    }
  }
}

TEST_F(ArquivoDeChuva, IdaEVoltaEDiagramaDasSecoes) {
  auto p = Referencia();
  p.Duracao = 60;
  p.PrecipitacaoTotal = 55.5;
  ASSERT_TRUE(p.GravarArquivo(Caminho("a.cdt")));
  EXPECT_EQ(teste::LerBytes(Caminho("a.cdt")),
            "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=60\r\nPrecipitacaoTotal=55.5\r\n"
            "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=0.8\r\n");

  TPrecipitacaoExponencialNegativa lida;
  ASSERT_TRUE(lida.LerArquivo(Caminho("a.cdt")));
  EXPECT_EQ(lida.Duracao, 60);
  EXPECT_EQ(lida.PrecipitacaoTotal, 55.5);
  EXPECT_EQ(lida.Tr(), 10);
  EXPECT_EQ(lida.C(), 0.8);
  EXPECT_REL_NEAR(lida.KTrA(), 1584.893, 1e-6);

  // A suffix names other sections; a storm without one finds nothing there
  // but the old-layout defaults (all zero).
  TPrecipitacaoExponencialNegativa outra("X");
  outra.SetK(5);
  EXPECT_TRUE(outra.LerArquivo(Caminho("a.cdt")));
  EXPECT_EQ(outra.K(), 0);
  EXPECT_EQ(outra.KTrA(), -1);
}

TEST_F(ArquivoDeChuva, ProjetoAntigoEhLidoNoLugarESoMudaAoGravar) {
  const std::string velho =
      "[NIMBORA]\r\nVersao=1\r\nLatitude=29\xB0"
      "20'00\"\r\nDuracao=30\r\nPrecipitacaoTotal=12\r\n"
      "Tr=5\r\nK=800\r\nA=0.25\r\nB=12\r\nC=0.75\r\nIndEstado=3\r\n";
  Escrever("velho.cdt", velho);
  TPrecipitacaoExponencialNegativa p;
  ASSERT_TRUE(p.LerArquivo(Caminho("velho.cdt")));
  EXPECT_EQ(p.Duracao, 30);
  EXPECT_EQ(p.PrecipitacaoTotal, 12);
  EXPECT_EQ(p.B(), 12);
  EXPECT_REL_NEAR(p.KTrA(), 800 * std::pow(5.0, 0.25), 1e-12);
  EXPECT_EQ(teste::LerBytes(Caminho("velho.cdt")), velho);

  // Saving moves the storm: the component's own keys stay, the storm keys
  // now live in the new sections.
  ASSERT_TRUE(p.GravarArquivo(Caminho("velho.cdt")));
  toolkit::TArquivoIni ini(Caminho("velho.cdt"));
  EXPECT_EQ(ini.Chaves("NIMBORA"), (std::vector<std::string>{"Versao", "Latitude", "IndEstado"}));
  EXPECT_EQ(ini.LerString("PRECIPITACAO", "Versao", ""), "2");
  EXPECT_EQ(ini.LerString("PREC_EXPONENCIAL_NEGATIVA", "Versao", ""), "2");
  EXPECT_EQ(ini.LerReal("PREC_EXPONENCIAL_NEGATIVA", "K", 0), 800);

  TPrecipitacaoExponencialNegativa denovo;
  ASSERT_TRUE(denovo.LerArquivo(Caminho("velho.cdt")));
  EXPECT_EQ(denovo.C(), 0.75);
  EXPECT_EQ(denovo.Duracao, 30);
}

// A new-layout storm whose version mark is lost, or whose value is no
// number, is damaged: it is not read (rather than run as zeros), and the
// file keeps every byte.
TEST_F(ArquivoDeChuva, ChuvaDanificadaNaoEhLidaEFicaNoDisco) {
  const std::string bom =
      "[NIMBORA]\r\nVersao=1\r\n"
      "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=30\r\nPrecipitacaoTotal=0\r\n"
      "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10\r\nK=700\r\nA=0.2\r\nB=10\r\nC=0.8\r\n";
  auto trocar = [&](const std::string& de, const std::string& para) {
    std::string t = bom;
    const std::size_t i = t.find(de);
    EXPECT_NE(i, std::string::npos) << de;
    return t.replace(i, de.size(), para);
  };
  const std::string casos[] = {
      trocar("[PRECIPITACAO]\r\nVersao=2\r\n", "[PRECIPITACAO]\r\n"),
      trocar("[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao", "[PREC_EXPONENCIAL_NEGATIVA]\r\nVers\x01o"),
      // A lone CR swallows the version line into the header.
      trocar("[PREC_EXPONENCIAL_NEGATIVA]\r\n", "[PREC_EXPONENCIAL_NEGATIVA]\r"),
      trocar("K=700", "K=7OO"),
      trocar("Duracao=30", "Duracao=3,0.0"),
  };
  for (const std::string& conteudo : casos) {
    Escrever("d.cdt", conteudo);
    TPrecipitacaoExponencialNegativa p;
    EXPECT_FALSE(p.LerArquivo(Caminho("d.cdt"))) << conteudo;
    EXPECT_EQ(teste::LerBytes(Caminho("d.cdt")), conteudo);
  }
  Escrever("d.cdt", bom);
  TPrecipitacaoExponencialNegativa p;
  EXPECT_TRUE(p.LerArquivo(Caminho("d.cdt")));
  EXPECT_EQ(p.K(), 700);
}

TEST_F(ArquivoDeChuva, VersaoDeSecaoDesconhecidaNaoEhLida) {
  Escrever("v.cdt",
           "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=30\r\n"
           "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=9\r\nK=700\r\n");
  auto p = Referencia();
  EXPECT_FALSE(p.LerArquivo(Caminho("v.cdt")));
  EXPECT_EQ(p.Duracao, 30);
  EXPECT_EQ(p.K(), 0);  // cleared before reading, and that section was skipped
  EXPECT_EQ(p.KTrA(), -1);
}

TEST_F(ArquivoDeChuva, ReaisSeguemOSeparadorDecimalRegional) {
  toolkit::TRegionalTemporario ptbr(toolkit::RegionalPtBr());
  auto p = Referencia();
  p.SetB(0.5);
  ASSERT_TRUE(p.GravarArquivo(Caminho("r.cdt")));
  EXPECT_NE(teste::LerBytes(Caminho("r.cdt")).find("B=0,5\r\n"), std::string::npos);
  TPrecipitacaoExponencialNegativa lida;
  ASSERT_TRUE(lida.LerArquivo(Caminho("r.cdt")));
  EXPECT_EQ(lida.B(), 0.5);
  EXPECT_EQ(lida.A(), 0.2);
}

TEST_F(ArquivoDeChuva, ArquivosAusentesOuSemGravacao) {
  auto p = Referencia();
  EXPECT_FALSE(p.GravarArquivo(Caminho("sem/pasta/a.cdt")));
  // A missing file reads as an old project without values, and stays missing.
  EXPECT_TRUE(p.LerArquivo(Caminho("falta.cdt")));
  EXPECT_EQ(p.KTrA(), -1);
  EXPECT_FALSE(fs::exists(Caminho("falta.cdt")));
}

}  // namespace
