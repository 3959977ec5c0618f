#pragma once
// "Consulta a valores de rugosidade do terreno": Manning's nt of overland
// flow by surface condition (19 rows, range and value). A key typed into the
// value makes the row returned 0 (a value of the user's own).
#include "reports/ValorReferencia.h"

namespace reports {

class TFRugTer : public TFValorReferencia {
  Q_OBJECT

 public:
  explicit TFRugTer(QWidget* parent = nullptr);

 protected:
  void ValorEditado() override;
  QString MensagemValorVazio() const override;
  bool FaixaDaLinha(int linha, double& minimo, double& maximo) const override;
};

}  // namespace reports
