#pragma once
// "Consulta a valores de rugosidade do canal": Manning's nc of earth channels
// (9 rows, minimum, normal and maximum; the normal value is returned). A key
// typed into the value clears the table's choice: the row returned is 0.
#include "reports/ValorReferencia.h"

namespace reports {

class TFRugCan : public TFValorReferencia {
  Q_OBJECT

 public:
  explicit TFRugCan(QWidget* parent = nullptr);

 protected:
  void ValorEditado() override;
  int LinhaDoResultado() const override;
  QString MensagemValorVazio() const override;
  bool FaixaDaLinha(int linha, double& minimo, double& maximo) const override;
};

}  // namespace reports
