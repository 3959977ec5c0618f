// Converged channel (equations in the header), along its characteristics.
// Per step of dts seconds, with L the lateral inflow of the step (m², the
// hillslope's outflow integrated over the step) and D the rain minus
// infiltration depth of the step (m, from the storm's cumulative depth,
// only from tFim on), every characteristic (x, A) moves to
//   A_new = A + L                                   before tFim,
//   A*    = max(0, A + D·T(A)),  A_new = max(0, A + D·(T(A) + T(A*))/2)   after,
//   x_new = x + dts·(Q(A_new) − Q(A))/L   before tFim (dQ/dt = c·dA/dt),
//   x_new = x + dts·(c(A) + c(A_new))/2   after,
// and a new one leaves the top (x = 0, A = 0) at the start of every step
// before tFim.
#include "model/channel/uCanalConvergido.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "model/uConvergencia.h"

namespace {

// Runoff from the hillslope per metre of channel, L/s·min, from its first
// point to t: the series is linear between its points, so this is exact.
class TIntegralEntrada {
 public:
  explicit TIntegralEntrada(const TCaudalente& s) : s_(s), acumulado_(s.Count(), 0.0) {
    for (std::size_t i = 1; i < acumulado_.size(); ++i)
      acumulado_[i] = acumulado_[i - 1] + 0.5 * (s.Ponto(i - 1).Vazao + s.Ponto(i).Vazao) *
                                              (s.Ponto(i).Tempo - s.Ponto(i - 1).Tempo);
  }
  double Ate(double t) const {
    const auto& p = s_.Pontos();
    if (p.empty() || t <= p.front().Tempo) return 0;
    if (t >= p.back().Tempo) return acumulado_.back();
    const auto it =
        std::upper_bound(p.begin(), p.end(), t, [](double v, const TPonto& q) { return v < q.Tempo; });
    const std::size_t k = static_cast<std::size_t>(it - p.begin()) - 1;
    const double dt = t - p[k].Tempo;
    const double qt = p[k].Vazao + dt / (p[k + 1].Tempo - p[k].Tempo) * (p[k + 1].Vazao - p[k].Vazao);
    return acumulado_[k] + 0.5 * (p[k].Vazao + qt) * dt;
  }

 private:
  const TCaudalente& s_;
  std::vector<double> acumulado_;
};

struct TSecao {
  bool triangular;
  double B, Z, W;  // trapezoid; triangle: top width = W·√A
  double LarguraSuperficial(double A) const {
    if (!(A > 0)) return 0;
    if (triangular) return W * std::sqrt(A);
    return TCanal::LarguraTrapezio(B, Z, A);
  }
};

// The channel's characteristics. The lateral inflow is the same along the
// channel and the surface term depends only on A, so along a characteristic
// dx/dt = c(A) = beta·alfa·A^(beta−1) the area obeys an equation of t alone;
// characteristics leave the top dry one after another, and an older one
// always holds at least as much water, runs at least as fast and stays ahead:
// they never cross, no shock forms. Ahead of the first one the channel is
// level (the area every point has gathered since the inflow began). The
// outflow is the area each characteristic brings to the outlet.
//
// A finite-volume grid converges slowly here: a jump in the hillslope's
// outflow (a kinematic shock reaching its foot) sends down the channel a
// break in the slope of the area whose downstream side has a cube-root cusp
// (born at the dry top, where c = 0), and the peak sits on or just ahead of
// it, so flat that its time moved by more than the tolerance at every level
// a run can afford. Following the characteristics leaves no such error.
class TCaracteristicasCanal {
 public:
  TCaracteristicasCanal(double comprimento, int nivel, double alfa, double beta, const TSecao& secao,
                        const TPrecipitacao& chuva, const TCaudalente& entrada, double tie,
                        convergencia::TOrcamento& orcamento)
      : alfa_(alfa),
        beta_(beta),
        secao_(secao),
        chuva_(chuva),
        entrada_(entrada),
        integral_(entrada),
        tie_(tie),
        orcamento_(orcamento),
        comprimento_(comprimento),
        dt_(kPassoBase / (1 << nivel)),
        tFim_(entrada.Ponto(entrada.Count() - 1u).Tempo) {}

  convergencia::TRodada Rodar() {
    convergencia::TRodada r;
    double t = entrada_.Ponto(0).Tempo;
    double P = chuva_.Altura(t), V = 0;
    TBalancoMassa& b = r.Balanco;
    // Characteristics in the order they left the top: [frente_, end) are in
    // the channel, the oldest first. The first one is the front of the level
    // water, whose area is plato (the outlet's while nivelado).
    double plato = 0;
    bool nivelado = true, topoMolhado = true;
    std::size_t maximo = 0;
    Registrar(r, t, 0);
    for (;;) {
      const bool perdas = t >= tFim_;
      if (perdas && Seco(nivelado, plato)) {
        if (r.Vazao.back() > 0) Registrar(r, t, 0);
        r.TempoFinal = t;
        break;
      }
      if (t - tFim_ > convergencia::kDuracaoMaxima)
        throw ECanal("O caudalente no canal não termina num tempo razoável; o cálculo foi interrompido.");

      double dtS = perdas ? kPassosPerdas * dt_ : std::min(dt_, (tFim_ - t) * 60);
      const double t1 = perdas || t + dtS / 60 < tFim_ ? t + dtS / 60 : tFim_;
      dtS = (t1 - t) * 60;
      const double V1 = integral_.Ate(t1);
      const double lateral = (V1 - V) * 60 / 1000;  // m² per metre of channel
      const double P1 = chuva_.Altura(t1);
      const double D = perdas ? (P1 - P - tie_ * dtS / 3600) / 1000 : 0;  // m
      // A new one leaves the top every step while the inflow lasts, and
      // after it while rain beyond the losses keeps the top wet (once the
      // losses win there, it is dry for good).
      if (perdas && !(D > 0)) topoMolhado = false;
      const bool lancar = !perdas || topoMolhado;
      if (lancar) c_.push_back({0, 0, 0, 0, 0, false});

      const std::size_t frente0 = frente_;
      const bool nivelado0 = nivelado;
      for (std::size_t i = frente_; i < c_.size(); ++i) {
        TCaracteristica& k = c_[i];
        // Dried by the losses, dry for good (water is taken only where it
        // stands); one with no water yet takes in the rain on the bed.
        const double A1 = !perdas ? k.A + lateral : k.seco ? 0 : Superficie(k.A, D);
        if (perdas && !(A1 > 0)) k.seco = true;
        const double Q1 = Vazao(A1);
        // dQ/dt = c·dA/dt, and dA/dt barely changes over a step: the
        // distance is the rise of Q over the rate of A, right even from the
        // dry top, where c = 0 makes the trapezoidal rule first order.
        const double dA = A1 - k.A;
        const double x1 =
            std::fabs(dA) > 1e-6 * std::max(A1, k.A)
                ? k.x + dtS * (Q1 - k.Q) / dA
                : k.x + 0.5 * dtS * beta_ * ((k.A > 0 ? k.Q / k.A : 0) + (A1 > 0 ? Q1 / A1 : 0));
        k.dA = dA;
        k.xMedio = 0.5 * (k.x + x1);
        if (x1 >= comprimento_ && i == frente_) {
          // Reaches the outlet within the step; the older ones already have.
          // While the inflow lasts the distance is the rise of Q over the
          // rate of A, so the outlet's Q follows exactly from the distance
          // left; otherwise A is taken as linear in the distance.
          double f = x1 > k.x ? (comprimento_ - k.x) / (x1 - k.x) : 1;
          double q = Vazao(k.A + f * (A1 - k.A));
          if (!perdas && dA > 0 && x1 > k.x) {
            q = k.Q + (comprimento_ - k.x) * dA / dtS;
            const double A = std::pow(q / alfa_, 1 / beta_);
            f = std::min(1.0, std::max(0.0, (A - k.A) / dA));
          }
          Registrar(r, t + f * (t1 - t), 1000 * q);
          ++frente_;
          if (i == 0) nivelado = false;
        }
        k.x = x1;
        k.A = A1;
        k.Q = Q1;
      }
      const double plato1 = !perdas ? plato + lateral : plato > 0 ? Superficie(plato, D) : 0;
      if (perdas) {
        const double superficie = IntegralSuperficie(frente0, nivelado0, plato1 - plato);  // m³
        if (superficie > 0)
          b.Entrada += 1000 * superficie;
        else
          b.Infiltracao -= 1000 * superficie;
      }
      plato = plato1;
      if (nivelado) Registrar(r, t1, 1000 * Vazao(plato));
      // The oldest one left has dried: so have all behind it, and the outlet.
      if (!nivelado && frente_ < c_.size() && !(c_[frente_].A > 0) && r.Vazao.back() > 0) Registrar(r, t1, 0);
      maximo = std::max(maximo, c_.size() - frente_);
      b.Chuva += 1000 * lateral * comprimento_;
      t = t1;
      P = P1;
      V = V1;
      ++r.Passos;
      orcamento_.Gastar(kCustoPasso + static_cast<double>(c_.size() - frente0), t);
    }
    b.Saida = saida_;
    b.Armazenado = 1000 * Armazenado(nivelado, plato);
    r.Celulas = static_cast<int>(std::max<std::size_t>(1, maximo));
    r.DeltaXMin = comprimento_ / r.Celulas;
    return r;
  }

 private:
  // Step of level 0, s, while the inflow lasts; a characteristic leaves the
  // top every step. After it the channel changes slowly: longer steps.
  static constexpr double kPassoBase = 4;
  static constexpr double kPassosPerdas = 8;
  // Work of a step besides its characteristics, in characteristic moves.
  static constexpr double kCustoPasso = 40;

  struct TCaracteristica {
    double x, A, Q;  // m, m², m³/s
    double dA;       // m², change of A in the last step
    double xMedio;   // m, where it was halfway through that step
    bool seco;       // dried by the losses
  };

  double Vazao(double A) const { return A > 0 ? alfa_ * std::pow(A, beta_) : 0; }

  // Area after a step of rain minus losses D (m) through the water surface
  // of top width T(A); from A = 0 the water the rain leaves on the bed. In
  // the triangle T = W·√A, so d√A = W/2·dD exactly.
  double Superficie(double A, double D) const {
    if (secao_.triangular) {
      const double raiz = std::sqrt(std::max(0.0, A)) + 0.5 * secao_.W * D;
      return raiz > 0 ? raiz * raiz : 0;
    }
    const double T0 = A > 0 ? secao_.LarguraSuperficial(A) : secao_.B;
    const double a1 = std::max(0.0, A + D * T0);
    return std::max(0.0, A + 0.5 * D * (T0 + secao_.LarguraSuperficial(a1)));
  }

  // Outflow record, and its volume (L) by the trapezoidal rule.
  void Registrar(convergencia::TRodada& r, double t, double q) {
    if (!r.Tempo.empty()) saida_ += 30 * (r.Vazao.back() + q) * (t - r.Tempo.back());
    r.Tempo.push_back(t);
    r.Vazao.push_back(q);
  }

  bool Seco(bool nivelado, double plato) const {
    if (nivelado) return !(plato > 0);
    return frente_ >= c_.size() || !(c_[frente_].A > 0);
  }

  // Integral over the channel of a quantity given at the characteristics
  // [de, end) (linear between them, zero at the dry top, the level water's
  // value ahead of the first one, the oldest one's value beyond it).
  template <class FX, class FV>
  double Integrar(std::size_t de, bool nivelado, double valorPlato, FX posicao, FV valor) const {
    double soma = 0, x0 = 0, v0 = 0;
    for (std::size_t i = c_.size(); i-- > de;) {
      const double x1 = std::min(posicao(c_[i]), comprimento_), v1 = valor(c_[i]);
      soma += 0.5 * (v0 + v1) * (x1 - x0);
      x0 = x1;
      v0 = v1;
    }
    if (nivelado) v0 = valorPlato;
    return soma + v0 * (comprimento_ - x0);
  }
  // What the water surface took in over the last step (m³), the
  // characteristics halfway through it, those that reached the outlet in it
  // included.
  double IntegralSuperficie(std::size_t de, bool nivelado, double dPlato) const {
    return Integrar(
        de, nivelado, dPlato, [](const TCaracteristica& k) { return k.xMedio; },
        [](const TCaracteristica& k) { return k.dA; });
  }
  double Armazenado(bool nivelado, double plato) const {
    return Integrar(
        frente_, nivelado, plato, [](const TCaracteristica& k) { return k.x; },
        [](const TCaracteristica& k) { return k.A; });
  }

  double alfa_, beta_;
  TSecao secao_;
  const TPrecipitacao& chuva_;
  const TCaudalente& entrada_;
  TIntegralEntrada integral_;
  double tie_;
  convergencia::TOrcamento& orcamento_;
  double comprimento_, dt_, tFim_;
  std::vector<TCaracteristica> c_;
  std::size_t frente_ = 0;
  double saida_ = 0;
};

}  // namespace

std::unique_ptr<TCaudalente> TCanalConvergido::CalcularCaudalente(const TCanalCinematico& Canal, int Colunas,
                                                                  const TPrecipitacao& Chuva,
                                                                  const TCaudalente& CaudalenteEncosta,
                                                                  double Tie, double ComprimentoEncosta,
                                                                  IProgresso* Progresso) {
  FInfo = TInfoConvergencia{};
  const TCanal* canal = &Canal;
  auto resultado = std::make_unique<TCaudalente>([canal](double A) { return canal->ProfundidadeDaArea(A); });
  resultado->Local = 2;
  if (CaudalenteEncosta.Count() == 0) return resultado;
  if (Colunas < 1) throw ECanal("A coluna do canal deve ser maior ou igual a 1.");
  // The node spacing the data-entry window fixes with the length.
  const double deltaX = Canal.Comprimento() > 0 ? 1.0 : Canal.DeltaX;
  const int nos = deltaX > 0 ? static_cast<int>(std::lround(Canal.Comprimento() / deltaX)) : 0;
  if (nos < 1) throw ECanal("O comprimento do canal deve ser maior que zero.");
  if (Colunas > nos) throw ECanal("A coluna do canal deve estar entre 1 e " + std::to_string(nos) + ".");

  const TCurvaDescarga curva = Canal.CurvaDescarga();
  if (!(curva.Alfa > 0) || !std::isfinite(curva.Alfa) || !(curva.Beta > 1) || !std::isfinite(curva.Beta))
    throw ECanal("Os dados do canal não definem uma relação entre vazão e área válida.");
  TSecao secao{};
  secao.triangular = Canal.TipoCanal.Tipo == 1;
  secao.B = Canal.B();
  secao.Z = Canal.Z.Valor;
  secao.W = secao.triangular ? Canal.FatorTriangulo() : 1.0;

  convergencia::TOrcamento orcamento(FParametros, Progresso);
  convergencia::TRodada r;
  try {
    r = convergencia::Refinar(FParametros, FInfo, orcamento, [&](int nivel) {
      TCaracteristicasCanal canal(Colunas * deltaX, nivel, curva.Alfa, curva.Beta, secao, Chuva,
                                  CaudalenteEncosta, Tie, orcamento);
      return canal.Rodar();
    });
  } catch (const convergencia::EOrcamentoEsgotado&) {
    throw ECanal(convergencia::kOrcamentoEsgotado);
  }
  convergencia::Reamostrar(r, *resultado);

  if (resultado->Count() <= 2) {
    resultado->Limpar();
  } else {
    resultado->Alfa = curva.Alfa;
    resultado->Expoente = curva.Beta;
    resultado->Calcular(Colunas * deltaX * ComprimentoEncosta * 1000);
  }
  return resultado;
}
