#pragma once
// Converged solution of the channel's kinematic wave, beside the original
// scheme (which stays the default). The same equations and rating:
//   ∂A/∂t + ∂Q/∂x = E + (I(t) − Tie)·T(A)·[t >= tFim],   Q = alfa·A^beta
// with alfa, beta the channel's power-law rating (TCanalCinematicoCustom::
// CurvaDescarga), E the hillslope's outflow per metre of channel (its
// hydrograph, linear between points, integrated exactly over each step) and,
// once the hillslope has stopped feeding the channel (tFim, its last
// point), the rain minus the infiltration through the water surface of top
// width T(A), taken only where water stands. E is the same all along the
// channel and the last term depends on A alone, so no shock forms: the
// solution follows the characteristics dx/dt = beta·alfa·A^(beta−1) (one
// leaves the dry top every step, Heun's step along each), the step halved
// level after level until the estimated errors of peak, time of peak and
// volume are below the tolerances (model/uConvergencia.h). Info().Celulas
// is the most characteristics in the channel at once, DeltaXMin the length
// over that.
// A in m², Q in m³/s, E in m²/s, x in m (1-m columns), t in min (s inside a
// step); the result series is in L/s, volumes in L.
#include <memory>

#include "model/channel/uCanalCinematico.h"
#include "model/uConvergencia.h"

class TCanalConvergido {
 public:
  explicit TCanalConvergido(TParametrosConvergencia Parametros = {}) : FParametros(Parametros) {}

  // Outflow of the first Colunas metres of Canal, with the arguments and the
  // result of TCanalCinematico::CalcularCaudalente: a channel series (Local
  // 2) bound to Canal's ProfundidadeDaArea (Canal must outlive it), with the
  // channel's Alfa and Expoente and its statistics for the area Colunas ·
  // DeltaX · ComprimentoEncosta (its recession as computed: a renewed rise
  // is a second wave, not a wiggle to straighten); empty when the inflow is empty or the result would
  // have 2 points or fewer. Its points are evenly spaced, one at the peak.
  // Throws ECanal for a column outside the channel or a run that does not end.
  std::unique_ptr<TCaudalente> CalcularCaudalente(const TCanalCinematico& Canal, int Colunas,
                                                  const TPrecipitacao& Chuva,
                                                  const TCaudalente& CaudalenteEncosta, double Tie,
                                                  double ComprimentoEncosta, IProgresso* Progresso);

  const TInfoConvergencia& Info() const { return FInfo; }

 private:
  TParametrosConvergencia FParametros;
  TInfoConvergencia FInfo;
};
