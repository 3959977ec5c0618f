#pragma once
// Cross-section of the channel at the foot of the hillslope, for a flow depth y (m):
//   trapezoidal (Tipo 0): A = y·(B + Z·y)          P = B + 2·y·√(Z² + 1)
//   triangular  (Tipo 1): A = y²·(1/Z + 1/Sm)/2    P = y·(√((1/Z)² + 1) + √((1/Sm)² + 1))
// B in m; Z (trapezoid: horizontal run per metre of depth; triangle: slope of
// wall 1, the hillslope side) and Sm (slope of wall 2) in m/m; A in m², P in m.
// Also the reach: bed slope Sc (m/m), Manning roughness nc, length in whole metres.
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/hillslope/uTerreno.h"

// Errors of the channel model, with the message the user sees.
class ECanal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Display names of the shapes, indexed by TTipoCanal::Tipo (the order of the
// data-entry window's list).
inline constexpr const char* NomesTipoCanal[2] = {"Trapezoidal", "Triangular"};

class TTipoCanal {
 public:
  void Limpar() { Tipo = 1; }
  uint8_t Tipo = 1;  // 0 trapezoidal, 1 triangular
};

// Project-file section "Canal" + Sufixo.
class TCanal {
 public:
  TCanal() : TCanal(std::string()) {}
  explicit TCanal(const std::string& sufixo) : Sufixo(sufixo) {}
  virtual ~TCanal() = default;
  // A channel is one live object: copy its values with Assign.
  TCanal(const TCanal&) = delete;
  TCanal& operator=(const TCanal&) = delete;

  // Triangular, every value 0 except CDu = 1, no reference-table row; keeps Sufixo.
  virtual void Limpar();
  // Copies every value of the source that this class holds; never Sufixo.
  virtual void Assign(const TCanal& Origem);

  // Flow depth (m) at which the section holds the wetted area A (m²): the
  // positive root of the area relation. Needs Z > 0 (and Sm > 0 for the
  // triangle). Throws ECanal when the shape is neither of the two.
  double ProfundidadeDaArea(double A) const;
  // Depth of the trapezoid of base B and side slope Z holding area A; the
  // solver's loss step calls it directly at every node.
  static double ProfundidadeTrapezio(double B, double Z, double A) {
    return (std::sqrt(B * B + 4 * Z * A) - B) / (2 * Z);
  }
  // Width of the water surface of that trapezoid holding area A, where the
  // channel solvers take the rain and the infiltration after the inflow.
  static double LarguraTrapezio(double B, double Z, double A) {
    return 2 * ProfundidadeTrapezio(B, Z, A) * Z + B;
  }
  // The triangle's surface width is FatorTriangulo()·√A (from its area
  // y²·(1/Z + 1/Sm)/2 and width y·(1/Z + 1/Sm)). Needs Z and Sm > 0.
  double FatorTriangulo() const { return std::sqrt(2 * (1 / Sm.Valor + 1 / Z.Valor)); }
  // Geometry for a flow depth y (m); same preconditions and error.
  double AreaMolhada(double y) const;
  double PerimetroMolhado(double y) const;
  double LarguraSuperficial(double y) const;

  // False when the section's version is not "1" or a value fails its check
  // (values read before the failing key stay applied). Writing returns true;
  // a file that cannot be written throws toolkit::EArquivoIni.
  virtual bool LerArquivo(const std::string& NomeArquivo);
  virtual bool GravarArquivo(const std::string& NomeArquivo);
  // The same on a file its owner holds open (nothing is saved).
  virtual bool LerSecoes(const toolkit::TArquivoIni& ini);
  virtual void GravarSecoes(toolkit::TArquivoIni& ini) const;

  double B() const { return FB; }
  void SetB(double x) { FB = x < 0 ? 0 : x; }
  double H() const { return FH; }
  void SetH(double x) { FH = x < 0 ? 0 : x; }
  double Hr() const { return FHr; }
  void SetHr(double x) { FHr = x > 0 ? x : 0; }
  double CDu() const { return FCDu; }
  void SetCDu(double x) { FCDu = x > 1 ? x : 1.0; }

  std::string Sufixo;
  TTipoCanal TipoCanal;
  TReal Sm{0, -1};  // m/m, wall 2 of the triangle
  TReal Z{0, -1};   // m/m, see the header comment

 private:
  double FB = 0;  // m
  // H, Hr and CDu travel with the project file; no computation reads them.
  double FH = 0;
  double FHr = 0;
  double FCDu = 1.0;
};

// The reach: a cross-section with its length, bed slope and roughness, and a
// discharge value kept for the project file. Project-file sections "Canal" and
// "CanalGradiente", each followed by Sufixo. A new or cleared reach is trapezoidal.
class TCanalGradienteCustom : public TCanal {
 public:
  TCanalGradienteCustom() : TCanalGradienteCustom(std::string()) {}
  explicit TCanalGradienteCustom(const std::string& sufixo) : TCanal(sufixo) { TipoCanal.Tipo = 0; }

  void Limpar() override;
  void Assign(const TCanal& Origem) override;

  // Reads the "Canal" section first; when that fails nothing more is read.
  bool LerSecoes(const toolkit::TArquivoIni& ini) override;
  void GravarSecoes(toolkit::TArquivoIni& ini) const override;

  double Sc() const { return FSc; }
  void SetSc(double x) { FSc = x; }
  double Q() const { return FQ; }
  void SetQ(double x) { FQ = x < 0 ? 0 : x; }
  int Comprimento() const { return FComprimento; }
  // The plain length setter (negative stored as 0). The solver class hides it
  // with one that also fixes the node spacing; the file reader uses this one.
  void SetComprimento(int x) { FComprimento = x < 0 ? 0 : x; }

  TReal nc{0, 0};  // Manning n of the channel; row 0 of its table by default

 private:
  double FSc = 0;        // m/m
  double FQ = 0;         // carried in the project file only
  int FComprimento = 0;  // m
};
