// A long trace (over 20,000 points) run as the calculator runs it, with mute
// progress boxes, and as the tracing page runs it, with the progress window
// shown offscreen: its texts written and pending events processed every 23
// steps. The window's overhead should stay within 5 % of the calculator's time.
// Storm Tr 10, K 1000, a 0.2, b 10, c 0.6 on a 120 m bare plane with Tie
// 3 mm/h (step 0.35 min): rainfall excess lasts about 7,300 min.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "model/channel/uTracado.h"
#include "windows/Acompanhamento.h"

namespace {

class TProgressoMudo : public IProgresso {
 public:
  void Mostrar(const std::string&) override {}
  void ProcessarMensagens() override {}
};

void Aplicacao() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "caudalente-bench";
  static char* argv[] = {nome, nullptr};
  // Lives until the process ends.
  new QApplication(argc, argv);
}

struct TCaso {
  TPrecipitacaoExponencialNegativa Chuva;
  TEncostaCinematicaSecoes Encosta;
  TCanalCinematico Canal;
  TCaso() {
    Chuva.SetTr(10);
    Chuva.SetK(1000);
    Chuva.SetA(0.2);
    Chuva.SetB(10);
    Chuva.SetC(0.6);
    Encosta.SetCount(1);
    TEncostaCinematica& t = Encosta.Trechos(0);
    t.SetComprimento(120);
    t.SetVIB(3);
    t.SetSt(0.05);
    t.nt = TReal(0.03, 0);
    t.Cobertura.UsoTerra.Indice = 0;
  }
};

void BM_TracadoComoCalculadora(benchmark::State& state) {
  TCaso caso;
  TProgressoMudo mudo;
  double pontos = 0;
  for (auto _ : state) {
    auto serie = TracarCaudalente(caso.Encosta, caso.Canal, caso.Chuva, caso.Encosta.SomaLinhas(), 0, 120,
                                  TProgressoTracado{&mudo, &mudo, &mudo});
    pontos = serie->Count();
    benchmark::DoNotOptimize(serie->VazaoMaxima);
  }
  state.counters["pontos"] = pontos;
}
BENCHMARK(BM_TracadoComoCalculadora)->Unit(benchmark::kMillisecond);

void BM_TracadoComJanela(benchmark::State& state) {
  Aplicacao();
  TCaso caso;
  double pontos = 0;
  for (auto _ : state) {
    TFAcompanhamento* janela = TFAcompanhamento::Criar(nullptr);
    auto serie = TracarCaudalente(caso.Encosta, caso.Canal, caso.Chuva, caso.Encosta.SomaLinhas(), 0, 120,
                                  TProgressoTracado{&janela->CaixaEncosta, &janela->CaixaTrecho, nullptr});
    pontos = serie->Count();
    benchmark::DoNotOptimize(serie->VazaoMaxima);
    delete janela;
  }
  state.counters["pontos"] = pontos;
}
BENCHMARK(BM_TracadoComJanela)->Unit(benchmark::kMillisecond);

}  // namespace
