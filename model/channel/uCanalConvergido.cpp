// Converged channel (equations in the header). Per step of dts seconds,
// with F the interface discharges (m³/s) of the limited reconstruction, L
// the lateral inflow of the step (m², the hillslope's outflow integrated
// over the step) and D the rain minus infiltration depth of the step (m,
// from the storm's cumulative depth, only from tFim on):
//   A*    = max(0, A − dts/dx·ΔF(A) + L + D·T(A))
//   A_new = max(0, A − dts/(2dx)·(ΔF(A) + ΔF(A*)) + L + D·(T(A) + T(A*))/2)
#include "model/channel/uCanalConvergido.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/hillslope/uConvergencia.h"
#include "toolkit/FormatoNumero.h"

namespace {

constexpr double kCfl = 0.9;            // Courant number of a step
constexpr int kCelulasBase = 16;        // cells of level 0 (at most 10 m each)
constexpr double kDxMaximoBase = 10;    // m
constexpr double kDtMaximoBase = 12;    // s, longest step of level 0
constexpr double kDuracaoMaxima = 1e5;  // min after the inflow's end after which a run is refused

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
    return B + 2 * Z * TCanal::ProfundidadeTrapezio(B, Z, A);
  }
};

class TGradeCanal {
 public:
  TGradeCanal(double comprimento, int nivel, double alfa, double beta, const TSecao& secao,
              TPrecipitacao& chuva, const TCaudalente& entrada, double tie, IProgresso* progresso)
      : alfa_(alfa),
        beta_(beta),
        secao_(secao),
        chuva_(chuva),
        entrada_(entrada),
        integral_(entrada),
        tie_(tie),
        progresso_(progresso) {
    const int base = std::max(kCelulasBase, static_cast<int>(std::ceil(comprimento / kDxMaximoBase - 1e-9)));
    n_ = base << nivel;
    comprimento_ = comprimento;
    dx_ = comprimento / n_;
    dtMaximo_ = kDtMaximoBase / (1 << nivel);
    A_.assign(n_, 0.0);
    As_.assign(n_, 0.0);
    F0_.assign(n_ + 1, 0.0);
    F1_.assign(n_ + 1, 0.0);
    tFim_ = entrada.Ponto(entrada.Count() - 1u).Tempo;
  }

  convergencia::TRodada Rodar() {
    convergencia::TRodada r;
    r.Celulas = n_;
    r.DeltaXMin = dx_;
    double t = entrada_.Ponto(0).Tempo;
    double P = chuva_.Altura(t), V = 0;
    TBalancoMassa& b = r.Balanco;
    for (;;) {
      Fluxos(A_.data(), F0_.data());
      r.Tempo.push_back(t);
      r.Vazao.push_back(1000 * F0_[n_]);
      const bool perdas = t >= tFim_;
      if (perdas && Seco()) {
        r.TempoFinal = t;
        break;
      }
      if (t - tFim_ > kDuracaoMaxima || !std::isfinite(F0_[n_]))
        throw ECanal("O caudalente no canal não termina num tempo razoável; o cálculo foi interrompido.");

      double aMax = 0;
      for (double a : A_) aMax = std::max(aMax, a);
      const double c = aMax > 0 ? beta_ * alfa_ * std::pow(aMax, beta_ - 1) : 0;
      double dtS = c > 0 ? std::min(dtMaximo_, kCfl * dx_ / c) : dtMaximo_;
      if (!perdas) dtS = std::min(dtS, (tFim_ - t) * 60);
      const double t1 = perdas || t + dtS / 60 < tFim_ ? t + dtS / 60 : tFim_;
      dtS = (t1 - t) * 60;
      const double V1 = integral_.Ate(t1);
      const double lateral = (V1 - V) * 60 / 1000;  // m² per metre of channel
      const double P1 = chuva_.Altura(t1);
      const double D = perdas ? (P1 - P - tie_ * dtS / 3600) / 1000 : 0;  // m

      const double l = dtS / dx_;
      for (int i = 0; i < n_; ++i) {
        const double v =
            A_[i] - l * (F0_[i + 1] - F0_[i]) + lateral + (perdas ? D * secao_.LarguraSuperficial(A_[i]) : 0);
        As_[i] = v > 0 ? v : 0;
      }
      Fluxos(As_.data(), F1_.data());
      double superficie = 0, semAgua = 0;  // m², summed over cells
      for (int i = 0; i < n_; ++i) {
        const double s =
            perdas ? D * 0.5 * (secao_.LarguraSuperficial(A_[i]) + secao_.LarguraSuperficial(As_[i])) : 0;
        const double v = A_[i] - 0.5 * l * (F0_[i + 1] + F1_[i + 1] - F0_[i] - F1_[i]) + lateral + s;
        superficie += s;
        if (v > 0) {
          A_[i] = v;
        } else {
          A_[i] = 0;
          semAgua -= v;
        }
      }
      b.Chuva += 1000 * lateral * comprimento_;
      if (superficie > 0)
        b.Entrada += 1000 * superficie * dx_;
      else
        b.Infiltracao -= 1000 * superficie * dx_;
      b.Infiltracao -= 1000 * semAgua * dx_;
      b.Saida += 1000 * dtS / 2 * (F0_[n_] + F1_[n_]);
      t = t1;
      P = P1;
      V = V1;
      if (++r.Passos % 23 == 0 && progresso_) {
        progresso_->Mostrar(toolkit::FormatarNumero("0.0", t));
        progresso_->ProcessarMensagens();
      }
    }
    for (double a : A_) b.Armazenado += 1000 * a * dx_;
    return r;
  }

 private:
  double Vazao(double A) const {
    if (!(A > 0)) return 0;
    return alfa_ * std::pow(A, beta_);
  }

  // Nothing enters at the top: the top cell looks up to a dry edge half a
  // cell away; the outlet cell takes the slope from above.
  void Fluxos(const double* A, double* F) const {
    F[0] = 0;
    F[1] = n_ > 1 ? Vazao(A[0] + 0.5 * convergencia::Inclinacao(2 * A[0], A[1] - A[0])) : Vazao(A[0]);
    for (int i = 1; i + 1 < n_; ++i)
      F[i + 1] = Vazao(A[i] + 0.5 * convergencia::Inclinacao(A[i] - A[i - 1], A[i + 1] - A[i]));
    if (n_ > 1) F[n_] = Vazao(A[n_ - 1] + 0.5 * (A[n_ - 1] - A[n_ - 2]));
  }

  bool Seco() const {
    for (double a : A_)
      if (a > 0) return false;
    return true;
  }

  double alfa_, beta_;
  TSecao secao_;
  TPrecipitacao& chuva_;
  const TCaudalente& entrada_;
  TIntegralEntrada integral_;
  double tie_;
  IProgresso* progresso_;
  int n_ = 0;
  double comprimento_ = 0, dx_ = 0, dtMaximo_ = 0, tFim_ = 0;
  std::vector<double> A_, As_, F0_, F1_;
};

}  // namespace

std::unique_ptr<TCaudalente> TCanalConvergido::CalcularCaudalente(const TCanalCinematico& Canal, int Colunas,
                                                                  TPrecipitacao& Chuva,
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
  secao.W = secao.triangular ? std::sqrt(2 * (1 / Canal.Sm.Valor + 1 / Canal.Z.Valor)) : 1.0;

  const convergencia::TRodada r = convergencia::Refinar(FParametros, FInfo, [&](int nivel) {
    TGradeCanal grade(Colunas * deltaX, nivel, curva.Alfa, curva.Beta, secao, Chuva, CaudalenteEncosta, Tie,
                      Progresso);
    return grade.Rodar();
  });
  convergencia::Reamostrar(r, *resultado);
  resultado->SuavizarRecessao();

  if (resultado->Count() <= 2) {
    resultado->Limpar();
  } else {
    resultado->Alfa = curva.Alfa;
    resultado->Expoente = curva.Beta;
    resultado->Calcular(Colunas * deltaX * ComprimentoEncosta * 1000);
  }
  return resultado;
}
