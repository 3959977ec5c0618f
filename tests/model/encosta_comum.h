#pragma once
// Shared pieces of the hillslope tests: the reference storm and plane, and
// recorders for the progress boxes and the information messages.
//
// Reference storm: Tr 10, K 1000, a 0.2, b 10, c 0.8 (peak I(0) = 251.19 mm/h).
// Reference plane: bare soil (land use 0, CN 97 for 3 < VIB <= 40), VIB 20 mm/h,
// St 0.05, nt 0.03 (alfa = sqrt(0.05)/0.03 = 7.4536), 40 m long.
#include <string>
#include <vector>

#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"

namespace encosta_teste {

inline void DefinirChuva(TPrecipitacaoExponencialNegativa& p, double tr, double k, double a, double b,
                         double c) {
  p.SetTr(tr);
  p.SetK(k);
  p.SetA(a);
  p.SetB(b);
  p.SetC(c);
}

// A segment of a test chain: length (m), St, nt, VIB (mm/h) and land use
// (5, forest, with its treatment and condition; others bare).
struct TTrechoTeste {
  int comprimento;
  double st, nt, vib;
  int uso = 0;
};

inline void MontarTrechos(TEncostaCinematicaSecoes& lista, const std::vector<TTrechoTeste>& trechos) {
  lista.SetCount(static_cast<int>(trechos.size()));
  for (size_t i = 0; i < trechos.size(); ++i) {
    TEncostaCinematica& e = lista.Trechos(static_cast<int>(i));
    e.SetComprimento(trechos[i].comprimento);
    e.SetSt(trechos[i].st);
    e.nt = TReal(trechos[i].nt, 0);
    e.SetVIB(trechos[i].vib);
    e.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(trechos[i].uso);
    e.Cobertura.Tratamento.Indice = trechos[i].uso == 5 ? 1 : 0;
    e.Cobertura.CondicaoHidrologica.Indice = trechos[i].uso == 5 ? 3 : 0;
  }
}

// A grassed terrace channel (B 0.5 m, Sm 0.7, Sc 0.005, nc 0.025): tipo 0
// trapezoidal, 1 triangular, with side slope Z.
inline void CanalDeTeste(TCanalCinematico& canal, int tipo, double Z, int comprimento) {
  canal.TipoCanal.Tipo = static_cast<uint8_t>(tipo);
  canal.SetB(0.5);
  canal.Z.Valor = Z;
  canal.Sm.Valor = 0.7;
  canal.SetSc(0.005);
  canal.nc.Valor = 0.025;
  canal.SetComprimento(comprimento);
}

inline void ChuvaReferencia(TPrecipitacaoExponencialNegativa& p) {
  DefinirChuva(p, 10, 1000, 0.2, 10, 0.8);
}

inline void PlanoReferencia(TEncostaCinematicaCustom& e, int comprimento = 40,
                            const std::string& versao = "2") {
  e.Versao = versao;
  e.SetComprimento(comprimento);
  e.SetVIB(20);
  e.SetSt(0.05);
  e.nt = TReal(0.03, 0);
  e.Cobertura.UsoTerra.Indice = 0;
}

// Rain excess (mm) that falls between the filling of the initial abstraction
// and the end of excess: P(tfe) - P(tia) - VIB (tfe - tia) / 60, with
// P(t) = i(t) t / 60. Per metre of width over L m it is L times this, in L.
inline double ExcessoMm(TPrecipitacaoExponencialNegativa& chuva, double tia, double tfe, double vib) {
  return chuva.IntensidadeMedia(tfe) * tfe / 60 - chuva.IntensidadeMedia(tia) * tia / 60 -
         vib * (tfe - tia) / 60;
}

class TProgressoGravado : public IProgresso {
 public:
  void Mostrar(const std::string& texto) override { textos.push_back(texto); }
  void ProcessarMensagens() override { ++processamentos; }
  std::vector<std::string> textos;
  int processamentos = 0;
};

// Collects the model's information messages while it lives.
class TMensagensGravadas : public IMensagens {
 public:
  TMensagensGravadas() { DefinirMensagensDoModelo(this); }
  ~TMensagensGravadas() override { DefinirMensagensDoModelo(nullptr); }
  TMensagensGravadas(const TMensagensGravadas&) = delete;
  TMensagensGravadas& operator=(const TMensagensGravadas&) = delete;
  void Informar(const std::string& texto) override { textos.push_back(texto); }
  std::vector<std::string> textos;
};

}  // namespace encosta_teste
