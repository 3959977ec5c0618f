#include "app/Icones.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {

constexpr int kLado = 32;

void Pagina(QPainter& p) {
  QPainterPath folha;
  folha.moveTo(7, 3);
  folha.lineTo(19, 3);
  folha.lineTo(26, 10);
  folha.lineTo(26, 29);
  folha.lineTo(7, 29);
  folha.closeSubpath();
  p.setPen(QPen(QColor(90, 90, 90), 1.2));
  p.setBrush(Qt::white);
  p.drawPath(folha);
  QPainterPath dobra;
  dobra.moveTo(19, 3);
  dobra.lineTo(19, 10);
  dobra.lineTo(26, 10);
  p.setBrush(QColor(220, 220, 220));
  p.drawPath(dobra);
  p.setPen(QPen(QColor(150, 170, 200), 1.2));
  for (int y = 14; y <= 24; y += 4) p.drawLine(QPointF(10, y), QPointF(23, y));
}

void Disquete(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(20, 50, 110), 1.2));
  p.setBrush(QColor(50, 100, 190));
  p.drawRoundedRect(r, 2, 2);
  const qreal w = r.width(), h = r.height();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + w * 0.18, r.top() + 1.5, w * 0.64, h * 0.42));
  p.setBrush(QColor(200, 205, 215));
  p.drawRect(QRectF(r.left() + w * 0.25, r.bottom() - h * 0.36, w * 0.5, h * 0.34));
  p.setBrush(QColor(20, 50, 110));
  p.drawRect(QRectF(r.left() + w * 0.55, r.bottom() - h * 0.31, w * 0.12, h * 0.24));
}

void Globo(QPainter& p, QChar letra) {
  const QRectF c(3, 3, 24, 24);
  QRadialGradient g(c.center() - QPointF(4, 4), 16);
  g.setColorAt(0, QColor(120, 190, 250));
  g.setColorAt(1, QColor(25, 95, 180));
  p.setPen(QPen(QColor(20, 60, 120), 1.2));
  p.setBrush(g);
  p.drawEllipse(c);
  p.setPen(QPen(QColor(255, 255, 255, 170), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(10, 3, 10, 24));
  p.drawLine(QPointF(15, 3), QPointF(15, 27));
  p.drawLine(QPointF(3, 15), QPointF(27, 15));
  p.drawLine(QPointF(5, 9), QPointF(25, 9));
  p.drawLine(QPointF(5, 21), QPointF(25, 21));
  const QRectF selo(17, 17, 14, 14);
  p.setPen(QPen(QColor(150, 80, 0), 1));
  p.setBrush(QColor(250, 190, 40));
  p.drawEllipse(selo);
  QFont f = p.font();
  f.setPixelSize(10);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(60, 30, 0));
  p.drawText(selo, Qt::AlignCenter, QString(letra));
}

void CirculoComTexto(QPainter& p, const QColor& cor, const QString& texto) {
  const QRectF c(3, 3, 26, 26);
  QRadialGradient g(c.center() - QPointF(4, 5), 18);
  g.setColorAt(0, cor.lighter(150));
  g.setColorAt(1, cor);
  p.setPen(QPen(cor.darker(160), 1.2));
  p.setBrush(g);
  p.drawEllipse(c);
  QFont f = p.font();
  f.setPixelSize(19);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(c, Qt::AlignCenter, texto);
}

void Engrenagem(QPainter& p) {
  p.save();
  p.translate(16, 16);
  p.setPen(QPen(QColor(60, 60, 70), 1));
  p.setBrush(QColor(150, 155, 165));
  QPainterPath roda;
  roda.addEllipse(QPointF(0, 0), 10, 10);
  for (int i = 0; i < 8; ++i) {
    QPainterPath dente;
    dente.addRect(QRectF(-2.5, -14, 5, 6));
    roda = roda.united(QTransform().rotate(45.0 * i).map(dente));
  }
  QPainterPath furo;
  furo.addEllipse(QPointF(0, 0), 4, 4);
  p.drawPath(roda.subtracted(furo));
  p.restore();
}

void Impressora(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 11));
  p.setBrush(QColor(170, 175, 185));
  p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 20, 16, 9));
  p.setPen(QPen(QColor(150, 170, 200), 1));
  p.drawLine(QPointF(11, 24), QPointF(21, 24));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 180, 60));
  p.drawEllipse(QRectF(24, 15, 3, 3));
}

void Porta(QPainter& p) {
  p.setPen(QPen(QColor(80, 50, 20), 1.2));
  p.setBrush(QColor(170, 110, 60));
  p.drawRect(QRectF(5, 3, 14, 26));
  p.setBrush(QColor(240, 200, 60));
  p.drawEllipse(QRectF(15, 15, 2.5, 2.5));
  QPainterPath seta;
  seta.moveTo(14, 13);
  seta.lineTo(22, 13);
  seta.lineTo(22, 9);
  seta.lineTo(30, 16);
  seta.lineTo(22, 23);
  seta.lineTo(22, 19);
  seta.lineTo(14, 19);
  seta.closeSubpath();
  p.setPen(QPen(QColor(20, 100, 20), 1));
  p.setBrush(QColor(70, 180, 70));
  p.drawPath(seta);
}

void Grafico(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 4, 26, 24));
  p.setPen(QPen(QColor(210, 210, 210), 1));
  for (int x = 9; x < 29; x += 5) p.drawLine(QPointF(x, 5), QPointF(x, 27));
  for (int y = 9; y < 28; y += 5) p.drawLine(QPointF(4, y), QPointF(28, y));
  p.setPen(QPen(QColor(30, 30, 30), 1.2));
  p.drawLine(QPointF(6, 25), QPointF(27, 25));
  p.drawLine(QPointF(6, 25), QPointF(6, 6));
  QPainterPath curva;
  curva.moveTo(6, 25);
  curva.cubicTo(12, 24, 12, 8, 15, 8);
  curva.cubicTo(18, 8, 20, 22, 27, 24);
  p.setPen(QPen(QColor(20, 90, 200), 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curva);
}

void Pasta(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 20), 1.2));
  p.setBrush(QColor(235, 190, 80));
  QPainterPath fundo;
  fundo.moveTo(3, 7);
  fundo.lineTo(11, 7);
  fundo.lineTo(13, 10);
  fundo.lineTo(26, 10);
  fundo.lineTo(26, 27);
  fundo.lineTo(3, 27);
  fundo.closeSubpath();
  p.drawPath(fundo);
  QPainterPath frente;
  frente.moveTo(7, 14);
  frente.lineTo(30, 14);
  frente.lineTo(26, 27);
  frente.lineTo(3, 27);
  frente.closeSubpath();
  p.setBrush(QColor(250, 215, 110));
  p.drawPath(frente);
}

void XVermelho(QPainter& p) {
  p.setPen(QPen(QColor(130, 0, 0), 1));
  p.setBrush(QColor(210, 40, 40));
  p.drawEllipse(QRectF(15, 15, 15, 15));
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(26, 26));
  p.drawLine(QPointF(26, 19), QPointF(19, 26));
}

void MaisVerde(QPainter& p) {
  p.setPen(QPen(QColor(20, 100, 20), 1));
  p.setBrush(QColor(70, 180, 70));
  p.drawEllipse(QRectF(15, 15, 15, 15));
  p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(22.5, 18.5), QPointF(22.5, 26.5));
  p.drawLine(QPointF(18.5, 22.5), QPointF(26.5, 22.5));
}

void Lapis(QPainter& p) {
  p.save();
  p.translate(23, 21);
  p.rotate(45);
  p.setPen(QPen(QColor(120, 60, 0), 1));
  p.setBrush(QColor(250, 160, 40));
  p.drawRect(QRectF(-2.5, -9, 5, 12));
  QPainterPath ponta;
  ponta.moveTo(-2.5, 3);
  ponta.lineTo(2.5, 3);
  ponta.lineTo(0, 8);
  ponta.closeSubpath();
  p.setBrush(QColor(240, 220, 180));
  p.drawPath(ponta);
  p.restore();
}

}  // namespace

void DesenharGota(QPainter& p, const QRectF& caixa, const QColor& cor) {
  const qreal x = caixa.left(), y = caixa.top(), w = caixa.width(), h = caixa.height();
  QPainterPath gota;
  gota.moveTo(x + w / 2, y);
  gota.cubicTo(x + w * 0.62, y + h * 0.28, x + w, y + h * 0.45, x + w, y + h * 0.66);
  gota.cubicTo(x + w, y + h * 0.86, x + w * 0.78, y + h, x + w / 2, y + h);
  gota.cubicTo(x + w * 0.22, y + h, x, y + h * 0.86, x, y + h * 0.66);
  gota.cubicTo(x, y + h * 0.45, x + w * 0.38, y + h * 0.28, x + w / 2, y);
  QLinearGradient g(caixa.topLeft(), caixa.bottomRight());
  g.setColorAt(0, cor.lighter(170));
  g.setColorAt(1, cor);
  p.setPen(QPen(cor.darker(150), qMax<qreal>(1.0, w / 30)));
  p.setBrush(g);
  p.drawPath(gota);
  // A highlight on the left flank.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 120));
  p.drawEllipse(QRectF(x + w * 0.2, y + h * 0.55, w * 0.16, h * 0.2));
}

QIcon Icone(const QString& nome) {
  QPixmap imagem(kLado, kLado);
  imagem.fill(Qt::transparent);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  if (nome == QLatin1String("novo")) {
    Pagina(p);
    MaisVerde(p);
  } else if (nome == QLatin1String("abrir")) {
    Pasta(p);
  } else if (nome == QLatin1String("salvar")) {
    Disquete(p, QRectF(4, 4, 24, 24));
  } else if (nome == QLatin1String("salvarComo")) {
    Disquete(p, QRectF(2, 2, 22, 22));
    Lapis(p);
  } else if (nome == QLatin1String("fechar")) {
    Pagina(p);
    XVermelho(p);
  } else if (nome == QLatin1String("configurar")) {
    Engrenagem(p);
  } else if (nome == QLatin1String("impressora")) {
    Impressora(p);
  } else if (nome == QLatin1String("sobre")) {
    DesenharGota(p, QRectF(7, 2, 18, 28), QColor(30, 110, 200));
    QFont f = p.font();
    f.setPixelSize(14);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(7, 10, 18, 18), Qt::AlignCenter, QStringLiteral("i"));
  } else if (nome == QLatin1String("ajuda")) {
    CirculoComTexto(p, QColor(30, 110, 200), QStringLiteral("?"));
  } else if (nome == QLatin1String("sair")) {
    Porta(p);
  } else if (nome == QLatin1String("visualizar")) {
    Grafico(p);
  } else if (nome == QLatin1String("programa")) {
    DesenharGota(p, QRectF(5, 1, 22, 30), QColor(30, 110, 200));
    QPainterPath curva;
    curva.moveTo(8, 25);
    curva.cubicTo(12, 24, 13, 12, 16, 12);
    curva.cubicTo(19, 12, 21, 23, 25, 24);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curva);
  } else if (nome.startsWith(QLatin1String("web:")) && nome.size() == 5) {
    Globo(p, nome.at(4));
  } else {
    return QIcon();
  }
  p.end();
  return QIcon(imagem);
}
