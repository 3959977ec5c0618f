#pragma once
// Project contents shared by the project-file, check and calculator tests:
// a terrace channel below pasture/crop segments under a Brazilian IDF storm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "common/PastaTemporaria.h"
#include "project/ArquivoProjeto.h"

namespace teste {

// Segment k (0-based) differs from its neighbours in every value, so a
// mix-up of segments shows.
// Values as a user types them (a sum such as 0.06 + 0.01 is not 0.07 and
// would not survive the 15 digits of the file).
inline void PreencherTrecho(TEncostaCinematica& t, int k) {
  const double st[] = {0.06, 0.07, 0.08, 0.09, 0.1};
  const double nt[] = {0.1, 0.15, 0.2, 0.25, 0.3};
  t.SetComprimento(40 + 10 * k);
  t.SetSt(st[k % 5]);
  t.nt = TReal(nt[k % 5], static_cast<int8_t>(k));
  t.SetVIB(12.5 + 5 * k);
  t.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(k % 2 == 0 ? 4 : 1);
  t.Cobertura.Tratamento.Indice = static_cast<uint8_t>(k % 2 == 0 ? 1 : 2);
  t.Cobertura.CondicaoHidrologica.Indice = 3;
}

inline void PreencherProjeto(TProjeto& p, int trechos, int tipoCanal = 0) {
  p.Limpar();
  TNimbora21& n = p.Nimbora;
  n.IndEstado = 12;
  n.StrEstado = "Minas Gerais";
  n.IndEstacao = 7;
  n.IndLocalidade = -1;
  n.StrCidade = "Viçosa";
  n.Latitude = "20°45'00\"";
  n.Longitude = "42°51'00\"";
  TPrecipitacaoExponencialNegativa& c = n.Precipitacao();
  c.SetTr(10);
  c.SetK(3510.725);
  c.SetA(0.223);
  c.SetB(29.319);
  c.SetC(0.995);
  c.Duracao = 60;
  c.PrecipitacaoTotal = 71.25;

  TCanalCinematico& k = p.Canal;
  k.TipoCanal.Tipo = static_cast<uint8_t>(tipoCanal);
  k.SetB(0.5);
  k.Z = TReal(1.5, 2);
  k.Sm = TReal(0.25, -1);
  k.nc = TReal(0.025, 3);
  k.SetSc(0.004);
  k.SetComprimento(120);
  k.SetQ(0.35);
  k.SetH(0.45);
  k.SetHr(0.1);
  k.SetCDu(1.2);

  p.Encosta.SetCount(trechos);
  for (int i = 0; i < trechos; ++i) PreencherTrecho(p.Encosta.Trechos(i), i);
  p.Encosta.Regular = trechos == 1;

  p.Unidades.SetDeclividade(1);
  p.Unidades.SetVI(2);
  p.Unidades.Estado = 12;
}

// Every value the project file carries.
inline void EsperarIguais(const TProjeto& a, const TProjeto& b) {
  const TNimbora21 &na = a.Nimbora, &nb = b.Nimbora;
  EXPECT_EQ(na.IndEstado, nb.IndEstado);
  EXPECT_EQ(na.StrEstado, nb.StrEstado);
  EXPECT_EQ(na.IndEstacao, nb.IndEstacao);
  EXPECT_EQ(na.IndLocalidade, nb.IndLocalidade);
  EXPECT_EQ(na.StrCidade, nb.StrCidade);
  EXPECT_EQ(na.Latitude, nb.Latitude);
  EXPECT_EQ(na.Longitude, nb.Longitude);
  const auto &ca = na.Precipitacao(), &cb = nb.Precipitacao();
  EXPECT_EQ(ca.Tr(), cb.Tr());
  EXPECT_EQ(ca.K(), cb.K());
  EXPECT_EQ(ca.A(), cb.A());
  EXPECT_EQ(ca.B(), cb.B());
  EXPECT_EQ(ca.C(), cb.C());
  EXPECT_EQ(ca.Duracao, cb.Duracao);
  EXPECT_EQ(ca.PrecipitacaoTotal, cb.PrecipitacaoTotal);

  const TCanalCinematico &ka = a.Canal, &kb = b.Canal;
  EXPECT_EQ(ka.TipoCanal.Tipo, kb.TipoCanal.Tipo);
  EXPECT_EQ(ka.B(), kb.B());
  EXPECT_EQ(ka.Z.Valor, kb.Z.Valor);
  EXPECT_EQ(ka.Z.Indice, kb.Z.Indice);
  EXPECT_EQ(ka.Sm.Valor, kb.Sm.Valor);
  EXPECT_EQ(ka.Sm.Indice, kb.Sm.Indice);
  EXPECT_EQ(ka.nc.Valor, kb.nc.Valor);
  EXPECT_EQ(ka.nc.Indice, kb.nc.Indice);
  EXPECT_EQ(ka.Sc(), kb.Sc());
  EXPECT_EQ(ka.Comprimento(), kb.Comprimento());
  EXPECT_EQ(ka.Q(), kb.Q());
  EXPECT_EQ(ka.H(), kb.H());
  EXPECT_EQ(ka.Hr(), kb.Hr());
  EXPECT_EQ(ka.CDu(), kb.CDu());

  ASSERT_EQ(a.Encosta.Count(), b.Encosta.Count());
  for (int i = 0; i < a.Encosta.Count(); ++i) {
    const TEncostaCinematica &ta = a.Encosta.Trechos(i), &tb = b.Encosta.Trechos(i);
    EXPECT_EQ(ta.Comprimento(), tb.Comprimento()) << "trecho " << i + 1;
    EXPECT_EQ(ta.St(), tb.St()) << "trecho " << i + 1;
    EXPECT_EQ(ta.nt.Valor, tb.nt.Valor) << "trecho " << i + 1;
    EXPECT_EQ(ta.nt.Indice, tb.nt.Indice) << "trecho " << i + 1;
    EXPECT_EQ(ta.VIB(), tb.VIB()) << "trecho " << i + 1;
    EXPECT_EQ(ta.Cobertura.UsoTerra.Indice, tb.Cobertura.UsoTerra.Indice);
    EXPECT_EQ(ta.Cobertura.Tratamento.Indice, tb.Cobertura.Tratamento.Indice);
    EXPECT_EQ(ta.Cobertura.CondicaoHidrologica.Indice, tb.Cobertura.CondicaoHidrologica.Indice);
  }

  EXPECT_EQ(a.Unidades.IndDeclividade, b.Unidades.IndDeclividade);
  EXPECT_EQ(a.Unidades.IndComprimento, b.Unidades.IndComprimento);
  EXPECT_EQ(a.Unidades.IndVI, b.Unidades.IndVI);
  EXPECT_EQ(a.Unidades.Estado, b.Unidades.Estado);
}

}  // namespace teste
