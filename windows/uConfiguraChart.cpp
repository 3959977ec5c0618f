#include "windows/uConfiguraChart.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "toolkit/FormatoNumero.h"
#include "toolkit/gui/EntradaNumerica.h"
#include "toolkit/gui/Mensagens.h"

namespace {

IDialogosGrafico* dialogos_ = nullptr;

class TDialogosPadrao : public IDialogosGrafico {
 public:
  bool EscolherCor(QColor& cor, QWidget* pai) override {
    const QColor escolhida = QColorDialog::getColor(cor, pai);
    if (!escolhida.isValid()) return false;
    cor = escolhida;
    return true;
  }
  bool EscolherFonte(QFont& fonte, QWidget* pai) override {
    bool ok = false;
    const QFont escolhida = QFontDialog::getFont(&ok, fonte, pai);
    if (ok) fonte = escolhida;
    return ok;
  }
};

IDialogosGrafico& Dialogos() {
  static TDialogosPadrao padrao;
  return dialogos_ ? *dialogos_ : padrao;
}

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

const QString kAmostra = QStringLiteral("AaBbYyZz");

void PintarAmostra(QFrame* amostra, const QColor& cor) {
  amostra->setAutoFillBackground(true);
  QPalette p = amostra->palette();
  p.setColor(QPalette::Window, cor);
  amostra->setPalette(p);
}

void MostrarFonte(QLabel* amostra, const TFonteGrafico& f) {
  amostra->setFont(FonteDoGrafico(f));
  QPalette p = amostra->palette();
  p.setColor(QPalette::WindowText, CorDoWindows(f.Cor));
  amostra->setPalette(p);
}

QFrame* NovaAmostraCor(QWidget* pai, const char* nome, const QString& acessivel) {
  auto* f = new QFrame(pai);
  f->setObjectName(QLatin1String(nome));
  f->setFrameShape(QFrame::Box);
  f->setFixedSize(24, 20);
  f->setAccessibleName(acessivel);
  return f;
}

QLabel* NovaAmostraFonte(QWidget* pai, const char* nome, const QString& acessivel) {
  auto* l = new QLabel(kAmostra, pai);
  l->setObjectName(QLatin1String(nome));
  l->setFrameShape(QFrame::Box);
  l->setAlignment(Qt::AlignCenter);
  l->setAccessibleName(acessivel);
  return l;
}

// Digits, "-", backspace and the decimal separator; the thousands key types
// the decimal separator.
class TFiltroLimite : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override {
    if (evento->type() != QEvent::KeyPress) return false;
    auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->text() == QLatin1String("-")) return false;
    auto* edit = qobject_cast<QLineEdit*>(alvo);
    return edit && toolkit::gui::FiltrarTeclaNumerica(edit, tecla);
  }
};

}  // namespace

QColor CorDoWindows(int valor) {
  const auto v = static_cast<std::uint32_t>(valor);
  if ((v & 0xFF000000u) == 0xFF000000u) {
    // System colours: the few the chart uses by default.
    switch (v & 0xFFu) {
      case 5:
        return QApplication::palette().color(QPalette::Base);
      case 8:
        return QApplication::palette().color(QPalette::Text);
      default:
        return QApplication::palette().color(QPalette::Button);
    }
  }
  if (v & 0xFF000000u) return Qt::white;
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int CorParaWindows(const QColor& cor) {
  return cor.red() | (cor.green() << 8) | (cor.blue() << 16);
}

QFont FonteDoGrafico(const TFonteGrafico& f) {
  QFont fonte(Q(f.Nome));
  fonte.setPointSize(f.Tamanho > 0 ? f.Tamanho : 8);
  fonte.setBold(f.Negrito);
  fonte.setItalic(f.Italico);
  fonte.setUnderline(f.Sublinhado);
  fonte.setStrikeOut(f.Riscado);
  return fonte;
}

void FonteParaGrafico(const QFont& fonte, TFonteGrafico& f) {
  f.Nome = fonte.family().toStdString();
  if (fonte.pointSize() > 0) f.Tamanho = fonte.pointSize();
  f.Negrito = fonte.bold();
  f.Italico = fonte.italic();
  f.Sublinhado = fonte.underline();
  f.Riscado = fonte.strikeOut();
}

void DefinirDialogosGrafico(IDialogosGrafico* dialogos) {
  dialogos_ = dialogos;
}

TFConfiguraChart::TFConfiguraChart(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FConfiguraChart"));
  setWindowTitle(QStringLiteral("Configuração do Gráfico"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(371 + 10, 318 + 10);
  auto* raiz = new QVBoxLayout(this);
  raiz->setContentsMargins(5, 5, 5, 5);
  pgcRegistro = new QTabWidget(this);
  pgcRegistro->setObjectName(QStringLiteral("pgcRegistro"));
  pgcRegistro->setAccessibleName(QStringLiteral("Páginas da configuração"));
  raiz->addWidget(pgcRegistro);

  auto rotulo = [](const QString& texto, QWidget* amigo, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setBuddy(amigo);
    if (amigo->accessibleName().isEmpty()) amigo->setAccessibleName(QString(texto).remove(QLatin1Char('&')));
    return l;
  };
  auto botao = [](const QString& texto, const char* nome, const QString& acessivel, QWidget* pai) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAccessibleName(acessivel);
    return b;
  };
  auto caixa = [](const QString& texto, const char* nome, QWidget* pai) {
    auto* c = new QCheckBox(texto, pai);
    c->setObjectName(QLatin1String(nome));
    c->setAccessibleName(texto);
    return c;
  };
  auto edit = [](const char* nome, int tag, QWidget* pai) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setProperty("tag", tag);
    return e;
  };

  // --- Geral
  auto* geral = new QWidget;
  auto* lg = new QVBoxLayout(geral);
  {
    auto* g = new QGroupBox(QStringLiteral(" Título "), geral);
    auto* l = new QGridLayout(g);
    edtTituloGrafico = edit("edtTituloGrafico", 1, g);
    edtTituloGrafico->setAccessibleName(QStringLiteral("Título do gráfico"));
    l->addWidget(rotulo(QStringLiteral("Título"), edtTituloGrafico, g), 0, 0);
    l->addWidget(edtTituloGrafico, 0, 1, 1, 2);
    btnFonteTituloGrafico =
        botao(QStringLiteral("Fonte..."), "btnFonteTituloGrafico", QStringLiteral("Fonte do título"), g);
    btnFonteTituloGrafico->setProperty("tag", 1);
    pnlFonteTituloGrafico =
        NovaAmostraFonte(g, "pnlFonteTituloGrafico", QStringLiteral("Amostra da fonte do título"));
    cbTitulo = caixa(QStringLiteral("Visível"), "cbTitulo", g);
    cbTitulo->setAccessibleName(QStringLiteral("Título visível"));
    cbTitulo->setProperty("tag", 1);
    l->addWidget(btnFonteTituloGrafico, 1, 0);
    l->addWidget(pnlFonteTituloGrafico, 1, 1);
    l->addWidget(cbTitulo, 1, 2);
    lg->addWidget(g);
  }
  {
    auto* g = new QGroupBox(QStringLiteral(" Fundo "), geral);
    auto* l = new QGridLayout(g);
    btnCorFundo = botao(QStringLiteral("Cor..."), "btnCorFundo", QStringLiteral("Cor de fundo"), g);
    btnCorFundo->setProperty("tag", 1);
    pnlCorFundo = NovaAmostraCor(g, "pnlCorFundo", QStringLiteral("Amostra da cor de fundo"));
    l->addWidget(rotulo(QStringLiteral("Cor de fundo"), btnCorFundo, g), 0, 0);
    l->addWidget(btnCorFundo, 0, 1);
    l->addWidget(pnlCorFundo, 0, 2);
    cbGradiente = caixa(QStringLiteral("Gradiente"), "cbGradiente", g);
    cbGradiente->setProperty("tag", 2);
    l->addWidget(cbGradiente, 1, 0);
    bGradIni =
        botao(QStringLiteral("Cor inicial"), "bGradIni", QStringLiteral("Cor inicial do gradiente"), g);
    bGradIni->setProperty("tag", 2);
    pGradIni = NovaAmostraCor(g, "pGradIni", QStringLiteral("Amostra da cor inicial"));
    bGradFim = botao(QStringLiteral("Cor final"), "bGradFim", QStringLiteral("Cor final do gradiente"), g);
    bGradFim->setProperty("tag", 3);
    pGradFim = NovaAmostraCor(g, "pGradFim", QStringLiteral("Amostra da cor final"));
    l->addWidget(bGradIni, 1, 1);
    l->addWidget(pGradIni, 1, 2);
    l->addWidget(bGradFim, 1, 3);
    l->addWidget(pGradFim, 1, 4);
    lg->addWidget(g);
  }
  {
    auto* g = new QGroupBox(QStringLiteral(" Painel "), geral);
    auto* l = new QGridLayout(g);
    btnCorPainel = botao(QStringLiteral("Cor..."), "btnCorPainel", QStringLiteral("Cor do painel"), g);
    btnCorPainel->setProperty("tag", 4);
    pnlCorPainel = NovaAmostraCor(g, "pnlCorPainel", QStringLiteral("Amostra da cor do painel"));
    cbTransparente = caixa(QStringLiteral("Transparente"), "cbTransparente", g);
    cbTransparente->setProperty("tag", 3);
    l->addWidget(rotulo(QStringLiteral("Cor do painel"), btnCorPainel, g), 0, 0);
    l->addWidget(btnCorPainel, 0, 1);
    l->addWidget(pnlCorPainel, 0, 2);
    l->addWidget(cbTransparente, 0, 3);
    lg->addWidget(g);
  }
  pgcRegistro->addTab(geral, QStringLiteral("&Geral"));

  // --- Legenda
  auto* legenda = new QWidget;
  {
    auto* ll = new QVBoxLayout(legenda);
    auto* g = new QGroupBox(QStringLiteral(" Legenda "), legenda);
    auto* l = new QGridLayout(g);
    chkMostrarLegenda = caixa(QStringLiteral("Mostrar legenda"), "chkMostrarLegenda", g);
    l->addWidget(chkMostrarLegenda, 0, 0, 1, 3);
    cbPosLegenda = new QComboBox(g);
    cbPosLegenda->setObjectName(QStringLiteral("cbPosLegenda"));
    cbPosLegenda->addItems({QStringLiteral("Superior"), QStringLiteral("Inferior"),
                            QStringLiteral("Lateral esquerda"), QStringLiteral("Lateral direita")});
    cbPosLegenda->setAccessibleName(QStringLiteral("Posição da legenda"));
    lblPosLegenda = rotulo(QStringLiteral("Posição:"), cbPosLegenda, g);
    l->addWidget(lblPosLegenda, 1, 0);
    l->addWidget(cbPosLegenda, 1, 1, 1, 2);
    btnFonteLegenda =
        botao(QStringLiteral("Fonte..."), "btnFonteLegenda", QStringLiteral("Fonte da legenda"), g);
    btnFonteLegenda->setProperty("tag", 2);
    pnlFonteLegenda = NovaAmostraFonte(g, "pnlFonteLegenda", QStringLiteral("Amostra da fonte da legenda"));
    lblFonteLegenda = rotulo(QStringLiteral("Fonte:"), btnFonteLegenda, g);
    l->addWidget(lblFonteLegenda, 2, 0);
    l->addWidget(btnFonteLegenda, 2, 1);
    l->addWidget(pnlFonteLegenda, 2, 2);
    ll->addWidget(g);
    ll->addStretch();
  }
  pgcRegistro->addTab(legenda, QStringLiteral("&Legenda"));

  // --- Eixos
  auto paginaEixo = [&](TControlesEixo& c, const QString& nome, const char* x, int tagBase, int tagFonte,
                        const QString& grade) {
    auto* pagina = new QWidget;
    auto* lp = new QVBoxLayout(pagina);
    auto* g = new QGroupBox(QStringLiteral(" Eixo %1 ").arg(nome), pagina);
    auto* l = new QGridLayout(g);
    const QString p = QStringLiteral("edtEixo") + QLatin1String(x);
    auto nomeDe = [&](const char* base) {
      return (QStringLiteral("%1Eixo%2%3")
                  .arg(QLatin1String(base).left(3), QLatin1String(x), QLatin1String(base).mid(3)))
          .toLatin1();
    };
    QByteArray n;
    n = nomeDe("edtTitulo");
    c.edtTitulo = edit(n.constData(), tagBase, g);
    c.edtTitulo->setAccessibleName(QStringLiteral("Título do eixo %1").arg(nome));
    l->addWidget(rotulo(QStringLiteral("Título"), c.edtTitulo, g), 0, 0);
    l->addWidget(c.edtTitulo, 0, 1, 1, 3);
    n = nomeDe("btnFonteTitulo");
    c.btnFonteTitulo = botao(QStringLiteral("Fonte..."), n.constData(),
                             QStringLiteral("Fonte do título do eixo %1").arg(nome), g);
    c.btnFonteTitulo->setProperty("tag", tagFonte);
    n = nomeDe("pnlFonteTitulo");
    c.pnlFonteTitulo =
        NovaAmostraFonte(g, n.constData(), QStringLiteral("Amostra da fonte do eixo %1").arg(nome));
    l->addWidget(rotulo(QStringLiteral("Fonte"), c.btnFonteTitulo, g), 1, 0);
    l->addWidget(c.btnFonteTitulo, 1, 1);
    l->addWidget(c.pnlFonteTitulo, 1, 2, 1, 2);
    n = nomeDe("edtFormato");
    c.edtFormato = edit(n.constData(), tagBase + 1, g);
    c.edtFormato->setAccessibleName(QStringLiteral("Formato do eixo %1").arg(nome));
    l->addWidget(rotulo(QStringLiteral("Formato"), c.edtFormato, g), 2, 0);
    l->addWidget(c.edtFormato, 2, 1);
    auto* escala = new QGroupBox(QStringLiteral(" Escala "), g);
    auto* le = new QGridLayout(escala);
    n = nomeDe("chkAutomatico");
    c.chkAutomatico = caixa(QStringLiteral("Ajuste automático"), n.constData(), escala);
    le->addWidget(c.chkAutomatico, 0, 0, 1, 4);
    n = nomeDe("edtMinimo");
    c.edtMinimo = edit(n.constData(), tagBase + 2, escala);
    c.edtMinimo->setAccessibleName(QStringLiteral("Mínimo do eixo %1").arg(nome));
    n = nomeDe("edtMaximo");
    c.edtMaximo = edit(n.constData(), tagBase + 3, escala);
    c.edtMaximo->setAccessibleName(QStringLiteral("Máximo do eixo %1").arg(nome));
    c.lblMinimo = rotulo(QStringLiteral("Mínimo/Máximo"), c.edtMinimo, escala);
    c.lblMaximo = c.lblMinimo;
    le->addWidget(c.lblMinimo, 1, 0);
    le->addWidget(c.edtMinimo, 1, 1);
    le->addWidget(c.edtMaximo, 1, 2);
    n = nomeDe("chkTipoEscalaLog");
    c.chkTipoEscalaLog = caixa(QStringLiteral("Escala logarítmica"), n.constData(), escala);
    c.chkTipoEscalaLog->hide();
    l->addWidget(escala, 3, 0, 1, 4);
    n = nomeDe("chkGrid");
    c.chkGrid = caixa(grade, n.constData(), g);
    l->addWidget(c.chkGrid, 4, 0, 1, 4);
    auto* filtro = new TFiltroLimite(this);
    c.edtMinimo->installEventFilter(filtro);
    c.edtMaximo->installEventFilter(filtro);
    lp->addWidget(g);
    return pagina;
  };
  pgcRegistro->addTab(
      paginaEixo(EixoX, QStringLiteral("X"), "X", 2, 3, QStringLiteral("Mostrar linhas verticais")),
      QStringLiteral("Eixo &X"));
  pgcRegistro->addTab(
      paginaEixo(EixoY, QStringLiteral("Y"), "Y", 6, 4, QStringLiteral("Mostrar linhas horizontais")),
      QStringLiteral("Eixo &Y"));
  // Tags of the axes' limits: X 4 and 5, Y 8 and 9.
  EixoY.edtMinimo->setProperty("tag", 8);
  EixoY.edtMaximo->setProperty("tag", 9);

  // --- 3D
  auto* tresD = new QWidget;
  {
    auto* lp = new QVBoxLayout(tresD);
    auto* g = new QGroupBox(QStringLiteral(" 3D "), tresD);
    auto* l = new QGridLayout(g);
    chkVisao3D = caixa(QStringLiteral("Visão 3D"), "chkVisao3D", g);
    l->addWidget(chkVisao3D, 0, 0, 1, 3);
    auto barra = [&](int linha, const char* nome, const QString& texto, int min, int max, int tag,
                     QLabel*& rot, QLabel*& val) {
      auto* b = new QScrollBar(Qt::Horizontal, g);
      b->setObjectName(QLatin1String(nome));
      b->setRange(min, max);
      b->setProperty("tag", tag);
      rot = rotulo(texto, b, g);
      val = new QLabel(g);
      val->setObjectName(QString::fromLatin1(nome).replace(QLatin1String("scb"), QLatin1String("lbl")) +
                         QLatin1String("Val"));
      val->setAccessibleName(texto + QStringLiteral(" (valor)"));
      val->setMinimumWidth(40);
      l->addWidget(rot, linha, 0);
      l->addWidget(b, linha, 1);
      l->addWidget(val, linha, 2);
      return b;
    };
    scbVisao3DEixoZ =
        barra(1, "scbVisao3DEixoZ", QStringLiteral("Eixo Z"), 1, 100, 1, lblVisao3DEixoZ, lblVisao3DEixoZVal);
    scbVisao3DZoom =
        barra(2, "scbVisao3DZoom", QStringLiteral("Zoom"), 1, 500, 2, lblVisao3DZoom, lblVisao3DZoomVal);
    scbVisao3DRotacao = barra(3, "scbVisao3DRotacao", QStringLiteral("Rotação"), 270, 360, 3,
                              lblVisao3DRotacao, lblVisao3DRotacaoVal);
    scbVisao3DElevacao = barra(4, "scbVisao3DElevacao", QStringLiteral("Elevação"), 270, 360, 4,
                               lblVisao3DElevacao, lblVisao3DElevacaoVal);
    lp->addWidget(g);
    lp->addStretch();
  }
  pgcRegistro->addTab(tresD, QStringLiteral("3&D"));

  // --- Séries
  auto* series = new QWidget;
  {
    auto* lp = new QVBoxLayout(series);
    auto* g = new QGroupBox(QStringLiteral(" Séries "), series);
    auto* l = new QGridLayout(g);
    cbSerie = new QComboBox(g);
    cbSerie->setObjectName(QStringLiteral("cbSerie"));
    l->addWidget(rotulo(QStringLiteral("Série"), cbSerie, g), 0, 0);
    l->addWidget(cbSerie, 0, 1);
    auto* v = new QGroupBox(QStringLiteral(" Visualização "), g);
    auto* lv = new QGridLayout(v);
    btnCorSerie = botao(QStringLiteral("Cor..."), "btnCorSerie", QStringLiteral("Cor da série"), v);
    btnCorSerie->setProperty("tag", 5);
    pnlCorSerie = NovaAmostraCor(v, "pnlCorSerie", QStringLiteral("Amostra da cor da série"));
    lv->addWidget(rotulo(QStringLiteral("Cor"), btnCorSerie, v), 0, 0);
    lv->addWidget(btnCorSerie, 0, 1);
    lv->addWidget(pnlCorSerie, 0, 2);
    udEspessuraLinha = new QSpinBox(v);
    udEspessuraLinha->setObjectName(QStringLiteral("udEspessuraLinha"));
    udEspessuraLinha->setRange(1, 10);
    lv->addWidget(rotulo(QStringLiteral("Espessura"), udEspessuraLinha, v), 1, 0);
    lv->addWidget(udEspessuraLinha, 1, 1);
    cbLinha = caixa(QStringLiteral("Visível"), "cbLinha", v);
    cbLinha->setAccessibleName(QStringLiteral("Linha visível"));
    lv->addWidget(cbLinha, 1, 2);
    edtTituloLegenda = edit("edtTituloLegenda", 10, v);
    edtTituloLegenda->setReadOnly(true);
    lv->addWidget(rotulo(QStringLiteral("Título na legenda"), edtTituloLegenda, v), 2, 0);
    lv->addWidget(edtTituloLegenda, 2, 1, 1, 2);
    cbValoresNosVertices = new QComboBox(v);
    cbValoresNosVertices->setObjectName(QStringLiteral("cbValoresNosVertices"));
    cbValoresNosVertices->addItems({QStringLiteral("Sim"), QStringLiteral("Não")});
    lv->addWidget(rotulo(QStringLiteral("Mostrar valores"), cbValoresNosVertices, v), 3, 0);
    lv->addWidget(cbValoresNosVertices, 3, 1);
    l->addWidget(v, 1, 0, 1, 2);
    lp->addWidget(g);
    lp->addStretch();
  }
  pgcRegistro->addTab(series, QStringLiteral("&Séries"));
  pgcRegistro->tabBar()->setAccessibleName(QStringLiteral("Páginas"));

  auto* inferior = new QHBoxLayout;
  inferior->addStretch();
  btnCancelar = botao(QStringLiteral("&Cancelar"), "btnCancelar", QStringLiteral("Cancelar"), this);
  btnOk = botao(QStringLiteral("&OK"), "btnOk", QStringLiteral("OK"), this);
  btnOk->setDefault(true);
  inferior->addWidget(btnCancelar);
  inferior->addWidget(btnOk);
  raiz->addLayout(inferior);
  connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  using toolkit::gui::Protegido;
  auto tagDe = [](QObject* o) { return o->property("tag").toInt(); };
  for (QPushButton* b : {btnFonteTituloGrafico, btnFonteLegenda, EixoX.btnFonteTitulo, EixoY.btnFonteTitulo})
    connect(b, &QPushButton::clicked, this,
            [=] { Protegido([&] { btnFonteTituloGraficoClick(tagDe(b)); }); });
  for (QPushButton* b : {btnCorFundo, bGradIni, bGradFim, btnCorPainel, btnCorSerie})
    connect(b, &QPushButton::clicked, this, [=] { Protegido([&] { btnCorFundoClick(tagDe(b)); }); });
  for (QCheckBox* c : {cbTitulo, cbGradiente, cbTransparente})
    connect(c, &QCheckBox::toggled, this, [=] { Protegido([&] { cbTituloClick(tagDe(c)); }); });
  connect(chkMostrarLegenda, &QCheckBox::toggled, this,
          [this] { Protegido([&] { chkMostrarLegendaClick(); }); });
  connect(cbPosLegenda, &QComboBox::currentIndexChanged, this,
          [this] { Protegido([&] { cbPosLegendaChange(); }); });
  connect(EixoX.chkAutomatico, &QCheckBox::toggled, this,
          [this] { Protegido([&] { chkEixoXAutomaticoClick(); }); });
  connect(EixoY.chkAutomatico, &QCheckBox::toggled, this,
          [this] { Protegido([&] { chkEixoYAutomaticoClick(); }); });
  connect(EixoX.chkGrid, &QCheckBox::toggled, this, [this] { Protegido([&] { chkEixoXGridClick(); }); });
  connect(EixoY.chkGrid, &QCheckBox::toggled, this, [this] { Protegido([&] { chkEixoYGridClick(); }); });
  connect(chkVisao3D, &QCheckBox::toggled, this, [this] { Protegido([&] { chkVisao3DClick(); }); });
  for (QScrollBar* b : {scbVisao3DEixoZ, scbVisao3DZoom, scbVisao3DRotacao, scbVisao3DElevacao})
    connect(b, &QScrollBar::valueChanged, this, [=] { Protegido([&] { scbVisao3DEixoZChange(tagDe(b)); }); });
  connect(cbSerie, &QComboBox::currentIndexChanged, this, [this] { Protegido([&] { cbSerieChange(); }); });
  connect(udEspessuraLinha, &QSpinBox::valueChanged, this,
          [this] { Protegido([&] { udEspessuraLinhaChange(); }); });
  connect(cbLinha, &QCheckBox::toggled, this, [this] { Protegido([&] { cbLinhaClick(); }); });
  connect(cbValoresNosVertices, &QComboBox::currentIndexChanged, this,
          [this] { Protegido([&] { cbValoresNosVerticesChange(); }); });
  // The edits act when they lose the focus (the tab control too: a page
  // change leaves the edit that had the focus).
  for (QLineEdit* e : {edtTituloGrafico, EixoX.edtTitulo, EixoX.edtFormato, EixoX.edtMinimo, EixoX.edtMaximo,
                       EixoY.edtTitulo, EixoY.edtFormato, EixoY.edtMinimo, EixoY.edtMaximo})
    e->installEventFilter(this);
}

TFConfiguraChart::~TFConfiguraChart() = default;

bool TFConfiguraChart::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut && alvo_ && !preenchendo_) {
    const int tag = alvo->property("tag").toInt();
    toolkit::gui::Protegido([&] { edtTituloGraficoExit(tag); });
  }
  return QDialog::eventFilter(alvo, evento);
}

void TFConfiguraChart::Aplicar() {
  if (aplicar_) aplicar_();
}

QLineSeries* TFConfiguraChart::SerieAtual() const {
  const int i = cbSerie->currentIndex();
  return i >= 0 && i < series_.size() ? series_.at(i) : nullptr;
}

void TFConfiguraChart::Preparar(TConfigGrafico& Alvo, const QList<QLineSeries*>& Series, TAplicar Aplicar) {
  preenchendo_ = true;
  alvo_ = &Alvo;
  copia_ = Alvo;
  series_ = Series;
  aplicar_ = std::move(Aplicar);
  pontosCopia_.clear();
  for (QLineSeries* s : series_) pontosCopia_ << s->points();

  const TConfigGrafico& c = Alvo;
  edtTituloGrafico->setText(Q(c.Titulo));
  MostrarFonte(pnlFonteTituloGrafico, c.FonteTitulo);
  cbTitulo->setChecked(c.TituloVisivel);
  cbGradiente->setChecked(c.GradienteVisivel);
  PintarAmostra(pGradIni, CorDoWindows(c.GradienteFim));
  PintarAmostra(pGradFim, CorDoWindows(c.GradienteInicio));
  PintarAmostra(pnlCorFundo, CorDoWindows(c.CorGrafico));
  PintarAmostra(pnlCorPainel, CorDoWindows(c.CorParede));
  cbTransparente->setChecked(!c.ParedeSolida);
  auto eixo = [](TControlesEixo& e, const TEixoGrafico& d) {
    e.edtTitulo->setText(Q(d.Titulo));
    e.edtFormato->setText(Q(d.Formato));
    e.chkGrid->setChecked(d.Grade);
    e.edtMaximo->setText(Q(toolkit::FormatoGeral(d.Maximo)));
    e.edtMinimo->setText(Q(toolkit::FormatoGeral(d.Minimo)));
    e.chkAutomatico->setChecked(d.Automatico);
    e.edtMinimo->setEnabled(!d.Automatico);
    e.edtMaximo->setEnabled(!d.Automatico);
    e.lblMinimo->setEnabled(!d.Automatico);
  };
  eixo(EixoX, c.EixoX);
  eixo(EixoY, c.EixoY);
  chkVisao3D->setChecked(c.Visao3D);
  scbVisao3DEixoZ->setValue(c.Profundidade);
  scbVisao3DZoom->setValue(c.Zoom);
  scbVisao3DRotacao->setValue(c.Rotacao);
  scbVisao3DElevacao->setValue(c.Elevacao);
  lblVisao3DEixoZVal->setText(QString::number(scbVisao3DEixoZ->value()) + QStringLiteral("%"));
  lblVisao3DZoomVal->setText(QString::number(scbVisao3DZoom->value()) + QStringLiteral("%"));
  lblVisao3DRotacaoVal->setText(QString::number(scbVisao3DRotacao->value()) + QStringLiteral("°"));
  lblVisao3DElevacaoVal->setText(QString::number(scbVisao3DElevacao->value()) + QStringLiteral("°"));
  if (c.EixoX.FonteDefinida) MostrarFonte(EixoX.pnlFonteTitulo, c.EixoX.Fonte);
  if (c.EixoY.FonteDefinida) MostrarFonte(EixoY.pnlFonteTitulo, c.EixoY.Fonte);
  cbSerie->clear();
  for (QLineSeries* s : series_) cbSerie->addItem(s->name());
  chkMostrarLegenda->setChecked(c.LegendaVisivel);
  cbPosLegenda->setCurrentIndex(c.PosicaoLegenda);
  MostrarFonte(pnlFonteLegenda, c.FonteLegenda);
  preenchendo_ = false;
  if (!series_.isEmpty()) {
    cbSerie->setCurrentIndex(0);
    cbSerieChange();
  }
  chkMostrarLegendaClick();
  Habilitar();
  pgcRegistro->setCurrentIndex(0);
}

bool TFConfiguraChart::Concluir(int resultado, const std::string& Arquivo, const std::string& Sufixo) {
  if (resultado == QDialog::Accepted) {
    SalvarGrafico(Arquivo, Sufixo, *alvo_);
    return true;
  }
  *alvo_ = copia_;
  Aplicar();
  return false;
}

bool TFConfiguraChart::Configurar(TConfigGrafico& Alvo, const QList<QLineSeries*>& Series, TAplicar Aplicar,
                                  const std::string& Arquivo, const std::string& Sufixo) {
  Preparar(Alvo, Series, std::move(Aplicar));
  return Concluir(exec(), Arquivo, Sufixo);
}

void TFConfiguraChart::Habilitar() {
  bGradIni->setEnabled(cbGradiente->isChecked());
  bGradFim->setEnabled(cbGradiente->isChecked());
  btnCorPainel->setEnabled(!cbTransparente->isChecked());
  for (QWidget* w : {scbVisao3DEixoZ, scbVisao3DZoom, scbVisao3DRotacao, scbVisao3DElevacao})
    w->setEnabled(chkVisao3D->isChecked());
  for (QWidget* w : {lblVisao3DEixoZ, lblVisao3DZoom, lblVisao3DRotacao, lblVisao3DElevacao})
    w->setEnabled(chkVisao3D->isChecked());
}

void TFConfiguraChart::btnFonteTituloGraficoClick(int tag) {
  if (!alvo_) return;
  TFonteGrafico* f = nullptr;
  bool* definida = nullptr;
  QLabel* amostra = nullptr;
  switch (tag) {
    case 1:
      f = &alvo_->FonteTitulo;
      amostra = pnlFonteTituloGrafico;
      break;
    case 2:
      f = &alvo_->FonteLegenda;
      amostra = pnlFonteLegenda;
      break;
    case 3:
      f = &alvo_->EixoX.Fonte;
      definida = &alvo_->EixoX.FonteDefinida;
      amostra = EixoX.pnlFonteTitulo;
      break;
    default:
      f = &alvo_->EixoY.Fonte;
      definida = &alvo_->EixoY.FonteDefinida;
      amostra = EixoY.pnlFonteTitulo;
      break;
  }
  QFont fonte = amostra->font();
  if (!Dialogos().EscolherFonte(fonte, this)) return;
  FonteParaGrafico(fonte, *f);
  if (definida) *definida = true;
  amostra->setFont(fonte);
  Aplicar();
}

void TFConfiguraChart::btnCorFundoClick(int tag) {
  if (!alvo_) return;
  QFrame* amostra = tag == 1   ? pnlCorFundo
                    : tag == 2 ? pGradIni
                    : tag == 3 ? pGradFim
                    : tag == 4 ? pnlCorPainel
                               : pnlCorSerie;
  QColor cor = amostra->palette().color(QPalette::Window);
  if (!Dialogos().EscolherCor(cor, this)) return;
  PintarAmostra(amostra, cor);
  switch (tag) {
    case 1:
      alvo_->CorGrafico = CorParaWindows(cor);
      break;
    case 2:
      alvo_->GradienteFim = CorParaWindows(cor);
      break;
    case 3:
      alvo_->GradienteInicio = CorParaWindows(cor);
      break;
    case 4:
      alvo_->CorParede = CorParaWindows(cor);
      break;
    default:
      if (QLineSeries* s = SerieAtual()) {
        QPen caneta = s->pen();
        caneta.setColor(cor);
        s->setPen(caneta);
        s->setColor(cor);
        // The points again from the backup's copy, now in the new colour.
        s->replace(pontosCopia_.value(cbSerie->currentIndex()));
      }
      return;
  }
  Aplicar();
}

void TFConfiguraChart::cbTituloClick(int tag) {
  if (!alvo_ || preenchendo_) return;
  switch (tag) {
    case 1:
      alvo_->TituloVisivel = cbTitulo->isChecked();
      break;
    case 2:
      alvo_->GradienteVisivel = cbGradiente->isChecked();
      break;
    default:
      alvo_->ParedeSolida = !cbTransparente->isChecked();
      alvo_->CorParede = CorParaWindows(pnlCorPainel->palette().color(QPalette::Window));
      break;
  }
  Habilitar();
  Aplicar();
}

void TFConfiguraChart::chkMostrarLegendaClick() {
  const bool sim = chkMostrarLegenda->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(lblPosLegenda), static_cast<QWidget*>(cbPosLegenda),
                     static_cast<QWidget*>(lblFonteLegenda), static_cast<QWidget*>(btnFonteLegenda),
                     static_cast<QWidget*>(pnlFonteLegenda)})
    w->setEnabled(sim);
  if (!alvo_ || preenchendo_) return;
  alvo_->LegendaVisivel = sim;
  Aplicar();
}

void TFConfiguraChart::cbPosLegendaChange() {
  if (!alvo_ || preenchendo_ || cbPosLegenda->currentIndex() < 0) return;
  alvo_->PosicaoLegenda = cbPosLegenda->currentIndex();
  Aplicar();
}

namespace {
void Automatico(TFConfiguraChart::TControlesEixo& c, TEixoGrafico& e) {
  const bool autom = c.chkAutomatico->isChecked();
  c.edtMinimo->setEnabled(!autom);
  c.edtMaximo->setEnabled(!autom);
  c.lblMinimo->setEnabled(!autom);
  e.Automatico = autom;
  // The maximum keeps its value until its edit is left.
  double v;
  if (toolkit::gui::LerNumeroDoCampo(c.edtMinimo->text(), v)) e.Minimo = v;
}
}  // namespace

void TFConfiguraChart::chkEixoXAutomaticoClick() {
  if (!alvo_ || preenchendo_) return;
  Automatico(EixoX, alvo_->EixoX);
  Aplicar();
}

void TFConfiguraChart::chkEixoYAutomaticoClick() {
  if (!alvo_ || preenchendo_) return;
  Automatico(EixoY, alvo_->EixoY);
  Aplicar();
}

void TFConfiguraChart::edtTituloGraficoExit(int tag) {
  if (!alvo_) return;
  auto texto = [](QLineEdit* e) { return e->text().toStdString(); };
  auto limite = [&](QLineEdit* e, double& destino) {
    // Not a number: the error, naming the field, shows and the axis keeps its limit.
    QString campo = e->accessibleName();  // "Mínimo do eixo X"
    if (!campo.isEmpty()) campo[0] = campo.at(0).toLower();
    destino = toolkit::gui::NumeroDoCampo(e->text(), QStringLiteral("o ") + campo);
  };
  switch (tag) {
    case 1:
      alvo_->Titulo = texto(edtTituloGrafico);
      break;
    case 2:
      alvo_->EixoX.Titulo = texto(EixoX.edtTitulo);
      break;
    case 3:
      alvo_->EixoX.Formato = texto(EixoX.edtFormato);
      break;
    case 4:
      limite(EixoX.edtMinimo, alvo_->EixoX.Minimo);
      break;
    case 5:
      limite(EixoX.edtMaximo, alvo_->EixoX.Maximo);
      break;
    case 6:
      alvo_->EixoY.Titulo = texto(EixoY.edtTitulo);
      break;
    case 7:
      alvo_->EixoY.Formato = texto(EixoY.edtFormato);
      break;
    case 8:
      limite(EixoY.edtMinimo, alvo_->EixoY.Minimo);
      break;
    case 9:
      limite(EixoY.edtMaximo, alvo_->EixoY.Maximo);
      break;
    default:
      return;
  }
  Aplicar();
}

void TFConfiguraChart::chkEixoXGridClick() {
  if (!alvo_ || preenchendo_) return;
  alvo_->EixoX.Grade = EixoX.chkGrid->isChecked();
  Aplicar();
}

void TFConfiguraChart::chkEixoYGridClick() {
  if (!alvo_ || preenchendo_) return;
  alvo_->EixoY.Grade = EixoY.chkGrid->isChecked();
  Aplicar();
}

void TFConfiguraChart::chkVisao3DClick() {
  Habilitar();
  if (!alvo_ || preenchendo_) return;
  alvo_->Visao3D = chkVisao3D->isChecked();
  Aplicar();
}

void TFConfiguraChart::scbVisao3DEixoZChange(int tag) {
  switch (tag) {
    case 1:
      lblVisao3DEixoZVal->setText(QString::number(scbVisao3DEixoZ->value()) + QStringLiteral("%"));
      break;
    case 2:
      lblVisao3DZoomVal->setText(QString::number(scbVisao3DZoom->value()) + QStringLiteral("%"));
      break;
    case 3:
      lblVisao3DRotacaoVal->setText(QString::number(scbVisao3DRotacao->value()) + QStringLiteral("°"));
      break;
    default:
      lblVisao3DElevacaoVal->setText(QString::number(scbVisao3DElevacao->value()) + QStringLiteral("°"));
      break;
  }
  if (!alvo_ || preenchendo_) return;
  alvo_->Zoom = scbVisao3DZoom->value();
  alvo_->Rotacao = scbVisao3DRotacao->value();
  alvo_->Elevacao = scbVisao3DElevacao->value();
  alvo_->Profundidade = scbVisao3DEixoZ->value();
  Aplicar();
}

void TFConfiguraChart::cbSerieChange() {
  QLineSeries* s = SerieAtual();
  if (!s || preenchendo_) return;
  preenchendo_ = true;
  PintarAmostra(pnlCorSerie, s->pen().color());
  udEspessuraLinha->setValue(std::clamp(s->pen().width(), 1, 10));
  cbLinha->setChecked(s->isVisible());
  edtTituloLegenda->setText(s->name());
  cbValoresNosVertices->setCurrentIndex(s->pointLabelsVisible() ? 0 : 1);
  preenchendo_ = false;
}

void TFConfiguraChart::udEspessuraLinhaChange() {
  QLineSeries* s = SerieAtual();
  if (!s || preenchendo_) return;
  QPen caneta = s->pen();
  caneta.setWidth(udEspessuraLinha->value());
  s->setPen(caneta);
}

void TFConfiguraChart::cbLinhaClick() {
  QLineSeries* s = SerieAtual();
  if (!s || preenchendo_) return;
  s->setVisible(cbLinha->isChecked());
}

void TFConfiguraChart::cbValoresNosVerticesChange() {
  QLineSeries* s = SerieAtual();
  if (!s || preenchendo_) return;
  s->setPointLabelsVisible(cbValoresNosVertices->currentIndex() == 0);
}
