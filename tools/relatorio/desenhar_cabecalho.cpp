// Draws the results report's banner:
//   desenhar-cabecalho [ARQUIVO]     (default: data/Cabecalho.jpg)
// The JPEG is committed and copied beside the program at build time; rerun
// after changing the drawing. Runs without a display.
#include <QGuiApplication>
#include <cstdio>

#include "reports/uRelatorioCaudalente.h"

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString arquivo = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/Cabecalho.jpg");
  if (!DesenharCabecalho().save(arquivo, "JPG", 92)) {
    std::fprintf(stderr, "Não foi possível gravar %s\n", qPrintable(arquivo));
    return 1;
  }
  std::printf("%s\n", qPrintable(arquivo));
  return 0;
}
