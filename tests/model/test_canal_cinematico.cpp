#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Tolerancia.h"
#include "model/channel/uCanalCinematico.h"
#include "toolkit/Regional.h"

namespace {

// The storm of the worked hillslope case: I(0) ≈ 251.19 mm/h, weakening after.
struct Chuva : TPrecipitacaoExponencialNegativa {
  Chuva() {
    SetTr(10);
    SetK(1000);
    SetA(0.2);
    SetB(10);
    SetC(0.8);
  }
};

void Trapezio(TCanalCinematico& canal, int comprimento) {
  canal.TipoCanal.Tipo = 0;
  canal.SetB(1);
  canal.Z.Valor = 1;
  canal.SetSc(0.01);
  canal.nc.Valor = 0.03;
  canal.SetComprimento(comprimento);
}

// A terrace channel: 5 % hillslope side, 0.7 wall.
void Triangulo(TCanalCinematico& canal, int comprimento) {
  canal.TipoCanal.Tipo = 1;
  canal.Z.Valor = 0.05;
  canal.Sm.Valor = 0.7;
  canal.SetSc(0.01);
  canal.nc.Valor = 0.03;
  canal.SetComprimento(comprimento);
}

// Hillslope hydrograph (L/s per metre) on an even grid from 0 to tFim.
TCaudalente Entrada(double dt, double tFim, const std::function<double(double)>& q) {
  TCaudalente serie;
  serie.Local = 1;
  const int n = static_cast<int>(std::lround(tFim / dt));
  for (int i = 0; i <= n; ++i) serie.Adicionar(i * dt, q(i * dt));
  return serie;
}

class Recorder : public IMensagens, public IProgresso {
 public:
  Recorder() { DefinirMensagensDoModelo(this); }
  ~Recorder() override { DefinirMensagensDoModelo(nullptr); }
  void Informar(const std::string& texto) override { mensagens.push_back(texto); }
  void Mostrar(const std::string& texto) override { progresso.push_back(texto); }
  void ProcessarMensagens() override { ++processados; }
  std::vector<std::string> mensagens, progresso;
  int processados = 0;
};

bool TodosFinitos(const TCaudalente& serie) {
  for (const auto& p : serie.Pontos())
    if (!std::isfinite(p.Tempo) || !std::isfinite(p.Vazao) || p.Vazao < 0) return false;
  return true;
}

// ---- rating, time step, threshold ----

TEST(CanalCinematico, CurvaDescargaDoTrapezioAjustada) {
  TCanalCinematico canal;
  Trapezio(canal, 100);
  const TCurvaDescarga curva = canal.CurvaDescarga();
  EXPECT_REL_NEAR(curva.c, 2.8225, 5e-5);
  EXPECT_REL_NEAR(curva.m, 0.4876, 1e-4);
  EXPECT_REL_NEAR(curva.Alfa, 1.6690, 1e-4);
  EXPECT_REL_NEAR(curva.Beta, 1.3416, 5e-5);
  EXPECT_REL_NEAR(curva.Alfa, std::sqrt(0.01) / (0.03 * std::pow(curva.c, 2.0 / 3.0)), 1e-14);
  EXPECT_REL_NEAR(curva.Beta, 5.0 / 3.0 - 2.0 / 3.0 * curva.m, 1e-14);
}

TEST(CanalCinematico, CurvaDescargaDoTrianguloExata) {
  TCanalCinematico canal;
  Triangulo(canal, 100);
  TCurvaDescarga curva = canal.CurvaDescarga();
  EXPECT_REL_NEAR(curva.c, 6.6505, 5e-5);  // w ≈ 0.3055
  EXPECT_REL_NEAR(curva.Alfa, 0.9426, 1e-4);
  EXPECT_REL_NEAR(curva.Beta, 4.0 / 3.0, 1e-15);
  // P = c·√A holds exactly for any depth of the triangle.
  for (double y : {0.05, 0.4})
    EXPECT_REL_NEAR(canal.PerimetroMolhado(y), curva.c * std::sqrt(canal.AreaMolhada(y)), 1e-12);
  canal.Z.Valor = 0.3;
  canal.Sm.Valor = 2.5;
  curva = canal.CurvaDescarga();
  EXPECT_REL_NEAR(curva.Beta, 4.0 / 3.0, 1e-15);
  EXPECT_REL_NEAR(canal.PerimetroMolhado(0.3), curva.c * std::sqrt(canal.AreaMolhada(0.3)), 1e-12);
}

TEST(CanalCinematico, PassoDeTempoPelaInfiltracao) {
  const struct {
    double tie, dtMin;
  } casos[] = {{0, 0.075}, {10, 0.075},  {10.0001, 0.06}, {30, 0.06},     {30.5, 0.05}, {50, 0.05},
               {70, 0.04}, {89.9, 0.03}, {110, 0.02},     {110.01, 0.01}, {400, 0.01}};
  for (const auto& caso : casos)
    EXPECT_DOUBLE_EQ(TCanalCinematico::PassoDeTempo(caso.tie), caso.dtMin) << caso.tie;
}

// L = 2·(Δx/(β·α·Δts))^(1/(β−1)) = 2·(1/7.5)^1.5 with α = 1, β = 5/3, Δts = 4.5 s.
TEST(CanalCinematico, AreaLimiteDoCourantUnitario) {
  EXPECT_REL_NEAR(TCanalCinematico::AreaLimite(1, 5.0 / 3.0, 4.5, 1), 0.0973729, 1e-6);
  // At half the threshold the Courant number is exactly 1.
  const double alfa = 1.669, beta = 1.3416, dtS = 2.4;
  const double meia = TCanalCinematico::AreaLimite(alfa, beta, dtS, 1) / 2;
  EXPECT_REL_NEAR(beta * alfa * std::pow(meia, beta - 1) * dtS, 1.0, 1e-12);
}

TEST(CanalCinematico, SetComprimentoFixaDeltaX) {
  TCanalCinematico canal;
  EXPECT_EQ(canal.DeltaX, 0);
  EXPECT_EQ(canal.TipoCanal.Tipo, 0);
  canal.SetComprimento(-5);
  EXPECT_EQ(canal.Comprimento(), 0);
  EXPECT_EQ(canal.DeltaX, 0);
  canal.SetComprimento(40);
  EXPECT_EQ(canal.Comprimento(), 40);
  EXPECT_EQ(canal.DeltaX, 1.0);
  canal.Limpar();
  EXPECT_EQ(canal.Comprimento(), 0);
  EXPECT_EQ(canal.DeltaX, 1.0);
}

// ---- computation ----

TEST(CanalCinematico, EntradaVaziaDaResultadoVazio) {
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  auto r = canal.CalcularCaudalente(5, chuva, TCaudalente(), 20, 40, nullptr);
  EXPECT_EQ(r->Count(), 0);
  EXPECT_EQ(r->Local, 2);
}

// One column: the inflow of the first metre, unchanged in its numbers.
TEST(CanalCinematico, UmaColunaCopiaAEntrada) {
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  const std::vector<double> q = {0, 1, 2, 1, 0};
  const TCaudalente entrada = Entrada(0.3, 1.2, [&](double t) { return q[std::lround(t / 0.3)]; });
  auto r = canal.CalcularCaudalente(1, chuva, entrada, 20, 40, nullptr);
  ASSERT_EQ(r->Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(r->Ponto(i).Tempo, entrada.Ponto(i).Tempo);
    EXPECT_EQ(r->Ponto(i).Vazao, q[i]);
  }
  const TCurvaDescarga curva = canal.CurvaDescarga();
  EXPECT_EQ(r->Local, 2);
  EXPECT_EQ(r->Alfa, curva.Alfa);
  EXPECT_EQ(r->Expoente, curva.Beta);
  EXPECT_EQ(r->VazaoMaxima, 2);
  EXPECT_REL_NEAR(r->TempoPico, 0.6, 1e-15);
  EXPECT_REL_NEAR(r->Volume, 30 * 0.3 * (1 + 3 + 3 + 1), 1e-12);  // 72 L
  EXPECT_REL_NEAR(r->Lamina, 72.0 / (1 * 1 * 40 * 1000), 1e-12);  // over 1 m of channel, 40 m of hillslope
  const double area = std::pow(2 / (1000 * curva.Alfa), 1 / curva.Beta);
  EXPECT_REL_NEAR(r->Profundidade, canal.ProfundidadeDaArea(area), 1e-12);
}

TEST(CanalCinematico, ColunaForaDoCanalEhRecusada) {
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.3, 3, [](double) { return 1.0; });
  EXPECT_THROW(canal.CalcularCaudalente(11, chuva, entrada, 20, 40, nullptr), ECanal);
  EXPECT_THROW(canal.CalcularCaudalente(0, chuva, entrada, 20, 40, nullptr), ECanal);
}

// The work is sized by the column asked for: the same column gives the same
// numbers, bit for bit, in a channel of any length (a 2,000,000,000 m channel
// used to need 96 GB for its arrays and end in an allocation failure).
TEST(CanalCinematico, ColunaIgualEmCanalDeQualquerComprimento) {
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.3, 6, [](double t) { return t < 3 ? 0.5 : 0.1; });
  for (const int tipo : {0, 1}) {
    std::vector<TPonto> referencia;
    for (const int comprimento : {40, 100000000, 2000000000}) {
      TCanalCinematico canal;
      tipo == 0 ? Trapezio(canal, comprimento) : Triangulo(canal, comprimento);
      const auto r = canal.CalcularCaudalente(40, chuva, entrada, 20, 40, nullptr);
      ASSERT_GT(r->Count(), 10) << comprimento;
      if (referencia.empty()) referencia = r->Pontos();
      ASSERT_EQ(r->Pontos().size(), referencia.size()) << comprimento;
      EXPECT_EQ(std::memcmp(r->Pontos().data(), referencia.data(), referencia.size() * sizeof(TPonto)), 0)
          << tipo << " " << comprimento;
    }
  }
}

// A storm that cannot be evaluated once the inflow has ended stops the run
// with a message that says where and which coefficients, not a bare
// floating-point failure.
TEST(CanalCinematico, ChuvaQueNaoSePodeCalcularDizPorque) {
  TCanalCinematico canal;
  Triangulo(canal, 100);
  Chuva chuva;
  chuva.SetC(100000);  // (t + 10)^100000 is beyond any double
  const TCaudalente entrada = Entrada(0.3, 3, [](double) { return 1.0; });
  try {
    canal.CalcularCaudalente(50, chuva, entrada, 20, 40, nullptr);
    FAIL() << "no error";
  } catch (const ECanal& e) {
    const std::string m = e.what();
    EXPECT_EQ(m.rfind("Ocorreu um erro quando calculando o caudalente no canal.\n", 0), 0u) << m;
    EXPECT_NE(m.find("c = 100000"), std::string::npos) << m;
  }
}

// First step of a dry channel of two nodes, by hand: node 1 takes the explicit
// step a = E·Δts + (Δx·E/α)·(α·Δts/Δx) = 2·E·Δts.
TEST(CanalCinematico, PrimeiroPassoCalculadoAMao) {
  TCanalCinematico canal;
  Triangulo(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.25, 10, [](double t) { return t; });  // q(t) = t L/s·m⁻¹
  auto r = canal.CalcularCaudalente(2, chuva, entrada, 10, 40, nullptr);
  ASSERT_GT(r->Count(), 3);
  const double dtMin = 0.075, E = dtMin / 1000, a = 2 * E * 60 * dtMin;
  EXPECT_EQ(r->Ponto(0).Tempo, 0);
  EXPECT_EQ(r->Ponto(0).Vazao, 0);
  EXPECT_REL_NEAR(r->Ponto(1).Tempo, dtMin, 1e-15);
  EXPECT_REL_NEAR(r->Ponto(1).Vazao, 1000 * r->Alfa * std::pow(a, 4.0 / 3.0), 1e-12);
}

// Two steps of a dry triangle of three nodes, by hand (Tie = 300: Δt = 0.01
// min, Δts = 0.6 s, every node on the explicit step). The inflow ends after
// the first step; in the second, node 1 drains with E = 0 and hands its
// surface loss E1 = (I − Tie)·√a1·W to node 2 as lateral inflow.
TEST(CanalCinematico, PerdaDeUmNoEhAEntradaDoSeguinte) {
  TCanalCinematico canal;
  Triangulo(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.015, 0.015, [](double) { return 1.0; });  // tFim = 0.015 min
  auto r = canal.CalcularCaudalente(3, chuva, entrada, 300, 40, nullptr);
  ASSERT_GT(r->Count(), 3);

  const double alfa = r->Alfa, beta = 4.0 / 3.0, dtS = 0.6, C3 = alfa * dtS;
  const double W = std::sqrt(2 * (1 / 0.7 + 1 / 0.05));
  ASSERT_LT(0.02, TCanalCinematico::AreaLimite(alfa, beta, dtS, 1));
  // Step 1, t = 0.01: E = 1e-3 m³/s·m; node 0 holds Δx·E/α; node 1 gets
  // E·Δts plus the flux from node 0, node 2 only E·Δts.
  const double E = 1e-3;
  const double a1 = 2 * E * dtS, a2 = E * dtS;
  EXPECT_REL_NEAR(r->Ponto(1).Vazao, 1000 * alfa * std::pow(a2, beta), 1e-12);
  // Step 2, t = 0.02: no inflow, node 0 empty.
  const double f = (chuva.IntensidadeInstantanea(0.02) - 300) / 3600000;
  ASSERT_LT(f, 0);
  double b1 = a1 - std::pow(a1, beta) * C3;
  const double E1 = f * std::sqrt(b1) * W;
  b1 -= std::pow(-E1 / alfa, 1 / beta);
  ASSERT_GT(b1, 0);
  double b2 = a2 + E1 * dtS + (std::pow(a1, beta) - std::pow(a2, beta)) * C3;
  const double E2 = f * std::sqrt(b2) * W;
  b2 -= std::pow(-E2 / alfa, 1 / beta);
  ASSERT_GT(b2, 0);
  EXPECT_REL_NEAR(r->Ponto(2).Tempo, 0.02, 1e-12);
  EXPECT_REL_NEAR(r->Ponto(2).Vazao, 1000 * alfa * std::pow(b2, beta), 1e-12);
}

// Nothing reaches the outlet on the first step: the pass is repeated once at
// the same time, the run ends with 2 points, and the result comes back empty.
TEST(CanalCinematico, SaidaSecaNoPrimeiroPassoDaResultadoVazio) {
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.05, 0.05, [](double) { return 1.0; });  // over before the first step
  auto r = canal.CalcularCaudalente(4, chuva, entrada, 10, 40, nullptr);
  EXPECT_EQ(r->Count(), 0);
  EXPECT_EQ(r->Local, 2);
}

struct CasoForma {
  const char* nome;
  void (*montar)(TCanalCinematico&, int);
};

class CanalPorForma : public ::testing::TestWithParam<CasoForma> {};

// Under a constant lateral inflow q the outlet of the first n metres tends to
// n·q and never passes it; before the inflow ends no surface loss applies.
// (The plateau itself is not checked point by point: rounding noise on a flat
// series counts as a renewed rise for the recession straightening.)
TEST_P(CanalPorForma, RegimePermanenteIgualAEntradaAcumulada) {
  TCanalCinematico canal;
  GetParam().montar(canal, 80);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.3, 20.1, [](double) { return 2.0; });
  auto r = canal.CalcularCaudalente(50, chuva, entrada, 300, 40, nullptr);
  ASSERT_GT(r->Count(), 100);
  EXPECT_REL_NEAR(r->VazaoMaxima, 50 * 2.0, 1e-9);
  EXPECT_LT(r->TempoPico, 10);
  for (const auto& p : r->Pontos()) EXPECT_LE(p.Vazao, 100 * (1 + 1e-9)) << "t = " << p.Tempo;
}

// A rise, a plateau and a recession of the hillslope: what leaves the channel
// is what entered it, up to the small storage the surface loss takes at the end.
TEST_P(CanalPorForma, VolumeQueSaiEhOQueEntrou) {
  TCanalCinematico canal;
  GetParam().montar(canal, 200);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.25, 25, [](double t) {
    if (t < 5) return 3 * t / 5;
    if (t < 15) return 3.0;
    return 3 * (25 - t) / 10;
  });
  const double volumePorMetro =
      30 * (3 * 5 + 3 * 2 * 10 + 3 * 10);  // L per metre of channel, exact trapezoid
  ASSERT_REL_NEAR(entrada.CalcularVolume(), volumePorMetro, 1e-12);
  Recorder recorder;
  const int colunas = 150;
  auto r = canal.CalcularCaudalente(colunas, chuva, entrada, 60, 40, nullptr);
  ASSERT_GT(r->Count(), 3);
  EXPECT_TRUE(TodosFinitos(*r));
  EXPECT_REL_NEAR(r->Volume, colunas * volumePorMetro, 0.02);
  EXPECT_LE(r->Volume, colunas * volumePorMetro * 1.001);
  EXPECT_REL_NEAR(r->Lamina, r->Volume / (colunas * 1 * 40 * 1000.0), 1e-12);
  EXPECT_REL_NEAR(r->VazaoMaxima, colunas * 3.0, 1e-2);
  EXPECT_TRUE(recorder.mensagens.empty());
  // Last point: one Δt after the last computed step, with no discharge.
  const auto& pontos = r->Pontos();
  EXPECT_EQ(pontos.back().Vazao, 0);
  EXPECT_REL_NEAR(pontos.back().Tempo - pontos[pontos.size() - 2].Tempo, 2 * 0.04, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Formas, CanalPorForma,
                         ::testing::Values(CasoForma{"trapezio", &Trapezio},
                                           CasoForma{"triangulo", &Triangulo}),
                         [](const auto& info) { return info.param.nome; });

// Rain still above Tie when the hillslope stops feeding the trapezoid: the loss
// cannot be taken at any node of many steps, and the user hears of it once.
TEST(CanalCinematico, FalhaDaPerdaNoTrapezioAvisaUmaVez) {
  TCanalCinematico canal;
  Trapezio(canal, 30);
  Chuva chuva;
  ASSERT_GT(chuva.IntensidadeInstantanea(5), 20);
  const TCaudalente entrada = Entrada(0.3, 5, [](double) { return 2.0; });
  Recorder recorder;
  auto r = canal.CalcularCaudalente(20, chuva, entrada, 20, 40, nullptr);
  ASSERT_EQ(recorder.mensagens.size(), 1u);
  EXPECT_EQ(recorder.mensagens[0], "Deu pau.");
  EXPECT_GT(r->Count(), 3);
  EXPECT_TRUE(TodosFinitos(*r));
}

// An inflow longer than 65,534 steps of 0.075 min cannot fit in one series:
// the run stops with a message instead of overflowing it.
TEST(CanalCinematico, CorridaLongaParaNoLimiteDaSerie) {
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.3, 5000, [](double) { return 1.0; });
  try {
    canal.CalcularCaudalente(5, chuva, entrada, 5, 40, nullptr);
    FAIL() << "no error";
  } catch (const ECanal& e) {
    EXPECT_NE(std::string(e.what()).find("65535"), std::string::npos) << e.what();
  }
  // Just inside the limit: 4900 min are 65,333 steps.
  const TCaudalente curta = Entrada(0.3, 4900, [](double) { return 1.0; });
  auto r = canal.CalcularCaudalente(5, chuva, curta, 5, 40, nullptr);
  EXPECT_GT(r->Count(), 65333);
}

// After the inflow ends the loss each node hands to the next can leave an
// area below zero; such a node is dry, and the run still ends. The last case
// (a trickle, then a small surge cut off while the rain is weaker than Tie)
// drives the outlet itself below zero on the first step after the inflow.
TEST(CanalCinematico, RecessaoDoTrianguloTermina) {
  const struct {
    double tie, qBase, qFinal;
    int colunas;
  } casos[] = {{5, 0.5, 2, 100}, {60, 0.5, 2, 100}, {150, 0.5, 2, 100}, {200, 1e-8, 1e-3, 5}};
  Chuva chuva;
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.tie);
    TCanalCinematico canal;
    Triangulo(canal, 100);
    canal.Z.Valor = 0.02;
    canal.Sm.Valor = 0.3;
    const TCaudalente entrada = Entrada(0.3, 6, [&](double t) { return t < 5 ? caso.qBase : caso.qFinal; });
    auto r = canal.CalcularCaudalente(caso.colunas, chuva, entrada, caso.tie, 40, nullptr);
    EXPECT_GT(r->Count(), 3);
    EXPECT_TRUE(TodosFinitos(*r));
    EXPECT_LT(r->Pontos().back().Tempo, 60);
  }
}

// The time loop as it reads, one step after the other over plain arrays, with
// x^y = exp(y·ln x): the solver's results must match it to the last bit,
// whatever order it computes the steps in. Returns the raw points (before the
// recession straightening) and whether the trapezoid's loss failed.
std::vector<TPonto> PassoAPasso(const TCanalCinematico& canal, int colunas, TPrecipitacao& chuva,
                                const TCaudalente& entrada, double tie, bool& deuPau) {
  auto pot = [](double x, double y) { return x == 0 ? 0 : std::exp(y * std::log(x)); };
  const TCurvaDescarga curva = canal.CurvaDescarga();
  const double alfa = curva.Alfa, beta = curva.Beta, dx = 1;
  const double Z = canal.Z.Valor, Sm = canal.Sm.Valor, B = canal.B();
  const double W = canal.TipoCanal.Tipo == 1 ? std::sqrt(2 * (1 / Sm + 1 / Z)) : 1.0;
  const double tFim = entrada.Ponto(entrada.Count() - 1u).Tempo;
  const double dth = entrada.Ponto(1).Tempo - entrada.Ponto(0).Tempo;
  const double dt = TCanalCinematico::PassoDeTempo(tie), dts = 60 * dt;
  const double C1 = dx / alfa, C2 = dx / (alfa * dts), C3 = alfa * dts / dx;
  const double L = 2 * pot(dx / (beta * alfa * dts), 1 / (beta - 1));
  const auto n = static_cast<std::size_t>(canal.Comprimento());
  std::vector<double> AA(n, 0.0), AN(n, 0.0), FA(n, 0.0), FN(n, 0.0);
  std::vector<TPonto> pontos;
  double t = entrada.Ponto(0).Tempo;
  pontos.push_back({t, 0});
  t += dt;
  deuPau = false;
  bool parar = false;
  for (int i = 1; !parar; ++i) {
    double E = t < tFim ? entrada.VazaoEm(t, dth) / 1000 : 0;
    FA[0] = E > 0 ? dx * E / alfa : 0;
    AA[0] = E > 0 ? pot(FA[0], 1 / beta) : 0;
    double a = 0;
    for (int j = 1; j < colunas; ++j) {
      if (AN[j - 1] + AA[j] > L) {
        a = E * C1 + (AA[j - 1] - AN[j - 1]) * C2 + FN[j - 1];
        a = a > 0 ? pot(a, 1 / beta) : 0;
      } else {
        a = AA[j] + E * dts + (FA[j - 1] - FA[j]) * C3;
      }
      if (t >= tFim) {
        const double I = chuva.IntensidadeInstantanea(t);
        if (canal.TipoCanal.Tipo == 1) {
          E = (I - tie) * std::sqrt(a) * W / 3600000;
          a = a - pot(std::fabs(E) / alfa, 1 / beta);
        } else {
          E = a > 0 ? (I - tie) * (2 * canal.ProfundidadeDaArea(a) * Z + B) / 3600000 : 0;
          const double perda = pot(-E / alfa, 1 / beta);
          if (std::isnan(perda))
            deuPau = true;
          else
            a = a - perda;
        }
      }
      if (!std::isfinite(a)) a = 0;
      if (a <= 0 && j == colunas - 1 && i > 1) parar = true;
      AN[j] = a > 0 ? a : 0;
      FN[j] = a > 0 ? pot(a, beta) : 0;
    }
    if (a > 0) {
      pontos.push_back({t, 1000 * alfa * pot(a, beta)});
      t += dt;
      AA = AN;
      FA = FN;
      std::fill(AN.begin() + 1, AN.end(), 0.0);
      std::fill(FN.begin() + 1, FN.end(), 0.0);
    }
  }
  pontos.push_back({t + dt, 0});
  return pontos;
}

// Odd and even step counts, the loss starting on either step of a pair, a
// failing trapezoid loss, the shortest channel and a dry first step.
TEST(CanalCinematico, ResultadoIgualAoDosPassosUmAposOOutro) {
  const struct {
    int forma;  // 0 trapezoid, 1 triangle
    int colunas;
    double tie, tFim, q;
  } casos[] = {{0, 2, 10, 3, 1.0},  {0, 7, 60, 2.95, 0.8}, {0, 40, 20, 5, 2.0}, {0, 60, 300, 4, 1.5},
               {1, 2, 150, 3, 1.0}, {1, 9, 60, 3.05, 0.4}, {1, 60, 5, 6, 0.5},  {0, 4, 10, 0.05, 1.0}};
  Chuva chuva;
  Recorder recorder;
  for (const auto& caso : casos) {
    SCOPED_TRACE(testing::Message() << caso.forma << " " << caso.colunas << " " << caso.tie << " "
                                    << caso.tFim);
    TCanalCinematico canal;
    (caso.forma == 0 ? Trapezio : Triangulo)(canal, 80);
    const double q = caso.q;
    const TCaudalente entrada = Entrada(0.05, caso.tFim, [q](double t) { return q * (1 + std::sin(t)); });
    bool deuPau = false;
    TCaudalente esperado;
    for (const TPonto& p : PassoAPasso(canal, caso.colunas, chuva, entrada, caso.tie, deuPau))
      esperado.Adicionar(p.Tempo, p.Vazao);
    esperado.SuavizarRecessao();
    if (esperado.Count() <= 2) esperado.Limpar();
    recorder.mensagens.clear();
    auto r = canal.CalcularCaudalente(caso.colunas, chuva, entrada, caso.tie, 40, nullptr);
    ASSERT_EQ(r->Count(), esperado.Count());
    for (std::size_t i = 0; i < esperado.Pontos().size(); ++i) {
      EXPECT_EQ(r->Ponto(i).Tempo, esperado.Ponto(i).Tempo) << i;
      EXPECT_EQ(r->Ponto(i).Vazao, esperado.Ponto(i).Vazao) << i;
    }
    EXPECT_EQ(recorder.mensagens.size(), deuPau ? 1u : 0u);
  }
}

// The simulated time reaches the progress box every 23 steps, as "0.0".
TEST(CanalCinematico, ProgressoACada23Passos) {
  toolkit::TRegionalTemporario regional(toolkit::RegionalPtBr());
  TCanalCinematico canal;
  Trapezio(canal, 10);
  Chuva chuva;
  const TCaudalente entrada = Entrada(0.3, 6, [](double) { return 1.0; });
  Recorder recorder;
  auto r = canal.CalcularCaudalente(10, chuva, entrada, 10, 40, &recorder);
  const int passos = r->Count() - 1;  // one per wet step plus the dry one that ends the run
  ASSERT_GT(passos, 46);
  EXPECT_EQ(static_cast<int>(recorder.progresso.size()), passos / 23);
  EXPECT_EQ(recorder.processados, passos / 23);
  EXPECT_EQ(recorder.progresso[0], "1,7");  // 23 · 0.075 min = 1.725
  EXPECT_EQ(recorder.progresso[1], "3,5");  // 46 · 0.075 min = 3.45
}

}  // namespace
