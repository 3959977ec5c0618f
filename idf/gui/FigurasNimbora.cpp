#include "idf/gui/FigurasNimbora.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "toolkit/gui/Desenho.h"

namespace {

using toolkit::gui::FonteQueCabe;

const QColor kMarinho(0, 0, 110);
const QColor kAzulChuva(40, 110, 200);

// Slanted rain streaks over a rectangle.
void DesenharChuva(QPainter& p, const QRectF& area, int n, qreal comprimento, const QColor& cor) {
  p.save();
  p.setClipRect(area);
  p.setPen(QPen(cor, 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < n; ++i) {
    // A fixed scatter: the picture is the same at every run.
    const qreal fx = std::fmod(i * 0.618034, 1.0);
    const qreal fy = std::fmod(i * 0.414214 + 0.13, 1.0);
    const QPointF a(area.left() + fx * area.width(), area.top() + fy * area.height());
    p.drawLine(a, a + QPointF(-0.35 * comprimento, comprimento));
  }
  p.restore();
}

// IDF curves i = K Tr^a / (t + b)^c for four return periods, on a small
// chart with axes, in the given rectangle.
void DesenharCurvasIdf(QPainter& p, const QRectF& grade, bool rotulos) {
  const double K = 1200, a = 0.18, b = 12, c = 0.8;
  const double tMax = 120, iMax = K * std::pow(100.0, a) / std::pow(b, c) * 1.05;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawRect(grade);
  p.setPen(QPen(QColor(175, 190, 210), 1, Qt::DotLine));
  for (int k = 1; k < 6; ++k) {
    const qreal x = grade.left() + k * grade.width() / 6;
    p.drawLine(QPointF(x, grade.top()), QPointF(x, grade.bottom()));
  }
  for (int k = 1; k < 4; ++k) {
    const qreal y = grade.top() + k * grade.height() / 4;
    p.drawLine(QPointF(grade.left(), y), QPointF(grade.right(), y));
  }
  const double tr[] = {2, 10, 50, 100};
  const QColor cores[] = {QColor(120, 170, 230), QColor(50, 120, 210), QColor(20, 70, 170),
                          QColor(160, 20, 40)};
  for (int k = 0; k < 4; ++k) {
    QPainterPath curva;
    for (int s = 0; s <= 60; ++s) {
      const double t = tMax * s / 60.0;
      const double i = K * std::pow(tr[k], a) / std::pow(t + b, c);
      const QPointF pt(grade.left() + grade.width() * t / tMax, grade.bottom() - grade.height() * i / iMax);
      if (s == 0)
        curva.moveTo(pt);
      else
        curva.lineTo(pt);
    }
    p.setPen(QPen(cores[k], rotulos ? 2.2 : 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curva);
  }
  p.setPen(QPen(QColor(40, 40, 40), 1.3));
  p.drawLine(grade.bottomLeft(), grade.bottomRight());
  p.drawLine(grade.bottomLeft(), grade.topLeft());
  if (rotulos) {
    QFont f;
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(QColor(30, 30, 30));
    p.drawText(QRectF(grade.left() - 30, grade.top() - 18, 80, 14), Qt::AlignLeft,
               QStringLiteral("i (mm/h)"));
    p.drawText(QRectF(grade.right() - 60, grade.bottom() + 3, 70, 14), Qt::AlignRight,
               QStringLiteral("t (min)"));
    p.setPen(cores[3]);
    p.drawText(QRectF(grade.left() + 40, grade.top() + 4, 110, 14), Qt::AlignLeft,
               QStringLiteral("Tr = 100 anos"));
    p.setPen(cores[0]);
    p.drawText(QRectF(grade.right() - 104, grade.bottom() - 38, 100, 14), Qt::AlignRight,
               QStringLiteral("Tr = 2 anos"));
  }
  p.restore();
}

}  // namespace

QImage DesenharSobreNimbora() {
  const int largura = 559, altura = 340;
  QImage imagem(largura, altura, QImage::Format_RGB32);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient fundo(0, 0, 0, altura);
  fundo.setColorAt(0, QColor(214, 228, 244));
  fundo.setColorAt(0.55, QColor(242, 247, 252));
  fundo.setColorAt(1, QColor(255, 255, 255));
  p.fillRect(imagem.rect(), fundo);

  // A cloud with rain on the left.
  QPainterPath nuvem;
  const QRectF partes[] = {{30, 28, 110, 60}, {90, 12, 120, 80}, {170, 34, 90, 56}};
  for (const QRectF& r : partes) {
    QPainterPath parte;
    parte.addEllipse(r);
    nuvem = nuvem.united(parte);
  }
  QPainterPath base;
  base.addRoundedRect(QRectF(46, 58, 200, 36), 18, 18);
  nuvem = nuvem.united(base);
  p.setPen(QPen(QColor(120, 135, 160), 1.2));
  p.setBrush(QColor(150, 165, 190));
  p.drawPath(nuvem);
  DesenharChuva(p, QRectF(40, 98, 220, 52), 34, 13, kAzulChuva);

  DesenharCurvasIdf(p, QRectF(48, 178, 222, 128), true);

  const QFont fonte;
  QFont titulo = fonte;
  titulo.setBold(true);
  const QString textoTitulo = QStringLiteral("Nimbóra 2.1");
  titulo = FonteQueCabe(titulo, textoTitulo, 240, 44);
  p.setFont(titulo);
  p.setPen(kMarinho);
  p.drawText(QRectF(290, 30, 250, 56), Qt::AlignCenter, textoTitulo);

  QFont frase = fonte;
  frase.setPixelSize(15);
  frase.setItalic(true);
  p.setFont(frase);
  p.setPen(QColor(30, 50, 80));
  p.drawText(QRectF(292, 96, 248, 110), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Equações de intensidade, duração e frequência da precipitação para localidades "
                            "do Brasil"));
  p.setPen(QPen(QColor(120, 150, 190), 1));
  p.drawLine(QPointF(300, 222), QPointF(532, 222));

  QFont formula = fonte;
  formula.setPixelSize(16);
  p.setFont(formula);
  p.setPen(QColor(20, 40, 70));
  p.drawText(QRectF(292, 232, 248, 26), Qt::AlignCenter, QStringLiteral("i = K·Tr^a / (t + b)^c"));

  QFont rodape = fonte;
  rodape.setPixelSize(12);
  p.setFont(rodape);
  p.setPen(QColor(60, 70, 90));
  p.drawText(QRectF(292, 270, 248, 40), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Consulta ao banco de dados de chuvas intensas\nEquipe Caudalente"));

  p.setPen(QPen(QColor(120, 150, 190), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1, 1, largura - 2, altura - 2));
  return imagem;
}

QImage DesenharCabecalhoNimbora() {
  const int largura = 550, altura = 73;
  QImage imagem(largura, altura, QImage::Format_RGB32);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient fundo(0, 0, largura, 0);
  fundo.setColorAt(0, QColor(20, 60, 130));
  fundo.setColorAt(0.6, QColor(60, 120, 190));
  fundo.setColorAt(1, QColor(200, 222, 245));
  p.fillRect(imagem.rect(), fundo);
  DesenharChuva(p, QRectF(330, 0, 90, altura), 22, 12, QColor(190, 215, 248));

  QFont titulo;
  titulo.setBold(true);
  titulo.setPixelSize(30);
  p.setFont(titulo);
  p.setPen(Qt::white);
  p.drawText(QRectF(18, 6, 300, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Nimbóra 2.1"));
  QFont sub;
  sub.setPixelSize(13);
  p.setFont(sub);
  p.setPen(QColor(225, 235, 250));
  p.drawText(QRectF(20, 44, 380, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Chuvas intensas: equações IDF de localidades do Brasil"));

  DesenharCurvasIdf(p, QRectF(430, 10, 104, 52), false);
  return imagem;
}

QImage DesenharIconeImprimir() {
  QImage imagem(24, 24, QImage::Format_ARGB32);
  imagem.fill(Qt::transparent);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 2.5, 11, 8));  // paper in
  p.setBrush(QColor(150, 160, 175));
  p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);  // body
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 14.5, 11, 7));  // paper out
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawLine(QPointF(8, 17), QPointF(16, 17));
  p.drawLine(QPointF(8, 19), QPointF(14, 19));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 170, 60));
  p.drawEllipse(QPointF(18.5, 12), 1.2, 1.2);
  return imagem;
}

QImage DesenharIconeFechar() {
  QImage imagem(24, 24, QImage::Format_ARGB32);
  imagem.fill(Qt::transparent);
  QPainter p(&imagem);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(QColor(235, 240, 248));
  p.drawRect(QRectF(3.5, 3.5, 13, 17));  // door
  p.setBrush(QColor(120, 85, 50));
  p.drawEllipse(QPointF(13.5, 12), 1, 1);
  p.setPen(QPen(QColor(200, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(14, 12), QPointF(22, 12));  // way out
  p.drawLine(QPointF(19, 9), QPointF(22, 12));
  p.drawLine(QPointF(19, 15), QPointF(22, 12));
  return imagem;
}
