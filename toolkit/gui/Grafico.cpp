#include "toolkit/gui/Grafico.h"

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "toolkit/FormatoNumero.h"

namespace toolkit::gui {

namespace {
// Room for the axis labels around the front plane.
constexpr int kMargemEsquerda = 48;  // at least; wider labels widen it
constexpr int kFolgaRotuloY = 9;     // tick mark and gap right of a left-axis label
constexpr int kMargemDireita = 24;
constexpr int kMargemTopo = 10;
constexpr int kMargemBase = 30;
// Full depth (100 %) as a share of the smaller side of the chart.
constexpr double kProfundidadeMaxima = 0.09;
constexpr double kDistanciaClique = 7.0;  // pixels
}  // namespace

TGrafico::TGrafico(QWidget* parent) : QChartView(parent), eixoX_(new QValueAxis), eixoY_(new QValueAxis) {
  auto* grafico = new QChart;
  grafico->legend()->hide();
  grafico->setBackgroundVisible(false);
  grafico->setPlotAreaBackgroundVisible(false);
  grafico->setMargins(QMargins(0, 0, 0, 0));
  grafico->addAxis(eixoX_, Qt::AlignBottom);
  grafico->addAxis(eixoY_, Qt::AlignLeft);
  // The labels go along the front plane (drawForeground), the grid stays on
  // the back wall.
  eixoX_->setLabelsVisible(false);
  eixoY_->setLabelsVisible(false);
  setChart(grafico);
  setRenderHint(QPainter::Antialiasing);
  setFrameShape(QFrame::NoFrame);
  viewport()->setMouseTracking(true);
  setRubberBand(QChartView::NoRubberBand);
  setCacheMode(QGraphicsView::CacheNone);
  // New limits may bring wider labels.
  connect(eixoY_, &QValueAxis::rangeChanged, this, [this] { Reposicionar(); });
  connect(eixoY_, &QValueAxis::tickCountChanged, this, [this] { Reposicionar(); });
}

QString TGrafico::RotuloX(double valor) const {
  return QString::fromStdString(FormatoGeral(valor));
}

QString TGrafico::RotuloY(double valor) const {
  return QString::fromStdString(FormatoGeral(valor));
}

QList<double> TGrafico::Marcas(const QValueAxis* eixo) {
  QList<double> valores;
  const int n = std::max(2, eixo->tickCount());
  const double passo = (eixo->max() - eixo->min()) / (n - 1);
  if (!(passo > 0)) return valores;
  // Rounded to the step, so 0.1 + 2 × 0.1 labels as 0.3.
  for (int i = 0; i < n; ++i) valores << std::round((eixo->min() + i * passo) / passo * 1e6) / 1e6 * passo;
  return valores;
}

int TGrafico::LarguraRotulosY() const {
  const QFontMetricsF medidas(font());
  double largura = 0;
  for (double v : Marcas(eixoY_)) largura = std::max(largura, medidas.horizontalAdvance(RotuloY(v)));
  return static_cast<int>(std::ceil(largura));
}

void TGrafico::changeEvent(QEvent* evento) {
  QChartView::changeEvent(evento);
  if (evento->type() == QEvent::FontChange) Reposicionar();
}

QLineSeries* TGrafico::NovaSerieLinha(const QColor& cor, bool marcadores) {
  auto* serie = new QLineSeries;
  QPen caneta(cor);
  caneta.setWidth(1);
  serie->setPen(caneta);
  serie->setPointsVisible(marcadores);
  serie->setMarkerSize(9);
  chart()->addSeries(serie);
  serie->attachAxis(eixoX_);
  serie->attachAxis(eixoY_);
  connect(serie, &QXYSeries::hovered, this, [this](const QPointF& ponto, bool dentro) {
    if (!dicas_) return;
    if (dentro)
      QToolTip::showText(QCursor::pos(), QStringLiteral("%1; %2").arg(ponto.x()).arg(ponto.y()), this);
    else
      QToolTip::hideText();
  });
  // A repaint of the back-plane decoration follows the data.
  connect(serie, &QXYSeries::pointsReplaced, viewport(), qOverload<>(&QWidget::update));
  return serie;
}

void TGrafico::AjustarEixos() {
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  bool algum = false;
  for (QAbstractSeries* s : chart()->series()) {
    auto* xy = qobject_cast<QXYSeries*>(s);
    if (!xy) continue;
    for (const QPointF& p : xy->points()) {
      if (!algum) {
        xMin = xMax = p.x();
        yMin = yMax = p.y();
        algum = true;
      }
      xMin = std::min(xMin, p.x());
      xMax = std::max(xMax, p.x());
      yMin = std::min(yMin, p.y());
      yMax = std::max(yMax, p.y());
    }
  }
  if (!(xMax > xMin)) {
    xMin -= 1;
    xMax += 1;
  }
  if (!(yMax > yMin)) {
    yMin -= 1;
    yMax += 1;
  }
  eixoX_->setRange(xMin, xMax);
  eixoY_->setRange(yMin, yMax);
  eixoX_->applyNiceNumbers();
  eixoY_->applyNiceNumbers();
  viewport()->update();
}

void TGrafico::DefinirGradiente(const QColor& topo, const QColor& base) {
  topo_ = topo;
  base_ = base;
  viewport()->update();
}

void TGrafico::DefinirMargensExtras(const QMargins& extras) {
  extras_ = extras;
  Reposicionar();
}

void TGrafico::DefinirParede(const QColor& cor, bool solida) {
  parede_ = cor;
  paredeSolida_ = solida;
  viewport()->update();
}

void TGrafico::DefinirVisao3D(bool visao3D) {
  visao3D_ = visao3D;
  Reposicionar();
}

void TGrafico::DefinirProfundidade(int percentual) {
  profundidade_ = std::clamp(percentual, 1, 100);
  Reposicionar();
}

int TGrafico::Largura3D() const {
  if (!visao3D_) return 0;
  const int lado = std::min(viewport()->width(), viewport()->height());
  return static_cast<int>(std::lround(lado * kProfundidadeMaxima * profundidade_ / 100.0));
}

int TGrafico::Altura3D() const {
  return Largura3D();
}

QPointF TGrafico::ValorDaPosicao(const QPointF& posicaoFrente) const {
  return chart()->mapToValue(posicaoFrente + Deslocamento());
}

QPointF TGrafico::PosicaoDoValor(const QPointF& valor) const {
  return chart()->mapToPosition(valor);
}

void TGrafico::DefinirZoomPermitido(bool permitido) {
  setRubberBand(permitido ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
}

void TGrafico::DesfazerZoom() {
  chart()->zoomReset();
}

QPixmap TGrafico::Figura() {
  return grab();
}

bool TGrafico::SalvarBitmap(const QString& caminho) {
  return Figura().toImage().convertToFormat(QImage::Format_RGB888).save(caminho, "BMP");
}

void TGrafico::CopiarFigura() {
  QApplication::clipboard()->setPixmap(Figura());
}

void TGrafico::Imprimir(QPrinter& impressora) {
  QPainter pintor;
  if (!pintor.begin(&impressora)) return;
  const QRect pagina = pintor.viewport();
  QSize tamanho = size();
  tamanho.scale(pagina.size(), Qt::KeepAspectRatio);
  pintor.setViewport(QRect(pagina.topLeft(), tamanho));
  pintor.setWindow(rect());
  render(&pintor);
  pintor.end();
}

void TGrafico::Reposicionar() {
  const int w = viewport()->width();
  const int h = viewport()->height();
  const int dx = Largura3D();
  const int dy = Altura3D();
  const int rotulos = eixoY_->isVisible() ? LarguraRotulosY() + kFolgaRotuloY : 0;
  const int esquerda = std::max(kMargemEsquerda, rotulos) + extras_.left();
  const int topo = kMargemTopo + extras_.top();
  frente_ = QRectF(esquerda, topo + dy, std::max(10, w - esquerda - kMargemDireita - extras_.right() - dx),
                   std::max(10, h - topo - kMargemBase - extras_.bottom() - dy));
  chart()->setPlotArea(frente_.translated(Deslocamento()));
  viewport()->update();
}

void TGrafico::resizeEvent(QResizeEvent* evento) {
  QChartView::resizeEvent(evento);
  Reposicionar();
}

void TGrafico::drawBackground(QPainter* pintor, const QRectF& area) {
  QLinearGradient gradiente(0, 0, 0, viewport()->height());
  gradiente.setColorAt(0, topo_);
  gradiente.setColorAt(1, base_);
  pintor->fillRect(area, gradiente);

  const QRectF fundo = frente_.translated(Deslocamento());
  pintor->save();
  pintor->setRenderHint(QPainter::Antialiasing, false);
  pintor->setPen(QPen(QColor(128, 128, 128)));
  if (visao3D_) {
    const QPolygonF paredeEsquerda{frente_.topLeft(), fundo.topLeft(), fundo.bottomLeft(),
                                   frente_.bottomLeft()};
    const QPolygonF piso{frente_.bottomLeft(), fundo.bottomLeft(), fundo.bottomRight(),
                         frente_.bottomRight()};
    pintor->setBrush(QColor(224, 224, 224));
    pintor->drawPolygon(paredeEsquerda);
    pintor->setBrush(QColor(200, 200, 200));
    pintor->drawPolygon(piso);
  }
  if (paredeSolida_)
    pintor->setBrush(parede_);
  else
    pintor->setBrush(Qt::NoBrush);
  pintor->drawRect(fundo);
  pintor->restore();

  if (!visao3D_) return;
  // Each line as a ribbon from the back plane to the front one.
  pintor->save();
  pintor->setRenderHint(QPainter::Antialiasing, true);
  const QPointF frente = -Deslocamento();
  for (QAbstractSeries* s : chart()->series()) {
    auto* linha = qobject_cast<QLineSeries*>(s);
    if (!linha || !linha->isVisible()) continue;
    const QList<QPointF> pontos = linha->points();
    const QColor cor = linha->pen().color();
    QColor face;
    face.setHsvF(cor.hsvHueF(), cor.hsvSaturationF() * 0.35, std::min(1.0, cor.valueF() * 1.15));
    pintor->setPen(QPen(cor.darker(120), 1));
    pintor->setBrush(face);
    for (int i = 1; i < pontos.size(); ++i) {
      const QPointF a = chart()->mapToPosition(pontos.at(i - 1), linha);
      const QPointF b = chart()->mapToPosition(pontos.at(i), linha);
      pintor->drawPolygon(QPolygonF{a, b, b + frente, a + frente});
    }
  }
  pintor->restore();
}

void TGrafico::drawForeground(QPainter* pintor, const QRectF& /*area*/) {
  pintor->save();
  pintor->setPen(palette().color(QPalette::WindowText));
  pintor->setFont(font());
  const QFontMetricsF medidas(font());
  const double alcanceX = eixoX_->max() - eixoX_->min();
  const double alcanceY = eixoY_->max() - eixoY_->min();
  if (eixoX_->isVisible() && alcanceX > 0) {
    for (double v : Marcas(eixoX_)) {
      const double x = frente_.left() + (v - eixoX_->min()) / alcanceX * frente_.width();
      const QString texto = RotuloX(v);
      pintor->drawLine(QPointF(x, frente_.bottom()), QPointF(x, frente_.bottom() + 3));
      pintor->drawText(QRectF(x - 40, frente_.bottom() + 4, 80, medidas.height()),
                       Qt::AlignHCenter | Qt::AlignTop, texto);
    }
  }
  if (eixoY_->isVisible() && alcanceY > 0) {
    for (double v : Marcas(eixoY_)) {
      const double y = frente_.bottom() - (v - eixoY_->min()) / alcanceY * frente_.height();
      const QString texto = RotuloY(v);
      pintor->drawLine(QPointF(frente_.left() - 3, y), QPointF(frente_.left(), y));
      pintor->drawText(QRectF(0, y - medidas.height() / 2, frente_.left() - 5, medidas.height()),
                       Qt::AlignRight | Qt::AlignVCenter, texto);
    }
  }
  pintor->restore();
}

void TGrafico::mousePressEvent(QMouseEvent* evento) {
  if (evento->button() == Qt::LeftButton) {
    const QPointF posicao = evento->position();
    QXYSeries* melhorSerie = nullptr;
    int melhor = -1;
    double menor = kDistanciaClique;
    for (QAbstractSeries* s : chart()->series()) {
      auto* xy = qobject_cast<QXYSeries*>(s);
      if (!xy || !xy->isVisible()) continue;
      const QList<QPointF> pontos = xy->points();
      for (int i = 0; i < pontos.size(); ++i) {
        const QPointF d = chart()->mapToPosition(pontos.at(i), xy) - posicao;
        const double distancia = std::hypot(d.x(), d.y());
        if (distancia <= menor) {
          menor = distancia;
          melhor = i;
          melhorSerie = xy;
        }
      }
    }
    if (melhorSerie) {
      emit PontoClicado(melhorSerie, melhor);
      evento->accept();
      return;
    }
  }
  QChartView::mousePressEvent(evento);
}

void TGrafico::mouseMoveEvent(QMouseEvent* evento) {
  emit MouseMovido(evento->position().toPoint());
  QChartView::mouseMoveEvent(evento);
}

}  // namespace toolkit::gui
