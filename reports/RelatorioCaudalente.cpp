#include "reports/RelatorioCaudalente.h"

#include <QBuffer>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "idf/gui/FigurasNimbora.h"
#include "toolkit/Gravacao.h"
#include "toolkit/TextoHtml.h"
#include "toolkit/Win1252.h"
#include "toolkit/gui/BarraRelatorio.h"
#include "toolkit/gui/Impressora.h"
#include "toolkit/gui/Mensagens.h"

namespace {

// Systems without the page's fonts use ones with the same metrics, so the
// page breaks where it would with the originals.
void SubstituirFontes() {
  static const bool feito = [] {
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(
        QStringLiteral("Arial"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
    return true;
  }();
  (void)feito;
}

int Arredondar(double x) {
  return static_cast<int>(std::lround(x));
}

// The printed page is narrower than the screen: a picture wider than the text
// column (paper less the 2 cm margins the document prints with, in the
// document's 96-per-inch units) is scaled down to it in the printed copy.
std::unique_ptr<QTextDocument> CopiaParaPapel(const QTextDocument& documento, const QPageLayout& papel) {
  std::unique_ptr<QTextDocument> copia(documento.clone());
  const double largura = papel.fullRect(QPageLayout::Inch).width() * 96.0 - 2 * (2.0 / 2.54 * 96.0);
  for (QTextBlock bloco = copia->begin(); bloco.isValid(); bloco = bloco.next()) {
    for (auto it = bloco.begin(); !it.atEnd(); ++it) {
      const QTextFragment trecho = it.fragment();
      if (!trecho.charFormat().isImageFormat()) continue;
      QTextImageFormat figura = trecho.charFormat().toImageFormat();
      if (figura.width() <= largura) continue;
      figura.setHeight(figura.height() * largura / figura.width());
      figura.setWidth(largura);
      QTextCursor cursor(copia.get());
      cursor.setPosition(trecho.position());
      cursor.setPosition(trecho.position() + trecho.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(figura);
    }
  }
  return copia;
}

}  // namespace

void CarregarPagina(QTextDocument& documento, const std::string& textoWin1252, const QString& pasta) {
  SubstituirFontes();
  QFont fonte(QStringLiteral("Times New Roman"));
  fonte.setStyleHint(QFont::Serif);
  documento.setDefaultFont(fonte);
  QString html = QString::fromStdString(toolkit::Win1252ParaUtf8(textoWin1252));
  // The page opens cells without a row where a table starts or a row has just
  // closed; browsers supply the row, this renderer would nest the rest of the
  // page in that cell. Only the rendered copy gets the row openings.
  static const QRegularExpression celulaSemLinha(QStringLiteral("(<TABLE[^>]*>(?:<FONT[^>]*>)?|</TR>)(<TD)"),
                                                 QRegularExpression::CaseInsensitiveOption);
  html.replace(celulaSemLinha, QStringLiteral("\\1<TR>\\2"));
  // The pictures are handed to the document under their addresses, so that
  // screen, printer and PDF all find them without a base folder.
  static const QRegularExpression imagem(QStringLiteral("<IMG SRC=\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
  for (auto it = imagem.globalMatch(html); it.hasNext();) {
    const QString endereco = it.next().captured(1);
    QString arquivo = QString::fromStdString(toolkit::CaminhoDoEndereco(endereco.toStdString()));
    if (!pasta.isEmpty() && QFileInfo(arquivo).isRelative()) arquivo = QDir(pasta).filePath(arquivo);
    documento.addResource(QTextDocument::ImageResource, QUrl(endereco), QImage(arquivo));
  }
  documento.setHtml(html);
}

QByteArray PdfDaPagina(QTextDocument& documento) {
  // Made in memory, so that a file is only ever written whole and a failed
  // write is seen.
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&bytes);
    // The printer's high resolution; the document lays its own 2 cm
    // margins on the whole paper.
    pdf.setResolution(1200);
    QPageLayout papel(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    papel.setMode(QPageLayout::FullPageMode);
    pdf.setPageLayout(papel);
    CopiaParaPapel(documento, pdf.pageLayout())->print(&pdf);
  }
  return bytes.data();
}

int GravarPdf(QTextDocument& documento, const QString& arquivo) {
  return toolkit::SubstituirArquivo(arquivo.toStdString(), PdfDaPagina(documento).toStdString());
}

TFRelatorioCaudalente::TFRelatorioCaudalente(std::string texto, QWidget* parent)
    : QDialog(parent), texto_(std::move(texto)) {
  setObjectName(QStringLiteral("FRelatorioCaudalente"));
  setWindowTitle(QStringLiteral("Relatório"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(640, 480);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  using toolkit::gui::BotaoDeRelatorio;
  ToolButton1 = BotaoDeRelatorio(ToolBar1, "ToolButton1", QStringLiteral("&Imprimir"),
                                 QStringLiteral("Imprime texto"), DesenharIconeImprimir());
  tbSalvarPdf = BotaoDeRelatorio(ToolBar1, "tbSalvarPdf", QStringLiteral("Salvar PDF"),
                                 QStringLiteral("Salva o texto em PDF"), DesenharIconeImprimir());
  BFechar = BotaoDeRelatorio(ToolBar1, "BFechar", QStringLiteral("Fechar"),
                             QStringLiteral("Fecha texto ativo"), DesenharIconeFechar());

  Viewer2 = new QTextBrowser(this);
  Viewer2->setObjectName(QStringLiteral("Viewer2"));
  Viewer2->setAccessibleName(QStringLiteral("Relatório"));
  Viewer2->setOpenLinks(false);
  Viewer2->setStyleSheet(QStringLiteral("QTextBrowser { background: white; }"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBar1);
  layout->addWidget(Viewer2, 1);

  // FormCreate: between three quarters of the screen and the whole screen.
  if (QScreen* tela = screen()) {
    const QSize s = tela->size();
    setMaximumSize(s);
    setMinimumSize(Arredondar(0.75 * s.width()), Arredondar(0.75 * s.height()));
  }

  connect(ToolButton1, &QToolButton::clicked, this,
          [this] { toolkit::gui::Protegido([&] { SpeedButton1Click(); }); });
  connect(tbSalvarPdf, &QToolButton::clicked, this,
          [this] { toolkit::gui::Protegido([&] { tbSalvarPdfClick(); }); });
  connect(BFechar, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
}

TFRelatorioCaudalente::~TFRelatorioCaudalente() {
  QFile::remove(ArquivoFiguraRelatorio());
}

void TFRelatorioCaudalente::FormActivate() {
  if (texto_.empty()) return;
  CarregarPagina(*Viewer2->document(), texto_);
  texto_.clear();
  texto_.shrink_to_fit();
}

void TFRelatorioCaudalente::SpeedButton1Click() {
  QPrinter& impressora = toolkit::gui::ImpressoraPadrao();
  if (toolkit::gui::EscolherImpressao(impressora, this)) Imprimir(impressora);
}

void TFRelatorioCaudalente::Imprimir(QPrinter& impressora) {
  toolkit::gui::PaginasDoRelatorio(impressora);
  // The document lays its own 2 cm margins on the paper; the printer adds none.
  const bool paginaInteira = impressora.fullPage();
  impressora.setFullPage(true);
  CopiaParaPapel(*Viewer2->document(), impressora.pageLayout())->print(&impressora);
  impressora.setFullPage(paginaInteira);
}

bool TFRelatorioCaudalente::SalvarPdf(const QString& arquivo) {
  return GravarPdf(*Viewer2->document(), arquivo) == 0;
}

void TFRelatorioCaudalente::tbSalvarPdfClick() {
  const QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QString arquivo = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar PDF"),
                                                 QDir(pasta).filePath(QStringLiteral("Relatorio.pdf")),
                                                 QStringLiteral("Documento PDF (*.pdf)"));
  if (arquivo.isEmpty()) return;
  if (!arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) arquivo += QStringLiteral(".pdf");
  const int erro = GravarPdf(*Viewer2->document(), arquivo);
  if (erro != 0) throw std::runtime_error(toolkit::ErroDeGravacao(arquivo.toStdString(), erro));
}

bool TFRelatorioCaudalente::event(QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate || evento->type() == QEvent::Show)
    toolkit::gui::Protegido([&] { FormActivate(); });
  return QDialog::event(evento);
}

// Back from maximized, the window comes to the middle of the screen.
void TFRelatorioCaudalente::changeEvent(QEvent* evento) {
  QDialog::changeEvent(evento);
  if (evento->type() != QEvent::WindowStateChange) return;
  const auto* mudanca = static_cast<QWindowStateChangeEvent*>(evento);
  if ((mudanca->oldState() & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
      windowState() == Qt::WindowNoState) {
    if (QScreen* tela = screen()) {
      const QSize s = tela->size();
      move(Arredondar((s.width() - width()) / 2.0), Arredondar((s.height() - height()) / 2.0));
    }
  }
}

void SolicitarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& resultados,
                        const QImage& figura, const QString& legenda, QWidget* pai) {
  std::string texto;
  if (!GerarRelatorio(modelo, resultados, figura, legenda, texto)) return;
  TFRelatorioCaudalente janela(std::move(texto), pai);
  janela.setWindowState(Qt::WindowMaximized);
  janela.exec();
}
