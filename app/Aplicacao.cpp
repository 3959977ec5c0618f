#include "app/Aplicacao.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <iostream>
#include <string>

#include "toolkit/gui/Mensagens.h"

namespace {

// Texts of the file dialogs that the toolkit's Portuguese translation lacks
// (the kind of an entry in the file list).
class TTraducaoComplementar : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* contexto, const char* texto, const char* /*desambiguacao*/,
                    int /*n*/) const override {
    if (qstrcmp(contexto, "QAbstractFileIconProvider") != 0) return QString();
    if (qstrcmp(texto, "Folder") == 0) return QStringLiteral("Pasta");
    if (qstrcmp(texto, "Drive") == 0) return QStringLiteral("Unidade");
    if (qstrcmp(texto, "Unknown") == 0) return QStringLiteral("Desconhecido");
    return QString();
  }
};

}  // namespace

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {
  // The toolkit's own dialogs (files, page set-up) in Portuguese when the
  // translations are installed; in English otherwise.
  auto* traducao = new QTranslator(this);
  if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(new TTraducaoComplementar(this));
    installTranslator(traducao);
  }
}

// The last resort: every handler that can throw runs through Protegido, so
// an exception that gets here is a handler that forgot it. It is logged, so
// that it can be found and mended, and shown as any other error.
bool TAplicacao::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    const std::exception_ptr excecao = std::current_exception();
    std::string texto = "(exceção sem mensagem)";
    try {
      std::rethrow_exception(excecao);
    } catch (const std::exception& e) {
      texto = e.what();
    } catch (...) {
    }
    std::cerr << "Caudalente: exceção não tratada por um comando ("
              << (receiver ? receiver->metaObject()->className() : "?") << "): " << texto << std::endl;
    toolkit::gui::MostrarExcecao(excecao);
  }
  return false;
}
