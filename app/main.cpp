// Program entry: the application object with the central error handler, the
// main window (with the project named on the command line), the message loop.
#include <QScreen>
#include <QTimer>
#include <cstdio>

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
  // A project named on the command line opens once the window is up, so that
  // a message about it has the window behind it.
  const QString projeto = TFPrincipal::ProjetoDosArgumentos(QCoreApplication::arguments());
  QTimer::singleShot(0, &janela, [&janela, projeto] { janela.AbrirProjetoInicial(projeto); });
  // --verificar: once the window is up with its project, print its title and
  // end; an installed copy is checked this way without a display or a wait.
  if (QCoreApplication::arguments().contains(QStringLiteral("--verificar")))
    QTimer::singleShot(0, &janela, [&janela] {
      std::printf("%s\n", janela.windowTitle().toUtf8().constData());
      QCoreApplication::quit();
    });
  return app.exec();
}
