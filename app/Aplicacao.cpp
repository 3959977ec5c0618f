#include "app/Aplicacao.h"

#include <QLibraryInfo>
#include <QTranslator>

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

bool TAplicacao::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    toolkit::gui::MostrarExcecao(std::current_exception());
  }
  return false;
}
