// Kinematic-wave kernel of one plane (equations in the header). Units: h m,
// r = h^(5/3), q = alfa * r m2/s, e m/s, dx m, dts s; the top and outlet
// discharges are exchanged in L/s per metre (1000 * q).
#include "model/hillslope/uOndaCinematica.h"

#include <cmath>
#include <utility>

namespace {

// r of a depth, as the scheme defines it: r = h^(5/3).
inline double Pot53(double h) {
  return std::pow(h, 5.0 / 3.0);
}

}  // namespace

TPlanoCinematico::TPlanoCinematico(int n, double dxM, double dtS, double alfa)
    : ultima_(n - 1),
      alfa1000_(1000 * alfa),
      hEstrela_(std::pow(3 * dxM / (5 * alfa * dtS), 1.5)),
      alfa_(alfa),
      dx_(dxM),
      dtS_(dtS),
      alfaDts_(alfa * dtS),
      a_(n, 0.0),
      b_(n, 0.0),
      c_(n, 0.0),
      d_(n, 0.0),
      hVelho_(a_.data()),
      hNovo_(b_.data()),
      rVelho_(c_.data()),
      rNovo_(d_.data()) {}

void TPlanoCinematico::DefinirTopo(double qLps) {
  if (qLps > 0) {
    rNovo_[0] = qLps / alfa1000_;
    hNovo_[0] = std::pow(rNovo_[0], 0.6);
  } else {
    rNovo_[0] = 0;
    hNovo_[0] = 0;
  }
}

double TPlanoCinematico::Avancar(double eMs) {
  const double* const ho = hVelho_;
  const double* const ro = rVelho_;
  double* const hn = hNovo_;
  double* const rn = rNovo_;
  const double hEstrela = hEstrela_;
  const double alfa = alfa_, dx = dx_, dtS = dtS_, alfaDts = alfaDts_;
  // The products and quotients keep the order of the scheme's formulas (no
  // folded constants), so the depths come out the same to the last bit.
  const double eDts = eMs * dtS;
  const double eDxSobreAlfa = eMs * dx / alfa;
  double M = 0;
  for (int i = 1; i <= ultima_; ++i) {
    if (hn[i - 1] + ho[i] > hEstrela) {
      // r is taken again from the depth (not X itself) so that both marches
      // store the same function of h.
      const double X = (ho[i - 1] - hn[i - 1]) * dx / alfaDts + eDxSobreAlfa + rn[i - 1];
      if (X > 0) {
        M = std::pow(X, 0.6);
        hn[i] = M;
        rn[i] = Pot53(M);
        continue;
      }
      M = 0;
    } else {
      M = eDts + ho[i] + (ro[i - 1] - ro[i]) * alfa * dtS / dx;
      if (M > 0) {
        hn[i] = M;
        rn[i] = Pot53(M);
        continue;
      }
    }
    hn[i] = 0;
    rn[i] = 0;
  }
  // Every cell below the top is written before it is read, so the new level
  // can take the old one's storage.
  std::swap(hVelho_, hNovo_);
  std::swap(rVelho_, rNovo_);
  return M > 0 || std::isnan(M) ? M : 0;
}
