// Program entry: the application object with the central error handler, the
// main window, the message loop.
#include <QScreen>

#include "app/Aplicacao.h"
#include "app/ModeloMensagens.h"
#include "app/Principal.h"

int main(int argc, char* argv[]) {
  TAplicacao app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Caudalente"));
  TMensagensDoModeloNaTela mensagens;
  TFPrincipal janela;
  // Opens maximised; the geometry also serves desktops without a window manager.
  if (const QScreen* tela = QGuiApplication::primaryScreen()) janela.setGeometry(tela->availableGeometry());
  janela.showMaximized();
  return app.exec();
}
