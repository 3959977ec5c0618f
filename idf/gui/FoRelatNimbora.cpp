#include "idf/gui/FoRelatNimbora.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <cmath>

#include "idf/gui/FigurasNimbora.h"
#include "idf/gui/FoConsulta.h"
#include "toolkit/Regional.h"
#include "toolkit/TextoHtml.h"
#include "toolkit/gui/BarraRelatorio.h"
#include "toolkit/gui/Impressora.h"
#include "toolkit/gui/Mensagens.h"
#include "toolkit/gui/PastaGravavel.h"

namespace {

const char* const kCelula = "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// A name, coordinate or coefficient from the database or the user: text on
// the page, never markup.
QString H(const QString& s) {
  return QString::fromStdString(toolkit::EscaparHtml(s.toStdString()));
}

QString H(const std::string& s) {
  return H(Q(s));
}

}  // namespace

const QString TfrmFoRelatNimbora::Titulo =
    QStringLiteral("Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação");

TfrmFoRelatNimbora::TfrmFoRelatNimbora(TfrmFoConsulta* consulta) : QDialog(consulta), consulta_(consulta) {
  setObjectName(QStringLiteral("frmFoRelatNimbora"));
  setWindowTitle(QStringLiteral("Relatório - ") + Titulo);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(640, 480);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  using toolkit::gui::BotaoDeRelatorio;
  ToolButton1 = BotaoDeRelatorio(ToolBar1, "ToolButton1", QStringLiteral("&Imprimir"),
                                 QStringLiteral("Imprimir"), DesenharIconeImprimir());
  BFechar = BotaoDeRelatorio(ToolBar1, "BFechar", QStringLiteral("Fechar"), QStringLiteral("Fechar"),
                             DesenharIconeFechar());

  Viewer = new QTextBrowser(this);
  Viewer->setObjectName(QStringLiteral("Viewer"));
  Viewer->setAccessibleName(QStringLiteral("Relatório"));
  Viewer->setOpenLinks(false);
  QFont fonte(QStringLiteral("Times New Roman"));
  fonte.setStyleHint(QFont::Serif);
  Viewer->document()->setDefaultFont(fonte);
  Viewer->setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar1);
  layout->addWidget(Viewer, 1);

  // FormCreate: between 0.8 of the screen and the whole screen.
  if (QScreen* tela = screen()) {
    const QSize s = tela->size();
    setMaximumSize(s);
    setMinimumSize(static_cast<int>(std::lround(0.8 * s.width())),
                   static_cast<int>(std::lround(0.8 * s.height())));
  }

  connect(ToolButton1, &QToolButton::clicked, this,
          [this] { toolkit::gui::Protegido([&] { ToolButton1Click(); }); });
  connect(BFechar, &QToolButton::clicked, this, [this] { BFecharClick(); });
}

TfrmFoRelatNimbora::~TfrmFoRelatNimbora() {
  QFile::remove(ArquivoMapa());
}

QString TfrmFoRelatNimbora::ArquivoMapa() {
  return QDir(toolkit::gui::PastaParaGravar(Q(PastaDoPrograma()))).filePath(QStringLiteral("Bit.bmp"));
}

namespace {

// A caption without its access-key mark.
QString SemAtalho(QString texto) {
  return texto.remove(QRegularExpression(QStringLiteral("&(?!&)")))
      .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace

QString TfrmFoRelatNimbora::MontarTexto(const TfrmFoConsulta& c, const QString& arquivoMapa) {
  const QString celula = QString::fromLatin1(kCelula);
  QString t;
  t += QStringLiteral("<HTML>");
  t += QStringLiteral("<HEAD>");
  t += QStringLiteral("<META NAME=\"Author\" CONTENT=\"Equipe Caudalente\">");
  t += QStringLiteral("<TITLE>") + Titulo + QStringLiteral("</TITLE>");
  t += QStringLiteral("</HEAD>");
  t += QStringLiteral(
           "<FONT FACE=\"Arial\"><FONT COLOR=\"#000099\"><FONT SIZE=-2>Data de emissão do relatório: ") +
       H(toolkit::DataCurtaDeHoje()) + QStringLiteral("</FONT></FONT></FONT>");
  t += QStringLiteral("<P>");
  t += QStringLiteral("<CENTER><IMG SRC=\"") + Q(toolkit::EscaparAtributo(c.BancoDados().Pasta())) +
       QStringLiteral("Cabecalho_Nimbora21.jpg\" HEIGHT=73 WIDTH=550></CENTER>");
  t += QStringLiteral("<HR>");
  t += QStringLiteral(
      "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">");
  t += QStringLiteral("<CENTER><FONT FACE=\"Arial\"><FONT SIZE=+1><B>RELATÓRIO</B></FONT></FONT></CENTER>");
  t += QStringLiteral("<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>") + Titulo +
       QStringLiteral("</B></FONT></FONT></CENTER>");
  t += QStringLiteral("<HR>");
  t += QStringLiteral("<P>");
  t += QStringLiteral("<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT>");
  t += QStringLiteral("<TABLE CELLPADDING=3>");
  t += QStringLiteral("<TR>");
  t += celula + QStringLiteral("<B>Localidade: </B>") + H(c.NomeLocal()) + QStringLiteral("</TD>");
  t += celula + QStringLiteral("<B>Estado: </B>") + H(c.Estado.Nome()) + QStringLiteral("</TD>");
  t += QStringLiteral("</TR>");
  t += QStringLiteral("<TR>");
  t += celula + QStringLiteral("<B>Latitude: </B>") + H(c.LatitudeTexto()) + QStringLiteral("</TD>");
  t += QStringLiteral("</TR>");
  t += QStringLiteral("<TR>");
  t += celula + QStringLiteral("<B>Longitude: </B>") + H(c.LongitudeTexto()) + QStringLiteral("</TD>");
  t += QStringLiteral("</TR>");
  t += QStringLiteral("</TABLE>");
  t += QStringLiteral("<P>");
  t += QStringLiteral("<P>");
  t += QStringLiteral("<FONT SIZE=3><B>PARÂMETROS DA EQUAÇÃO:</B></FONT>");
  t += QStringLiteral("<TABLE CELLPADDING=3>");
  t += QStringLiteral("<TR>");
  const struct {
    const char* nome;
    const QLineEdit* campo;
  } coeficientes[] = {{"K", c.PrecK}, {"a", c.PrecA}, {"b", c.PrecB}, {"c", c.PrecC}};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) t += QStringLiteral("</TR>") + QStringLiteral("<TR>");
    t += celula + QStringLiteral("<B>") + QLatin1String(coeficientes[i].nome) + QStringLiteral(": </B>") +
         H(coeficientes[i].campo->text()) + QStringLiteral("</TD>");
  }
  t += QStringLiteral("</TABLE>");
  t += QStringLiteral("<P>");
  t += QStringLiteral("<P>");

  if (c.GrupoEstimativa->isEnabled()) {
    // An interpolated point: both estimates, the one taken marked.
    const auto linha = [&](const QRadioButton* rb, const QLabel* valores) {
      return QStringLiteral("<TR>") + celula + QStringLiteral("<B>") + SemAtalho(rb->text()) +
             (rb->isChecked() ? QStringLiteral(" (usada)") : QString()) + QStringLiteral(": </B>") +
             valores->text().toHtmlEscaped() + QStringLiteral("</TD></TR>");
    };
    t += QStringLiteral("<FONT SIZE=3><B>ESTIMATIVAS NO PONTO INTERPOLADO:</B></FONT>");
    t += QStringLiteral("<TABLE CELLPADDING=3>");
    t += linha(c.rbCoeficientes, c.lCoeficientes) + linha(c.rbIntensidades, c.lIntensidades);
    t += QStringLiteral("</TABLE>");
    t += QStringLiteral("<P>");
  }

  if (c.MapaVisivel()) {
    // The map as shown, with a dot where the cross-hair crosses; no dot while
    // the cross-hair is hidden (no point chosen on the map).
    QImage mapa = c.EstadoBMP->Imagem().copy();
    if (!c.EixoX->isHidden()) {
      QPainter p(&mapa);
      p.setPen(Qt::black);
      p.setBrush(Qt::black);
      const int x = c.EixoY->x(), y = c.EixoX->y();
      p.drawEllipse(QRect(QPoint(x - 3, y - 3), QPoint(x + 2, y + 2)));
    }
    QFile::remove(arquivoMapa);
    mapa.save(arquivoMapa, "BMP");
    t += QStringLiteral("<FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT>");
    t += QStringLiteral("<TABLE CELLPADDING=3>");
    t += QStringLiteral("<TR>");
    t += QStringLiteral("<TD>");
    t += QStringLiteral("<CENTER><IMG SRC=\"Bit.bmp\" HEIGHT=") + QString::number(mapa.height()).left(4) +
         QStringLiteral(" WIDTH=") + QString::number(mapa.width()).left(4) + QStringLiteral("></CENTER>");
    t += QStringLiteral("</TD>");
    t += QStringLiteral("</TR>");
    t += QStringLiteral("</TABLE>");
    t += QStringLiteral("</TD>");
  }
  t += QStringLiteral("</BODY>");
  t += QStringLiteral("</HTML>");
  return t;
}

void TfrmFoRelatNimbora::FormActivate() {
  const QString arquivo = ArquivoMapa();
  texto_ = MontarTexto(*consulta_, arquivo);
  Viewer->clear();
  Viewer->setSearchPaths({QFileInfo(arquivo).absolutePath()});
  // A fresh copy of the map: the viewer must not show the picture of an
  // earlier activation.
  Viewer->document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("Bit.bmp")),
                                  QImage(arquivo));
  Viewer->setHtml(texto_);
}

void TfrmFoRelatNimbora::ToolButton1Click() {
  QPrinter& impressora = toolkit::gui::ImpressoraPadrao();
  if (toolkit::gui::EscolherImpressao(impressora, this)) Imprimir(impressora);
}

void TfrmFoRelatNimbora::Imprimir(QPrinter& impressora) {
  toolkit::gui::PaginasDoRelatorio(impressora);
  Viewer->document()->print(&impressora);
}

bool TfrmFoRelatNimbora::event(QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate) toolkit::gui::Protegido([&] { FormActivate(); });
  return QDialog::event(evento);
}

void TfrmFoRelatNimbora::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  toolkit::gui::Protegido([&] { FormActivate(); });
}

// Back from maximized, the window comes to the middle of the screen.
void TfrmFoRelatNimbora::changeEvent(QEvent* evento) {
  QDialog::changeEvent(evento);
  if (evento->type() != QEvent::WindowStateChange) return;
  const auto* mudanca = static_cast<QWindowStateChangeEvent*>(evento);
  if ((mudanca->oldState() & Qt::WindowMaximized) && windowState() == Qt::WindowNoState) {
    if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
  }
}
