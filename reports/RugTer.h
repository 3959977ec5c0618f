#pragma once
// Component of the dialog "Consulta a valores de rugosidade do terreno": runs it on
// a segment's Manning roughness nt and keeps the choice accepted last.
#include <cstdint>

#include "model/hillslope/uTerreno.h"

class QWidget;

namespace reports {

class TRugTer {
 public:
  int HelpContext = 2320;
  std::int16_t Indice = 0;  // row chosen at the last acceptance (0: a value typed)
  double Valor = 0;         // value accepted last

  // Opens the dialog on nt's row and value. On "&Ok" writes the row and the
  // value into Indice and Valor and into nt, and returns true; otherwise
  // changes nothing and returns false.
  bool Executar(TReal& nt, QWidget* parent = nullptr);
};

}  // namespace reports
