// Outlet record of a converged run -> indicators and evenly spaced series.
// t in min, discharge in L/s (per metre), volume in L (per metre).
#include "model/uConvergencia.h"

#include <cstddef>
#include <ctime>

#include "toolkit/FormatoNumero.h"

namespace convergencia {

namespace {

// q(t) = c0 + c1·u + c2·u², u = t − t0: a smooth branch of the record.
struct TRamo {
  double t0 = 0, c0 = 0, c1 = 0, c2 = 0;
  double operator()(double t) const {
    const double u = t - t0;
    return c0 + u * (c1 + u * c2);
  }
  double Primitiva(double t) const {
    const double u = t - t0;
    return u * (c0 + u * (c1 / 2 + u * c2 / 3));
  }
  double Integral(double a, double b) const { return Primitiva(b) - Primitiva(a); }
};

// Least-squares parabola through samples [de, ate) of the record, about
// time tRef. False when the samples span fewer than three times or the fit
// misses one of them by more than tolerancia.
bool AjustarRamo(const TRodada& r, std::size_t de, std::size_t ate, double tRef, double tolerancia,
                 TRamo& ramo) {
  if (ate < de + 3) return false;
  double escala = 0;
  for (std::size_t i = de; i < ate; ++i) escala = std::max(escala, std::fabs(r.Tempo[i] - tRef));
  if (!(escala > 0)) return false;
  // Normal equations in u/escala, which keeps them well conditioned.
  double s[5] = {0, 0, 0, 0, 0}, b[3] = {0, 0, 0};
  for (std::size_t i = de; i < ate; ++i) {
    const double u = (r.Tempo[i] - tRef) / escala;
    double p = 1;
    for (int k = 0; k < 5; ++k) {
      s[k] += p;
      if (k < 3) b[k] += p * r.Vazao[i];
      p *= u;
    }
  }
  double m[3][4] = {{s[0], s[1], s[2], b[0]}, {s[1], s[2], s[3], b[1]}, {s[2], s[3], s[4], b[2]}};
  for (int c = 0; c < 3; ++c) {
    int piv = c;
    for (int l = c + 1; l < 3; ++l)
      if (std::fabs(m[l][c]) > std::fabs(m[piv][c])) piv = l;
    if (!(std::fabs(m[piv][c]) > 1e-12 * s[0])) return false;
    for (int k = 0; k < 4; ++k) std::swap(m[c][k], m[piv][k]);
    for (int l = 0; l < 3; ++l) {
      if (l == c) continue;
      const double f = m[l][c] / m[c][c];
      for (int k = c; k < 4; ++k) m[l][k] -= f * m[c][k];
    }
  }
  ramo.t0 = tRef;
  ramo.c0 = m[0][3] / m[0][0];
  ramo.c1 = m[1][3] / m[1][1] / escala;
  ramo.c2 = m[2][3] / m[2][2] / (escala * escala);
  for (std::size_t i = de; i < ate; ++i)
    if (!(std::fabs(ramo(r.Tempo[i]) - r.Vazao[i]) <= tolerancia)) return false;
  return true;
}

// Depth (or area) carrying the discharge q (L/s per metre, or L/s).
double Profundidade(const TRodada& r, double q) {
  return q > 0 ? std::pow(q / 1000 / r.AlfaSaida, 1 / r.ExpoenteSaida) : 0;
}

}  // namespace

double SegundosCpu() {
#ifdef CLOCK_THREAD_CPUTIME_ID
  timespec ts{};
  if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts) == 0)
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
#endif
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

TOrcamento::TOrcamento(const TParametrosConvergencia& p, IProgresso* progresso)
    : progresso_(progresso),
      segundos_(p.OrcamentoRelogio > 0 ? p.OrcamentoRelogio : p.OrcamentoSegundos),
      trabalhoMaximo_(p.OrcamentoSegundos * kTrabalhoPorSegundo),
      inicio_(SegundosCpu()),
      ultimoProgresso_(inicio_) {}

void TOrcamento::Verificar(double tempoSimulado) {
  proximaVerificacao_ = trabalho_ + kIntervaloVerificacao;
  const double agora = SegundosCpu();
  if (trabalho_ > trabalhoMaximo_ || agora - inicio_ > segundos_) throw EOrcamentoEsgotado{};
  if (progresso_ && agora - ultimoProgresso_ >= kIntervaloProgresso) {
    ultimoProgresso_ = agora;
    progresso_->Mostrar(toolkit::FormatarNumero("0.0", tempoSimulado) + " (refinamento " +
                        std::to_string(nivel_) + ")");
    progresso_->Simulado(tempoSimulado);
    progresso_->ProcessarMensagens();
  }
}

double ErroRichardson(double f0, double f1, double f2, double& ordem) {
  ordem = 0;
  const double d1 = f1 - f0, d2 = f2 - f1;
  if (d2 == 0) return 0;
  const double r = d1 != 0 ? d2 / d1 : std::numeric_limits<double>::infinity();
  if (r > 0 && r < 1) {
    ordem = -std::log2(r);
    // The scheme is no better than second order: an apparent higher one is
    // a change that happened to be small, so the error is taken as at least
    // the second order's share of the last change.
    return std::fabs(d2) * std::max(r / (1 - r), 1.0 / 3);
  }
  // Changes of alternating sign bracket the limit within the last one;
  // changes that do not shrink show no order, and the error is at least
  // their sum.
  if (r <= 0) return std::fabs(d2);
  return std::fabs(d1) + std::fabs(d2);
}

double TempoAlcance(const TRodada& r, double tolerancia) {
  double maior = 0;
  for (double q : r.Vazao) maior = std::max(maior, q);
  const double alvo = (1 - tolerancia) * maior;
  for (std::size_t i = 0; i < r.Vazao.size(); ++i) {
    if (!(r.Vazao[i] >= alvo)) continue;
    if (i == 0 || !(r.Tempo[i] > r.Tempo[i - 1])) return r.Tempo[i];
    const double f = (alvo - r.Vazao[i - 1]) / (r.Vazao[i] - r.Vazao[i - 1]);
    return r.Tempo[i - 1] + f * (r.Tempo[i] - r.Tempo[i - 1]);
  }
  return 0;
}

int AjustarChoques(TRodada& r) {
  // A captured shock spreads over about three cells; its ramp in the record
  // is taken as one if it is no longer than the shock takes to cross this
  // many cells.
  constexpr double kCelulasDaRampa = 12;
  // Intervals rising faster than this share of the steepest belong to its ramp.
  constexpr double kFracaoDaRampa = 0.05;
  if (!(r.DeltaXSaida > 0 && r.AlfaSaida > 0 && r.ExpoenteSaida > 1)) return 0;
  std::vector<char> livre(r.Tempo.size(), 1);
  int ajustes = 0;
  for (int tentativa = 0; tentativa < 8; ++tentativa) {
    const std::size_t n = r.Tempo.size();
    auto subida = [&](std::size_t i) {
      const double dt = r.Tempo[i + 1] - r.Tempo[i];
      return dt > 0 ? (r.Vazao[i + 1] - r.Vazao[i]) / dt : 0.0;
    };
    std::size_t i0 = n;
    double maior = 0;
    for (std::size_t i = 0; i + 1 < n; ++i)
      if (livre[i] && livre[i + 1] && subida(i) > maior) maior = subida(i), i0 = i;
    if (i0 == n) break;
    std::size_t a = i0, b = i0 + 1;
    while (a > 0 && livre[a - 1] && subida(a - 1) > kFracaoDaRampa * maior) --a;
    while (b + 1 < n && livre[b + 1] && subida(b) > kFracaoDaRampa * maior) ++b;
    auto livres = [&](std::size_t de, std::size_t ate) {
      return std::all_of(livre.begin() + static_cast<std::ptrdiff_t>(de),
                         livre.begin() + static_cast<std::ptrdiff_t>(ate), [](char c) { return c != 0; });
    };
    auto recusar = [&]() {
      for (std::size_t i = a; i <= b; ++i) livre[i] = 0;
    };
    // Margins hold the foot and the shoulder of the spread shock, widened
    // until the branch beyond them is smooth; each branch is fitted over
    // twice the ramp and its margins.
    const std::size_t rampa = std::max<std::size_t>(4, b - a);
    double escala = 0;
    for (std::size_t i = a; i <= b; ++i) escala = std::max(escala, std::fabs(r.Vazao[i]));
    const double tolerancia = 1e-3 * escala;
    TRamo antes, depois;
    std::size_t lo = n, hi = n;
    for (std::size_t margem = rampa; margem <= 8 * rampa && lo == n; margem *= 2) {
      if (a < margem || !livres(a - margem, a)) break;
      const std::size_t largura = 2 * (b - a + 2 * margem);
      std::size_t de = a - margem;
      while (de > 0 && livre[de - 1] && a - margem - de < largura) --de;
      if (AjustarRamo(r, de, a - margem + 1, r.Tempo[a - margem], tolerancia, antes)) lo = a - margem;
    }
    for (std::size_t margem = rampa; margem <= 8 * rampa && hi == n; margem *= 2) {
      if (b + margem >= n || !livres(b, b + margem + 1)) break;
      const std::size_t largura = 2 * (b - a + 2 * margem);
      std::size_t ate = b + margem + 1;
      while (ate < n && livre[ate] && ate - (b + margem) <= largura) ++ate;
      if (AjustarRamo(r, b + margem, ate, r.Tempo[b + margem], tolerancia, depois)) hi = b + margem;
    }
    if (lo == n || hi == n) {
      recusar();
      continue;
    }
    // The volume across the window, as the record carries it.
    const double tLo = r.Tempo[lo], tHi = r.Tempo[hi];
    double volume = 0;
    for (std::size_t i = lo; i < hi; ++i)
      volume += 0.5 * (r.Vazao[i] + r.Vazao[i + 1]) * (r.Tempo[i + 1] - r.Tempo[i]);
    auto sobra = [&](double ts) { return antes.Integral(tLo, ts) + depois.Integral(ts, tHi) - volume; };
    if (!(sobra(tLo) >= 0 && sobra(tHi) <= 0)) {
      recusar();
      continue;
    }
    double x0 = tLo, x1 = tHi;
    for (int k = 0; k < 200 && x1 - x0 > 1e-13 * std::max(1.0, std::fabs(x1)); ++k) {
      const double xm = 0.5 * (x0 + x1);
      (sobra(xm) >= 0 ? x0 : x1) = xm;
    }
    const double ts = 0.5 * (x0 + x1);
    const double qAntes = std::max(0.0, antes(ts)), qDepois = depois(ts);
    const double salto = qDepois - qAntes;
    const double hAntes = Profundidade(r, qAntes), hDepois = Profundidade(r, qDepois);
    const double celeridade = hDepois > hAntes ? salto / 1000 / (hDepois - hAntes) : 0;  // m/s
    const double travessia = (r.Tempo[b] - r.Tempo[a]) * 60 * celeridade;                // m
    if (!(salto > 0.01 * qDepois) || !(travessia <= kCelulasDaRampa * r.DeltaXSaida)) {
      recusar();
      continue;
    }
    std::vector<double> tempo, vazao;
    for (std::size_t i = lo; i <= hi; ++i) {
      if (r.Tempo[i] >= ts && (tempo.empty() || tempo.back() < ts)) {
        tempo.insert(tempo.end(), {ts, ts});
        vazao.insert(vazao.end(), {qAntes, qDepois});
      }
      tempo.push_back(r.Tempo[i]);
      vazao.push_back(std::max(0.0, r.Tempo[i] < ts ? antes(r.Tempo[i]) : depois(r.Tempo[i])));
    }
    r.Tempo.erase(r.Tempo.begin() + static_cast<std::ptrdiff_t>(lo),
                  r.Tempo.begin() + static_cast<std::ptrdiff_t>(hi + 1));
    r.Vazao.erase(r.Vazao.begin() + static_cast<std::ptrdiff_t>(lo),
                  r.Vazao.begin() + static_cast<std::ptrdiff_t>(hi + 1));
    r.Tempo.insert(r.Tempo.begin() + static_cast<std::ptrdiff_t>(lo), tempo.begin(), tempo.end());
    r.Vazao.insert(r.Vazao.begin() + static_cast<std::ptrdiff_t>(lo), vazao.begin(), vazao.end());
    livre.erase(livre.begin() + static_cast<std::ptrdiff_t>(lo),
                livre.begin() + static_cast<std::ptrdiff_t>(hi + 1));
    livre.insert(livre.begin() + static_cast<std::ptrdiff_t>(lo), tempo.size(), 0);
    ++ajustes;
  }
  return ajustes;
}

void Indicadores(const TRodada& r, double& pico, double& tempoPico, double& volume) {
  pico = 0, tempoPico = 0;
  volume = r.Balanco.Saida;
  const std::size_t n = r.Vazao.size();
  std::size_t k = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (r.Vazao[i] > pico) pico = r.Vazao[i], k = i;
  if (pico <= 0) return;
  tempoPico = r.Tempo[k];
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
        const double dt = r.Tempo[j + 1] - r.Tempo[j];
        q = dt > 0 ? r.Vazao[j] + (t - r.Tempo[j]) / dt * (r.Vazao[j + 1] - r.Vazao[j]) : r.Vazao[j + 1];
      }
    }
    serie.Adicionar(i == antes ? tPico : t0 + static_cast<double>(i) * dt, q > 0 ? q : 0);
  }
}

}  // namespace convergencia
