#include "reports/RugTer.h"

#include "reports/uRugTer.h"

namespace reports {

bool TRugTer::Executar(TReal& nt, QWidget* parent) {
  TFRugTer dialogo(parent);
  dialogo.DefinirContextoAjuda(HelpContext);
  dialogo.DefinirEscolha(nt.Indice, nt.Valor);
  if (dialogo.exec() != QDialog::Accepted) return false;
  Indice = static_cast<std::int16_t>(dialogo.Indice());
  Valor = dialogo.Valor();
  nt.Indice = static_cast<std::int8_t>(Indice);
  nt.Valor = Valor;
  return true;
}

}  // namespace reports
