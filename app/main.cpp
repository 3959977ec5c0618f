// Program entry: the application object and the main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Caudalente"));
  QMainWindow janela;
  janela.setWindowTitle(QStringLiteral("Caudalente 2.1"));
  janela.resize(900, 600);
  janela.show();
  return app.exec();
}
