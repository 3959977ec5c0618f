// The converged solvers on the cases of the original ones: a 120 m plane at
// its foot and four 30 m segments under the reference storm (Tr 10, K 1000,
// a 0.2, b 10, c 0.8; bare soil, Tie 20 mm/h, St 0.05, nt 0.03), and
// trapezoidal channels of 300 m and 500 m at their last column fed by the
// runoff of a 40 m hillslope over a soil of Tie = 100 mm/h. Each iteration is
// a whole trace: every refinement level the solver runs. A typical trace
// should take well under a second on one core. Each reports the level it
// reached, whether it settled, the CPU seconds of a trace and its cell
// updates (per stage) per second, to set against the bare power below: one
// x^(5/3) per cell, the limit of any scheme that evaluates the flow law at
// every cell.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "bench/CasosReferencia.h"
#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"
#include "model/uConvergencia.h"

namespace {

using namespace bench;

// What a whole converged trace did.
void Contadores(benchmark::State& state, const TInfoConvergencia& info, double trabalho) {
  state.counters["nivel"] = info.Nivel;
  state.counters["convergiu"] = info.Convergiu;
  state.counters["segundos_cpu"] = info.SegundosCpu;
  state.counters["celulas/s"] = benchmark::Counter(trabalho, benchmark::Counter::kIsRate);
}

void Encosta(benchmark::State& state, int trechos, int comprimento) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  lista.SetCount(trechos);
  for (int i = 0; i < trechos; ++i) PlanoReferencia(lista.Trechos(i), comprimento);
  TProgressoMudo tempo, trecho;
  TEncostaConvergida solver;
  double trabalho = 0;
  for (auto _ : state) {
    auto serie = solver.CalcularCaudalente(lista, lista.SomaLinhas(), chuva, &tempo, &trecho);
    benchmark::DoNotOptimize(serie->VazaoMaxima);
    trabalho += solver.Info().CelulasPorSegundo * solver.Info().SegundosCpu;
  }
  Contadores(state, solver.Info(), trabalho);
  state.counters["celulas"] = solver.Info().Celulas;
}

void BM_ConvergidaPlana120m(benchmark::State& state) {
  Encosta(state, 1, 120);
}
BENCHMARK(BM_ConvergidaPlana120m)->Unit(benchmark::kMillisecond);

void BM_ConvergidaQuatroTrechos(benchmark::State& state) {
  Encosta(state, 4, 30);
}
BENCHMARK(BM_ConvergidaQuatroTrechos)->Unit(benchmark::kMillisecond);

void BM_ConvergidoCanalTrapezoidal(benchmark::State& state) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  const double tie = 100;
  const TCaudalente entrada = EntradaDaEncosta(chuva, tie);
  TCanalCinematico canal;
  const int comprimento = static_cast<int>(state.range(0));
  CanalReferencia(canal, comprimento);
  TProgressoMudo progresso;
  TCanalConvergido solver;
  double trabalho = 0;
  for (auto _ : state) {
    auto r = solver.CalcularCaudalente(canal, comprimento, chuva, entrada, tie, 40, &progresso);
    benchmark::DoNotOptimize(r->VazaoMaxima);
    trabalho += solver.Info().CelulasPorSegundo * solver.Info().SegundosCpu;
  }
  Contadores(state, solver.Info(), trabalho);
  state.counters["celulas"] = solver.Info().Celulas;
}
BENCHMARK(BM_ConvergidoCanalTrapezoidal)->Arg(300)->Arg(500)->Unit(benchmark::kMillisecond);

// The bare flow law: x^(5/3) of a row of depths, by the library's power and
// by the converged solvers' multiplications-only version.
template <double (*Potencia)(double)>
void Potencias(benchmark::State& state) {
  std::vector<double> h(1024), q(1024);
  for (std::size_t i = 0; i < h.size(); ++i) h[i] = 1e-3 * (1 + static_cast<double>(i % 97));
  for (auto _ : state) {
    for (std::size_t i = 0; i < h.size(); ++i) q[i] = Potencia(h[i]);
    benchmark::DoNotOptimize(q.data());
    benchmark::ClobberMemory();
  }
  state.counters["celulas/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(h.size()), benchmark::Counter::kIsRate);
}
double PowDaBiblioteca(double x) {
  return std::pow(x, 5.0 / 3.0);
}
BENCHMARK(Potencias<PowDaBiblioteca>)->Name("BM_PotenciaNua/pow");
BENCHMARK(Potencias<convergencia::Pot53>)->Name("BM_PotenciaNua/Pot53");

}  // namespace
