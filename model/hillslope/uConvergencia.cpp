// Outlet record of a converged run -> indicators and evenly spaced series.
// t in min, discharge in L/s (per metre), volume in L (per metre).
#include "model/hillslope/uConvergencia.h"

#include <cstddef>

namespace convergencia {

void Indicadores(const TRodada& r, double& pico, double& tempoPico, double& volume) {
  pico = 0, tempoPico = 0;
  volume = r.Balanco.Saida;
  const std::size_t n = r.Vazao.size();
  std::size_t k = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (r.Vazao[i] > pico) pico = r.Vazao[i], k = i;
  if (pico <= 0) return;
  tempoPico = r.Tempo[k];
  if (k == 0 || k + 1 >= n) return;
  // Vertex of the parabola through (k-1, k, k+1), kept within the two steps.
  const double t0 = r.Tempo[k - 1], t1 = r.Tempo[k], t2 = r.Tempo[k + 1];
  const double q0 = r.Vazao[k - 1], q1 = r.Vazao[k], q2 = r.Vazao[k + 1];
  const double d01 = (q1 - q0) / (t1 - t0), d12 = (q2 - q1) / (t2 - t1);
  const double a = (d12 - d01) / (t2 - t0);
  if (!(a < 0)) return;
  const double b = d01 - a * (t0 + t1);
  const double tv = std::min(t2, std::max(t0, -b / (2 * a)));
  const double qv = q0 + (tv - t0) * (d01 + a * (tv - t1));
  if (qv > pico) pico = qv, tempoPico = tv;
}

void Reamostrar(const TRodada& r, TCaudalente& serie) {
  serie.Limpar();
  const std::size_t n = r.Vazao.size();
  std::size_t primeiro = n, ultimo = 0, k = 0;
  double pico = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (!(r.Vazao[i] > 0)) continue;
    if (primeiro == n) primeiro = i;
    ultimo = i;
    if (r.Vazao[i] > pico) pico = r.Vazao[i], k = i;
  }
  if (primeiro == n) return;
  const double tSeco = primeiro > 0 ? r.Tempo[primeiro - 1] : r.Tempo[primeiro];
  const double tFim = ultimo + 1 < n ? r.Tempo[ultimo + 1] : r.Tempo[ultimo];
  const double tPico = r.Tempo[k];
  const double dt = std::max(0.01, (tFim - tSeco) / 20000);
  const long antes = static_cast<long>(std::ceil((tPico - tSeco) / dt - 1e-9));
  const long depois = std::max(1L, static_cast<long>(std::ceil((tFim - tPico) / dt - 1e-9)));
  const double t0 = tPico - static_cast<double>(antes) * dt;
  serie.Reservar(static_cast<std::size_t>(antes + depois + 1));
  std::size_t j = 0;  // record interval [j, j+1] holding the point
  for (long i = 0; i <= antes + depois; ++i) {
    double q = 0;
    if (i == antes) {
      q = pico;  // the peak sample itself, not a blend with its neighbours
    } else if (i > 0 && i < antes + depois) {
      const double t = t0 + static_cast<double>(i) * dt;
      while (j + 1 < n && r.Tempo[j + 1] < t) ++j;
      if (j + 1 < n && r.Tempo[j] <= t) {
        const double f = (t - r.Tempo[j]) / (r.Tempo[j + 1] - r.Tempo[j]);
        q = r.Vazao[j] + f * (r.Vazao[j + 1] - r.Vazao[j]);
      }
    }
    serie.Adicionar(i == antes ? tPico : t0 + static_cast<double>(i) * dt, q > 0 ? q : 0);
  }
}

}  // namespace convergencia
