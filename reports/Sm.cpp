#include "reports/Sm.h"

#include "project/Unidades.h"
#include "reports/uSm.h"

namespace reports {

void TSm::DefinirUnidade(const TUnidades& unidades) {
  UDeclive = QString::fromStdString(unidades.UnidadeDeclividade);
  KDeclive = unidades.FatorDeclividade;
}

bool TSm::Executar(TReal& Sm, QWidget* parent) {
  if (UDeclive != QStringLiteral("%") && UDeclive != QStringLiteral("m/m"))
    throw EUnidadeSm("É necessário entrar com uma unidade de declividade (% ou m/m)");
  if (KDeclive != 1 && KDeclive != 100)
    throw EUnidadeSm("É necessário entrar com um multiplicador de unidade de declividade (1 ou 100)");
  TFSm dialogo(parent);
  dialogo.DefinirContextoAjuda(HelpContext);
  dialogo.DefinirUnidade(UDeclive, KDeclive);
  // The channel holds m/m whatever unit the dialog shows.
  dialogo.DefinirEscolha(Sm.Indice, Sm.Valor * KDeclive);
  if (dialogo.exec() != QDialog::Accepted) return false;
  Indice = static_cast<std::int16_t>(dialogo.Indice());
  Valor = dialogo.Valor();
  Sm.Indice = static_cast<std::int8_t>(Indice);
  Sm.Valor = Valor / KDeclive;
  return true;
}

}  // namespace reports
