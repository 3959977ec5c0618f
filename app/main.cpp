// Program entry: the application object with the central error handler, the
// main window, the message loop.
#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "app/ModeloMensagens.h"

int main(int argc, char* argv[]) {
  TAplicacao app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Caudalente"));
  TMensagensDoModeloNaTela mensagens;
  TFPrincipal janela;
  janela.showMaximized();
  return app.exec();
}
