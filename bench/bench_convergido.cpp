// The converged solvers on the cases of the original ones: a 120 m plane at
// its foot and four 30 m segments under the reference storm (Tr 10, K 1000,
// a 0.2, b 10, c 0.8; bare soil, Tie 20 mm/h, St 0.05, nt 0.03), and
// trapezoidal channels of 300 m and 500 m at their last column fed by the
// runoff of a 40 m hillslope over a soil of Tie = 100 mm/h. Each iteration is
// a whole trace: every refinement level the solver runs. A typical trace
// should take well under a second on one core.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench/CasosReferencia.h"
#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

namespace {

using namespace bench;

void Encosta(benchmark::State& state, int trechos, int comprimento) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  lista.SetCount(trechos);
  for (int i = 0; i < trechos; ++i) PlanoReferencia(lista.Trechos(i), comprimento);
  TProgressoMudo tempo, trecho;
  TEncostaConvergida solver;
  for (auto _ : state) {
    auto serie = solver.CalcularCaudalente(lista, lista.SomaLinhas(), chuva, &tempo, &trecho);
    benchmark::DoNotOptimize(serie->VazaoMaxima);
  }
  state.counters["nivel"] = solver.Info().Nivel;
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
  for (auto _ : state) {
    auto r = solver.CalcularCaudalente(canal, comprimento, chuva, entrada, tie, 40, &progresso);
    benchmark::DoNotOptimize(r->VazaoMaxima);
  }
  state.counters["nivel"] = solver.Info().Nivel;
  state.counters["celulas"] = solver.Info().Celulas;
}
BENCHMARK(BM_ConvergidoCanalTrapezoidal)->Arg(300)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
