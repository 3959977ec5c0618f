#include "reports/RugCan.h"

#include "reports/uRugCan.h"

namespace reports {

bool TRugCan::Executar(TReal& nc, QWidget* parent) {
  TFRugCan dialogo(parent);
  dialogo.DefinirContextoAjuda(HelpContext);
  dialogo.DefinirEscolha(nc.Indice, nc.Valor);
  if (dialogo.exec() != QDialog::Accepted) return false;
  Indice = static_cast<std::int16_t>(dialogo.Indice());
  Valor = dialogo.Valor();
  nc.Indice = static_cast<std::int8_t>(Indice);
  nc.Valor = Valor;
  return true;
}

}  // namespace reports
