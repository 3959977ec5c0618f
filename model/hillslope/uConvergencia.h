#pragma once
// Pieces the converged hillslope and channel solvers share: the limited
// slope of the reconstruction, the refinement driver and the turning of the
// outlet record (one value per time step, steps of varying length) into an
// evenly spaced hydrograph. t in min, discharge in L/s (per metre on the
// hillslope), volumes in L (per metre).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uEncostaConvergida.h"

namespace convergencia {

// Limited slope of a cell from its two one-sided differences (monotonised
// central): second order where the profile is smooth, no new extremum at a
// front or a kink.
inline double Inclinacao(double esquerda, double direita) {
  if (!(esquerda * direita > 0)) return 0;
  const double a = esquerda > 0 ? esquerda : -esquerda;
  const double b = direita > 0 ? direita : -direita;
  double m = 0.5 * (a + b);
  if (2 * a < m) m = 2 * a;
  if (2 * b < m) m = 2 * b;
  return esquerda > 0 ? m : -m;
}

// Cube root of x >= 0 (0 for 0 or a subnormal): a bit-level first guess,
// refined by two Halley steps and a Newton step to full precision. The
// library's cube root would take most of a run's time.
inline double RaizCubica(double x) {
  if (!(x >= 2.3e-308)) return x > 0 || x == 0 ? 0 : x;
  uint64_t i;
  std::memcpy(&i, &x, sizeof i);
  i = i / 3 + 0x2A9F7893782DA1CEull;
  double y;
  std::memcpy(&y, &i, sizeof y);
  for (int k = 0; k < 2; ++k) {
    const double y3 = y * y * y;
    y *= (y3 + 2 * x) / (2 * y3 + x);
  }
  return y - (y * y * y - x) / (3 * y * y);
}

// x^(5/3) for x >= 0, as x²·x^(-1/3): the inverse cube root by a bit-level
// guess and four Newton steps, multiplications only (relative error ~1e-14).
inline double Pot53(double x) {
  if (!(x >= 2.3e-308)) return 0;
  uint64_t i;
  std::memcpy(&i, &x, sizeof i);
  i = 0x553EF0FF289DD796ull - i / 3;
  double y;
  std::memcpy(&y, &i, sizeof y);
  for (int k = 0; k < 4; ++k) y = y * (4 - x * y * y * y) * (1.0 / 3);
  return x * x * y;
}

// Outflow at the start of every step and at the end of the run.
struct TRodada {
  std::vector<double> Tempo;  // min
  std::vector<double> Vazao;  // L/s (per metre)
  TBalancoMassa Balanco;
  long Passos = 0;
  double TempoFinal = 0;  // min, when the run ended
  int Celulas = 0;
  double DeltaXMin = 0;
  // The outlet cell and its rating q = Alfa·h^Expoente (q in m²/s or m³/s,
  // h in m or A in m²), to tell a captured shock from a steep rise.
  double DeltaXSaida = 0, AlfaSaida = 0, ExpoenteSaida = 0;
};

// Peak and its time, refined by a parabola through the largest sample and its
// neighbours (the samples are not evenly spaced); volume from the balance.
void Indicadores(const TRodada& r, double& pico, double& tempoPico, double& volume);

// Runs levels from the initial one until two successive levels agree within
// the tolerance (peak, time of peak, volume), or the last level allowed, or
// one more level would cost more than a desktop run should. rodar(nivel)
// returns the run of that level. Fills info; returns the finest run.
template <class FRodar>
TRodada Refinar(const TParametrosConvergencia& p, TInfoConvergencia& info, FRodar rodar);

// A kinematic shock that reaches the outlet makes the outflow jump, but the
// captured shock is spread over a few cells, so the record rises along a
// ramp and its peak falls short by the branch's slope times the ramp's
// length: first order in the cell size. Each such ramp is replaced by the
// jump it stands for: the smooth branches before and after it are fitted and
// extended to the time that keeps the volume the record carries across the
// ramp. The jump becomes two samples at that time. A ramp counts as a shock
// only when the water it carries would cross it within a few cells of the
// outlet. Returns how many ramps were replaced.
int AjustarChoques(TRodada& r);

// Evenly spaced hydrograph of the record: a point at the peak sample, a zero
// at or before the last dry sample before the outlet gets wet, a closing zero
// once it is dry for good; spacing 0.01 min, wider when the run would need
// more than 20,000 points. Leaves the series empty when the outlet never got
// wet.
void Reamostrar(const TRodada& r, TCaudalente& serie);

// ---------------------------------------------------------------------------

inline bool Perto(double a, double b, double tol) {
  const double escala = std::max(std::fabs(a), std::fabs(b));
  return std::fabs(a - b) <= tol * escala;
}

template <class FRodar>
TRodada Refinar(const TParametrosConvergencia& p, TInfoConvergencia& info, FRodar rodar) {
  // A level costs about 4 times the one before; beyond this many cell
  // updates a run would keep the user waiting for more than a second or two.
  constexpr double kCustoMaximo = 6e7;
  info = TInfoConvergencia{};
  const int inicial = p.NivelFixo >= 0 ? p.NivelFixo : p.NivelInicial;
  const int maximo = p.NivelFixo >= 0 ? p.NivelFixo : std::max(p.NivelMaximo, inicial);
  TRodada anterior;
  double pico0 = 0, tp0 = 0, vol0 = 0;
  for (int nivel = inicial;; ++nivel) {
    TRodada r = rodar(nivel);
    AjustarChoques(r);
    double pico, tp, vol;
    Indicadores(r, pico, tp, vol);
    const bool convergiu = nivel > inicial && Perto(pico, pico0, p.Tolerancia) &&
                           Perto(vol, vol0, p.Tolerancia) &&
                           // The time of peak may also settle within a few output steps' worth
                           // of a second, whatever its size.
                           (Perto(tp, tp0, p.Tolerancia) || std::fabs(tp - tp0) <= 0.002);
    info.Nivel = nivel;
    info.Celulas = r.Celulas;
    info.DeltaXMin = r.DeltaXMin;
    info.Passos = r.Passos;
    info.TempoFinal = r.TempoFinal;
    info.Convergiu = convergiu || p.NivelFixo >= 0;
    info.Pico = pico;
    info.TempoPico = tp;
    info.Volume = vol;
    info.Balanco = r.Balanco;
    const double custoSeguinte = 4.0 * static_cast<double>(r.Passos) * r.Celulas;
    if (convergiu || nivel >= maximo || custoSeguinte > kCustoMaximo) return r;
    pico0 = pico, tp0 = tp, vol0 = vol;
  }
}

}  // namespace convergencia
