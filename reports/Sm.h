#pragma once
// Component of the Sm dialog ("Valores de Sm para seções transversais típicas
// construídas pela CODASP"): runs it on the channel's Sm and keeps the choice
// accepted last. The dialog shows and returns Sm in the slope unit UDeclive
// ("%" or "m/m", multiplier KDeclive 100 or 1); the channel keeps m/m.
#include <QString>
#include <cstdint>
#include <stdexcept>

#include "model/hillslope/uTerreno.h"

class QWidget;
class TUnidades;

namespace reports {

// An invalid slope unit or multiplier given to TSm.
class EUnidadeSm : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TSm {
 public:
  int HelpContext = 2220;
  std::int16_t Indice = 0;  // row chosen at the last acceptance (-1: a value typed)
  double Valor = 0;         // value accepted last, in UDeclive
  QString UDeclive = QStringLiteral("m/m");
  int KDeclive = 1;

  // UDeclive and KDeclive from the unit settings' slope unit.
  void DefinirUnidade(const TUnidades& unidades);

  // Opens the dialog on Sm's row and value (shown as Sm.Valor x KDeclive).
  // On "&Ok" writes the row and the value into Indice and Valor and into Sm
  // (Sm.Valor = Valor / KDeclive, m/m), and returns true; otherwise changes
  // nothing and returns false. Throws EUnidadeSm, before any window opens,
  // when UDeclive is neither "%" nor "m/m" or KDeclive neither 1 nor 100.
  bool Executar(TReal& Sm, QWidget* parent = nullptr);
};

}  // namespace reports
