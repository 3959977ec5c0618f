#pragma once
// "Declividades recomendadas para taludes de canais não revestidos": side
// slope Z of unlined channels by material (5 rows and " Ou&tros", a value of
// the user's own). Typing a value selects " Ou&tros".
#include "reports/ValorReferencia.h"

namespace reports {

class TFZ : public TFValorReferencia {
  Q_OBJECT

 public:
  explicit TFZ(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* evento) override;
  QString TextoDaLinha(int linha) const override;
  bool ValorDaLinha(int linha, double& valor) const override;
  bool LinhaAdmite(int linha, double valor) const override;
  void LinhaClicada(int linha) override;
  void ValorEditado() override;
  QString MensagemValorVazio() const override;
};

}  // namespace reports
