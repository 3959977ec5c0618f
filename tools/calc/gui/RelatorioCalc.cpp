#include "tools/calc/gui/RelatorioCalc.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <utility>

#include "project/ArquivoProjeto.h"
#include "reports/RelatorioCaudalente.h"
#include "reports/uRelatorioCaudalente.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Regional.h"
#include "tools/calc/Calculadora.h"
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
  const std::string bmp = figura.isNull() ? std::string() : BytesDaFigura(figura);
  if (bmp.empty()) {
    err << "Não foi possível desenhar o gráfico do relatório.\n";
    return false;
  }

  // The page names its picture by the file name alone, so the folder can be
  // moved or mailed whole; for a PDF alone the picture lives only while the
  // PDF is made.
  const std::string arquivoFigura = html.empty() ? std::string() : FiguraDoRelatorio(html);
  const std::string nomeFigura = html.empty() ? "Bit2.bmp" : toolkit::NomeSemPasta(arquivoFigura);
  const TModeloRelatorio modelo{p.Nimbora, p.Encosta, p.Canal, p.Unidades};
  const TResultadosRelatorio resultados{janela.VazaoMaxima,  janela.TempoPico,  janela.Volume,
                                        janela.Profundidade, janela.Velocidade, janela.Local != 2};
  const TFiguraRelatorio f{nomeFigura, figura.height(), figura.width(), titulo};
  const std::string texto =
      MontarRelatorio(modelo, resultados, f, ArquivoCabecalho().toStdString(), toolkit::DataCurtaDeHoje());

  // Everything is made before anything is written.
  std::string bytesPdf;
  if (!pdf.empty()) {
    QTemporaryDir temporaria;
    const QString copia = temporaria.filePath(QString::fromStdString(nomeFigura));
    if (const int erro = temporaria.isValid() ? toolkit::SubstituirArquivo(copia.toStdString(), bmp) : ENOENT;
        erro != 0) {
      err << toolkit::ErroDeGravacao(copia.toStdString(), erro) << '\n';
      return false;
    }
    QTextDocument documento;
    CarregarPagina(documento, texto, temporaria.path());
    bytesPdf = PdfDaPagina(documento).toStdString();
  }

  // Each file is written whole or not at all: the old one stays as it was.
  const std::pair<const std::string&, const std::string&> arquivos[] = {
      {arquivoFigura, bmp}, {html, texto}, {pdf, bytesPdf}};
  for (const auto& [caminho, bytes] : arquivos) {
    if (caminho.empty()) continue;
    if (const int erro = toolkit::SubstituirArquivo(caminho, bytes); erro != 0) {
      err << toolkit::ErroDeGravacao(caminho, erro) << '\n';
      return false;
    }
  }
  return true;
}
