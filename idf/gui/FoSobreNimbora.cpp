#include "idf/gui/FoSobreNimbora.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "idf/gui/FigurasNimbora.h"

TfrmFoSobreNimbora::TfrmFoSobreNimbora(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmFoSobreNimbora"));
  setWindowTitle(QStringLiteral("Sobre"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(kLargura, kAltura);
  imgSplash = new QLabel(this);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setAccessibleName(QStringLiteral("Sobre o Nimbóra 2.1"));
  imgSplash->setGeometry(0, 0, kLargura, kAltura);
  imgSplash->setPixmap(QPixmap::fromImage(DesenharSobreNimbora()));
  imgSplash->installEventFilter(this);
  if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
}

void TfrmFoSobreNimbora::keyPressEvent(QKeyEvent*) {
  close();
}

void TfrmFoSobreNimbora::mousePressEvent(QMouseEvent*) {
  close();
}

bool TfrmFoSobreNimbora::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == imgSplash && evento->type() == QEvent::MouseButtonPress) {
    BitBtn1Click();
    return true;
  }
  return QDialog::eventFilter(alvo, evento);
}
