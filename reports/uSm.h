#pragma once
// "Valores de Sm para seções transversais típicas construídas pela CODASP":
// slope of the second wall of terrace channels by terrace type and machine
// (8 rows; row 7 is a range). Values are shown and returned in the slope
// unit given (UDeclive "%" or "m/m", multiplier KDeclive 100 or 1).
#include "reports/ValorReferencia.h"

namespace reports {

class TFSm : public TFValorReferencia {
  Q_OBJECT

 public:
  explicit TFSm(QWidget* parent = nullptr);

  // The slope unit of the labels and of the value; before showing.
  void DefinirUnidade(const QString& unidade, int multiplicador);
  // Text of row 7's label: the two ends of the range joined by " a ".
  QString TextoFaixa() const;

 protected:
  void showEvent(QShowEvent* evento) override;
  QString TextoDaLinha(int linha) const override;
  bool ValorDaLinha(int linha, double& valor) const override;
  bool FaixaDaLinha(int linha, double& minimo, double& maximo) const override;
  void ValorEditado() override;
  void TeclaRecusada() override;
  bool OkPermitido() const override;
  bool ConferirTexto(const QString& texto) override;
  bool ConferirValor(double valor) override;
  QString MensagemValorVazio() const override;

 private:
  void AvisarFaixa();

  QString unidade_ = QStringLiteral("m/m");
  int multiplicador_ = 1;
};

}  // namespace reports
