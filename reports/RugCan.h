#pragma once
// Component of the dialog "Consulta a valores de rugosidade do canal": runs it on
// the channel's Manning roughness nc and keeps the choice accepted last.
#include <cstdint>

#include "model/hillslope/uTerreno.h"

class QWidget;

namespace reports {

class TRugCan {
 public:
  int HelpContext = 2210;
  std::int16_t Indice = 0;  // row chosen at the last acceptance (0: a value typed)
  double Valor = 0;         // value accepted last

  // Opens the dialog on nc's row and value. On "&Ok" writes the row and the
  // value into Indice and Valor and into nc, and returns true; otherwise
  // changes nothing and returns false.
  bool Executar(TReal& nc, QWidget* parent = nullptr);
};

}  // namespace reports
