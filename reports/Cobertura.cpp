#include "reports/Cobertura.h"

#include "reports/uCobertura.h"

namespace reports {

bool TCobertura::Executar(::TCobertura& cobertura, QWidget* parent) {
  TFCober dialogo(parent);
  dialogo.DefinirContextoAjuda(HelpContext);
  dialogo.DefinirCobertura(cobertura.UsoTerra.Indice, cobertura.Tratamento.Indice,
                           cobertura.CondicaoHidrologica.Indice);
  if (dialogo.exec() != QDialog::Accepted) return false;
  UsoTerra.Indice = dialogo.UsoTerra();
  Tratamento.Indice = dialogo.Tratamento();
  CondicaoHidrologica.Indice = dialogo.Condicao();
  cobertura.UsoTerra.Assign(UsoTerra);
  cobertura.Tratamento.Assign(Tratamento);
  cobertura.CondicaoHidrologica.Assign(CondicaoHidrologica);
  return true;
}

}  // namespace reports
