#pragma once
// Exact outflow of one plane by the method of characteristics, the oracle of
// the converged solver. The plane starts dry when the initial abstraction is
// filled (tia) and takes the storm's excess e(t) = I(t) − VIB everywhere:
//   dh/dt = e(t) and dx/dt = c(h) = (5/3)·alfa·h^(2/3) along a characteristic.
// With E(t) = ∫ e from tia to t (from the cumulative depth P(t)), a
// characteristic leaving the top at τ carries h = E(t) − E(τ) and has
// travelled X(τ, t) = ∫ c(E(s) − E(τ)) ds. Downstream of the leading
// characteristic (τ = tia) the depth is E(t); upstream, the characteristic
// that reaches the outlet at t gives it; a characteristic whose depth falls
// to zero leaves the ground dry behind it. The excess is the same everywhere,
// so later characteristics are shallower and slower: no shock forms.
// t in min, h in m, x in m, discharge in L/s per metre, volume in L per metre.
#include <algorithm>
#include <cmath>

#include "model/hillslope/uPrecipitacao.h"

namespace teste {

class TSolucaoCaracteristicas {
 public:
  TSolucaoCaracteristicas(TPrecipitacaoExponencialNegativa& chuva, double tia, double vib, double alfa,
                          double comprimento)
      : chuva_(chuva), tia_(tia), vib_(vib), alfa_(alfa), L_(comprimento), Pia_(chuva.Altura(tia)) {}

  // Excess depth accumulated since tia, m (negative once infiltration has
  // taken more than the rain gave).
  double E(double t) const { return (chuva_.Altura(t) - Pia_ - vib_ * (t - tia_) / 60) / 1000; }

  // Distance (m) covered by the characteristic that left the top at tau, by t.
  double X(double tau, double t) const {
    if (t <= tau) return 0;
    const double Etau = E(tau);
    // s = tau + (t − tau)·u³ turns the (s − tau)^(2/3) start into a smooth integrand.
    static const double no[8] = {-0.9602898564975363, -0.7966664774136267, -0.5255324099163290,
                                 -0.1834346424956498, 0.1834346424956498,  0.5255324099163290,
                                 0.7966664774136267,  0.9602898564975363};
    static const double peso[8] = {0.1012285362903763, 0.2223810344533745, 0.3137066458778873,
                                   0.3626837833783620, 0.3626837833783620, 0.3137066458778873,
                                   0.2223810344533745, 0.1012285362903763};
    const int partes = 16;
    double soma = 0;
    for (int p = 0; p < partes; ++p) {
      const double a = static_cast<double>(p) / partes, b = static_cast<double>(p + 1) / partes;
      for (int g = 0; g < 8; ++g) {
        const double u = 0.5 * (a + b) + 0.5 * (b - a) * no[g];
        const double s = tau + (t - tau) * u * u * u;
        const double h = std::max(0.0, E(s) - Etau);
        soma += 0.5 * (b - a) * peso[g] * std::cbrt(h * h) * 3 * (t - tau) * u * u;
      }
    }
    return 60 * 5.0 / 3.0 * alfa_ * soma;  // min -> s
  }

  // Depth at the outlet, m.
  double Profundidade(double t) const {
    if (t <= tia_) return 0;
    const double Et = E(t);
    if (Et <= 0) return 0;
    if (X(tia_, t) <= L_) return Et;  // not yet reached by the leading characteristic
    // Characteristics that still carry water at t left the top before the
    // excess accumulated since then fell back to zero.
    double tauSeco = t;
    if (t > tempoMaximoE()) {
      double a = tia_, b = tempoMaximoE();  // E rises on [tia, tmax]: find E(tau) = E(t)
      for (int i = 0; i < 100 && b - a > 1e-13; ++i) {
        const double m = 0.5 * (a + b);
        (E(m) < Et ? a : b) = m;
      }
      tauSeco = a;
    }
    if (X(tauSeco, t) >= L_) return 0;  // the dry front has passed the outlet
    // X falls as tau grows: the characteristic through (L, t).
    double a = tia_, b = tauSeco;
    for (int i = 0; i < 200 && b - a > 1e-12; ++i) {
      const double m = 0.5 * (a + b);
      (X(m, t) > L_ ? a : b) = m;
    }
    return std::max(0.0, Et - E(0.5 * (a + b)));
  }

  double Vazao(double t) const {
    const double h = Profundidade(t);
    return 1000 * alfa_ * std::pow(h, 5.0 / 3.0);
  }

  // Peak by a scan and a golden-section search around the best sample.
  void Pico(double& vazao, double& tempo) const {
    const double fim = TempoSeco();
    const int n = 600;
    int melhor = 0;
    double qMelhor = -1;
    for (int i = 0; i <= n; ++i) {
      const double q = Vazao(tia_ + (fim - tia_) * i / n);
      if (q > qMelhor) qMelhor = q, melhor = i;
    }
    double a = tia_ + (fim - tia_) * std::max(0, melhor - 1) / n;
    double b = tia_ + (fim - tia_) * std::min(n, melhor + 1) / n;
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    double qc = Vazao(c), qd = Vazao(d);
    while (b - a > 1e-7) {
      if (qc > qd) {
        b = d, d = c, qd = qc;
        c = b - r * (b - a), qc = Vazao(c);
      } else {
        a = c, c = d, qc = qd;
        d = a + r * (b - a), qd = Vazao(d);
      }
    }
    tempo = 0.5 * (a + b);
    vazao = Vazao(tempo);
  }

  // Time the outlet dries for good, min.
  double TempoSeco() const {
    double t = tempoMaximoE();
    double passo = 1;
    while (Profundidade(t) > 0) t += passo, passo *= 1.5;
    double a = t - passo / 1.5, b = t;
    while (b - a > 1e-9) {
      const double m = 0.5 * (a + b);
      (Profundidade(m) > 0 ? a : b) = m;
    }
    return b;
  }

  // Outflow volume, L per metre: Simpson's rule on a fine grid.
  double Volume() const {
    const double fim = TempoSeco();
    const int n = 1200;
    const double passo = (fim - tia_) / n;
    double soma = 0;
    for (int i = 0; i <= n; ++i) soma += (i == 0 || i == n ? 1 : (i % 2 ? 4 : 2)) * Vazao(tia_ + i * passo);
    return soma * passo / 3 * 60;
  }

 private:
  // E(t) grows while I(t) > VIB: the end of excess.
  double tempoMaximoE() const {
    if (tMaxE_ < 0) {
      double a = tia_, b = tia_ + 1;
      while (chuva_.IntensidadeInstantanea(b) > vib_) b = tia_ + 2 * (b - tia_);
      if (chuva_.IntensidadeInstantanea(a) <= vib_) b = a;
      while (b - a > 1e-12) {
        const double m = 0.5 * (a + b);
        (chuva_.IntensidadeInstantanea(m) > vib_ ? a : b) = m;
      }
      tMaxE_ = b;
    }
    return tMaxE_;
  }

  TPrecipitacaoExponencialNegativa& chuva_;
  double tia_, vib_, alfa_, L_, Pia_;
  mutable double tMaxE_ = -1;
};

}  // namespace teste
