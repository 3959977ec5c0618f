#include "toolkit/gui/DialogoArquivo.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeView>

#include "toolkit/gui/Mensagens.h"

namespace toolkit::gui {

namespace {

class TDialogosPadrao : public IServicoDialogos {
 public:
  bool Executar(TDialogoArquivo& d, QStringList& escolhidos, int& indiceFiltro) override {
    // A file name with its folder (the last choice) opens the dialog in that
    // folder; a bare name, in the initial folder.
    QString pasta = d.InitialDir;
    const QFileInfo sugerido(d.FileName);
    if (!d.FileName.isEmpty() && sugerido.isAbsolute() && sugerido.absoluteDir().exists())
      pasta = sugerido.absolutePath();
    QFileDialog dialogo(d.Parent, d.Title, pasta);
    // Room for the size, kind and date columns without cutting them.
    dialogo.resize(dialogo.sizeHint().expandedTo(QSize(820, 500)));
    if (auto* lista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
      const int larguras[] = {260, 100, 150, 170};
      for (int coluna = 0; coluna < 4; ++coluna) lista->header()->resizeSection(coluna, larguras[coluna]);
    }
    const QStringList filtros = d.FiltrosQt();
    dialogo.setNameFilters(filtros);
    if (d.FilterIndex >= 1 && d.FilterIndex <= filtros.size())
      dialogo.selectNameFilter(filtros.at(d.FilterIndex - 1));
    // A name typed without extension takes the extension of the filter in
    // view, not the first filter's.
    dialogo.setDefaultSuffix(d.ExtensaoDoFiltro(d.FilterIndex));
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                     [&dialogo, &d, filtros](const QString& f) {
                       dialogo.setDefaultSuffix(d.ExtensaoDoFiltro(filtros.indexOf(f) + 1));
                     });
    if (d.tipo() == TDialogoArquivo::Tipo::Salvar) {
      dialogo.setAcceptMode(QFileDialog::AcceptSave);
      dialogo.setFileMode(QFileDialog::AnyFile);
      if (!d.OverwritePrompt) dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
      dialogo.setAcceptMode(QFileDialog::AcceptOpen);
      dialogo.setFileMode(d.AllowMultiSelect
                              ? QFileDialog::ExistingFiles
                              : (d.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    }
    dialogo.setOption(QFileDialog::ReadOnly, false);
    if (!d.FileName.isEmpty()) dialogo.selectFile(QFileInfo(d.FileName).fileName());
    for (;;) {
      if (dialogo.exec() != QDialog::Accepted) return false;
      escolhidos = dialogo.selectedFiles();
      if (escolhidos.isEmpty()) return false;
      // The toolkit's dialog accepts a typed name in a folder that does not
      // exist; the file could not be written there.
      const QDir destino = QFileInfo(escolhidos.first()).absoluteDir();
      if (d.tipo() == TDialogoArquivo::Tipo::Abrir || destino.exists()) break;
      Informar(QStringLiteral("A pasta ") + QDir::toNativeSeparators(destino.path()) +
               QStringLiteral(" não existe. Verifique se o caminho foi digitado corretamente."));
    }
    indiceFiltro = filtros.indexOf(dialogo.selectedNameFilter()) + 1;
    return true;
  }
};

// Set by DefinirDialogos (tests only), read by Dialogos().
IServicoDialogos* servicoAtual = nullptr;

}  // namespace

IServicoDialogos& Dialogos() {
  static TDialogosPadrao padrao;
  return servicoAtual ? *servicoAtual : padrao;
}

void DefinirDialogos(IServicoDialogos* servico) {
  servicoAtual = servico;
}

QStringList TDialogoArquivo::FiltrosQt() const {
  QStringList filtros;
  const QStringList partes = Filter.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < partes.size(); i += 2) {
    const QString descricao = partes.at(i);
    QString padroes = partes.at(i + 1);
    padroes.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses; keep a description that
    // already shows them, add them otherwise.
    if (descricao.contains(QLatin1Char('(')))
      filtros << descricao;
    else
      filtros << descricao + QStringLiteral(" (") + padroes + QLatin1Char(')');
  }
  return filtros;
}

QString TDialogoArquivo::ExtensaoDoFiltro(int indice) const {
  const QStringList partes = Filter.split(QLatin1Char('|'));
  const int i = 2 * indice - 1;
  if (indice >= 1 && i < partes.size()) {
    static const QRegularExpression umaExtensao(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
    const QRegularExpressionMatch m = umaExtensao.match(partes.at(i).trimmed());
    if (m.hasMatch()) return m.captured(1);
  }
  return DefaultExt;
}

QString TDialogoArquivo::ComExtensaoPadrao(const QString& caminho) const {
  const QString extensao = ExtensaoDoFiltro(FilterIndex);
  if (extensao.isEmpty() || !QFileInfo(caminho).suffix().isEmpty()) return caminho;
  // A file chosen to be opened is taken as it is named.
  if (tipo_ == Tipo::Abrir && QFileInfo(caminho).isFile()) return caminho;
  return caminho + QLatin1Char('.') + extensao;
}

bool TDialogoArquivo::Execute() {
  QStringList escolhidos;
  int indice = FilterIndex;
  if (!Dialogos().Executar(*this, escolhidos, indice)) return false;
  if (indice >= 1) FilterIndex = indice;
  Files.clear();
  for (const QString& c : escolhidos) Files << ComExtensaoPadrao(c);
  FileName = Files.value(0);
  return true;
}

}  // namespace toolkit::gui
