#pragma once
// The application object with the program's one central error handler: an
// exception raised by any event handler ends up in an error box (see
// toolkit::gui::MostrarExcecao) and the program goes on.
#include <QApplication>

class TAplicacao : public QApplication {
 public:
  TAplicacao(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};
