// Two computations side by side: the model keeps no state of a run outside
// the objects of that run, and the storm is only read, so runs on two threads
// give, bit for bit, what each gives alone.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "encosta_comum.h"
#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"

namespace {

using namespace encosta_teste;

struct TResultado {
  std::vector<TPonto> encosta, canal;
  double laminaEncosta = 0;
  bool semEscoamento = false;
};

// An irregular hillslope (or the older single-piece layout without runoff)
// and the channel at its foot, all objects the run's own; the storm shared.
TResultado Computar(const TPrecipitacaoExponencialNegativa& chuva, bool semEscoamento) {
  TEncostaCinematicaSecoes encosta;
  if (semEscoamento) {
    encosta.SetCount(1);
    PlanoReferencia(encosta.Trechos(0), 40, "1");
    encosta.Trechos(0).SetVIB(300);  // above the storm's peak
  } else {
    encosta.SetCount(3);
    for (int i = 0; i < 3; ++i) PlanoReferencia(encosta.Trechos(i), (i + 1) * 40, "2");
  }
  TCanalCinematico canal;
  canal.TipoCanal.Tipo = 1;
  canal.Z.Valor = 0.05;
  canal.Sm.Valor = 0.7;
  canal.SetSc(0.01);
  canal.nc.Valor = 0.03;
  canal.SetComprimento(150);

  TResultado r;
  const auto q =
      encosta.CalcularCaudalente(static_cast<uint16_t>(encosta.SomaLinhas()), chuva, nullptr, nullptr);
  r.encosta = q->Pontos();
  r.laminaEncosta = encosta.LaminaEscoada;
  r.semEscoamento = q->SemEscoamento;
  if (q->Count() > 0) r.canal = canal.CalcularCaudalente(120, chuva, *q, 20, 240, nullptr)->Pontos();
  return r;
}

// Same size and same bytes; an empty series has no data to compare.
template <class V>
bool MesmosBits(const V& a, const V& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])) == 0);
}

void ExpectIguaisBitABit(const TResultado& a, const TResultado& b) {
  EXPECT_TRUE(MesmosBits(a.encosta, b.encosta));
  EXPECT_TRUE(MesmosBits(a.canal, b.canal));
  EXPECT_EQ(std::memcmp(&a.laminaEncosta, &b.laminaEncosta, sizeof(double)), 0);
  EXPECT_EQ(a.semEscoamento, b.semEscoamento);
}

TEST(ComputacoesParalelas, DuasThreadsDaoOsResultadosDeUmaSo) {
  TPrecipitacaoExponencialNegativa chuva;
  ChuvaReferencia(chuva);
  const TPrecipitacaoExponencialNegativa& compartilhada = chuva;

  const TResultado sozinhaA = Computar(compartilhada, false);
  const TResultado sozinhaB = Computar(compartilhada, true);
  ASSERT_GT(sozinhaA.encosta.size(), 10u);
  ASSERT_GT(sozinhaA.canal.size(), 10u);
  ASSERT_TRUE(sozinhaB.semEscoamento);
  ASSERT_TRUE(sozinhaB.encosta.empty());

  // Each pair of threads starts both runs at once; a few rounds give the
  // interleavings a chance. The run without runoff must not empty the other.
  for (int volta = 0; volta < 4; ++volta) {
    TResultado a1, a2, b;
    std::thread t1([&] { a1 = Computar(compartilhada, false); });
    std::thread t2([&] { b = Computar(compartilhada, true); });
    std::thread t3([&] { a2 = Computar(compartilhada, false); });
    t1.join();
    t2.join();
    t3.join();
    ExpectIguaisBitABit(a1, sozinhaA);
    ExpectIguaisBitABit(a2, sozinhaA);
    ExpectIguaisBitABit(b, sozinhaB);
  }
}

}  // namespace
