#pragma once
// About box of the IDF query: a borderless picture that any click or key
// closes.
#include <QDialog>

class QLabel;

class TfrmFoSobreNimbora : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFoSobreNimbora(QWidget* parent = nullptr);

  static constexpr int kLargura = 559;
  static constexpr int kAltura = 340;

  QLabel* imgSplash;

  void BitBtn1Click() { close(); }

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;
};
