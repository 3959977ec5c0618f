#include "idf/AjusteIdf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

// Upper end of the search for b (min): published equations stay well below.
constexpr double kBMaximo = 400.0;

struct TSolucaoLinear {
  double lnK = 0.0, a = 0.0, c = 0.0;
  double somaQuadrados = 0.0;
  bool valida = false;
};

// Least squares of y = lnK + a x1 + c x2 (x1 = ln Tr, x2 = -ln(t + b)) by the
// normal equations, solved by Gaussian elimination with partial pivoting.
TSolucaoLinear ResolverComB(const std::vector<TPontoIdf>& pontos, double b) {
  std::array<std::array<double, 4>, 3> m{};  // [A | r]
  for (const TPontoIdf& p : pontos) {
    const std::array<double, 3> x{1.0, std::log(p.TrAnos), -std::log(p.tMin + b)};
    const double y = std::log(p.i);
    for (int l = 0; l < 3; ++l) {
      for (int k = 0; k < 3; ++k) m[l][k] += x[l] * x[k];
      m[l][3] += x[l] * y;
    }
  }
  TSolucaoLinear s;
  for (int col = 0; col < 3; ++col) {
    int piv = col;
    for (int l = col + 1; l < 3; ++l)
      if (std::abs(m[l][col]) > std::abs(m[piv][col])) piv = l;
    if (!(std::abs(m[piv][col]) > 1e-300)) return s;
    std::swap(m[col], m[piv]);
    for (int l = 0; l < 3; ++l) {
      if (l == col) continue;
      const double f = m[l][col] / m[col][col];
      for (int k = col; k < 4; ++k) m[l][k] -= f * m[col][k];
    }
  }
  s.lnK = m[0][3] / m[0][0];
  s.a = m[1][3] / m[1][1];
  s.c = m[2][3] / m[2][2];
  for (const TPontoIdf& p : pontos) {
    const double r = s.lnK + s.a * std::log(p.TrAnos) - s.c * std::log(p.tMin + b) - std::log(p.i);
    s.somaQuadrados += r * r;
  }
  s.valida = std::isfinite(s.somaQuadrados);
  return s;
}

double Custo(const std::vector<TPontoIdf>& pontos, double b) {
  const TSolucaoLinear s = ResolverComB(pontos, b);
  return s.valida ? s.somaQuadrados : HUGE_VAL;
}

}  // namespace

double IntensidadeIdf(const TEquacaoIdf& e, double trAnos, double tMin) {
  return e.K * std::pow(trAnos, e.a) / std::pow(tMin + e.b, e.c);
}

const std::vector<double>& PeriodosRetornoAjuste() {
  static const std::vector<double> t{2, 5, 10, 25, 50, 100};
  return t;
}

const std::vector<double>& DuracoesAjuste() {
  static const std::vector<double> t = [] {
    constexpr int n = 16;
    std::vector<double> d;
    for (int k = 0; k < n; ++k) d.push_back(5.0 * std::pow(1440.0 / 5.0, k / double(n - 1)));
    return d;
  }();
  return t;
}

TAjusteIdf AjustarEquacaoIdf(const std::vector<TPontoIdf>& pontos) {
  if (pontos.size() < 4) throw std::invalid_argument("poucos pontos para ajustar a equação IDF");
  double tMin = HUGE_VAL;
  for (const TPontoIdf& p : pontos) {
    if (!(p.i > 0.0) || !std::isfinite(p.i) || !(p.TrAnos > 0.0) || !(p.tMin > 0.0))
      throw std::invalid_argument("intensidade, período de retorno ou duração inválidos no ajuste IDF");
    tMin = std::min(tMin, p.tMin);
  }

  // Scan b over 0 and a geometric range, then refine around the best.
  std::vector<double> bs{0.0};
  for (double b = 0.05; b <= kBMaximo; b *= 1.15) bs.push_back(b);
  std::size_t melhor = 0;
  std::vector<double> custos;
  for (double b : bs) custos.push_back(Custo(pontos, b));
  for (std::size_t k = 1; k < bs.size(); ++k)
    if (custos[k] < custos[melhor]) melhor = k;
  double lo = bs[melhor == 0 ? 0 : melhor - 1];
  double hi = bs[std::min(melhor + 1, bs.size() - 1)];
  const double phi = (std::sqrt(5.0) - 1.0) / 2.0;
  double x1 = hi - phi * (hi - lo), x2 = lo + phi * (hi - lo);
  double f1 = Custo(pontos, x1), f2 = Custo(pontos, x2);
  for (int it = 0; it < 200 && hi - lo > 1e-13 * std::max(1.0, hi); ++it) {
    if (f1 <= f2) {
      hi = x2;
      x2 = x1;
      f2 = f1;
      x1 = hi - phi * (hi - lo);
      f1 = Custo(pontos, x1);
    } else {
      lo = x1;
      x1 = x2;
      f1 = f2;
      x2 = lo + phi * (hi - lo);
      f2 = Custo(pontos, x2);
    }
  }
  double b = f1 <= f2 ? x1 : x2;
  if (custos[melhor] < std::min(f1, f2)) b = bs[melhor];

  const TSolucaoLinear s = ResolverComB(pontos, b);
  if (!s.valida) throw std::invalid_argument("o ajuste da equação IDF não tem solução");
  TAjusteIdf r;
  r.Equacao = {std::exp(s.lnK), s.a, b, s.c};
  std::vector<double> erros;
  for (const TPontoIdf& p : pontos)
    erros.push_back(std::abs(IntensidadeIdf(r.Equacao, p.TrAnos, p.tMin) / p.i - 1.0));
  std::sort(erros.begin(), erros.end());
  r.ErroMaximo = erros.back();
  const std::size_t n = erros.size();
  r.ErroMediano = n % 2 ? erros[n / 2] : (erros[n / 2 - 1] + erros[n / 2]) / 2.0;
  return r;
}

TAjusteIdf AjustarMediaDeIntensidades(const std::vector<std::pair<TEquacaoIdf, double>>& equacoes) {
  double total = 0.0;
  for (const auto& [e, w] : equacoes) total += w;
  if (equacoes.empty() || !(total > 0.0))
    throw std::invalid_argument("nenhuma equação para a média de intensidades");
  std::vector<TPontoIdf> pontos;
  for (double tr : PeriodosRetornoAjuste())
    for (double t : DuracoesAjuste()) {
      double i = 0.0;
      for (const auto& [e, w] : equacoes) i += w / total * IntensidadeIdf(e, tr, t);
      pontos.push_back({tr, t, i});
    }
  return AjustarEquacaoIdf(pontos);
}
