#include "windows/VazoPlot31.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <stdexcept>

#include "toolkit/FormatoNumero.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Grafico.h"
#include "toolkit/gui/Impressora.h"
#include "toolkit/gui/Mensagens.h"
#include "windows/uConfiguraChart.h"

QPointer<TFVazoPlot31> FVazoPlot31;

namespace {

using toolkit::gui::Protegido;

const QString kSemEscoamento = QStringLiteral("Não houve escoamento superficial para o local desejado.");
const QColor kLinhaImpar(222, 231, 222);
const QColor kLinhaPar(255, 255, 247);
constexpr int kLargura = 581;
constexpr int kAltura = 340;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QString ComVirgula(const char* padrao, double valor) {
  return Q(toolkit::FormatarComVirgula(padrao, valor));
}

QString Numero(const char* padrao, double valor) {
  return Q(toolkit::FormatarNumero(padrao, valor));
}

QString arquivoConfigGrafico_;
const char* const kSufixoGrafico = "_VazoPlot";

QColor Misturar(const QColor& a, const QColor& b, double f) {
  f = std::clamp(f, 0.0, 1.0);
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * f, a.greenF() + (b.greenF() - a.greenF()) * f,
                          a.blueF() + (b.blueF() - a.blueF()) * f);
}

// The chart with the axes' value formats on its labels, and a right click
// that undoes the zoom.
class TGraficoVazao : public toolkit::gui::TGrafico {
 public:
  using TGrafico::TGrafico;
  QString FormatoX = QStringLiteral("0");
  QString FormatoY = QStringLiteral("0.00");
  QColor CorTitulo = Qt::blue;

 protected:
  QString RotuloX(double valor) const override { return Numero(FormatoX.toUtf8().constData(), valor); }
  QString RotuloY(double valor) const override { return Numero(FormatoY.toUtf8().constData(), valor); }

  void drawForeground(QPainter* pintor, const QRectF&) override {
    const QRectF frente = RetanguloGrafico();
    pintor->save();
    pintor->setPen(palette().color(QPalette::WindowText));
    pintor->setFont(font());
    const QFontMetricsF medidas(font());
    // The title line over the chart, drawn here with the axis labels since
    // the plotting rectangle is placed by hand (the chart's own title item
    // stays transparent).
    if (!chart()->title().isEmpty()) {
      pintor->save();
      pintor->setFont(chart()->titleFont());
      pintor->setPen(CorTitulo);
      pintor->drawText(QRectF(0, 2, viewport()->width(), QFontMetricsF(chart()->titleFont()).height()),
                       Qt::AlignHCenter | Qt::AlignVCenter, chart()->title());
      pintor->restore();
    }
    const QValueAxis* x = EixoX();
    const QValueAxis* y = EixoY();
    const double alcanceX = x->max() - x->min();
    const double alcanceY = y->max() - y->min();
    if (alcanceX > 0) {
      for (double v : Marcas(x)) {
        const double px = frente.left() + (v - x->min()) / alcanceX * frente.width();
        pintor->drawLine(QPointF(px, frente.bottom()), QPointF(px, frente.bottom() + 3));
        pintor->drawText(QRectF(px - 40, frente.bottom() + 4, 80, medidas.height()),
                         Qt::AlignHCenter | Qt::AlignTop, RotuloX(v));
      }
    }
    if (alcanceY > 0) {
      for (double v : Marcas(y)) {
        const double py = frente.bottom() - (v - y->min()) / alcanceY * frente.height();
        pintor->drawLine(QPointF(frente.left() - 3, py), QPointF(frente.left(), py));
        pintor->drawText(QRectF(0, py - medidas.height() / 2, frente.left() - 5, medidas.height()),
                         Qt::AlignRight | Qt::AlignVCenter, RotuloY(v));
      }
    }
    pintor->restore();
  }

  void mouseReleaseEvent(QMouseEvent* evento) override {
    if (evento->button() == Qt::RightButton) {
      DesfazerZoom();
      evento->accept();
      return;
    }
    TGrafico::mouseReleaseEvent(evento);
  }
};

// The chart's frame: the gradient behind the axis titles, continued by the
// chart's own gradient so the two read as one picture.
class TPainelGrafico : public QWidget {
 public:
  TPainelGrafico(TFVazoPlot31* janela, QWidget* parent) : QWidget(parent), janela_(janela) {}
  static constexpr int kMargemTitulo = 18;

  // The strips of the axis titles, as tall as their fonts need.
  int MargemEsquerda() const { return Margem(janela_->ConfigGrafico.EixoY); }
  int MargemBase() const { return Margem(janela_->ConfigGrafico.EixoX); }

  void Posicionar() {
    if (!janela_->Chart1) return;
    const int esquerda = MargemEsquerda();
    const int base = MargemBase();
    const QRect r(esquerda, 0, std::max(10, width() - esquerda), std::max(10, height() - base));
    janela_->Chart1->setGeometry(r);
    const double h = std::max(1, height());
    const QColor inicio = Inicio(), fim = Fim();
    janela_->Chart1->DefinirGradiente(Misturar(inicio, fim, r.top() / h),
                                      Misturar(inicio, fim, (r.bottom() + 1) / h));
  }

 protected:
  void resizeEvent(QResizeEvent*) override { Posicionar(); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, Inicio());
    g.setColorAt(1, Fim());
    p.fillRect(rect(), g);
    const QRectF frente = janela_->Chart1->RetanguloGrafico().translated(janela_->Chart1->pos());
    FonteDoEixo(p, janela_->ConfigGrafico.EixoX);
    const int base = MargemBase();
    p.drawText(QRectF(frente.left(), height() - base, frente.width(), base),
               Qt::AlignHCenter | Qt::AlignVCenter, janela_->TituloEixoX);
    p.save();
    FonteDoEixo(p, janela_->ConfigGrafico.EixoY);
    p.translate(0, frente.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-frente.height() / 2 - 60, 0, frente.height() + 120, MargemEsquerda()),
               Qt::AlignHCenter | Qt::AlignVCenter, janela_->TituloEixoY);
    p.restore();
  }

 private:
  QFont Fonte(const TEixoGrafico& eixo) const {
    return eixo.FonteDefinida ? FonteDoGrafico(eixo.Fonte) : font();
  }
  int Margem(const TEixoGrafico& eixo) const {
    return std::max(kMargemTitulo, static_cast<int>(std::ceil(QFontMetricsF(Fonte(eixo)).height())) + 2);
  }

  void FonteDoEixo(QPainter& p, const TEixoGrafico& eixo) const {
    p.setFont(Fonte(eixo));
    p.setPen(eixo.FonteDefinida ? CorDoWindows(eixo.Fonte.Cor) : palette().color(QPalette::WindowText));
  }

  // Without the gradient the panel takes the chart's colour, flat.
  QColor Inicio() const {
    const TConfigGrafico& c = janela_->ConfigGrafico;
    return CorDoWindows(c.GradienteVisivel ? c.GradienteInicio : c.CorGrafico);
  }
  QColor Fim() const {
    const TConfigGrafico& c = janela_->ConfigGrafico;
    return CorDoWindows(c.GradienteVisivel ? c.GradienteFim : c.CorGrafico);
  }

  TFVazoPlot31* janela_;
};

}  // namespace

// --- Values grid ---------------------------------------------------------------

// Rows built on demand: a long trace holds tens of thousands of points.
class TFVazoPlot31::TModeloValores : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  QList<QPointF> Pontos;
  QString TituloVazao = QStringLiteral("Vazão (L/s)");

  void Definir(const QList<QPointF>& pontos) {
    beginResetModel();
    Pontos = pontos;
    endResetModel();
  }
  void DefinirTituloVazao(const QString& t) {
    TituloVazao = t;
    emit headerDataChanged(Qt::Horizontal, 1, 1);
  }
  int rowCount(const QModelIndex& pai) const override { return pai.isValid() ? 0 : int(Pontos.size()); }
  int columnCount(const QModelIndex& pai) const override { return pai.isValid() ? 0 : 2; }
  QVariant data(const QModelIndex& i, int papel) const override {
    if (!i.isValid()) return {};
    if (papel == Qt::DisplayRole) {
      const QPointF& p = Pontos.at(i.row());
      return ComVirgula("0.0000000", i.column() == 0 ? p.x() : p.y());
    }
    if (papel == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    // Row 1 (index 0) is odd.
    if (papel == Qt::BackgroundRole) return i.row() % 2 == 0 ? kLinhaImpar : kLinhaPar;
    return {};
  }
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
    if (o == Qt::Horizontal && papel == Qt::DisplayRole)
      return secao == 0 ? QStringLiteral("Tempo (min)") : TituloVazao;
    return QAbstractTableModel::headerData(secao, o, papel);
  }
};

// --- Creation --------------------------------------------------------------------

TFVazoPlot31::TFVazoPlot31(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FVazoPlot31"));
  setAttribute(Qt::WA_DeleteOnClose);
  toolkit::gui::DefinirContextoAjuda(this, 2401);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto botao = [this](const char* nome, const QString& texto) {
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(QLatin1String(nome));
    b->setText(texto);
    b->setAccessibleName(QString(texto).remove(QLatin1Char('&')).trimmed());
    b->setAutoRaise(true);
    b->setFixedSize(90, 21);
    ToolBar1->addWidget(b);
    return b;
  };
  tbRelatorio = botao("tbRelatorio", QStringLiteral("Relatório"));
  tbImprimir = botao("tbImprimir", QStringLiteral("       &Imprimir       "));
  tbSalvar = botao("tbSalvar", QStringLiteral("&Salvar"));
  tbValores = botao("tbValores", QStringLiteral("&Valores"));
  tbValores->setCheckable(true);
  tbConfiguraGrafico = botao("tbConfiguraGrafico", QStringLiteral("&Configurar"));
  tbAjuda = botao("tbAjuda", QStringLiteral("&Ajuda"));
  layout->addWidget(ToolBar1);

  pmSalvar = new QMenu(this);
  pmSalvar->setObjectName(QStringLiteral("pmSalvar"));
  miComoArquivoTexto = pmSalvar->addAction(QStringLiteral("Como &arquivo texto"));
  miComoArquivoBinario = pmSalvar->addAction(QStringLiteral("Como arquivo &binário"));
  miComoArquivoBMP = pmSalvar->addAction(QStringLiteral("Como arquivo B&MP"));
  pmSalvar->addSeparator();
  miCopiarFigura = pmSalvar->addAction(QStringLiteral("Copiar &figura para área de transferência"));
  miCopiarValores = pmSalvar->addAction(QStringLiteral("Copiar &valores para área de transferência"));
  tbSalvar->setMenu(pmSalvar);
  tbSalvar->setPopupMode(QToolButton::InstantPopup);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(2);
  Splitter1->setChildrenCollapsible(false);
  auto* painel = new TPainelGrafico(this, Splitter1);
  pGrafico = painel;
  pGrafico->setObjectName(QStringLiteral("pGrafico"));
  auto* grafico = new TGraficoVazao(pGrafico);
  Chart1 = grafico;
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->setAccessibleName(QStringLiteral("Gráfico do caudalente"));
  Chart1->DefinirVisao3D(false);
  Chart1->DefinirZoomPermitido(true);
  Chart1->DefinirDicas(false);
  lsCaudalente = Chart1->NovaSerieLinha(QColor(0, 64, 128), false);
  lsCaudalente->setName(QStringLiteral("Caudalente"));
  QPen caneta = lsCaudalente->pen();
  caneta.setWidth(2);
  lsCaudalente->setPen(caneta);
  Chart1->EixoX()->setLineVisible(false);
  Chart1->EixoY()->setLineVisible(false);
  Chart1->EixoX()->setGridLineVisible(false);
  Chart1->EixoY()->setGridLineVisible(false);
  Chart1->viewport()->installEventFilter(this);
  painel->Posicionar();
  Splitter1->addWidget(pGrafico);

  pValores = new QWidget(Splitter1);
  pValores->setObjectName(QStringLiteral("pValores"));
  auto* lv = new QVBoxLayout(pValores);
  lv->setContentsMargins(0, 0, 0, 0);
  Grade = new QTableView(pValores);
  Grade->setObjectName(QStringLiteral("Grade"));
  Grade->setAccessibleName(QStringLiteral("Valores do caudalente"));
  modelo_ = new TModeloValores(this);
  Grade->setModel(modelo_);
  Grade->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grade->setSelectionMode(QAbstractItemView::SingleSelection);
  Grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grade->verticalHeader()->hide();
  Grade->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grade->verticalHeader()->setDefaultSectionSize(15);
  Grade->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grade->horizontalHeader()->setSectionsMovable(false);
  Grade->horizontalHeader()->setDefaultSectionSize(68);
  Grade->setWordWrap(false);
  QFont pequena = Grade->font();
  if (pequena.pointSizeF() > 8) pequena.setPointSizeF(8);
  Grade->setFont(pequena);
  // The headings fill the 68-pixel columns in a size smaller still.
  QFont cabecalho = pequena;
  cabecalho.setPointSizeF(pequena.pointSizeF() - 1);
  Grade->horizontalHeader()->setFont(cabecalho);
  lv->addWidget(Grade);
  pValores->setFixedWidth(171);
  pValores->hide();
  Splitter1->addWidget(pValores);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  layout->addWidget(Splitter1, 1);

  pVazaoLamina = new QWidget(this);
  pVazaoLamina->setObjectName(QStringLiteral("pVazaoLamina"));
  pVazaoLamina->setFixedHeight(28);
  pVazaoLamina->setAutoFillBackground(true);
  QPalette branco = pVazaoLamina->palette();
  branco.setColor(QPalette::Window, Qt::white);
  pVazaoLamina->setPalette(branco);
  auto* lh = new QHBoxLayout(pVazaoLamina);
  lh->setContentsMargins(1, 1, 1, 1);
  lh->setSpacing(1);
  auto painelTexto = [this](const char* nome, const QString& acessivel) {
    auto* r = new QLabel(pVazaoLamina);
    r->setObjectName(QLatin1String(nome));
    // A screen reader reads the value (the label's text, its accessible
    // name); what it is goes into the description.
    r->setAccessibleDescription(acessivel);
    r->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    r->setAlignment(Qt::AlignCenter);
    r->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return r;
  };
  pVazao = painelTexto("pVazao", QStringLiteral("Vazão máxima"));
  pLamina = painelTexto("pLamina", QStringLiteral("Volume e lâmina escoados"));
  lh->addWidget(pVazao);
  lh->addWidget(pLamina, 1);
  layout->addWidget(pVazaoLamina);

  DSalvarTexto.Filter = QStringLiteral(
      "Arquivos textos (*.txt)|*.txt|Arquivos binários (*.bin)|*.bin|Valores para planilha (*.csv)|*.csv");
  DSalvarTexto.DefaultExt = QStringLiteral("TXT");
  DSalvarTexto.OverwritePrompt = true;
  // The program's folder, or the home folder when that cannot be written.
  const QString pastaPrograma = QCoreApplication::applicationDirPath();
  DSalvarTexto.InitialDir = QFileInfo(pastaPrograma).isWritable() ? pastaPrograma : QDir::homePath();
  DSalvarTexto.Parent = this;
  DSalvarFigura.Filter = QStringLiteral("Bitmaps|*.bmp|Imagens PNG (*.png)|*.png");
  DSalvarFigura.DefaultExt = QStringLiteral("bmp");
  DSalvarFigura.OverwritePrompt = true;
  DSalvarFigura.Parent = this;

  if (!arquivoConfigGrafico_.isEmpty())
    CarregarGrafico(arquivoConfigGrafico_.toStdString(), kSufixoGrafico, ConfigGrafico);
  AplicarConfigGrafico();

  auto ligar = [this](QToolButton* b, void (TFVazoPlot31::*f)()) {
    connect(b, &QToolButton::clicked, this, [this, f] { Protegido([&] { (this->*f)(); }); });
  };
  ligar(tbRelatorio, &TFVazoPlot31::tbRelatorioClick);
  ligar(tbImprimir, &TFVazoPlot31::tbImprimirClick);
  ligar(tbValores, &TFVazoPlot31::tbValoresClick);
  ligar(tbConfiguraGrafico, &TFVazoPlot31::tbConfiguraGraficoClick);
  ligar(tbAjuda, &TFVazoPlot31::tbAjudaClick);
  connect(miComoArquivoTexto, &QAction::triggered, this,
          [this] { Protegido([&] { miComoArquivoTextoClick(false); }); });
  connect(miComoArquivoBinario, &QAction::triggered, this,
          [this] { Protegido([&] { miComoArquivoTextoClick(true); }); });
  connect(miComoArquivoBMP, &QAction::triggered, this,
          [this] { Protegido([&] { miComoArquivoBMPClick(); }); });
  connect(miCopiarFigura, &QAction::triggered, this, [this] { Protegido([&] { miCopiarFiguraClick(); }); });
  connect(miCopiarValores, &QAction::triggered, this, [this] { Protegido([&] { miCopiarValoresClick(); }); });
  connect(Chart1, &toolkit::gui::TGrafico::PontoClicado, this, [this](QXYSeries* serie, int indice) {
    if (serie == lsCaudalente) MostrarDica(indice);
  });
  FVazoPlot31 = this;
}

TFVazoPlot31::~TFVazoPlot31() = default;

QMdiSubWindow* TFVazoPlot31::Moldura() const {
  return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TFVazoPlot31::Preencher(const TCaudalente& serie, const QString& titulo) {
  setWindowTitle(titulo);
  if (QMdiSubWindow* m = Moldura()) m->setWindowTitle(titulo);

  VazaoMaxima = serie.VazaoMaxima;
  TempoPico = serie.TempoPico;
  Volume = serie.Volume;
  Lamina = serie.Lamina;
  Profundidade = serie.Profundidade * 100;
  Velocidade = serie.Velocidade * 100;
  Alfa = serie.Alfa;
  Expoente = serie.Expoente;
  Local = serie.Local;
  FuncaoProfundidade = serie.FuncaoProfundidade();

  QList<QPointF> pontos;
  pontos.reserve(serie.Count());
  for (const TPonto& p : serie.Pontos()) pontos << QPointF(p.Tempo, p.Vazao);
  // Drawn in time order, as the chart's series keeps them.
  std::stable_sort(pontos.begin(), pontos.end(),
                   [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
  lsCaudalente->replace(pontos);
  modelo_->Definir(pontos);
  // The title line of the chart; the caption is the window's own.
  ConfigGrafico.Titulo = titulo.toStdString();
  AplicarConfigGrafico();
  FormResize();

  // A hillslope's discharge and volume are per metre of width.
  const QString unidade = UnidadeVazao();
  pVazao->setText(QStringLiteral("Qmax: ") + ComVirgula("0.0#", VazaoMaxima) + ' ' + unidade +
                  QStringLiteral(", em ") + ComVirgula("0.0", TempoPico) + QStringLiteral(" min"));
  modelo_->DefinirTituloVazao(QStringLiteral("Vazão (") + unidade + ')');
  QString lamina = QStringLiteral("VES: ") + ComVirgula("0.00##", Volume / 1000) +
                   (Local == 2 ? QStringLiteral(" m3") : QStringLiteral(" m3/m")) +
                   QStringLiteral(";   LES: ");
  // The depth is the volume over the drained area, which no hydrograph file keeps.
  if (AreaConhecida)
    lamina += ComVirgula("0.0", Lamina * 1000) + QStringLiteral(" mm");
  else
    lamina += QStringLiteral("desconhecida (o arquivo não guarda a área drenada)");
  pLamina->setText(lamina);
}

QString TFVazoPlot31::UnidadeVazao() const {
  return Local == 2 ? QStringLiteral("L/s") : QStringLiteral("L/s.m");
}

// --- Events ----------------------------------------------------------------------

void TFVazoPlot31::FormResize() {
  pVazao->setFixedWidth(static_cast<int>(std::lround(pVazaoLamina->contentsRect().width() / 1.7)));
}

void TFVazoPlot31::resizeEvent(QResizeEvent* evento) {
  QWidget::resizeEvent(evento);
  FormResize();
}

void TFVazoPlot31::showEvent(QShowEvent* evento) {
  QWidget::showEvent(evento);
  FlagDica = true;
}

bool TFVazoPlot31::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == Chart1->viewport() && evento->type() == QEvent::MouseButtonRelease) {
    // A click that was not on a point clears the hint, unless a point click
    // has just set it.
    if (!FlagDica) LimparDica();
    FlagDica = false;
  }
  return QWidget::eventFilter(alvo, evento);
}

void TFVazoPlot31::MostrarDica(int indice) {
  if (indice < 0 || indice >= lsCaudalente->count()) return;
  const QPointF p = lsCaudalente->at(indice);
  FlagDica = true;
  dica_ = QStringLiteral("(") + Numero("0.0#", p.x()) + QStringLiteral(" min; ") + Numero("0.0##", p.y()) +
          ' ' + UnidadeVazao() + ')';
  QToolTip::showText(QCursor::pos(), dica_, Chart1);
}

void TFVazoPlot31::LimparDica() {
  dica_.clear();
  QToolTip::hideText();
}

// --- Commands ----------------------------------------------------------------------

void TFVazoPlot31::tbValoresClick() {
  pValores->setVisible(tbValores->isChecked());
}

QPixmap TFVazoPlot31::Figura() {
  return pGrafico->grab();
}

void TFVazoPlot31::tbImprimirClick() {
  QPrinter& impressora = toolkit::gui::ImpressoraPadrao();
  QPainter pintor;
  if (!pintor.begin(&impressora)) throw std::runtime_error("Não foi possível imprimir na impressora atual.");
  const QRect pagina = pintor.viewport();
  QSize tamanho = pGrafico->size();
  tamanho.scale(pagina.size(), Qt::KeepAspectRatio);
  pintor.setViewport(QRect(pagina.topLeft(), tamanho));
  pintor.setWindow(pGrafico->rect());
  pGrafico->render(&pintor);
  pintor.end();
}

void TFVazoPlot31::tbRelatorioClick() {
  Chart1->DesfazerZoom();
  miCopiarFiguraClick();
  if (Relatorio) Relatorio(*this);
}

void TFVazoPlot31::tbConfiguraGraficoClick() {
  QList<QLineSeries*> series;
  for (QAbstractSeries* s : Chart1->Grafico()->series())
    if (auto* linha = qobject_cast<QLineSeries*>(s)) series << linha;
  TFConfiguraChart dialogo(this);
  dialogo.Configurar(
      ConfigGrafico, series, [this] { AplicarConfigGrafico(); }, arquivoConfigGrafico_.toStdString(),
      kSufixoGrafico);
}

void TFVazoPlot31::AplicarConfigGrafico() {
  TConfigGrafico& c = ConfigGrafico;
  QChart* grafico = Chart1->Grafico();
  QMargins extras;
  grafico->setTitle(c.TituloVisivel ? QString::fromStdString(c.Titulo) : QString());
  grafico->setTitleFont(FonteDoGrafico(c.FonteTitulo));
  grafico->setTitleBrush(Qt::transparent);
  static_cast<TGraficoVazao*>(Chart1)->CorTitulo = CorDoWindows(c.FonteTitulo.Cor);
  if (c.TituloVisivel && !c.Titulo.empty()) extras.setTop(QFontMetrics(grafico->titleFont()).height() + 6);

  QLegend* legenda = grafico->legend();
  legenda->setVisible(c.LegendaVisivel);
  legenda->setFont(FonteDoGrafico(c.FonteLegenda));
  legenda->setLabelColor(CorDoWindows(c.FonteLegenda.Cor));
  static const Qt::Alignment kPosicoes[] = {Qt::AlignTop, Qt::AlignBottom, Qt::AlignLeft, Qt::AlignRight};
  legenda->setAlignment(kPosicoes[std::clamp(c.PosicaoLegenda, 0, 3)]);
  if (c.LegendaVisivel) {
    // Room for the legend beside the plotting rectangle, which the chart
    // places itself.
    const QSizeF tamanho = legenda->effectiveSizeHint(Qt::PreferredSize);
    switch (c.PosicaoLegenda) {
      case 0:
        extras.setTop(extras.top() + static_cast<int>(tamanho.height()));
        break;
      case 1:
        extras.setBottom(static_cast<int>(tamanho.height()));
        break;
      case 2:
        extras.setLeft(static_cast<int>(tamanho.width()));
        break;
      default:
        extras.setRight(static_cast<int>(tamanho.width()));
        break;
    }
  }

  // The settings' default axis captions and formats give way to the units of
  // this hydrograph (a hillslope's discharge is per metre of width).
  const TConfigGrafico padrao;
  TituloEixoX = QString::fromStdString(c.EixoX.Titulo);
  TituloEixoY = QString::fromStdString(c.EixoY.Titulo);
  if (c.EixoY.Titulo == padrao.EixoY.Titulo && Local != 2) TituloEixoY = QStringLiteral("Vazão (L/(s m))");
  auto* vazao = static_cast<TGraficoVazao*>(Chart1);
  vazao->FormatoX = c.EixoX.Formato == padrao.EixoX.Formato ? Unidades.Tempo.Formato
                                                            : QString::fromStdString(c.EixoX.Formato);
  vazao->FormatoY = c.EixoY.Formato == padrao.EixoY.Formato ? Unidades.Vazao.Formato
                                                            : QString::fromStdString(c.EixoY.Formato);
  Chart1->EixoX()->setGridLineVisible(c.EixoX.Grade);
  Chart1->EixoY()->setGridLineVisible(c.EixoY.Grade);
  if (c.EixoX.Automatico || c.EixoY.Automatico) Chart1->AjustarEixos();
  if (!c.EixoX.Automatico) Chart1->EixoX()->setRange(c.EixoX.Minimo, c.EixoX.Maximo);
  if (!c.EixoY.Automatico) Chart1->EixoY()->setRange(c.EixoY.Minimo, c.EixoY.Maximo);
  // The limits kept (and saved) are the ones in use, also when automatic.
  c.EixoX.Minimo = Chart1->EixoX()->min();
  c.EixoX.Maximo = Chart1->EixoX()->max();
  c.EixoY.Minimo = Chart1->EixoY()->min();
  c.EixoY.Maximo = Chart1->EixoY()->max();

  Chart1->DefinirParede(CorDoWindows(c.CorParede), c.ParedeSolida);
  Chart1->DefinirVisao3D(c.Visao3D);
  Chart1->DefinirProfundidade(c.Profundidade);
  Chart1->DefinirMargensExtras(extras);
  if (auto* painel = dynamic_cast<TPainelGrafico*>(pGrafico)) painel->Posicionar();
  pGrafico->update();
  Chart1->viewport()->update();
}

void DefinirArquivoConfigGrafico(const QString& caminho) {
  arquivoConfigGrafico_ = caminho;
}

QString ArquivoConfigGrafico() {
  return arquivoConfigGrafico_;
}

void TFVazoPlot31::tbAjudaClick() {
  toolkit::gui::MostrarAjuda(2401);
}

std::unique_ptr<TCaudalente> TFVazoPlot31::SerieParaSalvar() const {
  auto serie =
      Local == 2 ? std::make_unique<TCaudalente>(FuncaoProfundidade) : std::make_unique<TCaudalente>();
  serie->Local = Local;
  serie->Alfa = Alfa;
  serie->Expoente = Expoente;
  const QList<QPointF> pontos = lsCaudalente->points();
  serie->Reservar(static_cast<std::size_t>(pontos.size()));
  for (const QPointF& p : pontos) serie->Adicionar(p.x(), p.y());
  serie->Calcular(1);
  return serie;
}

namespace {

// Turns the hourglass on for a command and back off however it ends.
class TAmpulheta {
 public:
  TAmpulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TAmpulheta() { QApplication::restoreOverrideCursor(); }
};

std::string Local8(const QString& caminho) {
  return QFile::encodeName(caminho).toStdString();
}

// All at once, so a failed save leaves the old file whole.
void GravarArquivo(const QString& nome, const QByteArray& bytes) {
  const int erro = toolkit::SubstituirArquivo(Local8(nome), bytes.toStdString());
  if (erro != 0) throw std::runtime_error(toolkit::ErroDeGravacao(nome.toStdString(), erro));
}

}  // namespace

void TFVazoPlot31::miComoArquivoTextoClick(bool binario) {
  DSalvarTexto.FilterIndex = binario ? 2 : 1;
  DSalvarTexto.FileName = windowTitle();
  if (!DSalvarTexto.Execute()) return;
  TAmpulheta ampulheta;
  const QString nome = DSalvarTexto.FileName;
  if (DSalvarTexto.FilterIndex == 3 ||
      QFileInfo(nome).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) {
    GravarArquivo(nome, TextoCsv().toUtf8());
    return;
  }
  const std::unique_ptr<TCaudalente> serie = SerieParaSalvar();
  if (DSalvarTexto.FilterIndex == 2)
    serie->SalvarBinario(Local8(nome));
  else
    serie->SalvarTexto(Local8(nome));
}

void TFVazoPlot31::miComoArquivoBMPClick() {
  TAmpulheta ampulheta;
  DSalvarFigura.FilterIndex = 1;
  DSalvarFigura.FileName = windowTitle();
  if (!DSalvarFigura.Execute()) return;
  const QString nome = DSalvarFigura.FileName;
  const bool png = DSalvarFigura.FilterIndex == 2 ||
                   QFileInfo(nome).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
  const QImage figura = Figura().toImage().convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!figura.save(&buffer, png ? "PNG" : "BMP"))
    throw std::runtime_error("Não foi possível gravar o arquivo " + nome.toStdString() + ".");
  GravarArquivo(nome, bytes);
}

void TFVazoPlot31::miCopiarFiguraClick() {
  TAmpulheta ampulheta;
  QApplication::clipboard()->setPixmap(Figura());
}

QString TFVazoPlot31::TextoValores() const {
  const QString fim = QStringLiteral("\r\n");
  QString texto = QStringLiteral("Tempo (min)\tVazão (L/s)") + fim;
  for (const QPointF& p : lsCaudalente->points())
    texto += Numero("0.#######################", p.x()) + QLatin1Char('\t') +
             Numero("0.#######################", p.y()) + fim;
  return texto;
}

QString TFVazoPlot31::TextoCsv() const {
  const char decimal = toolkit::Regional().SeparadorDecimal;
  const QChar separador = decimal == ',' ? QLatin1Char(';') : QLatin1Char(',');
  const QString fim = QStringLiteral("\r\n");
  QString texto = QStringLiteral("tempo_min") + separador + QStringLiteral("vazao") + fim;
  for (const QPointF& p : lsCaudalente->points())
    texto += Q(toolkit::FormatarNumero("0.#######################", p.x(), decimal)) + separador +
             Q(toolkit::FormatarNumero("0.#######################", p.y(), decimal)) + fim;
  return texto;
}

void TFVazoPlot31::miCopiarValoresClick() {
  TAmpulheta ampulheta;
  QApplication::clipboard()->setText(TextoValores());
}

// --- Opening ---------------------------------------------------------------------

namespace {

bool AbrirJanela(const TCaudalente& serie, const QString& titulo, TSolicitarRelatorio relatorio,
                 QMdiArea* area, bool deArquivo) {
  if (serie.Count() < 3) {
    toolkit::gui::Informar(kSemEscoamento);
    return false;
  }
  try {
    auto* janela = new TFVazoPlot31;
    janela->Relatorio = std::move(relatorio);
    janela->AreaConhecida = !deArquivo;
    if (area) {
      QMdiSubWindow* moldura = area->addSubWindow(janela);
      moldura->setAttribute(Qt::WA_DeleteOnClose);
      moldura->setWindowIcon(QApplication::windowIcon());
      moldura->setMinimumSize(kLargura, kAltura);
      moldura->resize(kLargura, kAltura);
    } else {
      janela->setMinimumSize(kLargura, kAltura);
      janela->resize(kLargura, kAltura);
    }
    janela->Preencher(serie, titulo);
    if (QMdiSubWindow* m = janela->Moldura())
      m->show();
    else
      janela->show();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

bool AbrirGrafico(const TCaudalente& serie, const QString& titulo, TSolicitarRelatorio relatorio,
                  QMdiArea* area) {
  return AbrirJanela(serie, titulo, std::move(relatorio), area, false);
}

void MostrarCaudalente(const TCaudalente& serie, const QString& titulo, TSolicitarRelatorio relatorio,
                       QMdiArea* area) {
  AbrirGrafico(serie, titulo, std::move(relatorio), area);
}

void MostrarArquivoCaudalente(const TCaudalente& serie, const QString& titulo, QMdiArea* area) {
  AbrirJanela(serie, titulo, nullptr, area, true);
}
