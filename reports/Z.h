#pragma once
// Component of the Z dialog ("Declividades recomendadas para taludes de
// canais não revestidos"). The dialog opens on the choice accepted last since
// the program started (this component's Indice and Valor), not on the
// project's value; accepting writes that choice into the channel.
#include <cstdint>

#include "model/hillslope/uTerreno.h"

class QWidget;

namespace reports {

class TZ {
 public:
  int HelpContext = 0;
  std::int16_t Indice = 0;  // row chosen at the last acceptance (6: " Ou&tros", a value typed)
  double Valor = 0;         // value accepted last

  // Opens the dialog on Indice and Valor. On "&Ok" writes the row and the
  // value into Indice and Valor and into Z, and returns true; otherwise
  // changes nothing and returns false.
  bool Executar(TReal& Z, QWidget* parent = nullptr);
};

}  // namespace reports
