// Draws the banner of the IDF report into the database folder:
//   desenhar-cabecalho-nimbora [PASTA]     (default: data/Arquivos Comuns)
// The JPEG is committed with the database; rerun after changing the drawing.
// Runs without a display (QT_QPA_PLATFORM=offscreen).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "idf/gui/FigurasNimbora.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  const QString pasta = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/Arquivos Comuns");
  const QString arquivo = QDir(pasta).filePath(QStringLiteral("Cabecalho_Nimbora21.jpg"));
  if (!DesenharCabecalhoNimbora().save(arquivo, "JPG", 92)) {
    std::fprintf(stderr, "Não foi possível gravar %s\n", qPrintable(arquivo));
    return 1;
  }
  std::printf("%s\n", qPrintable(arquivo));
  return 0;
}
