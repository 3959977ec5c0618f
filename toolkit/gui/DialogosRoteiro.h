#pragma once
// Test double of the file-dialog service: each Execute takes the next scripted
// choice (a list of paths, or an empty list for Cancel) and records the
// dialog's title and kind. Install it with toolkit::gui::DefinirDialogos(&roteiro).
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "toolkit/gui/DialogoArquivo.h"

namespace toolkit::gui {

class TDialogosRoteiro : public IServicoDialogos {
 public:
  struct TExecucao {
    TDialogoArquivo::Tipo tipo;
    QString titulo;
    QString arquivoSugerido;
  };

  std::deque<QStringList> escolhas;  // empty entry or empty queue: Cancel
  std::vector<TExecucao> execucoes;

  bool Executar(TDialogoArquivo& dialogo, QStringList& escolhidos, int& indiceFiltro) override {
    execucoes.push_back({dialogo.tipo(), dialogo.Title, dialogo.FileName});
    if (escolhas.empty()) return false;
    escolhidos = escolhas.front();
    escolhas.pop_front();
    indiceFiltro = dialogo.FilterIndex;
    return !escolhidos.isEmpty();
  }
};

}  // namespace toolkit::gui
