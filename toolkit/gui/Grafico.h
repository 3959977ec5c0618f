#pragma once
// The chart control of the windows: Qt Charts draws the series, markers,
// axes, zoom and hints; this adapter adds a three-dimensional look seen from
// the front (a back wall, a left wall and a floor, and each line drawn as a
// ribbon), pictures and printing.
//
// Depth: the front plane is the plotting rectangle; the back plane, where Qt
// Charts draws the series, is the same rectangle moved right by Largura3D()
// and up by Altura3D(). Both offsets grow with the depth percentage (1..100).
// A mouse position over a drawn point, moved left by Largura3D() and down by
// Altura3D(), falls on the front plane, where ValorDaPosicao reads it.
#include <QChartView>
#include <QColor>
#include <QList>
#include <QMargins>
#include <QPixmap>

class QChart;
class QLineSeries;
class QPrinter;
class QValueAxis;
class QXYSeries;

namespace toolkit::gui {

class TGrafico : public QChartView {
  Q_OBJECT

 public:
  explicit TGrafico(QWidget* parent = nullptr);

  QChart* Grafico() const { return chart(); }
  QValueAxis* EixoX() const { return eixoX_; }
  QValueAxis* EixoY() const { return eixoY_; }
  // A line series on both axes; markers: a circle on every point.
  QLineSeries* NovaSerieLinha(const QColor& cor, bool marcadores);
  // Axes to the range of the data of every series, in round numbers.
  void AjustarEixos();

  // Panel colours: a vertical gradient from the top colour to the bottom one.
  void DefinirGradiente(const QColor& topo, const QColor& base);

  // Room added around the plotting rectangle (for a title or a legend).
  void DefinirMargensExtras(const QMargins& extras);

  // Back wall: filled with the colour when solid, only outlined otherwise.
  void DefinirParede(const QColor& cor, bool solida);

  void DefinirVisao3D(bool visao3D);
  bool Visao3D() const { return visao3D_; }
  void DefinirProfundidade(int percentual);  // clamped to 1..100
  int Profundidade() const { return profundidade_; }
  int Largura3D() const;
  int Altura3D() const;
  // Width of the widest value label of the left axis in the chart's font;
  // the room left of the front plane grows to hold it.
  int LarguraRotulosY() const;
  // Front plane, in viewport coordinates.
  QRectF RetanguloGrafico() const { return frente_; }
  // Axis values of a position of the front plane, and the viewport position
  // where a value is drawn (on the back plane).
  QPointF ValorDaPosicao(const QPointF& posicaoFrente) const;
  QPointF PosicaoDoValor(const QPointF& valor) const;

  // Rubber-band zoom with the left button (off by default); DesfazerZoom
  // returns to the full range.
  void DefinirZoomPermitido(bool permitido);
  void DesfazerZoom();
  // Hints: the values of the point under the mouse.
  void DefinirDicas(bool dicas) { dicas_ = dicas; }

  QPixmap Figura();
  bool SalvarBitmap(const QString& caminho);
  void CopiarFigura();
  // The chart on one page, as large as the page allows, keeping its shape.
  void Imprimir(QPrinter& impressora);

 signals:
  // A click near a drawn point (left button).
  void PontoClicado(QXYSeries* serie, int indice);
  // Every mouse move over the chart, in viewport coordinates.
  void MouseMovido(const QPoint& posicao);

 protected:
  // Text of a value label of each axis; the labels are drawn and the room
  // for them measured with these.
  virtual QString RotuloX(double valor) const;
  virtual QString RotuloY(double valor) const;
  // Values of the tick marks of an axis, evenly spaced from min to max.
  static QList<double> Marcas(const QValueAxis* eixo);
  void changeEvent(QEvent* evento) override;
  void drawBackground(QPainter* pintor, const QRectF& area) override;
  // Axis labels along the front plane, with the decimal separator in use.
  void drawForeground(QPainter* pintor, const QRectF& area) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;

 protected:
  // Places the front plane from the size, the margins and the labels' width.
  void Reposicionar();

 private:
  QPointF Deslocamento() const { return QPointF(Largura3D(), -Altura3D()); }

  QValueAxis* eixoX_;
  QValueAxis* eixoY_;
  QColor topo_ = Qt::white;
  QColor base_ = Qt::white;
  QMargins extras_;
  QColor parede_ = Qt::white;
  bool paredeSolida_ = true;
  bool visao3D_ = true;
  int profundidade_ = 100;
  bool dicas_ = false;
  QRectF frente_;
};

}  // namespace toolkit::gui
