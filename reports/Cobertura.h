#pragma once
// Component of the cover dialog: runs "Definição da Cobertura Vegetal" on a
// segment's cover and keeps the cover accepted last.
#include "model/hillslope/uTerreno.h"

class QWidget;

namespace reports {

class TCobertura {
 public:
  int HelpContext = 2310;
  // Last accepted cover (all 0 at creation); assigning copies the index.
  TUsoTerra UsoTerra;
  TTratamento Tratamento;
  TCondicaoHidrologica CondicaoHidrologica;

  // Opens the dialog on the cover's three indices. On "&Ok" writes the
  // chosen indices into these properties and into the cover and returns
  // true; otherwise changes nothing and returns false.
  bool Executar(::TCobertura& cobertura, QWidget* parent = nullptr);
};

}  // namespace reports
