#pragma once
// Pieces the converged hillslope and channel solvers share: their settings
// and report, the CPU budget of a run, the refinement driver with its error
// estimate, the limited slope of the reconstruction and the turning of the
// outlet record (one value per time step, steps of varying length) into an
// evenly spaced hydrograph. t in min, discharge in L/s (per metre on the
// hillslope), volumes in L (per metre).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uInterfaceUsuario.h"

// How far the converged solvers refine. Level n has 2^n times the cells of
// level 0 (and, by the Courant limit, about 2^n times the steps). From the
// last three levels the remaining error of the peak, of the time the outflow
// first comes within the tolerance of its peak and of the volume is
// estimated (Richardson, at the order the levels show); the run has settled
// when all three are below the tolerances. Refinement also stops at the last
// level allowed, or when the next level would not fit the CPU budget; a
// level that runs out of it midway is dropped (Info().Convergiu is then
// false, with the estimate the finished levels reached).
struct TParametrosConvergencia {
  double Tolerancia = 1e-3;       // relative, for the peak and the volume
  double ToleranciaTempo = 0.01;  // min, for the time the outflow nears its peak
  // Level 0 is too coarse for its changes to show an order; the estimate
  // needs three levels, so level 3 is the first that can settle.
  int NivelInicial = 1;
  int NivelMaximo = 9;
  // >= 0: a single run at this level, no refinement (refinement studies).
  int NivelFixo = -1;
  // CPU seconds of the thread for the whole run, every level included. The
  // budget is counted in work (the same levels on every machine) and backed
  // by the thread's CPU clock, which stops a slow machine at
  // OrcamentoRelogio seconds (<= 0: at OrcamentoSegundos).
  double OrcamentoSegundos = 2.0;
  double OrcamentoRelogio = 0;
};

// Where the water of a run went; L per metre of width on the hillslope, L in
// the channel. Chuva − Infiltracao − Abstracao + Entrada = Saida + Armazenado,
// up to rounding.
struct TBalancoMassa {
  double Chuva = 0;        // hillslope: rain on each segment after its abstraction was filled;
                           // channel: lateral inflow from the hillslope
  double Infiltracao = 0;  // taken where water stood (channel: loss through the water surface)
  double Abstracao = 0;    // run-on that reached a segment before its abstraction was filled
  double Entrada = 0;      // rain on the channel's water surface once the inflow has ended
  double Saida = 0;        // through the outlet
  double Armazenado = 0;   // left on the surface when the run ended
};

// Estimated remaining error of the returned level, in the units of the
// values (L/s per m or L/s; min; L per m or L); infinite until three levels
// have run.
struct TErroEstimado {
  double Pico = std::numeric_limits<double>::infinity();
  double TempoPico = std::numeric_limits<double>::infinity();  // of the time the outflow nears its peak
  double Volume = std::numeric_limits<double>::infinity();
};

// What the last computation did.
struct TInfoConvergencia {
  int Nivel = -1;          // level of the returned result
  int Celulas = 0;         // cells of that level
  double DeltaXMin = 0;    // m, smallest cell
  long Passos = 0;         // time steps of that level
  double TempoFinal = 0;   // min, end of the run (the surface has dried)
  bool Convergiu = false;  // the estimated errors are all below the tolerances
  // Indicators of the returned level: peak (L/s per m or L/s), its time
  // (min), the time the outflow first comes within the tolerance of the
  // peak (min) and the outflow volume (L per m or L).
  double Pico = 0, TempoPico = 0, TempoAlcance = 0, Volume = 0;
  TErroEstimado Erro;
  double OrdemPico = 0;          // order of convergence the last three peaks show (0: unknown)
  double SegundosCpu = 0;        // CPU time of the whole run
  double CelulasPorSegundo = 0;  // cell updates (per stage, a step's own work included) per CPU second
  TBalancoMassa Balanco;
};

namespace convergencia {

// Limited slope of a cell from its two one-sided differences (monotonised
// central): second order where the profile is smooth, no new extremum at a
// front or a kink.
inline double Inclinacao(double esquerda, double direita) {
  if (!(esquerda * direita > 0)) return 0;
  const double a = esquerda > 0 ? esquerda : -esquerda;
  const double b = direita > 0 ? direita : -direita;
  double m = 0.5 * (a + b);
  if (2 * a < m) m = 2 * a;
  if (2 * b < m) m = 2 * b;
  return esquerda > 0 ? m : -m;
}

// Cube root of x >= 0 (0 for 0 or a subnormal): a bit-level first guess,
// refined by two Halley steps and a Newton step to full precision. The
// library's cube root would take most of a run's time.
inline double RaizCubica(double x) {
  if (!(x >= 2.3e-308)) return x > 0 || x == 0 ? 0 : x;
  uint64_t i;
  std::memcpy(&i, &x, sizeof i);
  i = i / 3 + 0x2A9F7893782DA1CEull;
  double y;
  std::memcpy(&y, &i, sizeof y);
  for (int k = 0; k < 2; ++k) {
    const double y3 = y * y * y;
    y *= (y3 + 2 * x) / (2 * y3 + x);
  }
  return y - (y * y * y - x) / (3 * y * y);
}

// x^(5/3) for x >= 0, as x²·x^(-1/3): the inverse cube root by a bit-level
// guess and four Newton steps, multiplications only (relative error ~1e-14).
inline double Pot53(double x) {
  if (!(x >= 2.3e-308)) return 0;
  uint64_t i;
  std::memcpy(&i, &x, sizeof i);
  i = 0x553EF0FF289DD796ull - i / 3;
  double y;
  std::memcpy(&y, &i, sizeof y);
  for (int k = 0; k < 4; ++k) y = y * (4 - x * y * y * y) * (1.0 / 3);
  return x * x * y;
}

// Outflow at the start of every step and at the end of the run.
struct TRodada {
  std::vector<double> Tempo;  // min
  std::vector<double> Vazao;  // L/s (per metre)
  TBalancoMassa Balanco;
  long Passos = 0;
  double TempoFinal = 0;  // min, when the run ended
  int Celulas = 0;
  double DeltaXMin = 0;
  // The outlet cell and its rating q = Alfa·h^Expoente (q in m²/s or m³/s,
  // h in m or A in m²), to tell a captured shock from a steep rise.
  double DeltaXSaida = 0, AlfaSaida = 0, ExpoenteSaida = 0;
};

// Peak and its time: the largest sample, the value the hydrograph reports
// (steps are short; a parabola through it and its neighbours would overshoot
// a corner, where the rising limb ends); volume from the balance.
void Indicadores(const TRodada& r, double& pico, double& tempoPico, double& volume);

// A kinematic shock that reaches the outlet makes the outflow jump, but the
// captured shock is spread over a few cells, so the record rises along a
// ramp and its peak falls short by the branch's slope times the ramp's
// length: first order in the cell size. Each such ramp is replaced by the
// jump it stands for: the smooth branches before and after it are fitted and
// extended to the time that keeps the volume the record carries across the
// ramp. The jump becomes two samples at that time. A ramp counts as a shock
// only when the water it carries would cross it within a few cells of the
// outlet. Returns how many ramps were replaced.
int AjustarChoques(TRodada& r);

// Evenly spaced hydrograph of the record: a point at the peak sample, a zero
// at or before the last dry sample before the outlet gets wet, a closing zero
// once it is dry for good; spacing 0.01 min, wider when the run would need
// more than 20,000 points. Leaves the series empty when the outlet never got
// wet.
void Reamostrar(const TRodada& r, TCaudalente& serie);

// ---------------------------------------------------------------------------

// Thrown by a level that runs out of the CPU budget; Refinar drops that
// level.
struct EOrcamentoEsgotado {};

// What the user is told when not even the coarsest level fits the budget.
// Minutes of runoff (on the hillslope) or after the inflow's end (in the
// channel) past which a converged run is refused; the tracing pre-check
// refuses up front a run whose rainfall excess alone lasts longer.
inline constexpr double kDuracaoMaxima = 1e5;

inline constexpr const char* kOrcamentoEsgotado =
    "O método convergido não conseguiu calcular este caudalente dentro do seu limite de 2 s de "
    "processamento: a onda percorre a encosta ou o canal depressa demais para os passos de tempo "
    "que ele pode dar. Use o método original para este projeto.";

// CPU time of the calling thread, s.
double SegundosCpu();

// The CPU budget of a run and its progress ticks. Solvers count the work of
// each step (cell updates per stage, or characteristics moved); every so
// often the thread's CPU clock is read, the progress box shows the simulated
// time and the level, and the window gets its events (where "Cancelar"
// throws). Past the budget, in work or in CPU time, EOrcamentoEsgotado.
class TOrcamento {
 public:
  // Cell updates a second on one core that the work budget assumes; the
  // CPU clock stops a slower machine at the same time anyway.
  static constexpr double kTrabalhoPorSegundo = 6.5e7;

  TOrcamento(const TParametrosConvergencia& p, IProgresso* progresso);
  void Nivel(int n) { nivel_ = n; }
  void Gastar(double unidades, double tempoSimulado) {
    trabalho_ += unidades;
    if (trabalho_ >= proximaVerificacao_) Verificar(tempoSimulado);
  }
  double Trabalho() const { return trabalho_; }
  double TrabalhoMaximo() const { return trabalhoMaximo_; }
  double Segundos() const { return SegundosCpu() - inicio_; }

 private:
  void Verificar(double tempoSimulado);
  static constexpr double kIntervaloVerificacao = 2e4;  // work units between clock readings
  static constexpr double kIntervaloProgresso = 0.04;   // s of CPU between progress ticks
  IProgresso* progresso_;
  double segundos_, trabalhoMaximo_, inicio_, ultimoProgresso_;
  double trabalho_ = 0, proximaVerificacao_ = kIntervaloVerificacao;
  int nivel_ = 0;
};

// Remaining error of f2, the last of three values at levels each twice as
// fine as the one before, from the order their changes show (Richardson);
// ordem gets that order (0 when the changes show none).
double ErroRichardson(double f0, double f1, double f2, double& ordem);

// First time the record comes within the relative tolerance of its largest
// sample: unlike the time of the peak itself, well posed on a flat top.
double TempoAlcance(const TRodada& r, double tolerancia);

// Runs levels from the initial one until the estimated errors fall below
// the tolerances, the last level allowed has run, or the next level would
// not fit the budget (its work predicted from the last one's). rodar(nivel)
// returns the run of that level. Fills info; returns the finest run that
// finished. Throws EOrcamentoEsgotado when the first level did not finish.
template <class FRodar>
TRodada Refinar(const TParametrosConvergencia& p, TInfoConvergencia& info, TOrcamento& orcamento,
                FRodar rodar) {
  info = TInfoConvergencia{};
  const int inicial = p.NivelFixo >= 0 ? p.NivelFixo : p.NivelInicial;
  const int maximo = p.NivelFixo >= 0 ? p.NivelFixo : std::max(p.NivelMaximo, inicial);
  struct TValores {
    double pico, alcance, volume;
  };
  std::vector<TValores> v;
  TRodada melhor;
  double trabalhoAnterior = 0;
  for (int nivel = inicial; nivel <= maximo; ++nivel) {
    // A level has twice the cells of the one before and, by the Courant
    // limit, about twice the steps.
    if (!v.empty() && orcamento.Trabalho() + 4 * trabalhoAnterior > orcamento.TrabalhoMaximo()) break;
    orcamento.Nivel(nivel);
    const double antes = orcamento.Trabalho();
    TRodada r;
    try {
      r = rodar(nivel);
    } catch (const EOrcamentoEsgotado&) {
      if (v.empty()) throw;
      break;
    }
    trabalhoAnterior = orcamento.Trabalho() - antes;
    AjustarChoques(r);
    TValores x{};
    double tp;
    Indicadores(r, x.pico, tp, x.volume);
    x.alcance = TempoAlcance(r, p.Tolerancia);
    v.push_back(x);
    info.Nivel = nivel;
    info.Celulas = r.Celulas;
    info.DeltaXMin = r.DeltaXMin;
    info.Passos = r.Passos;
    info.TempoFinal = r.TempoFinal;
    info.Pico = x.pico;
    info.TempoPico = tp;
    info.TempoAlcance = x.alcance;
    info.Volume = x.volume;
    info.Balanco = r.Balanco;
    melhor = std::move(r);
    if (v.size() >= 3) {
      const TValores &a = v[v.size() - 3], &b = v[v.size() - 2], &c = v.back();
      double ordem;
      info.Erro.Pico = ErroRichardson(a.pico, b.pico, c.pico, info.OrdemPico);
      info.Erro.TempoPico = ErroRichardson(a.alcance, b.alcance, c.alcance, ordem);
      info.Erro.Volume = ErroRichardson(a.volume, b.volume, c.volume, ordem);
    }
    info.Convergiu = p.NivelFixo >= 0 || (info.Erro.Pico <= p.Tolerancia * x.pico &&
                                          info.Erro.Volume <= p.Tolerancia * x.volume &&
                                          info.Erro.TempoPico <= p.ToleranciaTempo);
    if (info.Convergiu) break;
  }
  info.SegundosCpu = orcamento.Segundos();
  if (info.SegundosCpu > 0) info.CelulasPorSegundo = orcamento.Trabalho() / info.SegundosCpu;
  return melhor;
}

}  // namespace convergencia
