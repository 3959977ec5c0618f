// The banner of the results report, drawn for this program.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "reports/uRelatorioCaudalente.h"
#include "toolkit/Versao.h"

QImage DesenharCabecalho() {
  const int largura = 550, altura = 67;
  QImage imagem(largura, altura, QImage::Format_RGB32);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient fundo(0, 0, largura, 0);
  fundo.setColorAt(0, QColor(24, 70, 40));
  fundo.setColorAt(0.6, QColor(60, 130, 80));
  fundo.setColorAt(1, QColor(215, 235, 200));
  p.fillRect(imagem.rect(), fundo);

  // A hillslope draining into a channel, with its hydrograph above it.
  QPainterPath encosta;
  encosta.moveTo(390, 18);
  encosta.lineTo(500, 52);
  encosta.lineTo(390, 52);
  encosta.closeSubpath();
  p.fillPath(encosta, QColor(120, 90, 50));
  p.fillRect(QRectF(500, 48, 30, 6), QColor(40, 90, 170));
  QPainterPath hidrograma;
  hidrograma.moveTo(420, 40);
  hidrograma.cubicTo(440, 40, 450, 8, 465, 8);
  hidrograma.cubicTo(480, 8, 495, 34, 535, 38);
  p.setPen(QPen(QColor(20, 40, 120), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hidrograma);

  QFont titulo;
  titulo.setBold(true);
  titulo.setPixelSize(30);
  p.setFont(titulo);
  p.setPen(Qt::white);
  p.drawText(QRectF(18, 4, 340, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(CAUDALENTE_TITULO));
  QFont sub;
  sub.setPixelSize(13);
  p.setFont(sub);
  p.setPen(QColor(230, 242, 230));
  p.drawText(QRectF(20, 40, 370, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Escoamento superficial em encostas e canais de terraço"));
  return imagem;
}
