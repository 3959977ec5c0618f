#include "project/gui/GerenteSys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "toolkit/gui/Mensagens.h"

using toolkit::gui::Botoes;
using toolkit::gui::Resposta;

TGerenteSys::TGerenteSys(QObject* parent) : QObject(parent) {}

QString TGerenteSys::Recente(int k) const {
  return (k >= 1 && k <= 4) ? recentes_[static_cast<size_t>(k - 1)] : QString();
}

void TGerenteSys::DefinirRecente(int k, const QString& caminho) {
  if (k >= 1 && k <= 4) recentes_[static_cast<size_t>(k - 1)] = caminho;
}

void TGerenteSys::Notificar(const TNotificacao& evento) {
  if (evento) evento(this);
}

void TGerenteSys::DefinirTitulo(const QString& titulo) {
  if (Janela) Janela->setWindowTitle(titulo);
}

QString TGerenteSys::NomeDefaultEntreAspas() const {
  return QLatin1Char('"') + NomeDefault + QLatin1Char('"');
}

void TGerenteSys::ZerarVariaveis() {
  Alterado = false;
  projetoAberto_ = false;
  podeGravar_ = false;
  Notificar(OnZerarVariaveis);
}

void TGerenteSys::AtualizarRecentes() {
  auto igual = [this](int i) {
    return QString::compare(PathProjeto, recentes_[static_cast<size_t>(i)], Qt::CaseInsensitive) == 0;
  };
  if (igual(0)) return;
  if (igual(1)) {
    recentes_[1] = recentes_[0];
  } else if (igual(2)) {
    recentes_[2] = recentes_[1];
    recentes_[1] = recentes_[0];
  } else {
    recentes_[3] = recentes_[2];
    recentes_[2] = recentes_[1];
    recentes_[1] = recentes_[0];
  }
  recentes_[0] = PathProjeto;
}

// Asks whether to save the changes. A save that does not go through (the Save
// As dialog cancelled, say) stops the operation as Cancel does, so that the
// changes the user wanted to keep are not thrown away.
TGerenteSys::Prompt TGerenteSys::PerguntarSalvar(const QString& pergunta) {
  switch (toolkit::gui::Perguntar(pergunta + NomeProjeto, Botoes::SimNaoCancelar)) {
    case Resposta::Sim:
      return Salvar() ? Prompt::Seguir : Prompt::Cancelar;
    case Resposta::Nao:
      return Prompt::Seguir;
    default:
      return Prompt::Cancelar;
  }
}

bool TGerenteSys::Novo() {
  if (Alterado && projetoAberto_ &&
      PerguntarSalvar(QStringLiteral("Deseja Salvar as Alterações em ")) == Prompt::Cancelar)
    return false;
  ZerarVariaveis();
  Notificar(OnAbilitarCampos);
  Notificar(OnLimparCamposDados);
  projetoAberto_ = true;
  podeGravar_ = true;
  Alterado = false;
  NomeProjeto = NomeDefaultEntreAspas();
  const QString pasta = PastaPrograma.isEmpty() ? QCoreApplication::applicationDirPath() : PastaPrograma;
  PathProjeto = pasta + QLatin1Char('/') + NomeDefault;
  DefinirTitulo(TituloPrograma + QStringLiteral(" (") + NomeProjeto + QLatin1Char(')'));
  return true;
}

bool TGerenteSys::Abrir() {
  if (Alterado && projetoAberto_ &&
      PerguntarSalvar(QStringLiteral("Deseja salvar as alterações em ")) == Prompt::Cancelar)
    return false;
  if (!OpenDialog || !OpenDialog->Execute()) return false;
  return Ler(OpenDialog->FileName);
}

bool TGerenteSys::AbrirArquivo(const QString& caminho) {
  if (caminho.isEmpty()) return false;
  // A recent project that has gone is said so and leaves the list; the open
  // project stays as it is.
  if (!QFileInfo(caminho).isFile()) {
    RemoverRecente(caminho);
    toolkit::gui::MostrarErro(QStringLiteral("O arquivo ") + QDir::toNativeSeparators(caminho) +
                              QStringLiteral(" não existe."));
    return false;
  }
  if (Alterado && projetoAberto_ &&
      PerguntarSalvar(QStringLiteral("Deseja salvar as alterações em ")) == Prompt::Cancelar)
    return false;
  return Ler(caminho);
}

// The model is cleared before it is read, so a read that fails leaves no
// project open: the user is told why (the reader's error, or the message
// below when the reader only says no), never left with a silently closed
// project.
bool TGerenteSys::Ler(const QString& caminho) {
  Notificar(OnLimparCamposDados);
  ZerarVariaveis();
  const QString antigo = PathProjeto;
  PathProjeto = caminho;
  leuCerto_ = false;
  try {
    if (OnLerArquivo) OnLerArquivo(this, leuCerto_);
  } catch (...) {
    NaoLeu(antigo);
    throw;
  }
  if (!leuCerto_) {
    NaoLeu(antigo);
    toolkit::gui::MostrarErro(QStringLiteral("O projeto ") + QFileInfo(caminho).fileName() +
                              QStringLiteral(" não pôde ser lido."));
    return false;
  }
  NomeProjeto = QFileInfo(PathProjeto).fileName();
  DefinirTitulo(TituloPrograma + QStringLiteral(" ('") + NomeProjeto + QStringLiteral("')"));
  // With its folder, so that Save As starts where the project is.
  if (SaveDialog) SaveDialog->FileName = PathProjeto;
  AtualizarRecentes();
  podeGravar_ = true;
  Notificar(OnAbilitarCampos);
  projetoAberto_ = true;
  Alterado = false;
  Notificar(OnPreencherCamposDados);
  return true;
}

void TGerenteSys::NaoLeu(const QString& caminhoAntigo) {
  PathProjeto = caminhoAntigo;
  ZerarVariaveis();
  DefinirTitulo(TituloPrograma);
  Notificar(OnDesabilitarCampos);
}

void TGerenteSys::RemoverRecente(const QString& caminho) {
  for (std::size_t i = 0; i < recentes_.size(); ++i) {
    if (QString::compare(recentes_[i], caminho, Qt::CaseInsensitive) != 0) continue;
    for (std::size_t j = i; j + 1 < recentes_.size(); ++j) recentes_[j] = recentes_[j + 1];
    recentes_.back().clear();
    return;
  }
}

bool TGerenteSys::Salvar() {
  if (NomeProjeto == NomeDefaultEntreAspas()) return SalvarComo();
  bool resultado = false;
  if (podeGravar_) {
    projetoAberto_ = true;
    Alterado = false;
    try {
      Notificar(OnLerCamposDados);
      Notificar(OnEscreverArquivo);
    } catch (...) {
      // The file does not hold the data: closing must still ask.
      Alterado = true;
      throw;
    }
    resultado = true;
  }
  AtualizarRecentes();
  return resultado;
}

// A store that fails (a folder that cannot be written) leaves the project
// under its old name, so that the next Save and Close's question are about
// the file the project really is in.
void TGerenteSys::Armazenar(const QString& caminho) {
  const QString nomeAntigo = NomeProjeto;
  const QString pathAntigo = PathProjeto;
  const bool podiaGravar = podeGravar_;
  NomeProjeto = QFileInfo(caminho).fileName();
  PathProjeto = caminho;
  podeGravar_ = true;
  try {
    Salvar();
  } catch (...) {
    NomeProjeto = nomeAntigo;
    PathProjeto = pathAntigo;
    podeGravar_ = podiaGravar;
    throw;
  }
}

bool TGerenteSys::SalvarComo() {
  if (!SaveDialog) return false;
  SaveDialog->Title = QStringLiteral("Salvar Como");
  if (!SaveDialog->Execute()) return false;
  const QString escolhido = SaveDialog->FileName;
  if (!QFileInfo::exists(escolhido)) {
    Armazenar(escolhido);
  } else if (toolkit::gui::Perguntar(QStringLiteral("Arquivo já existente. Deseja substituir?"),
                                     Botoes::SimNao) == Resposta::Sim) {
    Notificar(OnLerCamposDados);
    Armazenar(escolhido);
  } else {
    // Choose again; the outcome is that of the new choice, so a cancelled
    // second dialog is not reported as a save.
    return SalvarComo();
  }
  DefinirTitulo(TituloPrograma + QStringLiteral(" ('") + NomeProjeto + QStringLiteral("')"));
  AtualizarRecentes();
  return true;
}

bool TGerenteSys::Fechar() {
  if (Alterado) {
    switch (toolkit::gui::Perguntar(QStringLiteral("Deseja salvar as alterações em ") + NomeProjeto,
                                    Botoes::SimNaoCancelar)) {
      case Resposta::Sim:
        if (!Salvar()) return false;
        AtualizarRecentes();
        Notificar(OnLerCamposDados);
        break;
      case Resposta::Nao:
        DefinirTitulo(TituloPrograma);
        break;
      default:
        return false;
    }
  }
  Notificar(OnLimparCamposDados);
  ZerarVariaveis();
  Notificar(OnDesabilitarCampos);
  Alterado = false;
  projetoAberto_ = false;
  return true;
}
