#pragma once
// An IDF equation fitted to intensities:
//   i = K * Tr^a / (t + b)^c      (i in mm/h, Tr in years, t in min, b in min)
// fitted by least squares on ln i over a grid of return periods and
// durations. For a fixed b, ln i = ln K + a ln Tr - c ln(t + b) is linear in
// (ln K, a, c) and solved exactly; the remaining sum of squares is minimised
// over b (a scan, then a golden-section search), so the fit needs no
// starting guess and cannot wander off.
//
// Used to interpolate the intensities of neighbouring stations (rather than
// their coefficients one by one) and give the equation that fits them.
#include <utility>
#include <vector>

struct TEquacaoIdf {
  double K = 0.0;
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
};

// i (mm/h) of the equation for a return period (years) and a duration (min).
double IntensidadeIdf(const TEquacaoIdf& e, double trAnos, double tMin);

struct TPontoIdf {
  double TrAnos;
  double tMin;
  double i;  // mm/h, > 0
};

// The grid of the fit: return periods 2, 5, 10, 25, 50 and 100 years;
// durations from 5 min to 24 h, log-spaced (16 values).
const std::vector<double>& PeriodosRetornoAjuste();
const std::vector<double>& DuracoesAjuste();

struct TAjusteIdf {
  TEquacaoIdf Equacao;
  // |i fitted / i given - 1| over the points: the fit's own error.
  double ErroMaximo = 0.0;
  double ErroMediano = 0.0;
};

// The least-squares fit of ln i. Throws std::invalid_argument with fewer than
// four points or an intensity that is not a positive finite number.
TAjusteIdf AjustarEquacaoIdf(const std::vector<TPontoIdf>& pontos);

// The weighted mean of the intensities of several equations on the grid
// (weights > 0, normalised here), and the equation fitted to it.
TAjusteIdf AjustarMediaDeIntensidades(const std::vector<std::pair<TEquacaoIdf, double>>& equacoes);
