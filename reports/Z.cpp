#include "reports/Z.h"

#include "reports/uZ.h"

namespace reports {

bool TZ::Executar(TReal& Z, QWidget* parent) {
  TFZ dialogo(parent);
  dialogo.DefinirContextoAjuda(HelpContext);
  dialogo.DefinirEscolha(Indice, Valor);
  if (dialogo.exec() != QDialog::Accepted) return false;
  Indice = static_cast<std::int16_t>(dialogo.Indice());
  Valor = dialogo.Valor();
  Z.Indice = static_cast<std::int8_t>(Indice);
  Z.Valor = Valor;
  return true;
}

}  // namespace reports
