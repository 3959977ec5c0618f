#include "app/Aplicacao.h"

#include "toolkit/gui/Mensagens.h"

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {}

bool TAplicacao::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    toolkit::gui::MostrarExcecao(std::current_exception());
  }
  return false;
}
