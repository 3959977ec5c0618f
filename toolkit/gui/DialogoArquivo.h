#pragma once
// Open and save file dialogs as plain components (title, filter, default
// extension, initial folder, file name, options), run through a replaceable
// service so that tests can choose files without a window.
#include <QString>
#include <QStringList>

class QWidget;

namespace toolkit::gui {

class TDialogoArquivo;

class IServicoDialogos {
 public:
  virtual ~IServicoDialogos() = default;
  // Shows the dialog; on acceptance fills `escolhidos` (full paths) and
  // `indiceFiltro` and returns true.
  virtual bool Executar(TDialogoArquivo& dialogo, QStringList& escolhidos, int& indiceFiltro) = 0;
};

IServicoDialogos& Dialogos();
void DefinirDialogos(IServicoDialogos* servico);  // nullptr: standard dialogs again

class TDialogoArquivo {
 public:
  enum class Tipo { Abrir, Salvar };

  explicit TDialogoArquivo(Tipo tipo = Tipo::Abrir) : tipo_(tipo) {}

  Tipo tipo() const { return tipo_; }

  QString Title;
  // Pairs "description|pattern|description|pattern", e.g.
  // "Arquivo do Caudalente (*.cdt)|*.cdt".
  QString Filter;
  int FilterIndex = 1;  // 1-based, as chosen last
  QString DefaultExt;   // without the dot; added when the typed name has none
  QString InitialDir;
  QString FileName;   // suggested name before, chosen path after Execute
  QStringList Files;  // every chosen path after Execute
  bool AllowMultiSelect = false;
  bool FileMustExist = false;
  bool OverwritePrompt = false;
  QWidget* Parent = nullptr;

  // Runs the dialog; true when the user chose a file.
  bool Execute();

  // Qt name filters ("Arquivo do Caudalente (*.cdt)") made from Filter.
  QStringList FiltrosQt() const;
  // The extension of filter `indice` (1-based) when it is one plain "*.ext"
  // pattern, else DefaultExt.
  QString ExtensaoDoFiltro(int indice) const;
  // The chosen name with the chosen filter's extension appended when it has
  // none (an existing file chosen to be opened is kept as named).
  QString ComExtensaoPadrao(const QString& caminho) const;

 private:
  Tipo tipo_;
};

}  // namespace toolkit::gui
