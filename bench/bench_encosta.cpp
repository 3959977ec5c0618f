// Hillslope solver throughput: cell updates per second of a 120 m plane
// (240 cells of 0.5 m) traced at its foot under the reference storm (Tr 10,
// K 1000, a 0.2, b 10, c 0.8) on bare soil with Tie = 20 mm/h (step 0.3 min),
// the progress box stubbed; and the bare scheme under a constant excess.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "bench/CasosReferencia.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uOndaCinematica.h"

namespace {

using namespace bench;

void BM_EncostaPlana120m(benchmark::State& state) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematica encosta;
  PlanoReferencia(encosta, 120);
  const int linhas = encosta.NumeroLinhas();
  TProgressoMudo progresso;
  double atualizacoes = 0;
  for (auto _ : state) {
    auto serie = encosta.CalcularCaudalente(chuva, nullptr, &progresso, linhas);
    // One step per point but the first (the start) and the closing zero,
    // plus the dry step that ends the run.
    atualizacoes += static_cast<double>(serie->Count() - 1) * linhas;
    benchmark::DoNotOptimize(serie->VazaoMaxima);
  }
  state.counters["celulas/s"] = benchmark::Counter(atualizacoes, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EncostaPlana120m)->Unit(benchmark::kMicrosecond);

// Four 30 m segments: the same slope in pieces, each fed by the one above.
void BM_EncostaQuatroTrechos(benchmark::State& state) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  TEncostaCinematicaSecoes lista;
  lista.SetCount(4);
  for (int i = 0; i < lista.Count(); ++i) PlanoReferencia(lista.Trechos(i), 30);
  TProgressoMudo tempo, trecho;
  for (auto _ : state) {
    auto serie = lista.CalcularCaudalente(lista.SomaLinhas(), chuva, &tempo, &trecho);
    benchmark::DoNotOptimize(serie->VazaoMaxima);
  }
}
BENCHMARK(BM_EncostaQuatroTrechos)->Unit(benchmark::kMicrosecond);

// The scheme alone, above and below h* (space and time march).
void BM_OndaCinematica(benchmark::State& state) {
  const double eMmH = static_cast<double>(state.range(0)) / 100;
  const double alfa = std::sqrt(0.05) / 0.03;
  const int n = 240;
  TPlanoCinematico plano(n, 0.5, 18, alfa);
  const double e = eMmH / 3600000, qTopo = eMmH * 0.5 / 3600;
  plano.DefinirTopo(qTopo);
  for (auto _ : state) {
    benchmark::DoNotOptimize(plano.Avancar(e));
    plano.DefinirTopo(qTopo);
  }
  state.counters["celulas/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * (n - 1), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OndaCinematica)->Arg(3000)->Arg(1);

}  // namespace
