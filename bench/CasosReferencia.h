#pragma once
// The reference storm, plane and channel inflow every solver benchmark uses,
// so that the original and the converged solvers are timed on the same cases.
#include <algorithm>
#include <string>

#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uPrecipitacao.h"

namespace bench {

class TProgressoMudo : public IProgresso {
 public:
  void Mostrar(const std::string&) override {}
  void ProcessarMensagens() override {}
};

inline void ChuvaReferencia(TPrecipitacaoExponencialNegativa& chuva) {
  chuva.SetTr(10);
  chuva.SetK(1000);
  chuva.SetA(0.2);
  chuva.SetB(10);
  chuva.SetC(0.8);
}

inline void PlanoReferencia(TEncostaCinematica& encosta, int comprimento) {
  encosta.Versao = "2";
  encosta.SetComprimento(comprimento);
  encosta.SetVIB(20);
  encosta.SetSt(0.05);
  encosta.nt = TReal(0.03, 0);
}

// Trapezoidal terrace channel of the channel benchmarks.
inline void CanalReferencia(TCanalCinematico& canal, int comprimento) {
  canal.TipoCanal.Tipo = 0;
  canal.SetB(0.5);
  canal.Z.Valor = 1;
  canal.SetSc(0.005);
  canal.nc.Valor = 0.025;
  canal.SetComprimento(comprimento);
}

// Runoff of a 40 m hillslope: the rainfall excess over Tie, then a 5-minute recession.
inline TCaudalente EntradaDaEncosta(const TPrecipitacao& chuva, double tie) {
  TCaudalente serie;
  serie.Local = 1;
  const double dtMin = 0.2, comprimento = 40;
  double t = 0, q = 0, qFimExcesso = -1, tFimExcesso = 0;
  do {
    if (qFimExcesso < 0) {
      q = (chuva.IntensidadeInstantanea(t) - tie) * comprimento / 3600;
      if (q <= 0) {
        qFimExcesso = serie.Pontos().empty() ? 0 : serie.Pontos().back().Vazao;
        tFimExcesso = t;
      }
    }
    if (qFimExcesso >= 0) q = std::max(0.0, qFimExcesso * (1 - (t - tFimExcesso) / 5));
    serie.Adicionar(t, q);
    t += dtMin;
  } while (q > 0 || qFimExcesso < 0);
  return serie;
}

}  // namespace bench
