#pragma once
// Converged solution of the hillslope's kinematic wave, beside the original
// scheme (which stays the default). The same equations on a strip 1 m wide:
//   dh/dt + dq/dx = e,   q = alfa·h^(5/3),   alfa = √St / nt,   e = I(t) − VIB
// from the time each segment's initial abstraction is filled; water stands
// only where h > 0, so infiltration after the end of excess takes no more
// than there is. Finite volumes: upwind fluxes from a limited linear
// reconstruction of h (kinematic shocks where a steep segment feeds a gentle
// one are captured by the fluxes), Heun's two-stage step, and the excess of
// each step integrated from the storm's cumulative depth P(t). The whole
// chain of segments is one grid, each segment with its own alfa, VIB and
// start; run-on into a segment whose abstraction is not yet filled is taken
// by that abstraction. The grid is refined until the estimated error of the
// peak, its time and the volume is below the tolerance (model/uConvergencia.h).
// h in m, q in m²/s, e in m/s, x in m, t in min (s inside a step); the
// result series is in L/s per metre of width, volumes in L per metre.
#include <cstdint>
#include <memory>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uPrecipitacao.h"
#include "model/uConvergencia.h"

class TEncostaConvergida {
 public:
  explicit TEncostaConvergida(TParametrosConvergencia Parametros = {}) : FParametros(Parametros) {}

  // The hydrograph at line Linha (1..SomaLinhas) of the hillslope, as
  // TEncostaCinematicaSecoes::CalcularCaudalente gives it: the same lines, the
  // same contributing length, the same no-runoff rules and messages, Local =
  // 1, Alfa of the segment holding the line, Expoente 5/3, statistics
  // computed (Lamina = volume / contributing length). Its points are evenly
  // spaced, one of them at the peak, from a zero just before the outlet gets
  // wet to a closing zero. Sets Encosta.LaminaEscoada. Throws
  // EEncostaCinematica on a grid the model cannot compute (as the original).
  std::unique_ptr<TCaudalente> CalcularCaudalente(TEncostaCinematicaSecoes& Encosta, uint16_t Linha,
                                                  const TPrecipitacaoExponencialNegativa& Chuva,
                                                  IProgresso* ProgressoTempo, IProgresso* ProgressoTrecho);

  const TInfoConvergencia& Info() const { return FInfo; }

 private:
  TParametrosConvergencia FParametros;
  TInfoConvergencia FInfo;
};
