#pragma once
// Numerical kernel of the hillslope: one plane of n cells of dx m under a
// uniform rainfall excess e (m/s), depths h (m), r = q / alfa = h^(5/3) with q
// in m2/s. Explicit upwind scheme, chosen per cell:
//   time march   h_new[i] = h_old[i] + dts * (e - (q_old[i] - q_old[i-1]) / dx)
//   space march  q_new[i] = q_new[i-1] + dx * (e - (h_new[i-1] - h_old[i-1]) / dts)
// The space march takes over where h_new[i-1] + h_old[i] exceeds h*, the depth
// whose celerity (5/3) alfa h^(2/3) crosses one cell per step.
#include <vector>

class TPlanoCinematico {
 public:
  // n >= 2 cells; all cells start dry.
  TPlanoCinematico(int n, double dxM, double dtS, double alfa);
  TPlanoCinematico(const TPlanoCinematico&) = delete;
  TPlanoCinematico& operator=(const TPlanoCinematico&) = delete;

  // Discharge leaving the top cell at the new time level, L/s per metre; the
  // top cell is taken to drain all it receives. Not positive: dry.
  void DefinirTopo(double qLps);
  // One step under excess eMs (m/s): computes cells 1..n-1 of the new level
  // and makes it the old one. Returns the outlet depth (m), 0 when dry (NaN
  // passes through so the caller can tell a broken run).
  double Avancar(double eMs);
  // Outlet discharge of the last step, L/s per metre.
  double VazaoSaida() const { return alfa1000_ * rVelho_[ultima_]; }

  double HEstrela() const { return hEstrela_; }

 private:
  int ultima_;
  double alfa1000_, hEstrela_;
  double alfa_, dx_, dtS_, alfaDts_;
  std::vector<double> a_, b_, c_, d_;
  // The two levels swap storage every step instead of being copied.
  double* hVelho_;
  double* hNovo_;
  double* rVelho_;
  double* rNovo_;
};
