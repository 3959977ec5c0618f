#include "model/channel/uRegressao.h"

#include <cmath>

void TRegressao::SetTamanho(int n) {
  N = n;
  const auto tamanho = static_cast<std::size_t>(n > 0 ? n : 0);
  X.resize(tamanho, 0.0);
  Y.resize(tamanho, 0.0);
}

void TRegressao::AjusteLinear(double& a, double& b) const {
  double sx = 0, sy = 0, sxy = 0, sxx = 0;
  for (int i = 0; i < N; ++i) {
    sx += X[i];
    sy += Y[i];
    sxy += X[i] * Y[i];
    sxx += X[i] * X[i];
  }
  b = (sxy - sx * sy / N) / (sxx - sx * sx / N);
  a = sy / N - b * sx / N;
}

void TRegressao::AjustePotencia(double& c, double& m) const {
  TRegressao logaritmos(N);
  for (int i = 0; i < N; ++i) {
    logaritmos.X[i] = std::log10(X[i]);
    logaritmos.Y[i] = Y[i] != 0 ? std::log10(Y[i]) : 0.0;
  }
  double intercepto = 0;
  logaritmos.AjusteLinear(intercepto, m);
  c = std::pow(10.0, intercepto);
}
