#include "windows/DadosCaudalente.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "idf/Nimbora21Comp.h"
#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "project/Unidades.h"
#include "project/VerificarDados.h"
#include "project/gui/GerenteSys.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/EntradaNumerica.h"
#include "toolkit/gui/Grafico.h"
#include "toolkit/gui/Mensagens.h"

QPointer<TFDadosCaudalente> FDadosCaudalente;

namespace {

using toolkit::gui::Protegido;
using toolkit::gui::TGrade;

const char* const kPadrao = "0.0######";
const QString kTituloParametros = QStringLiteral("Entrada de dados - definição dos valores dos parâmetros");
const QString kTituloEncosta = QStringLiteral("Entrada de dados - visualização da encosta");
const QString kTituloTracado = QStringLiteral("Entrada de dados - traçado do caudalente");
// Mask of the coordinate edits: degrees, minutes and seconds, each two
// optional digits.
const QString kMascaraGraus = QStringLiteral("99°99'99\"");

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

std::string S(const QString& s) {
  return s.toStdString();
}

QString Formatar(const char* padrao, double valor) {
  return padrao ? Q(toolkit::FormatarNumero(padrao, valor)) : Q(toolkit::FormatoGeral(valor));
}

// What a grid cell holds, as the messages name it ("o comprimento do trecho 2 da encosta").
QString CampoCelula(int linha, int coluna) {
  static const char* const nomes[] = {"o comprimento", "a declividade", "a rugosidade hidráulica",
                                      "a taxa de infiltração estável da água no solo"};
  const char* nome = coluna >= 0 && coluna < 4 ? nomes[coluna] : "o valor";
  return QString::fromUtf8(nome) + QStringLiteral(" do trecho ") + QString::number(linha + 1) +
         QStringLiteral(" da encosta");
}

double Real(const QString& texto, const QString& campo) {
  return toolkit::gui::NumeroDoCampo(texto, campo);
}

// Whole metres: to the nearest, halves to even.
int Inteiro(double valor) {
  return static_cast<int>(std::nearbyint(valor));
}

// The cross-section pictures of the channel pages.
class TDesenhoSecao : public QWidget {
 public:
  TDesenhoSecao(bool triangular, QWidget* parent) : QWidget(parent), triangular_(triangular) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QColor terra(150, 100, 50);
    const QColor agua(120, 180, 235);
    QFont fonte = font();
    fonte.setPointSizeF(fonte.pointSizeF() * 0.9);
    fonte.setItalic(true);
    p.setFont(fonte);
    if (triangular_)
      Triangulo(p, terra, agua);
    else
      Trapezio(p, terra, agua);
  }

 private:
  // Water-level mark: a small inverted triangle over a line at the surface.
  static void Nivel(QPainter& p, double x, double y) {
    p.setPen(QPen(QColor(0, 70, 160), 1));
    p.setBrush(QColor(0, 70, 160));
    p.drawPolygon(QPolygonF{QPointF(x - 5, y - 8), QPointF(x + 5, y - 8), QPointF(x, y - 1)});
    p.drawLine(QPointF(x - 9, y + 2), QPointF(x + 9, y + 2));
    p.drawLine(QPointF(x - 5, y + 5), QPointF(x + 5, y + 5));
  }

  void Trapezio(QPainter& p, const QColor& terra, const QColor& agua) {
    const double w = width(), h = height();
    const double topo = 16, fundo = h - 20;
    const double base = w * 0.30;
    const double xb1 = (w - base) / 2, xb2 = xb1 + base;
    const double talude = (fundo - topo) * 1.3;  // 1 : Z drawn with Z = 1.3
    const double xt1 = xb1 - talude, xt2 = xb2 + talude;
    const double nivel = topo + (fundo - topo) * 0.35;
    const double recuo = (nivel - topo) * 1.3;
    p.setPen(Qt::NoPen);
    p.setBrush(agua);
    p.drawPolygon(QPolygonF{QPointF(xt1 + recuo, nivel), QPointF(xt2 - recuo, nivel), QPointF(xb2, fundo),
                            QPointF(xb1, fundo)});
    p.setPen(QPen(terra, 2));
    p.drawPolyline(QPolygonF{QPointF(4, topo), QPointF(xt1, topo), QPointF(xb1, fundo), QPointF(xb2, fundo),
                             QPointF(xt2, topo), QPointF(w - 4, topo)});
    Nivel(p, w / 2, nivel);
    // Bottom width B, with its dimension line.
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(xb1, fundo + 6), QPointF(xb2, fundo + 6));
    p.drawLine(QPointF(xb1, fundo + 3), QPointF(xb1, fundo + 9));
    p.drawLine(QPointF(xb2, fundo + 3), QPointF(xb2, fundo + 9));
    p.drawText(QRectF(xb1, fundo + 6, base, 14), Qt::AlignCenter, QStringLiteral("B"));
    // The wall's inclination: 1 vertical to Z horizontal.
    const double yA = topo + 10, yB = fundo - 8;
    const double xParedeA = xb2 + (fundo - yA) * 1.3, xParedeB = xb2 + (fundo - yB) * 1.3;
    p.drawLine(QPointF(xParedeB, yB), QPointF(xParedeA, yB));
    p.drawLine(QPointF(xParedeA, yB), QPointF(xParedeA, yA));
    p.drawText(QRectF(xParedeA + 2, (yA + yB) / 2 - 7, 14, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("1"));
    p.drawText(QRectF(xParedeB, yB, xParedeA - xParedeB, 14), Qt::AlignCenter, QStringLiteral("Z"));
  }

  void Triangulo(QPainter& p, const QColor& terra, const QColor& agua) {
    const double w = width(), h = height();
    const double topo = 16, fundo = h - 14;
    // The gentle wall on the hillslope side (left), the steep one at the right.
    const double xf = w * 0.68;
    const double x1 = 8, x2 = xf + (fundo - topo) * 0.45;
    const double nivel = topo + (fundo - topo) * 0.40;
    const double f = (fundo - nivel) / (fundo - topo);
    p.setPen(Qt::NoPen);
    p.setBrush(agua);
    p.drawPolygon(QPolygonF{QPointF(xf - (xf - x1) * f, nivel), QPointF(xf + (x2 - xf) * f, nivel),
                            QPointF(xf, fundo)});
    p.setPen(QPen(terra, 2));
    p.drawPolyline(QPolygonF{QPointF(x1, topo), QPointF(xf, fundo), QPointF(x2, topo), QPointF(w - 4, topo)});
    Nivel(p, (xf - (xf - x1) * f + xf + (x2 - xf) * f) / 2, nivel);
    p.setPen(Qt::black);
    p.drawText(QRectF(x1 + (xf - x1) * 0.30 - 10, topo + (fundo - topo) * 0.55, 24, 14), Qt::AlignCenter,
               QStringLiteral("St"));
    p.drawText(QRectF(x2 + 2, topo + (fundo - topo) * 0.45, 24, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Sm"));
  }

  bool triangular_;
};

QLabel* Rotulo(const QString& texto, QWidget* pai, int x, int y, int largura = -1) {
  auto* r = new QLabel(texto, pai);
  r->adjustSize();
  r->move(x, y);
  if (largura > 0) r->resize(largura, r->height());
  return r;
}

QPushButton* Botao(const QString& nome, const QString& texto, QWidget* pai, int x, int y, int largura = 100,
                   int altura = 28) {
  auto* b = new QPushButton(texto, pai);
  b->setObjectName(nome);
  b->setGeometry(x, y, largura, altura);
  b->setAutoDefault(true);
  return b;
}

// The design's widths were set for a smaller font: a button whose text would
// touch its borders grows about its centre, inside its parent.
void CaberTexto(QPushButton* b) {
  const int largura = b->sizeHint().width();
  QWidget* pai = b->parentWidget();
  if (largura <= b->width() || !pai) return;
  QRect g = b->geometry();
  const int centro = g.center().x();
  g.setWidth(largura);
  g.moveLeft(centro - largura / 2);
  if (g.right() >= pai->width()) g.moveRight(pai->width() - 1);
  if (g.left() < 0) g.moveLeft(0);
  b->setGeometry(g);
}

}  // namespace

// --- Creation ---------------------------------------------------------------------

TFDadosCaudalente* TFDadosCaudalente::Abrir(QMdiArea* area, const TDadosProjeto& dados) {
  if (FDadosCaudalente) {
    QMdiSubWindow* moldura = FDadosCaudalente->Moldura();
    if (moldura) {
      moldura->showNormal();
      moldura->raise();
      area->setActiveSubWindow(moldura);
    }
    FDadosCaudalente->show();
    return FDadosCaudalente;
  }
  auto* janela = new TFDadosCaudalente(dados, nullptr);
  QMdiSubWindow* moldura = area->addSubWindow(
      janela, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  moldura->setAttribute(Qt::WA_DeleteOnClose);
  moldura->setWindowIcon(QApplication::windowIcon());
  moldura->setWindowTitle(janela->windowTitle());
  moldura->adjustSize();
  moldura->setFixedSize(moldura->size());
  moldura->move(5, 5);
  moldura->show();
  return janela;
}

TFDadosCaudalente::TFDadosCaudalente(const TDadosProjeto& dados, QWidget* parent)
    : QWidget(parent),
      dados_(dados),
      referencias_(CriarReferenciasDados(this)),
      filtro_(new toolkit::gui::TFiltroNumerico(this)) {
  FDadosCaudalente = this;
  setObjectName(QStringLiteral("FDadosCaudalente"));
  setWindowTitle(kTituloParametros);
  setWindowIcon(QApplication::windowIcon());
  setFixedSize(615, 400);
  // The pixel layout is made for a small dialog font.
  QFont fonte = font();
  if (fonte.pointSizeF() > 8) fonte.setPointSizeF(8);
  setFont(fonte);
  Notebook1 = new QStackedWidget(this);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  Notebook1->setGeometry(0, 0, 615, 400);
  toolkit::gui::DefinirContextoAjuda(Notebook1, 2000);
  CriarPagina0();
  CriarPagina1();
  CriarPagina2();

  // FormCreate.
  LimparCampos();
  MostrarPagina(0, kTituloParametros);
  DefinirAbaEncosta(dados_.Encosta && dados_.Encosta->Count() > 1);
}

TFDadosCaudalente::~TFDadosCaudalente() {
  if (FDadosCaudalente == this) FDadosCaudalente = nullptr;
}

QMdiSubWindow* TFDadosCaudalente::Moldura() const {
  return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TFDadosCaudalente::CriarPagina0() {
  auto* pagina = new QWidget;
  pagina->setObjectName(QStringLiteral("EntradaDados"));
  Notebook1->addWidget(pagina);

  auto novoEdit = [this](const QString& nome, QWidget* pai, int x, int y, int largura = 60) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setGeometry(x, y, largura, 22);
    e->installEventFilter(filtro_);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textChanged, this, [this, e] { Protegido([&] { eTrChange(e); }); });
    editsNumericos_ << e;
    return e;
  };
  auto comRotulo = [](QWidget* campo, const QString& texto, int x) {
    QLabel* r = Rotulo(texto, campo->parentWidget(), x, campo->y() + 3);
    r->setBuddy(campo);
    campo->setAccessibleName(r->text().remove(QLatin1Char('&')));
    return r;
  };
  auto unidade = [](QWidget* campo, const QString& texto, const QString& nome = QString()) {
    QLabel* r = Rotulo(texto, campo->parentWidget(), campo->geometry().right() + 5, campo->y() + 3, 44);
    if (!nome.isEmpty()) r->setObjectName(nome);
    return r;
  };

  // Storm.
  GroupBox3 = new QGroupBox(QStringLiteral(" Precipitação "), pagina);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  GroupBox3->setGeometry(16, 11, 135, 342);
  toolkit::gui::DefinirContextoAjuda(GroupBox3, 2100);
  eTr = novoEdit(QStringLiteral("eTr"), GroupBox3, 30, 28);
  eK = novoEdit(QStringLiteral("eK"), GroupBox3, 30, 60);
  eA = novoEdit(QStringLiteral("eA"), GroupBox3, 30, 92);
  eB = novoEdit(QStringLiteral("eB"), GroupBox3, 30, 124);
  eC = novoEdit(QStringLiteral("eC"), GroupBox3, 30, 156);
  comRotulo(eTr, QStringLiteral("&T"), 12);
  comRotulo(eK, QStringLiteral("&K"), 12);
  comRotulo(eA, QStringLiteral("&a"), 12);
  comRotulo(eB, QStringLiteral("&b"), 12);
  comRotulo(eC, QStringLiteral("&c"), 12);
  unidade(eTr, QStringLiteral("anos"));
  eTr->setAccessibleName(QStringLiteral("T (anos)"));
  bConsulta = Botao(QStringLiteral("bConsulta"), QStringLiteral("C&onsulta"), GroupBox3, 17, 192);
  PrecLa1 = new toolkit::gui::TEditMascara(kMascaraGraus, GroupBox3);
  PrecLa1->setObjectName(QStringLiteral("PrecLa1"));
  PrecLa1->setGeometry(17, 254, 100, 22);
  PrecLa1->setFocusPolicy(Qt::ClickFocus);
  QLabel* rLa = Rotulo(QStringLiteral("Latitude"), GroupBox3, 17, 236);
  rLa->setBuddy(PrecLa1);
  PrecLa1->setAccessibleName(QStringLiteral("Latitude"));
  PrecLo1 = new toolkit::gui::TEditMascara(kMascaraGraus, GroupBox3);
  PrecLo1->setObjectName(QStringLiteral("PrecLo1"));
  PrecLo1->setGeometry(17, 304, 100, 22);
  PrecLo1->setFocusPolicy(Qt::ClickFocus);
  QLabel* rLo = Rotulo(QStringLiteral("Longitude"), GroupBox3, 17, 286);
  rLo->setBuddy(PrecLo1);
  PrecLo1->setAccessibleName(QStringLiteral("Longitude"));
  for (QLineEdit* e : {static_cast<QLineEdit*>(PrecLa1), static_cast<QLineEdit*>(PrecLo1)})
    connect(e, &QLineEdit::textChanged, this, [this, e] { Protegido([&] { eTrChange(e); }); });

  // Channel.
  GroupBox5 = new QGroupBox(QStringLiteral(" Canal "), pagina);
  GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
  GroupBox5->setGeometry(168, 11, 440, 178);
  toolkit::gui::DefinirContextoAjuda(GroupBox5, 2200);
  cbCanal = new QComboBox(GroupBox5);
  cbCanal->setObjectName(QStringLiteral("cbCanal"));
  cbCanal->addItems({QStringLiteral("Trapezoidal"), QStringLiteral("Triangular")});
  cbCanal->setGeometry(96, 22, 96, 24);
  cbCanal->setToolTip(QStringLiteral("Tipo de canal"));
  comRotulo(cbCanal, QStringLiteral("Ti&po:"), 10);
  connect(cbCanal, qOverload<int>(&QComboBox::activated), this,
          [this] { Protegido([&] { cbCanalClick(); }); });
  eSc = novoEdit(QStringLiteral("eSc"), GroupBox5, 96, 52);
  comRotulo(eSc, QStringLiteral("&Declividade"), 10);
  LDecli1 = unidade(eSc, QStringLiteral("m/m"), QStringLiteral("LDecli1"));
  eCanComp = novoEdit(QStringLiteral("eCanComp"), GroupBox5, 96, 80);
  comRotulo(eCanComp, QStringLiteral("Compr&imento"), 10);
  unidade(eCanComp, QStringLiteral("m"));
  enc = novoEdit(QStringLiteral("enc"), GroupBox5, 96, 108);
  comRotulo(enc, QStringLiteral("&Rugosidade"), 10);
  bnc = Botao(QStringLiteral("bnc"), QStringLiteral("Valores de ru&gosidade"), GroupBox5, 10, 140, 182);

  nbCanal = new QStackedWidget(GroupBox5);
  nbCanal->setObjectName(QStringLiteral("nbCanal"));
  nbCanal->setGeometry(198, 18, 238, 156);
  nbCanal->setFrameShape(QFrame::StyledPanel);
  nbTra = new QWidget;
  nbTra->setObjectName(QStringLiteral("nbTra"));
  nbTri = new QWidget;
  nbTri->setObjectName(QStringLiteral("nbTri"));
  nbCanal->addWidget(nbTra);
  nbCanal->addWidget(nbTri);
  CanTrap = new TDesenhoSecao(false, nbTra);
  CanTrap->setObjectName(QStringLiteral("CanTrap"));
  CanTrap->setGeometry(16, 5, 204, 84);
  CanTrap->setAccessibleName(QStringLiteral("Seção trapezoidal"));
  eBCan = novoEdit(QStringLiteral("eBCan"), nbTra, 26, 96, 56);
  comRotulo(eBCan, QStringLiteral("&B"), 10);
  unidade(eBCan, QStringLiteral("m"));
  eZ = novoEdit(QStringLiteral("eZ"), nbTra, 136, 96, 56);
  comRotulo(eZ, QStringLiteral("&Z"), 120);
  UnidSm = unidade(eZ, QStringLiteral("m/m"), QStringLiteral("UnidSm"));
  UnidSm->hide();
  bZ = Botao(QStringLiteral("bZ"), QStringLiteral("Valores de Z"), nbTra, 68, 126);
  CanTri = new TDesenhoSecao(true, nbTri);
  CanTri->setObjectName(QStringLiteral("CanTri"));
  CanTri->setGeometry(16, 5, 204, 84);
  CanTri->setAccessibleName(QStringLiteral("Seção triangular"));
  em1 = novoEdit(QStringLiteral("em1"), nbTri, 26, 96, 56);
  comRotulo(em1, QStringLiteral("St"), 6);
  emSm = novoEdit(QStringLiteral("emSm"), nbTri, 136, 96, 56);
  comRotulo(emSm, QStringLiteral("S&m"), 114);
  LDecli2 = unidade(emSm, QStringLiteral("m/m"), QStringLiteral("LDecli2"));
  bSm = Botao(QStringLiteral("bSm"), QStringLiteral("Valores de Sm"), nbTri, 68, 126);

  // Hillslope.
  GroupBox8 = new QGroupBox(QStringLiteral(" Encosta "), pagina);
  GroupBox8->setObjectName(QStringLiteral("GroupBox8"));
  GroupBox8->setGeometry(168, 193, 440, 160);
  pcEncosta = new QTabWidget(GroupBox8);
  pcEncosta->setObjectName(QStringLiteral("pcEncosta"));
  pcEncosta->setGeometry(6, 16, 428, 138);
  toolkit::gui::DefinirContextoAjuda(pcEncosta, 2300);
  TSRegular = new QWidget;
  TSRegular->setObjectName(QStringLiteral("TSRegular"));
  tsIrregular = new QWidget;
  tsIrregular->setObjectName(QStringLiteral("tsIrregular"));
  const QString margem(8, QLatin1Char(' '));
  pcEncosta->addTab(TSRegular, margem + QStringLiteral("Regular") + margem);
  pcEncosta->addTab(tsIrregular, margem + QStringLiteral("Irregular") + margem);
  connect(pcEncosta, &QTabWidget::currentChanged, this, [this] {
    if (!abaPorPrograma_) Protegido([&] { pcEncostaChange(); });
  });

  eVIB = novoEdit(QStringLiteral("eVIB"), TSRegular, 180, 6);
  comRotulo(eVIB, QStringLiteral("Ta&xa de infiltração estável"), 8);
  LVIB1 = unidade(eVIB, QStringLiteral("mm/h"), QStringLiteral("LVIB1"));
  bCoberVeg =
      Botao(QStringLiteral("bCoberVeg"), QStringLiteral("Cobert&ura vegetal"), TSRegular, 288, 3, 128);
  eSt = novoEdit(QStringLiteral("eSt"), TSRegular, 180, 32);
  comRotulo(eSt, QStringLiteral("D&eclividade"), 8);
  LDecli3 = unidade(eSt, QStringLiteral("m/m"), QStringLiteral("LDecli3"));
  eEncComp = novoEdit(QStringLiteral("eEncComp"), TSRegular, 180, 58);
  comRotulo(eEncComp, QStringLiteral("Com&primento"), 8);
  unidade(eEncComp, QStringLiteral("m"));
  ent = novoEdit(QStringLiteral("ent"), TSRegular, 180, 84);
  comRotulo(ent, QStringLiteral("Ru&gosidade"), 8);
  bnt = Botao(QStringLiteral("bnt"), QStringLiteral("Valores de rugosidade"), TSRegular, 288, 81, 128);

  tgEncosta1 = new TGrade({QStringLiteral("Comp (m)"), QStringLiteral("St (m/m)"), QStringLiteral("nt"),
                           QStringLiteral("Tie (mm/h)"), QStringLiteral("Cobertura")},
                          {58, 58, 58, 64, 56}, tsIrregular);
  tgEncosta1->setObjectName(QStringLiteral("tgEncosta1"));
  tgEncosta1->setAccessibleName(QStringLiteral("Trechos da encosta"));
  tgEncosta1->setGeometry(2, 3, 312, 103);
  bAdicionar1 =
      Botao(QStringLiteral("bAdicionar1"), QStringLiteral("Adicionar trecho"), tsIrregular, 318, 3, 104);
  bDeletar1 = Botao(QStringLiteral("bDeletar1"), QStringLiteral("Deletar trecho"), tsIrregular, 318, 40, 104);
  bDeletar1->setEnabled(false);
  bVisualizar =
      Botao(QStringLiteral("bVisualizar"), QStringLiteral("Visualizar encosta"), tsIrregular, 318, 77, 104);

  BAjuda1 = Botao(QStringLiteral("BAjuda1"), QStringLiteral("Aj&uda"), pagina, 268, 365);
  bAvancar = Botao(QStringLiteral("bAvancar"), QStringLiteral("A&vançar  >>>"), pagina, 388, 365);
  bAvancar->setDefault(true);
  bFechar = Botao(QStringLiteral("bFechar"), QStringLiteral("&Fechar"), pagina, 508, 365);
  padroes_ << bAvancar;

  // How the messages name each field.
  campos_ = {
      {eTr, QStringLiteral("o período de retorno da equação de chuvas intensas")},
      {eK, QStringLiteral("o parâmetro \"K\" da equação de chuvas intensas")},
      {eA, QStringLiteral("o parâmetro \"a\" da equação de chuvas intensas")},
      {eB, QStringLiteral("o parâmetro \"b\" da equação de chuvas intensas")},
      {eC, QStringLiteral("o parâmetro \"c\" da equação de chuvas intensas")},
      {eSc, QStringLiteral("a declividade longitudinal do canal")},
      {eCanComp, QStringLiteral("o comprimento do canal")},
      {enc, QStringLiteral("a rugosidade hidráulica do canal")},
      {eBCan, QStringLiteral("a base do canal trapezoidal")},
      {eZ, QStringLiteral("a inclinação da parede do canal")},
      {em1, QStringLiteral("o parâmetro \"St\" da seção transversal do canal triangular")},
      {emSm, QStringLiteral("o parâmetro \"Sm\" da seção transversal do canal triangular")},
      {eVIB, QStringLiteral("a taxa de infiltração estável da água no solo da encosta")},
      {eSt, QStringLiteral("a declividade da encosta")},
      {eEncComp, QStringLiteral("o comprimento da encosta")},
      {ent, QStringLiteral("a rugosidade hidráulica da encosta")},
  };

  // Tab order: storm, channel, hillslope, then the three buttons.
  QList<QWidget*> ordem{eTr,        eK,          eA,        eB,          eC,      bConsulta, cbCanal, eSc,
                        eCanComp,   enc,         bnc,       eBCan,       eZ,      bZ,        em1,     emSm,
                        bSm,        pcEncosta,   eVIB,      bCoberVeg,   eSt,     eEncComp,  ent,     bnt,
                        tgEncosta1, bAdicionar1, bDeletar1, bVisualizar, BAjuda1, bAvancar,  bFechar};
  for (int i = 1; i < ordem.size(); ++i) setTabOrder(ordem.at(i - 1), ordem.at(i));

  auto ligar = [this](QPushButton* b, void (TFDadosCaudalente::*handler)()) {
    connect(b, &QPushButton::clicked, this, [this, handler] { Protegido([&] { (this->*handler)(); }); });
  };
  ligar(bConsulta, &TFDadosCaudalente::bConsultaClick);
  ligar(bnc, &TFDadosCaudalente::bncClick);
  ligar(bZ, &TFDadosCaudalente::bZClick);
  ligar(bSm, &TFDadosCaudalente::bSmClick);
  ligar(bCoberVeg, &TFDadosCaudalente::bCoberVegClick);
  ligar(bnt, &TFDadosCaudalente::bntClick);
  ligar(bVisualizar, &TFDadosCaudalente::bVisualizarClick);
  ligar(BAjuda1, &TFDadosCaudalente::BAjuda1Click);
  ligar(bAvancar, &TFDadosCaudalente::bAvancarClick);
  ligar(bFechar, &TFDadosCaudalente::bFecharClick);
  connect(bAdicionar1, &QPushButton::clicked, this,
          [this] { Protegido([&] { bAdicionar1Click(tgEncosta1); }); });
  connect(bDeletar1, &QPushButton::clicked, this, [this] { Protegido([&] { bDeletar1Click(tgEncosta1); }); });
  for (TGrade* g : {tgEncosta1}) {
    g->DefinirColunaBotao(kColNt, false);
    g->DefinirColunaBotao(kColCobertura, true);
    connect(g, &TGrade::CelulaEditada, this, [this, g](int l, int c) { tgEncosta1CellEdit(g, l, c); });
    connect(g, &TGrade::FimEdicao, this, [this, g](int l, int c) { tgEncosta1EndCellEdit(g, l, c); });
    connect(g, &TGrade::BotaoClicado, this,
            [this, g](int l, int c) { Protegido([&] { tgEncosta1ButtonClick(g, l, c); }); });
  }
}

void TFDadosCaudalente::CriarPagina1() {
  auto* pagina = new QWidget;
  pagina->setObjectName(QStringLiteral("Encosta"));
  Notebook1->addWidget(pagina);
  toolkit::gui::DefinirContextoAjuda(pagina, 2010);

  chEncosta = new toolkit::gui::TGrafico(pagina);
  chEncosta->setObjectName(QStringLiteral("chEncosta"));
  chEncosta->setAccessibleName(QStringLiteral("Perfil da encosta"));
  chEncosta->setGeometry(17, 4, 581, 285);
  chEncosta->DefinirGradiente(Qt::white, QColor(128, 64, 0));
  chEncosta->DefinirProfundidade(100);
  lsEncosta = chEncosta->NovaSerieLinha(QColor(0, 170, 170), true);
  lsEncosta->setObjectName(QStringLiteral("lsEncosta"));
  connect(chEncosta, &toolkit::gui::TGrafico::PontoClicado, this, [this](QXYSeries* serie, int indice) {
    if (serie == lsEncosta) Protegido([&] { lsEncostaClick(indice); });
  });
  connect(chEncosta, &toolkit::gui::TGrafico::MouseMovido, this,
          [this](const QPoint& p) { Protegido([&] { chEncostaMouseMove(p); }); });

  tgEncosta2 = new TGrade({QStringLiteral("Comp (m)"), QStringLiteral("St (m/m)"), QStringLiteral("nt"),
                           QStringLiteral("VIB (mm/h)"), QStringLiteral("Cobertura")},
                          {58, 58, 58, 64, 56}, pagina);
  tgEncosta2->setObjectName(QStringLiteral("tgEncosta2"));
  tgEncosta2->setAccessibleName(QStringLiteral("Trechos da encosta"));
  tgEncosta2->setGeometry(17, 292, 312, 104);
  tgEncosta2->DefinirColunaBotao(kColNt, false);
  tgEncosta2->DefinirColunaBotao(kColCobertura, true);
  TGrade* g = tgEncosta2;
  connect(g, &TGrade::CelulaEditada, this, [this, g](int l, int c) { tgEncosta1CellEdit(g, l, c); });
  connect(g, &TGrade::FimEdicao, this, [this, g](int l, int c) { tgEncosta1EndCellEdit(g, l, c); });
  connect(g, &TGrade::BotaoClicado, this,
          [this, g](int l, int c) { Protegido([&] { tgEncosta1ButtonClick(g, l, c); }); });

  auto* painel = new QFrame(pagina);
  painel->setObjectName(QStringLiteral("Panel2"));
  painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  painel->setGeometry(342, 292, 256, 24);
  auto* l2d = new QLabel(QStringLiteral("2D"), painel);
  l2d->setObjectName(QStringLiteral("Label12"));
  l2d->setGeometry(6, 3, 20, 18);
  Zoom = new QScrollBar(Qt::Horizontal, painel);
  Zoom->setObjectName(QStringLiteral("Zoom"));
  Zoom->setAccessibleName(QStringLiteral("Profundidade do gráfico"));
  Zoom->setGeometry(26, 4, 205, 16);
  Zoom->setRange(1, 100);
  Zoom->setValue(100);
  auto* l3d = new QLabel(QStringLiteral("3D"), painel);
  l3d->setObjectName(QStringLiteral("Label17"));
  l3d->setGeometry(234, 3, 20, 18);
  connect(Zoom, &QScrollBar::valueChanged, this, [this](int v) { Protegido([&] { ZoomChange(v); }); });

  bAdicionar2 = Botao(QStringLiteral("bAdicionar2"), QStringLiteral("&Adicionar trecho"), pagina, 342, 330);
  bDeletar2 = Botao(QStringLiteral("bDeletar2"), QStringLiteral("&Deletar trecho"), pagina, 498, 330);
  bDeletar2->setEnabled(false);
  BAjuda2 = Botao(QStringLiteral("BAjuda2"), QStringLiteral("Aj&uda"), pagina, 342, 368);
  bRetornar2 = Botao(QStringLiteral("bRetornar2"), QStringLiteral("<<<   &Retornar"), pagina, 498, 368);
  bRetornar2->setDefault(true);
  padroes_ << bRetornar2;
  connect(bAdicionar2, &QPushButton::clicked, this,
          [this] { Protegido([&] { bAdicionar1Click(tgEncosta2); }); });
  connect(bDeletar2, &QPushButton::clicked, this, [this] { Protegido([&] { bDeletar1Click(tgEncosta2); }); });
  connect(BAjuda2, &QPushButton::clicked, this, [this] { Protegido([&] { BAjuda1Click(); }); });
  connect(bRetornar2, &QPushButton::clicked, this, [this] { Protegido([&] { bRetornar2Click(); }); });
}

void TFDadosCaudalente::CriarPagina2() {
  auto* pagina = new QWidget;
  pagina->setObjectName(QStringLiteral("Caudalente"));
  Notebook1->addWidget(pagina);
  toolkit::gui::DefinirContextoAjuda(pagina, 2001);
  // The matrix division and the tracing controls take this area.
  PaginaCaudalente = new QWidget(pagina);
  PaginaCaudalente->setObjectName(QStringLiteral("PaginaCaudalente"));
  PaginaCaudalente->setGeometry(16, 11, 592, 342);
  BAjuda3 = Botao(QStringLiteral("BAjuda3"), QStringLiteral("Aj&uda"), pagina, 268, 365);
  bRetornar3 = Botao(QStringLiteral("bRetornar3"), QStringLiteral("<<<   &Retornar"), pagina, 388, 365);
  bRetornar3->setDefault(true);
  bFechar3 = Botao(QStringLiteral("bFechar3"), QStringLiteral("&Fechar"), pagina, 508, 365);
  padroes_ << bRetornar3;
  connect(BAjuda3, &QPushButton::clicked, this, [this] { Protegido([&] { BAjuda1Click(); }); });
  connect(bRetornar3, &QPushButton::clicked, this, [this] { Protegido([&] { bRetornar3Click(); }); });
  connect(bFechar3, &QPushButton::clicked, this, [this] { Protegido([&] { bFecharClick(); }); });
  CriarTracado();
  for (QPushButton* b : findChildren<QPushButton*>()) CaberTexto(b);
}

void TFDadosCaudalente::DefinirReferencias(std::unique_ptr<IReferenciasDados> referencias) {
  referencias_ = std::move(referencias);
}

// --- Helpers --------------------------------------------------------------------------

double TFDadosCaudalente::FatorDeclividade() const {
  return dados_.Unidades ? dados_.Unidades->FatorDeclividade : 1.0;
}

double TFDadosCaudalente::FatorVI() const {
  return dados_.Unidades ? dados_.Unidades->FatorVI : 1.0;
}

void TFDadosCaudalente::Alterar() {
  if (dados_.Gerente) dados_.Gerente->Alterado = true;
}

void TFDadosCaudalente::MostrarPagina(int pagina, const QString& titulo) {
  Notebook1->setCurrentIndex(pagina);
  if (!titulo.isEmpty()) {
    setWindowTitle(titulo);
    if (QMdiSubWindow* m = Moldura()) m->setWindowTitle(titulo);
  }
}

void TFDadosCaudalente::DefinirTexto(QLineEdit* edit, const QString& texto) {
  if (edit->text() != texto) edit->setText(texto);
}

void TFDadosCaudalente::MostrarValor(QLineEdit* edit, const char* padrao, double valor) {
  DefinirTexto(edit, Formatar(padrao, valor));
}

QString TFDadosCaudalente::Campo(const QLineEdit* edit) const {
  return campos_.value(edit, QStringLiteral("o campo ") + edit->accessibleName());
}

double TFDadosCaudalente::Valor(const QLineEdit* edit) const {
  return Real(edit->text(), Campo(edit));
}

double TFDadosCaudalente::LerValor(QLineEdit* edit, bool estrito) {
  const QString texto = edit->text();
  if (!texto.isEmpty()) return Valor(edit);
  if (!estrito) return 0;
  MostrarPagina(0, QString());
  edit->setFocus();
  throw std::runtime_error("Valor inválido para " + S(Campo(edit)) + ".");
}

void TFDadosCaudalente::DefinirAbaEncosta(bool irregular) {
  abaPorPrograma_ = true;
  pcEncosta->setCurrentWidget(irregular ? tsIrregular : TSRegular);
  abaPorPrograma_ = false;
}

void TFDadosCaudalente::TitulosGrades() {
  if (!dados_.Unidades) return;
  const QString decl = Q(dados_.Unidades->UnidadeDeclividade);
  const QString vi = Q(dados_.Unidades->UnidadeVI);
  tgEncosta1->setHorizontalHeaderItem(kColSt, new QTableWidgetItem(QStringLiteral("St (") + decl + ')'));
  tgEncosta1->setHorizontalHeaderItem(kColVIB, new QTableWidgetItem(QStringLiteral("Tie (") + vi + ')'));
  tgEncosta2->setHorizontalHeaderItem(kColSt, new QTableWidgetItem(QStringLiteral("St (") + decl + ')'));
  tgEncosta2->setHorizontalHeaderItem(kColVIB, new QTableWidgetItem(QStringLiteral("VIB (") + vi + ')'));
}

TGrade* TFDadosCaudalente::GradeDoBotao(QObject* botao) const {
  return botao == bAdicionar2 || botao == bDeletar2 ? tgEncosta2 : tgEncosta1;
}

// --- Fields and the model --------------------------------------------------------------

void TFDadosCaudalente::LimparCampos() {
  PrecLa1->Limpar();
  PrecLo1->Limpar();
  if (dados_.Canal) {
    const int tipo = dados_.Canal->TipoCanal.Tipo;
    if (tipo >= 0 && tipo < cbCanal->count()) cbCanal->setCurrentIndex(tipo);
    cbCanalClick();
  }
  for (QLineEdit* e : findChildren<QLineEdit*>()) {
    if (qobject_cast<toolkit::gui::TEditMascara*>(e)) continue;
    if (e->parent() && qobject_cast<QAbstractItemView*>(e->parent()->parent())) continue;  // grid editors
    e->clear();
  }
  // A new or another project must not show the segments of the previous one.
  tgEncosta1->Esvaziar();
  tgEncosta2->Esvaziar();
  bDeletar1->setEnabled(false);
  bDeletar2->setEnabled(false);
}

void TFDadosCaudalente::PreencherCampos() {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  TCanalCinematico& canal = *dados_.Canal;
  const TPrecipitacaoExponencialNegativa& chuva = dados_.Nimbora->Precipitacao();
  const double fd = FatorDeclividade();
  const double fvi = FatorVI();
  auto preencher = [this](QLineEdit* edit, const char* padrao, double valor) {
    if (valor > 0) MostrarValor(edit, padrao, valor);
  };

  MostrarPagina(0, kTituloParametros);
  LDecli1->setText(Q(dados_.Unidades->UnidadeDeclividade));
  LDecli2->setText(Q(dados_.Unidades->UnidadeDeclividade));
  LDecli3->setText(Q(dados_.Unidades->UnidadeDeclividade));
  LVIB1->setText(Q(dados_.Unidades->UnidadeVI));
  TitulosGrades();

  preencher(eTr, kPadrao, chuva.Tr());
  preencher(eK, kPadrao, chuva.K());
  preencher(eA, kPadrao, chuva.A());
  preencher(eB, kPadrao, chuva.B());
  preencher(eC, kPadrao, chuva.C());
  PrecLo1->DefinirTexto(Q(dados_.Nimbora->Longitude));
  PrecLa1->DefinirTexto(Q(dados_.Nimbora->Latitude));

  const TEncostaCinematica* ultimo = encosta.Count() > 0 ? &encosta.Trechos(encosta.Count() - 1) : nullptr;
  preencher(eSc, kPadrao, canal.Sc() * fd);
  preencher(enc, kPadrao, canal.nc.Valor);
  switch (canal.TipoCanal.Tipo) {
    case 0:
      cbCanal->setCurrentIndex(0);
      preencher(eZ, kPadrao, canal.Z.Valor);
      preencher(eBCan, kPadrao, canal.B());
      break;
    case 1:
      cbCanal->setCurrentIndex(1);
      preencher(emSm, kPadrao, canal.Sm.Valor * fd);
      if (ultimo) preencher(em1, kPadrao, ultimo->St() * fd);
      break;
    default:
      throw std::runtime_error("Erro. Tipo de canal não definido.");
  }
  preencher(eCanComp, nullptr, canal.Comprimento());
  cbCanalClick();

  DefinirAbaEncosta(encosta.Count() >= 2);
  if (ultimo) {
    preencher(eVIB, kPadrao, ultimo->VIB() * fvi);
    preencher(ent, kPadrao, ultimo->nt.Valor);
    preencher(eSt, "0.0#####", ultimo->St() * fd);
    preencher(eEncComp, nullptr, ultimo->Comprimento());
  }

  tgEncosta1->Esvaziar();
  tgEncosta1->DefinirLinhas(encosta.Count());
  for (int k = 0; k < encosta.Count(); ++k) {
    const TEncostaCinematica& t = encosta.Trechos(k);
    auto celula = [&](int coluna, double valor) {
      tgEncosta1->DefinirCelula(k, coluna, valor > 0 ? Formatar(nullptr, valor) : QString());
    };
    celula(kColComp, t.Comprimento());
    celula(kColSt, t.St() * fd);
    celula(kColNt, t.nt.Valor);
    celula(kColVIB, t.VIB() * fvi);
  }
  bDeletar1->setEnabled(tgEncosta1->Linhas() > 0);
  bDeletar2->setEnabled(tgEncosta1->Linhas() > 0);

  eTr->setFocus();
  if (dados_.Gerente) dados_.Gerente->Alterado = false;
  QCoreApplication::processEvents();
}

void TFDadosCaudalente::AtualizarUnidadeDeclividade() {
  const QString unidade = Q(dados_.Unidades->UnidadeDeclividade);
  LDecli1->setText(unidade);
  LDecli2->setText(unidade);
  LDecli3->setText(unidade);
  const double f = FatorDeclividade();
  TCanalCinematico& canal = *dados_.Canal;
  if (canal.Sm.Valor * f > 0) MostrarValor(emSm, nullptr, canal.Sm.Valor * f);
  if (canal.Sc() * f > 0) MostrarValor(eSc, nullptr, canal.Sc() * f);
  TitulosGrades();
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  // The regular fields show the last segment, as filling does.
  if (encosta.Count() > 0 && encosta.Trechos(encosta.Count() - 1).St() != 0)
    MostrarValor(eSt, nullptr, encosta.Trechos(encosta.Count() - 1).St() * f);
  for (int k = 0; k < encosta.Count() && k < tgEncosta1->Linhas(); ++k)
    if (encosta.Trechos(k).St() != 0)
      tgEncosta1->DefinirCelula(k, kColSt, Formatar(nullptr, encosta.Trechos(k).St() * f));
}

void TFDadosCaudalente::AtualizarUnidadeVI() {
  LVIB1->setText(Q(dados_.Unidades->UnidadeVI));
  TitulosGrades();
  const double f = FatorVI();
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  if (encosta.Count() > 0 && encosta.Trechos(encosta.Count() - 1).VIB() != 0)
    MostrarValor(eVIB, nullptr, encosta.Trechos(encosta.Count() - 1).VIB() * f);
  for (int k = 0; k < encosta.Count() && k < tgEncosta1->Linhas(); ++k)
    if (encosta.Trechos(k).VIB() != 0)
      tgEncosta1->DefinirCelula(k, kColVIB, Formatar(nullptr, encosta.Trechos(k).VIB() * f));
}

void TFDadosCaudalente::LerCampos(bool estrito) {
  TCanalCinematico& canal = *dados_.Canal;
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  TPrecipitacaoExponencialNegativa& chuva = dados_.Nimbora->Precipitacao();
  const double fd = FatorDeclividade();
  const double fvi = FatorVI();

  switch (canal.TipoCanal.Tipo) {
    case 0:
      canal.Z.Valor = LerValor(eZ, estrito);
      canal.SetB(LerValor(eBCan, estrito));
      break;
    case 1:
      canal.Z.Valor = LerValor(em1, estrito) / fd;
      canal.Sm.Valor = LerValor(emSm, estrito) / fd;
      break;
    default:
      throw std::runtime_error("Erro. Tipo de canal não definido.");
  }

  chuva.SetTr(LerValor(eTr, estrito));
  chuva.SetK(LerValor(eK, estrito));
  chuva.SetA(LerValor(eA, estrito));
  chuva.SetB(LerValor(eB, estrito));
  chuva.SetC(LerValor(eC, estrito));

  dados_.Nimbora->Longitude = S(PrecLo1->Texto());
  dados_.Nimbora->Latitude = S(PrecLa1->Texto());

  canal.SetComprimento(Inteiro(LerValor(eCanComp, estrito)));
  canal.nc.Valor = LerValor(enc, estrito);
  canal.SetSc(LerValor(eSc, estrito) / fd);

  const bool regular = pcEncosta->currentWidget() == TSRegular;
  encosta.Regular = regular;
  if (regular) {
    if (encosta.Count() == 0) encosta.SetCount(1);
    TEncostaCinematica& t = encosta.Trechos(encosta.Count() - 1);
    t.SetVIB(LerValor(eVIB, estrito) / fvi);
    t.nt.Valor = LerValor(ent, estrito);
    t.SetSt(LerValor(eSt, estrito) / fd);
    t.SetComprimento(Inteiro(LerValor(eEncComp, estrito)));
  } else {
    LerGrade(tgEncosta1, estrito);
  }
}

void TFDadosCaudalente::LerGrade(TGrade* grade, bool estrito) {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const double fd = FatorDeclividade();
  const double fvi = FatorVI();
  for (int k = 0; k < encosta.Count(); ++k) {
    TEncostaCinematica& t = encosta.Trechos(k);
    const std::string n = std::to_string(k + 1);
    auto celula = [&](int coluna, const std::string& mensagem) {
      const QString texto = k < grade->Linhas() ? grade->Celula(k, coluna) : QString();
      if (!texto.isEmpty()) return Real(texto, CampoCelula(k, coluna));
      if (estrito) throw std::runtime_error(mensagem);
      return 0.0;
    };
    t.SetComprimento(
        Inteiro(celula(kColComp, "Valor inválido para o comprimento do trecho " + n + " da encosta")));
    t.SetSt(celula(kColSt, "Valor inválido para a declividade do trecho " + n + " da encosta") / fd);
    t.nt.Valor = celula(kColNt, "Valor inválido para a rugosidade hidráulica do trecho " + n + " da encosta");
    t.SetVIB(celula(kColVIB, "Valor inválido para a taxa de infiltração estável da água no solo do trecho " +
                                 n + " da encosta") /
             fvi);
  }
}

// --- Page 0 handlers -----------------------------------------------------------------------

void TFDadosCaudalente::eTrChange(QLineEdit* edit) {
  Alterar();
  if (edit != eSt && edit != em1) return;
  const QString texto = edit->text();
  DefinirTexto(edit == eSt ? em1 : eSt, texto);
  const int ultimo = dados_.Encosta ? dados_.Encosta->Count() - 1 : -1;
  if (ultimo >= 0 && ultimo < tgEncosta1->Linhas() && tgEncosta1->Celula(ultimo, kColSt) != texto)
    tgEncosta1->DefinirCelula(ultimo, kColSt, texto);
}

void TFDadosCaudalente::eTrExit(QLineEdit* edit) {
  const QString texto = edit->text();
  double valor = 0;
  if (texto.isEmpty()) return;
  if (toolkit::gui::LerNumeroDoCampo(texto, valor)) {
    // A pasted number with the other separator shows the one in use.
    DefinirTexto(edit, toolkit::gui::ComSeparadorEmUso(texto));
    return;
  }
  edit->setFocus();
  QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
  throw std::runtime_error("Erro. O valor informado não corresponde a um valor numérico. Verifique " +
                           S(Campo(edit)) + ".");
}

bool TFDadosCaudalente::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut && !verificandoSaida_) {
    auto* edit = qobject_cast<QLineEdit*>(alvo);
    const auto razao = static_cast<QFocusEvent*>(evento)->reason();
    // Only a move to another control of the window checks the field, not a
    // switch to another program or a menu.
    if (edit && editsNumericos_.contains(edit) && razao != Qt::ActiveWindowFocusReason &&
        razao != Qt::PopupFocusReason) {
      verificandoSaida_ = true;
      Protegido([&] { eTrExit(edit); });
      verificandoSaida_ = false;
    }
  }
  return QWidget::eventFilter(alvo, evento);
}

void TFDadosCaudalente::keyPressEvent(QKeyEvent* evento) {
  // Enter in a grid ends the cell's edit; anywhere else it is the page's default button.
  QWidget* foco = QApplication::focusWidget();
  const bool naGrade =
      foco && (qobject_cast<TGrade*>(foco) || qobject_cast<TGrade*>(foco->parentWidget()) ||
               (foco->parentWidget() && qobject_cast<TGrade*>(foco->parentWidget()->parentWidget())));
  if ((evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) && !naGrade &&
      Notebook1->currentIndex() < padroes_.size()) {
    QPushButton* padrao = padroes_.at(Notebook1->currentIndex());
    if (padrao->isEnabled()) {
      padrao->click();
      return;
    }
  }
  QWidget::keyPressEvent(evento);
}

void TFDadosCaudalente::cbCanalClick() {
  const int tipo = cbCanal->currentIndex();
  if (dados_.Canal && tipo >= 0) dados_.Canal->TipoCanal.Tipo = static_cast<uint8_t>(tipo);
  nbCanal->setCurrentIndex(tipo < 0 ? 0 : tipo);
  Alterar();
}

void TFDadosCaudalente::pcEncostaChange() {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const double fd = FatorDeclividade();
  const double fvi = FatorVI();
  if (pcEncosta->currentWidget() == tsIrregular) {
    const int ultima = tgEncosta1->Linhas() - 1;
    if (ultima >= 0) {
      tgEncosta1->DefinirCelula(ultima, kColComp, eEncComp->text());
      tgEncosta1->DefinirCelula(ultima, kColSt, eSt->text());
      tgEncosta1->DefinirCelula(ultima, kColNt, ent->text());
      tgEncosta1->DefinirCelula(ultima, kColVIB, eVIB->text());
    }
    if (encosta.Count() > 0) {
      TEncostaCinematica& t = encosta.Trechos(encosta.Count() - 1);
      t.SetComprimento(Inteiro(Valor(eEncComp)));
      t.SetSt(Valor(eSt) / fd);
      t.nt.Valor = Valor(ent);
      t.SetVIB(Valor(eVIB) / fvi);
      referencias_->CoberturaAtual(t.Cobertura);
    }
  } else if (encosta.Count() > 0) {
    const TEncostaCinematica& t = encosta.Trechos(encosta.Count() - 1);
    MostrarValor(em1, nullptr, t.St() * fd);
    MostrarValor(eSt, nullptr, t.St() * fd);
    MostrarValor(eVIB, nullptr, t.VIB() * fvi);
    MostrarValor(eEncComp, nullptr, t.Comprimento());
    MostrarValor(ent, nullptr, t.nt.Valor);
    referencias_->DefinirCoberturaAtual(t.Cobertura);
  }
}

void TFDadosCaudalente::bConsultaClick() {
  TNimbora21& nimbora = *dados_.Nimbora;
  if (!nimbora.Execute()) return;
  const TPrecipitacaoExponencialNegativa& chuva = nimbora.Precipitacao();
  MostrarValor(eK, kPadrao, chuva.K());
  MostrarValor(eA, kPadrao, chuva.A());
  MostrarValor(eB, kPadrao, chuva.B());
  MostrarValor(eC, kPadrao, chuva.C());
  PrecLo1->DefinirTexto(Q(nimbora.Longitude));
  PrecLa1->DefinirTexto(Q(nimbora.Latitude));
}

void TFDadosCaudalente::bSmClick() {
  TCanalCinematico& canal = *dados_.Canal;
  // The field shows slopes in the chosen unit; the dialog gives m/m.
  if (referencias_->Sm(canal.Sm)) MostrarValor(emSm, kPadrao, canal.Sm.Valor * FatorDeclividade());
}

void TFDadosCaudalente::bncClick() {
  TCanalCinematico& canal = *dados_.Canal;
  if (referencias_->RugCan(canal.nc)) MostrarValor(enc, kPadrao, canal.nc.Valor);
}

void TFDadosCaudalente::bZClick() {
  TCanalCinematico& canal = *dados_.Canal;
  if (referencias_->Z(canal.Z)) MostrarValor(eZ, kPadrao, canal.Z.Valor);
}

void TFDadosCaudalente::bCoberVegClick() {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  if (encosta.Count() == 0) encosta.SetCount(1);
  if (referencias_->Cobertura(encosta.Trechos(encosta.Count() - 1).Cobertura)) Alterar();
}

void TFDadosCaudalente::bntClick() {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  if (encosta.Count() == 0) encosta.SetCount(1);
  TEncostaCinematica& t = encosta.Trechos(encosta.Count() - 1);
  if (referencias_->RugTer(t.nt)) MostrarValor(ent, kPadrao, t.nt.Valor);
}

void TFDadosCaudalente::bAvancarClick() {
  LerCampos(true);

  const bool irregular = pcEncosta->currentWidget() == tsIrregular;
  const TVerificacao v =
      VerificarDados(*dados_.Encosta, *dados_.Canal, dados_.Nimbora->Precipitacao(), irregular);
  if (!v.Aprovado) {
    QWidget* controle = findChild<QWidget*>(Q(v.Controle));
    if (!controle) controle = bAvancar;
    const bool focavel =
        controle->isVisible() && controle->isEnabled() && controle->focusPolicy() != Qt::NoFocus;
    if (!focavel) Notebook1->setCurrentIndex(Notebook1->currentIndex() == 0 ? 1 : 0);
    controle->setFocus();
    throw std::runtime_error(v.Mensagem);
  }

  DesnivelTotal = 0;
  ComprimentoTotal = 0;
  const TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  for (int k = 0; k < encosta.Count(); ++k) {
    DesnivelTotal += encosta.Trechos(k).Comprimento() * encosta.Trechos(k).St();
    ComprimentoTotal += encosta.Trechos(k).Comprimento();
  }

  // The channel is divided into 1-m columns: its length must be whole metres.
  const QString texto = eCanComp->text().trimmed();
  bool inteiro = false;
  const int comprimento = texto.toInt(&inteiro);
  if (!inteiro)
    throw std::runtime_error("'" + S(eCanComp->text()) + "' não é um valor inteiro válido para " +
                             S(Campo(eCanComp)) + ".");
  dados_.Canal->SetComprimento(comprimento);

  DivisaoMatricial();
  MostrarPagina(2, kTituloTracado);
}

void TFDadosCaudalente::bFecharClick() {
  QMdiSubWindow* eu = Moldura();
  if (eu && eu->mdiArea()) {
    const QList<QMdiSubWindow*> janelas = eu->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (auto it = janelas.crbegin(); it != janelas.crend(); ++it) {
      if (*it == eu) continue;
      try {
        (*it)->close();
      } catch (...) {
      }
    }
  }
  if (eu)
    eu->close();
  else
    close();
}

void TFDadosCaudalente::BAjuda1Click() {
  static const int contextos[3] = {2000, 2010, 2001};
  toolkit::gui::MostrarAjuda(contextos[std::clamp(Notebook1->currentIndex(), 0, 2)]);
}

void TFDadosCaudalente::bRetornar3Click() {
  MostrarPagina(0, kTituloParametros);
}

void TFDadosCaudalente::closeEvent(QCloseEvent* evento) {
  // After the project has been closed the model is empty and must stay so.
  if (dados_.Gerente && dados_.Gerente->ProjetoAberto()) {
    try {
      LerCampos(false);
    } catch (...) {
      toolkit::gui::MostrarExcecao(std::current_exception());
      evento->ignore();
      return;
    }
  }
  // The window is deleted later: from now on the program has none.
  if (FDadosCaudalente == this) FDadosCaudalente = nullptr;
  evento->accept();
}

// --- Irregular hillslope -----------------------------------------------------------------------

void TFDadosCaudalente::bVisualizarClick() {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const double fd = FatorDeclividade();
  const double fvi = FatorVI();
  MostrarPagina(1, kTituloEncosta);
  DesnivelTotal = 0;
  ComprimentoTotal = 0;
  tgEncosta2->Esvaziar();
  tgEncosta2->DefinirLinhas(tgEncosta1->Linhas());
  auto valor = [this](int n, int coluna) {
    const QString texto = tgEncosta1->Celula(n, coluna);
    return texto.isEmpty() ? 0.0 : Real(texto, CampoCelula(n, coluna));
  };
  for (int n = 0; n < tgEncosta1->Linhas() && n < encosta.Count(); ++n) {
    TEncostaCinematica& t = encosta.Trechos(n);
    t.SetComprimento(Inteiro(valor(n, kColComp)));
    t.SetSt(valor(n, kColSt) / fd);
    t.nt.Valor = valor(n, kColNt);
    t.SetVIB(valor(n, kColVIB) / fvi);
  }
  for (int n = 0; n < encosta.Count(); ++n) {
    const TEncostaCinematica& t = encosta.Trechos(n);
    DesnivelTotal += t.Comprimento() * t.St();
    ComprimentoTotal += t.Comprimento();
    auto celula = [&](int coluna, double v) {
      if (v != 0) tgEncosta2->DefinirCelula(n, coluna, Formatar(nullptr, v));
    };
    celula(kColComp, t.Comprimento());
    celula(kColSt, t.St() * fd);
    celula(kColNt, t.nt.Valor);
    celula(kColVIB, t.VIB() * fvi);
  }
  bDeletar2->setEnabled(tgEncosta2->Linhas() > 0);
  DesenharPerfil();
}

void TFDadosCaudalente::bRetornar2Click() {
  tgEncosta1->Esvaziar();
  tgEncosta1->DefinirLinhas(tgEncosta2->Linhas());
  for (int n = 0; n < tgEncosta2->Linhas(); ++n)
    for (int c = kColComp; c <= kColVIB; ++c) tgEncosta1->DefinirCelula(n, c, tgEncosta2->Celula(n, c));
  bDeletar1->setEnabled(tgEncosta1->Linhas() > 0);
  MostrarPagina(0, kTituloParametros);
}

void TFDadosCaudalente::DesenharPerfil() {
  const TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  QList<QPointF> pontos;
  if (tgEncosta2->Linhas() == 0) {
    pontos << QPointF(0, 0);
  } else {
    double x = 0;
    double y = 0;
    for (int i = 0; i < encosta.Count(); ++i) {
      const TEncostaCinematica& t = encosta.Trechos(i);
      x += t.Comprimento() / std::sqrt(1 + t.St() * t.St());
    }
    pontos.prepend(QPointF(x, y));
    for (int i = encosta.Count() - 1; i >= 0; --i) {
      const TEncostaCinematica& t = encosta.Trechos(i);
      const double raiz = std::sqrt(1 + t.St() * t.St());
      x -= t.Comprimento() / raiz;
      y += t.Comprimento() * t.St() / raiz;
      pontos.prepend(QPointF(x, y));
    }
  }
  lsEncosta->replace(pontos);
  chEncosta->AjustarEixos();
}

void TFDadosCaudalente::bAdicionar1Click(TGrade* grade) {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  const int selecionada = grade->LinhaSelecionada();
  if (grade->Linhas() == 0) {
    encosta.SetCount(1);
    grade->DefinirLinhas(1);
  } else if (selecionada >= 0) {
    TEncostaCinematica vazio;
    encosta.Inserir(vazio, selecionada);
    grade->insertRow(selecionada);
  } else {
    encosta.SetCount(grade->Linhas() + 1);
    grade->DefinirLinhas(grade->Linhas() + 1);
  }
  bDeletar1->setEnabled(grade->Linhas() > 0);
  bDeletar2->setEnabled(grade->Linhas() > 0);
  Alterar();
}

void TFDadosCaudalente::bDeletar1Click(TGrade* grade) {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  int linha = grade->LinhaSelecionada();
  if (linha < 0) linha = grade->currentRow();
  if (linha >= 0 && linha < grade->Linhas()) {
    if (encosta.Count() > 1 && linha < encosta.Count()) encosta.Excluir(linha);
    grade->removeRow(linha);
  }
  Alterar();
  bDeletar1->setEnabled(grade->Linhas() > 0);
  bDeletar2->setEnabled(grade->Linhas() > 0);
  if (grade == tgEncosta2) DesenharPerfil();
}

void TFDadosCaudalente::GuardarCelula(TGrade* /*grade*/, int linha, int coluna, const QString& texto) {
  TEncostaCinematica& t = dados_.Encosta->Trechos(linha);
  const double valor = Real(texto, CampoCelula(linha, coluna));
  switch (coluna) {
    case kColComp:
      t.SetComprimento(Inteiro(valor));
      break;
    case kColSt:
      t.SetSt(valor / FatorDeclividade());
      break;
    case kColNt:
      t.nt.Valor = valor;
      break;
    case kColVIB:
      t.SetVIB(valor / FatorVI());
      break;
    default:
      break;
  }
}

void TFDadosCaudalente::tgEncosta1CellEdit(TGrade* grade, int linha, int coluna) {
  Alterar();
  const QString texto = grade->TextoEmEdicao(linha, coluna);
  if (texto.isEmpty()) return;
  try {
    GuardarCelula(grade, linha, coluna, texto);
  } catch (...) {
    return;  // half-typed: the end of the edit decides
  }
  if (grade == tgEncosta2) {
    const TEncostaCinematica& t = dados_.Encosta->Trechos(linha);
    if (t.Comprimento() != 0 && t.St() != 0) DesenharPerfil();
  }
}

void TFDadosCaudalente::tgEncosta1EndCellEdit(TGrade* grade, int linha, int coluna) {
  Alterar();
  const QString texto = grade->Celula(linha, coluna);
  if (texto.isEmpty()) return;
  try {
    GuardarCelula(grade, linha, coluna, texto);
    if (coluna == kColComp)
      grade->DefinirCelula(linha, coluna, QString::number(dados_.Encosta->Trechos(linha).Comprimento()));
  } catch (...) {
    grade->DefinirCelula(linha, coluna, QString());
  }
}

void TFDadosCaudalente::tgEncosta1ButtonClick(TGrade* grade, int linha, int coluna) {
  TEncostaCinematicaSecoes& encosta = *dados_.Encosta;
  if (linha < 0 || linha >= encosta.Count()) return;
  TEncostaCinematica& t = encosta.Trechos(linha);
  if (coluna == kColNt) {
    if (referencias_->RugTer(t.nt)) {
      grade->DefinirCelula(linha, kColNt, Formatar(kPadrao, t.nt.Valor));
      Alterar();
    }
  } else if (coluna == kColCobertura) {
    if (referencias_->Cobertura(t.Cobertura)) Alterar();
  }
}

void TFDadosCaudalente::lsEncostaClick(int ponto) {
  PontoSelecionado = ponto;
  if (chEncosta->viewport()->cursor().shape() != Qt::PointingHandCursor) {
    MovendoPonto = true;
    Alterar();
  } else {
    MovendoPonto = false;
    MostrarPagina(1, kTituloEncosta);
  }
}

void TFDadosCaudalente::chEncostaMouseMove(const QPoint& posicao) {
  const QPointF frente = QPointF(posicao) + QPointF(-chEncosta->Largura3D(), chEncosta->Altura3D());
  if (!chEncosta->RetanguloGrafico().contains(frente)) return;
  const int k = PontoSelecionado;
  if (!MovendoPonto || k <= 0 || k >= lsEncosta->count() - 1) {
    chEncosta->viewport()->setCursor(Qt::ArrowCursor);
    return;
  }
  chEncosta->viewport()->setCursor(Qt::PointingHandCursor);
  const QPointF valor = chEncosta->ValorDaPosicao(frente);
  MoverPonto(k, std::round(valor.x() * 1000) / 1000, std::round(valor.y() * 1000) / 1000);
}

void TFDadosCaudalente::MoverPonto(int k, double x, double y) {
  const QList<QPointF> pontos = lsEncosta->points();
  if (k <= 0 || k >= pontos.size() - 1) return;
  const QPointF acima = pontos.at(k - 1);
  const QPointF abaixo = pontos.at(k + 1);
  if (x < acima.x() || x > abaixo.x() || y > acima.y() || y < abaixo.y()) return;
  // Lengths are whole metres: a point closer than half a metre to a
  // neighbour would leave a segment of no length, so it stays where it was.
  const int l1 = Inteiro(x - acima.x());
  const int l2 = Inteiro(abaixo.x() - x);
  if (l1 <= 0 || l2 <= 0) return;
  const double s1 = (acima.y() - y) / l1;
  const double s2 = (y - abaixo.y()) / l2;
  lsEncosta->replace(k, QPointF(x, y));
  MostrarPagina(1, QStringLiteral("Movendo o ponto para X = ") + Formatar("0", x) +
                       QStringLiteral(" e Y = ") + Formatar("0", y));
  const double fd = FatorDeclividade();
  if (k - 1 < tgEncosta2->Linhas()) {
    tgEncosta2->DefinirCelula(k - 1, kColComp, QString::number(l1));
    tgEncosta2->DefinirCelula(k - 1, kColSt, Formatar("0.0####", s1 * fd));
  }
  if (k < tgEncosta2->Linhas()) {
    tgEncosta2->DefinirCelula(k, kColComp, QString::number(l2));
    tgEncosta2->DefinirCelula(k, kColSt, Formatar("0.0####", s2 * fd));
  }
}

void TFDadosCaudalente::ZoomChange(int posicao) {
  chEncosta->DefinirProfundidade(posicao);
  QPen caneta = lsEncosta->pen();
  caneta.setWidth(posicao <= 5 ? 2 : 1);
  lsEncosta->setPen(caneta);
  chEncosta->viewport()->update();
}
