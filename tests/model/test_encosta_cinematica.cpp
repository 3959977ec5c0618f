// Kinematic-wave hillslope of one plane: grid, end of excess, abstraction
// time, the scheme's steady state, the reference run and its invariants, the
// no-runoff paths, the upstream supply and the failures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/NomeDoCaso.h"
#include "common/Tolerancia.h"
#include "encosta_comum.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uOndaCinematica.h"
#include "toolkit/Regional.h"

namespace {

using namespace encosta_teste;

const char* const kSemEscoamentoMsg = "Para as condições especificadas, não há ocorrência de escoamento.";

TEST(EncostaCinematica, GradeSegueOComprimentoEPassoSegueAInfiltracao) {
  struct {
    int comprimento;
    double dx;
    int n;
  } const grades[] = {{1, 0.01, 100}, {40, 0.4, 100}, {50, 0.5, 100}, {51, 0.5, 102}, {120, 0.5, 240}};
  for (const auto& g : grades) {
    TEncostaCinematica e;
    e.SetComprimento(g.comprimento);
    EXPECT_REL_NEAR(e.DeltaX(), g.dx, 1e-12) << g.comprimento;
    EXPECT_EQ(e.NumeroLinhas(), g.n) << g.comprimento;
    EXPECT_REL_NEAR(e.NumeroLinhas() * e.DeltaX(), g.comprimento, 1e-12);
  }
  struct {
    double vib, dt;
  } const passos[] = {{0, 0.35},  {10, 0.35}, {10.01, 0.30}, {30, 0.30},  {30.5, 0.25},
                      {60, 0.25}, {90, 0.20}, {120, 0.15},   {121, 0.10}, {500, 0.10}};
  for (const auto& p : passos) {
    TEncostaCinematica e;
    e.SetVIB(p.vib);
    EXPECT_DOUBLE_EQ(e.DeltaT(), p.dt) << p.vib;
  }
}

TEST(EncostaCinematica, ComprimentoNegativoRecusadoComAMensagemDaVersao) {
  struct {
    const char* versao;
    const char* mensagem;
  } const casos[] = {
      {"1", "O Item do comprimento da encosta não pode ser menor ou igual a zero."},
      {"2", "O Item do comprimento de um trecho da encosta não pode ser menor ou igual a zero."},
  };
  for (const auto& c : casos) {
    TEncostaCinematica e;
    e.Versao = c.versao;
    e.SetComprimento(0);
    EXPECT_EQ(e.Comprimento(), 0);
    e.SetComprimento(30);
    try {
      e.SetComprimento(-1);
      ADD_FAILURE() << "accepted -1";
    } catch (const EEncostaCinematica& x) {
      EXPECT_STREQ(x.what(), c.mensagem);
    }
    EXPECT_EQ(e.Comprimento(), 30);
  }
}

TEST(EncostaCinematica, LimparEAssign) {
  TEncostaCinematica origem("X");
  PlanoReferencia(origem, 75, "2");
  origem.Cobertura.UsoTerra.Indice = 5;
  origem.LaminaEscoada = 0.5;

  TEncostaCinematica destino("Y");
  EXPECT_EQ(destino.Versao, "1");
  destino.LaminaEscoada = 0.25;
  destino.Assign(origem);
  EXPECT_EQ(destino.Comprimento(), 75);
  EXPECT_EQ(destino.Versao, "2");
  EXPECT_DOUBLE_EQ(destino.VIB(), 20);
  EXPECT_DOUBLE_EQ(destino.nt.Valor, 0.03);
  EXPECT_EQ(destino.Cobertura.UsoTerra.Indice, 5);
  EXPECT_EQ(destino.Sufixo, "Y");
  EXPECT_EQ(destino.Cobertura.Sufixo, "Y");
  EXPECT_DOUBLE_EQ(destino.LaminaEscoada, 0.25);

  destino.Limpar();
  EXPECT_EQ(destino.Comprimento(), 0);
  EXPECT_EQ(destino.Versao, "1");
  EXPECT_DOUBLE_EQ(destino.LaminaEscoada, 0);
  EXPECT_DOUBLE_EQ(destino.VIB(), 0);
  EXPECT_EQ(destino.Sufixo, "Y");
}

TEST(EncostaCinematica, TempoFinalEscoamentoEhOndeAIntensidadeCaiAoTie) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  for (double tie : {20.0, 100.0, 250.0}) {
    const double t = TempoFinalEscoamento(chuva, "2", tie);
    EXPECT_REL_NEAR(chuva.IntensidadeInstantanea(t), tie, 1e-9) << tie;
  }
  EXPECT_NEAR(TempoFinalEscoamento(chuva, "1", 20), 49.92, 0.005);

  // A peak not above Tie: no runoff at all.
  const double pico = 1000 * std::pow(10, 0.2) / std::pow(10, 0.8);
  for (double tie : {pico, 300.0}) {
    EXPECT_EQ(TempoFinalEscoamento(chuva, "2", tie), 0);
    try {
      TempoFinalEscoamento(chuva, "1", tie);
      ADD_FAILURE() << tie;
    } catch (const EEncostaCinematica& x) {
      EXPECT_STREQ(x.what(), kSemEscoamentoMsg);
    }
  }
}

TEST(EncostaCinematica, TempoFinalSemConvergenciaAvisaOUsuario) {
  // With c = 0 the intensity never falls: Newton cannot even take a step.
  TPrecipitacaoExponencialNegativa chuva;
  DefinirChuva(chuva, 10, 1000, 0.2, 10, 0);
  try {
    TempoFinalEscoamento(chuva, "2", 20);
    ADD_FAILURE();
  } catch (const EEncostaCinematica& x) {
    EXPECT_EQ(std::string(x.what()).rfind(
                  "Não houve convergência quando calculando o tempo final do escoamento.\n", 0),
              0u)
        << x.what();
  }
}

TEST(EncostaCinematica, TempoAbstracaoInicialEnchePrimeiroAAbstracao) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e);
  const double Ia = AbstracaoInicial(e);
  EXPECT_NEAR(Ia, 1.5711, 1e-4);  // (100/97 - 1) * 50.8
  const double tia = TempoAbstracaoInicial(e, chuva);
  EXPECT_NEAR(tia, 0.3869, 1e-4);
  EXPECT_REL_NEAR(chuva.Altura(tia), Ia, 1e-6);

  // A cover the curve-number table does not list abstracts nothing.
  e.Cobertura.UsoTerra.Indice = 1;
  e.Cobertura.Tratamento.Indice = 1;
  e.Cobertura.CondicaoHidrologica.Indice = 2;
  EXPECT_NEAR(TempoAbstracaoInicial(e, chuva), 0, 1e-6);
}

// Under a constant excess e every cell settles where inflow and outflow
// balance, so the outlet carries e times the length, whichever march rules.
TEST(OndaCinematica, ExcessoConstanteChegaAEVezesL) {
  struct {
    int n;
    double dx, dtS, eMmH;
    int passos;
  } const casos[] = {
      {100, 0.4, 18, 30, 3000},     // deep: space march
      {240, 0.5, 18, 5, 3000},      // 120 m, slow rain
      {240, 0.5, 6, 200, 3000},     // short steps, heavy rain
      {100, 0.4, 21, 0.01, 60000},  // shallower than h*: time march
  };
  const double alfa = std::sqrt(0.05) / 0.03;
  for (const auto& c : casos) {
    TPlanoCinematico plano(c.n, c.dx, c.dtS, alfa);
    const double e = c.eMmH / 3600000;  // m/s
    const double qTopo = c.eMmH * c.dx / 3600;
    plano.DefinirTopo(qTopo);
    for (int k = 0; k < c.passos; ++k) {
      plano.Avancar(e);
      plano.DefinirTopo(qTopo);
    }
    const double esperado = e * c.n * c.dx * 1000;  // L/s per metre
    EXPECT_REL_NEAR(plano.VazaoSaida(), esperado, 1e-6) << c.n << " cells, e " << c.eMmH;
    const double hSaida = std::pow(esperado / (1000 * alfa), 0.6);
    if (c.eMmH < 1)
      EXPECT_LT(hSaida, plano.HEstrela());
    else
      EXPECT_GT(hSaida, plano.HEstrela());
  }
}

class EncostaReferencia : public ::testing::TestWithParam<const char*> {};

// The older single-piece layout computes a plane with runoff the same way.
INSTANTIATE_TEST_SUITE_P(Versoes, EncostaReferencia, ::testing::Values("1", "2"),
                         [](const auto& info) { return std::string("versao") + info.param; });

TEST_P(EncostaReferencia, CasoDeReferencia) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e, 40, GetParam());
  EXPECT_NEAR(e.Alfa(), 7.4536, 1e-4);
  EXPECT_DOUBLE_EQ(e.DeltaT(), 0.30);

  auto q = e.CalcularCaudalente(chuva, nullptr, nullptr, 100);
  ASSERT_EQ(q->Count(), 198);
  EXPECT_NEAR(q->Ponto(0).Tempo, 0.3869, 1e-4);
  EXPECT_EQ(q->Ponto(0).Vazao, 0);
  EXPECT_NEAR(q->Ponto(197).Tempo, 59.487, 1e-3);
  EXPECT_EQ(q->Ponto(197).Vazao, 0);
  EXPECT_NEAR(q->VazaoMaxima, 1.655, 1e-3);
  EXPECT_NEAR(q->TempoPico, 3.387, 1e-3);
  EXPECT_NEAR(q->Volume, 1245.4, 0.1);
  EXPECT_NEAR(e.LaminaEscoada, 0.03113, 1e-5);
  EXPECT_DOUBLE_EQ(q->Lamina, e.LaminaEscoada);
  EXPECT_REL_NEAR(e.LaminaEscoada, q->Volume / (100 * 0.4 * 1000), 1e-12);
  EXPECT_EQ(q->Local, 1);
  EXPECT_REL_NEAR(q->Alfa, e.Alfa(), 1e-12);
  EXPECT_REL_NEAR(q->Expoente, 5.0 / 3.0, 1e-12);

  // Points one step apart (the next segment reads the series by its spacing),
  // the last wet one closed by a zero one step later.
  for (int k = 1; k < q->Count(); ++k) EXPECT_NEAR(q->Ponto(k).Tempo - q->Ponto(k - 1).Tempo, 0.3, 1e-9) << k;
  EXPECT_GT(q->Ponto(196).Vazao, 0);

  // What leaves the outlet is what fell beyond abstraction and infiltration
  // (less the little left on the slope when the excess ends, which soaks in,
  // and the scheme samples the excess at the step ends: a few % off).
  const double tia = TempoAbstracaoInicial(e, chuva);
  const double tfe = TempoFinalEscoamento(chuva, "2", 20);
  EXPECT_REL_NEAR(q->Volume, 40 * ExcessoMm(chuva, tia, tfe, 20), 0.03);
  // Depth at the peak from the flow law.
  EXPECT_REL_NEAR(q->Profundidade, std::pow(q->VazaoMaxima / (1000 * e.Alfa()), 0.6), 1e-9);
}

TEST(EncostaCinematica, ProgressoMostraOTempoACada23Passos) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e);
  TProgressoGravado progresso;
  auto q = e.CalcularCaudalente(chuva, nullptr, &progresso, 100);
  // 196 wet steps and the dry one that ends the run: 197 steps, 8 reports,
  // at tia + 23 k * 0.3 min.
  ASSERT_EQ(q->Count(), 198);
  ASSERT_EQ(progresso.textos.size(), 8u);
  EXPECT_EQ(progresso.textos.front(), "7,3");  // 0.3869 + 6.9
  EXPECT_EQ(progresso.textos.back(), "55,6");  // 0.3869 + 55.2
  EXPECT_EQ(progresso.processamentos, 9);      // once before the loop as well
}

struct TCasoSemEscoamento {
  const char* nome;
  const char* versao;
  double vib;
  int usoTerra, tratamento, condicao;
  const char* mensagem;  // nullptr: silent
};

class EncostaSemEscoamento : public ::testing::TestWithParam<TCasoSemEscoamento> {};

TEST_P(EncostaSemEscoamento, SerieVaziaComOuSemAviso) {
  const auto& c = GetParam();
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TMensagensGravadas mensagens;
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e, 40, c.versao);
  e.SetVIB(c.vib);
  e.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(c.usoTerra);
  e.Cobertura.Tratamento.Indice = static_cast<uint8_t>(c.tratamento);
  e.Cobertura.CondicaoHidrologica.Indice = static_cast<uint8_t>(c.condicao);
  e.LaminaEscoada = 9;

  auto q = e.CalcularCaudalente(chuva, nullptr, nullptr, 100);
  EXPECT_EQ(q->Count(), 0);
  EXPECT_EQ(q->Local, 1);
  EXPECT_EQ(e.LaminaEscoada, 0);
  if (c.mensagem) {
    ASSERT_EQ(mensagens.textos.size(), 1u);
    EXPECT_EQ(mensagens.textos[0], c.mensagem);
    EXPECT_TRUE(q->SemEscoamento);
  } else {
    EXPECT_TRUE(mensagens.textos.empty());
    EXPECT_FALSE(q->SemEscoamento);
  }
}

// Pasture, contour, good condition and VIB > 190: CN 15, Ia = 287.9 mm, which
// the storm fills long after its intensity fell below 200 mm/h.
INSTANTIATE_TEST_SUITE_P(
    Casos, EncostaSemEscoamento,
    ::testing::Values(
        TCasoSemEscoamento{
            "TieAcimaDoPico", "1", 300, 0, 0, 0,
            "Para Tie = 300,0 e para as condições fornecidas não existe escoamento, pois a Tie é "
            "maior do que a intensidade instantânea de precipitação."},
        TCasoSemEscoamento{"TieAcimaDoPicoTrecho", "2", 300, 0, 0, 0, nullptr},
        TCasoSemEscoamento{
            "AbstracaoDepoisDoFim", "1", 200.25, 4, 2, 3,
            "Para Tie = 200,25 e para as condições fornecidas não existe escoamento, pois o tempo "
            "para preenchimento das abstrações iniciais é maior do que o tempo final do escoamento."},
        TCasoSemEscoamento{"AbstracaoDepoisDoFimTrecho", "2", 200.25, 4, 2, 3, nullptr}),
    [](const ::testing::TestParamInfo<TCasoSemEscoamento>& i) { return std::string(i.param.nome); });

TEST(EncostaCinematica, PicoIgualAoTieNaVersao1EhErro) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e, 40, "1");
  e.SetVIB(1000 * std::pow(10, 0.2) / std::pow(10, 0.8));
  try {
    e.CalcularCaudalente(chuva, nullptr, nullptr, 100);
    ADD_FAILURE();
  } catch (const EEncostaCinematica& x) {
    EXPECT_STREQ(x.what(), kSemEscoamentoMsg);
  }
}

// One cell drains what falls on it plus what comes from above, until the sum
// is no longer positive.
TEST(EncostaCinematica, CelulaUnicaComESemEntrada) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e);
  const double dx = 0.4, dt = 0.3, vib = 20;

  TCaudalente entrada;
  for (int k = 0; k <= 400; ++k) entrada.Adicionar(k * 0.5, 1.0);  // 1 L/s until t = 200

  for (TCaudalente* cima : {static_cast<TCaudalente*>(nullptr), &entrada}) {
    auto q = e.CalcularCaudalente(chuva, cima, nullptr, 1);
    ASSERT_GE(q->Count(), 3);
    const double tia = TempoAbstracaoInicial(e, chuva);
    EXPECT_REL_NEAR(q->Ponto(0).Tempo, tia, 1e-12);
    EXPECT_EQ(q->Ponto(0).Vazao, 0);
    const int ultimo = q->Count() - 1;
    for (int k = 1; k < ultimo; ++k) {
      const double t = q->Ponto(k).Tempo;
      EXPECT_NEAR(t, tia + k * dt, 1e-9);
      const double esperado = (chuva.IntensidadeInstantanea(t) - vib) * dx / 3600 + (cima ? 1.0 : 0.0);
      EXPECT_REL_NEAR(q->Ponto(k).Vazao, esperado, 1e-9) << k;
    }
    EXPECT_EQ(q->Ponto(ultimo).Vazao, 0);
    const double tFim = q->Ponto(ultimo).Tempo;
    if (cima) {
      // Ends at the first step at or after the upstream series' last time.
      EXPECT_GE(tFim, 200);
      EXPECT_LT(tFim, 200 + dt);
      EXPECT_REL_NEAR(cima->Alfa, e.Alfa(), 1e-12);
      EXPECT_REL_NEAR(cima->Expoente, 5.0 / 3.0, 1e-12);
    } else {
      // Ends at the first step past the end of excess.
      const double tfe = TempoFinalEscoamento(chuva, "2", vib);
      EXPECT_GE(tFim, tfe);
      EXPECT_LT(tFim - dt, tfe);
    }
    EXPECT_REL_NEAR(e.LaminaEscoada, q->Volume / (1 * dx * 1000), 1e-12);
  }
}

// A segment whose soil takes in more than it rains still passes on (part of)
// the water from above: its dry outlet at the start must not end the run.
TEST(EncostaCinematica, TrechoSecoConduzAEntrada) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica e;
  PlanoReferencia(e, 40, "2");
  e.SetVIB(300);  // above the storm's peak

  // Triangle 0..30 min, 50 L/s at 10 min: more than the soil can take in
  // along 40 m (at most 40 m * 300 mm/h = 3.3 L/s).
  TCaudalente entrada;
  for (int k = 0; k <= 60; ++k) {
    const double t = k * 0.5;
    entrada.Adicionar(t, t <= 10 ? 5 * t : 2.5 * (30 - t));
  }
  entrada.Local = 1;
  entrada.Calcular(1);
  const double volumeEntrada = entrada.Volume;

  auto q = e.CalcularCaudalente(chuva, &entrada, nullptr, 100);
  ASSERT_GE(q->Count(), 3);
  EXPECT_GT(q->Volume, 0.5 * volumeEntrada);
  EXPECT_LT(q->Volume, volumeEntrada);  // infiltration takes its share
  EXPECT_LT(q->VazaoMaxima, 50);
  EXPECT_GT(q->TempoPico, 10);
  EXPECT_EQ(q->Ponto(q->Count() - 1).Vazao, 0);
  // The outlet stays dry while the front crosses the segment; the series
  // opens with one zero a step before the first wet one (not with a run of
  // zeros, which a channel would take for no runoff) and stays evenly spaced.
  EXPECT_EQ(q->Ponto(0).Vazao, 0);
  EXPECT_GT(q->Ponto(1).Vazao, 0);
  EXPECT_GT(q->Ponto(0).Tempo, TempoAbstracaoInicial(e, chuva) + e.DeltaT());
  const double dt = e.DeltaT();
  for (int k = 1; k < q->Count(); ++k) EXPECT_NEAR(q->Ponto(k).Tempo - q->Ponto(k - 1).Tempo, dt, 1e-9) << k;
}

// A storm whose cumulative depth peaks below the initial abstraction (C > 1)
// never fills it: no runoff, instead of runoff counted from t = 0.
TEST(EncostaCinematica, AbstracaoNuncaPreenchidaNaoDaEscoamento) {
  TPrecipitacaoExponencialNegativa chuva;
  DefinirChuva(chuva, 10, 1000, 0.2, 10, 1.5);  // P(t) peaks at t = 20 min, about 3.2 mm
  TEncostaCinematica e;
  PlanoReferencia(e, 40, "2");
  e.Cobertura.UsoTerra.Indice = 5;  // forest in good condition: Ia about 17.8 mm
  e.Cobertura.CondicaoHidrologica.Indice = 3;
  e.SetVIB(50);
  ASSERT_LT(chuva.Altura(20), AbstracaoInicial(e));
  EXPECT_TRUE(std::isinf(TempoAbstracaoInicial(e, chuva)));
  EXPECT_EQ(e.CalcularCaudalente(chuva, nullptr, nullptr, 100)->Count(), 0);

  TMensagensGravadas mensagens;
  e.Versao = "1";
  const auto semEscoamento = e.CalcularCaudalente(chuva, nullptr, nullptr, 100);
  EXPECT_EQ(semEscoamento->Count(), 0);
  EXPECT_TRUE(semEscoamento->SemEscoamento);
  ASSERT_EQ(mensagens.textos.size(), 1u);
  EXPECT_NE(mensagens.textos[0].find("abstrações iniciais"), std::string::npos);
}

// Runoff that would outlast what a series holds (a very low Tie under a slowly
// fading storm) stops with a message instead of overflowing the series.
TEST(EncostaCinematica, EscoamentoLongoDemaisEhRecusado) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  for (int linhas : {1, 2}) {
    TEncostaCinematica e;
    PlanoReferencia(e, 40, "2");
    e.SetVIB(0.05);  // I(t) reaches 0.05 mm/h after some 40 days
    try {
      e.CalcularCaudalente(chuva, nullptr, nullptr, linhas);
      ADD_FAILURE() << linhas;
    } catch (const EEncostaCinematica& x) {
      EXPECT_NE(std::string(x.what()).find("65535"), std::string::npos) << x.what();
    }
  }
}

TEST(EncostaCinematica, DadosQueNaoFormamGradeSaoRecusados) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  struct {
    const char* nome;
    int comprimento;
    double st, nt;
    int linhas;
  } const casos[] = {{"linha 0", 40, 0.05, 0.03, 0},      {"linha alem da ultima", 40, 0.05, 0.03, 101},
                     {"comprimento 0", 0, 0.05, 0.03, 1}, {"declividade 0", 40, 0, 0.03, 100},
                     {"rugosidade 0", 40, 0.05, 0, 100},  {"declividade negativa", 40, -0.05, 0.03, 100}};
  for (const auto& c : casos) {
    TEncostaCinematica e;
    PlanoReferencia(e, c.comprimento);
    e.SetSt(c.st);
    e.nt.Valor = c.nt;
    EXPECT_THROW(e.CalcularCaudalente(chuva, nullptr, nullptr, c.linhas), EEncostaCinematica) << c.nome;
  }
}

// A storm that breaks down in the middle of a run, well after the root
// finders of the start are done with it.
class TChuvaQuebrada : public TPrecipitacaoExponencialNegativa {
 public:
  explicit TChuvaQuebrada(bool lanca) : lanca_(lanca) { ChuvaReferencia(*this); }
  double IntensidadeInstantanea(double t) const override {
    if (++chamadas > 100) {
      if (lanca_) throw EErroAritmetico();
      return std::numeric_limits<double>::quiet_NaN();
    }
    return TPrecipitacaoExponencialNegativa::IntensidadeInstantanea(t);
  }

 private:
  bool lanca_;
  mutable int chamadas = 0;
};

TEST(EncostaCinematica, ErroNoLacoDeTempoAvisaOUsuario) {
  for (bool lanca : {true, false}) {
    for (int linhas : {1, 100}) {
      TChuvaQuebrada chuva(lanca);
      TEncostaCinematica e;
      PlanoReferencia(e);
      try {
        e.CalcularCaudalente(chuva, nullptr, nullptr, linhas);
        ADD_FAILURE() << lanca << " " << linhas;
      } catch (const EEncostaCinematica& x) {
        EXPECT_EQ(
            std::string(x.what()).rfind("Ocorreu um erro quando calculando o caudalente na encosta.\n", 0),
            0u)
            << x.what();
        // A value that is not a number names itself and the time.
        if (!lanca) {
          EXPECT_NE(std::string(x.what()).find("não é um número finito"), std::string::npos) << x.what();
        }
      }
    }
  }
}

// A storm that cannot be evaluated at all (c = 100000: (t + b)^c overflows)
// is refused with the storm's coefficients, not a bare floating-point text.
TEST(EncostaCinematica, ChuvaQueNaoSePodeCalcularDizPorque) {
  TPrecipitacaoExponencialNegativa chuva;
  DefinirChuva(chuva, 10, 1000, 0.2, 10, 100000);
  TEncostaCinematica e;
  PlanoReferencia(e, 40, "2");
  try {
    e.CalcularCaudalente(chuva, nullptr, nullptr, 100);
    ADD_FAILURE() << "no error";
  } catch (const EEncostaCinematica& x) {
    const std::string m = x.what();
    EXPECT_NE(m.find("A intensidade da chuva não pode ser calculada"), std::string::npos) << m;
    EXPECT_NE(m.find("c = 100000"), std::string::npos) << m;
  }
  // The older layout looks at the peak first: I(0) = K·Tr^a/b^c is 0 here,
  // which is its no-runoff case.
  e.Versao = "1";
  EXPECT_TRUE(e.CalcularCaudalente(chuva, nullptr, nullptr, 100)->SemEscoamento);
}

}  // namespace
