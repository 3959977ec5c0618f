#include "tools/calc/gui/RelatorioCalc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>
#include <memory>

#include "project/ArquivoProjeto.h"
#include "reports/RelatorioCaudalente.h"
#include "reports/uRelatorioCaudalente.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Regional.h"
#include "windows/VazoPlot31.h"

bool EscreverRelatorioCalc(const TProjeto& p, const TCaudalente& serie, const std::string& titulo,
                           const std::string& html, const std::string& pdf, std::ostream& err) {
  // No display is needed: the chart is drawn offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "caudalente-calc";
  static char* argv[] = {nome, nullptr};
  // Only the calculator's own messages reach stderr, not the platform's notes.
  qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(texto));
  });
  std::unique_ptr<QApplication> app;
  if (!QApplication::instance()) app = std::make_unique<QApplication>(argc, argv);

  TFVazoPlot31 janela;
  janela.resize(800, 560);
  janela.Preencher(serie, QString::fromStdString(titulo));
  janela.show();
  QApplication::processEvents();
  const QImage figura = janela.Figura().toImage();

  // The picture sits beside the page; for a PDF alone it lives only while the PDF is written.
  QTemporaryDir temporaria;
  const QString bmp =
      !html.empty() ? QFileInfo(QString::fromStdString(html)).absolutePath() + QLatin1Char('/') +
                          QFileInfo(QString::fromStdString(html)).completeBaseName() + QStringLiteral(".bmp")
                    : temporaria.filePath(QStringLiteral("Bit2.bmp"));
  if (figura.isNull() || !figura.save(bmp, "BMP")) {
    err << "Não foi possível gravar o arquivo " << bmp.toStdString() << ".\n";
    return false;
  }
  const TModeloRelatorio modelo{p.Nimbora, p.Encosta, p.Canal, p.Unidades};
  const TResultadosRelatorio resultados{janela.VazaoMaxima,  janela.TempoPico,  janela.Volume,
                                        janela.Profundidade, janela.Velocidade, janela.Local != 2};
  const TFiguraRelatorio f{QFileInfo(bmp).absoluteFilePath().toStdString(), figura.height(), figura.width(),
                           titulo};
  const std::string texto =
      MontarRelatorio(modelo, resultados, f, ArquivoCabecalho().toStdString(), toolkit::DataCurtaDeHoje());
  if (!html.empty()) {
    if (toolkit::SubstituirArquivo(html, texto) != 0) {
      err << "Não foi possível gravar o arquivo " << html << ".\n";
      return false;
    }
  }
  if (!pdf.empty()) {
    QTextDocument documento;
    CarregarPagina(documento, texto);
    QFile::remove(QString::fromStdString(pdf));
    if (!SalvarPdf(documento, QString::fromStdString(pdf))) {
      err << "Não foi possível gravar o arquivo " << pdf << ".\n";
      return false;
    }
  }
  return true;
}
