#pragma once
// Least-squares fits over n pairs (x, y):
//   line        y = a + b*x          (AjusteLinear)
//   power law   y = c * x^m          (AjustePotencia, a line on base-10 logarithms)
// The channel solver fits the wetted perimeter as a power of the wetted area,
// P = c * A^m, so that Manning's equation becomes one power law Q = alfa * A^beta.
#include <vector>

class TRegressao {
 public:
  explicit TRegressao(int n = 0) { SetTamanho(n); }

  // N := n; both arrays get length n, new elements 0. The caller fills X and Y.
  void SetTamanho(int n);

  // Needs at least two pairs with distinct x; no checks of its own.
  void AjusteLinear(double& a, double& b) const;
  // Needs positive x and non-negative y; a zero ordinate enters as log 0 (the
  // pair (x, 1) is fitted in its place).
  void AjustePotencia(double& c, double& m) const;

  int N = 0;
  std::vector<double> X;
  std::vector<double> Y;
};
