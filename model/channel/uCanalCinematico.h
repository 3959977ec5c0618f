#pragma once
// Kinematic wave in the channel, fed along its length by the hillslope:
//   ∂A/∂t + ∂Q/∂x = E,   Q = alfa·A^beta   (Manning with P ≈ c·A^m:
//   alfa = √Sc / (nc·c^(2/3)), beta = 5/3 − (2/3)·m)
// A in m², Q in m³/s, E (lateral inflow) in m³/s per metre of channel, x in m
// (1-m nodes), time in min on the hydrograph axis and in s inside the equations.
// The outflow hydrograph is in L/s.
#include <memory>
#include <string>

#include "model/channel/uCanal.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uPrecipitacao.h"

// Rating of the section: wetted perimeter P = c·A^m, discharge Q = Alfa·A^Beta.
struct TCurvaDescarga {
  double c = 0;
  double m = 0;
  double Alfa = 0;
  double Beta = 0;
};

class TCanalCinematicoCustom : public TCanalGradienteCustom {
 public:
  TCanalCinematicoCustom() : TCanalCinematicoCustom(std::string()) {}
  explicit TCanalCinematicoCustom(const std::string& sufixo) : TCanalGradienteCustom(sufixo) {
    TCanalCinematicoCustom::Limpar();
  }

  // The reach's reset; DeltaX is kept.
  void Limpar() override { TCanalGradienteCustom::Limpar(); }
  void Assign(const TCanal& Origem) override;

  // The length as the data-entry window sets it: negative stored as 0, and a
  // positive length fixes the node spacing at 1 m. (Reading a project uses
  // the plain setter of the reach and leaves DeltaX alone.)
  void SetComprimento(int L);

  // Power-law rating of the current section and reach. The trapezoid's c and m
  // come from a least-squares fit over depths 0.2 .. 5.0 m; the triangle's are
  // exact (m = 1/2, so Beta = 4/3).
  TCurvaDescarga CurvaDescarga() const;

  double DeltaX = 0;  // m, spacing of the computation nodes
};

class TCanalCinematico : public TCanalCinematicoCustom {
 public:
  using TCanalCinematicoCustom::TCanalCinematicoCustom;

  // Outflow hydrograph of the first Colunas metres of channel (1 .. number of
  // nodes), fed laterally by CaudalenteEncosta (L/s per metre, evenly spaced in
  // time). Tie (mm/h) is the infiltration rate of the last hillslope segment;
  // ComprimentoEncosta (m) only scales the runoff depth of the statistics.
  // Progresso, when given, shows the simulated time every 23 steps.
  // Returns a channel series (Local 2) bound to ProfundidadeDaArea, empty when
  // it would have 2 points or fewer. Throws ECanal for a column outside the
  // channel, a channel longer than the program can count in columns, a run
  // longer than a series can hold, a lack of memory or a storm that cannot be
  // evaluated (the message says which). The work grows with Colunas, not with
  // the channel's length. The storm is only read.
  std::unique_ptr<TCaudalente> CalcularCaudalente(int Colunas, const TPrecipitacao& Chuva,
                                                  const TCaudalente& CaudalenteEncosta, double Tie,
                                                  double ComprimentoEncosta, IProgresso* Progresso);

  // Time step (min) for the infiltration rate Tie (mm/h): half the value of
  // the table, shorter for faster soils.
  static double PassoDeTempo(double Tie);
  // Sum of two neighbouring areas (m²) above which the solver marches in
  // space: twice the area at which the Courant number Beta·Alfa·A^(Beta−1)·Δt/Δx is 1.
  static double AreaLimite(double Alfa, double Beta, double dtS, double DeltaX);

 private:
  std::unique_ptr<TCaudalente> NovoCaudalente() const;
};
