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
// by that abstraction. The grid and the step are halved until the peak, its
// time and the volume change by less than the tolerance.
// h in m, q in m²/s, e in m/s, x in m, t in min (s inside a step); the
// result series is in L/s per metre of width, volumes in L per metre.
#include <cstdint>
#include <memory>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uPrecipitacao.h"

// How far the converged solvers refine. Level n has 2^n times the cells of
// level 0 and steps 2^n times shorter. Refinement stops at the first level
// whose peak and volume differ from the level before by less than the
// tolerance and whose time of peak does too (or by less than 0.002 min), or
// when the next level would cost more than about a second of computing
// (Info().Convergiu is then false). A kinematic shock reaching the outlet
// (run-on meeting a gentler segment) is spread over a few cells by the
// grid; the outlet record gets back its jump (convergencia::AjustarChoques),
// so such peaks settle as fast as smooth ones.
struct TParametrosConvergencia {
  double Tolerancia = 1e-3;  // largest relative change of peak, time of peak and volume
  // Levels 1 and 2 can agree by chance where the peak sits on a corner (the
  // last segment's plateau ending) that level 1 rounds off and overshoots;
  // comparing from level 2 on, a peak that settled stays settled.
  int NivelInicial = 2;
  int NivelMaximo = 7;
  // >= 0: a single run at this level, no refinement (refinement studies).
  int NivelFixo = -1;
};

// Where the water of a run went; L per metre of width on the hillslope, L in
// the channel. Chuva − Infiltracao − Abstracao + Entrada = Saida + Armazenado,
// up to rounding.
struct TBalancoMassa {
  double Chuva = 0;        // hillslope: rain on each segment after its abstraction was filled;
                           // channel: lateral inflow from the hillslope
  double Infiltracao = 0;  // taken where water stood (channel: loss through the water surface)
  double Abstracao = 0;    // run-on that reached a segment before its abstraction was filled
  double Entrada = 0;      // rain on the channel's water surface once the inflow has ended
  double Saida = 0;        // through the outlet
  double Armazenado = 0;   // left on the surface when the run ended
};

// What the last computation did.
struct TInfoConvergencia {
  int Nivel = -1;          // level of the returned result
  int Celulas = 0;         // cells of that level
  double DeltaXMin = 0;    // m, smallest cell
  long Passos = 0;         // time steps of that level
  double TempoFinal = 0;   // min, end of the run (the surface has dried)
  bool Convergiu = false;  // false: the last two levels still differ by more than the tolerance
  // Indicators of the returned level: peak (L/s per m or L/s), its time
  // (min) and the outflow volume (L per m or L).
  double Pico = 0, TempoPico = 0, Volume = 0;
  TBalancoMassa Balanco;
};

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
                                                  TPrecipitacaoExponencialNegativa& Chuva,
                                                  IProgresso* ProgressoTempo, IProgresso* ProgressoTrecho);

  const TInfoConvergencia& Info() const { return FInfo; }

 private:
  TParametrosConvergencia FParametros;
  TInfoConvergencia FInfo;
};
