// Channel solver throughput: node updates per second of a 500 m trapezoidal
// channel traced at its last column, fed by a hillslope over a soil of
// Tie = 100 mm/h (time step 0.02 min).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "bench/CasosReferencia.h"
#include "model/channel/uCanalCinematico.h"

namespace {

using namespace bench;

void BM_CanalTrapezoidal500m(benchmark::State& state) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  const double tie = 100;
  const TCaudalente entrada = EntradaDaEncosta(chuva, tie);

  TCanalCinematico canal;
  CanalReferencia(canal, 500);
  const int colunas = 500;

  TProgressoMudo progresso;
  double atualizacoes = 0;
  for (auto _ : state) {
    auto r = canal.CalcularCaudalente(colunas, chuva, entrada, tie, 40, &progresso);
    // One pass per point after the first, over nodes 1 .. colunas-1.
    atualizacoes += static_cast<double>(r->Count() - 1) * (colunas - 1);
    benchmark::DoNotOptimize(r->VazaoMaxima);
  }
  state.counters["atualizacoes_de_no"] = benchmark::Counter(atualizacoes, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CanalTrapezoidal500m)->Unit(benchmark::kMillisecond);

}  // namespace
