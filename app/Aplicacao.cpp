#include "app/Aplicacao.h"

#include <QLibraryInfo>
#include <QTranslator>

#include "toolkit/gui/Mensagens.h"

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {
  // The toolkit's own dialogs (files, page set-up) in Portuguese when the
  // translations are installed; in English otherwise.
  auto* traducao = new QTranslator(this);
  if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    installTranslator(traducao);
}

bool TAplicacao::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    toolkit::gui::MostrarExcecao(std::current_exception());
  }
  return false;
}
