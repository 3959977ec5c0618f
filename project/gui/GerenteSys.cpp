#include "project/gui/GerenteSys.h"

#include <QCoreApplication>
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
  Notificar(OnLimparCamposDados);
  ZerarVariaveis();
  const QString antigo = PathProjeto;
  PathProjeto = OpenDialog->FileName;
  leuCerto_ = false;
  if (OnLerArquivo) OnLerArquivo(this, leuCerto_);
  if (!leuCerto_) {
    PathProjeto = antigo;
    // The model has been cleared: the old project is no longer shown.
    DefinirTitulo(TituloPrograma);
    Notificar(OnDesabilitarCampos);
    return false;
  }
  NomeProjeto = QFileInfo(PathProjeto).fileName();
  DefinirTitulo(TituloPrograma + QStringLiteral(" ('") + NomeProjeto + QStringLiteral("')"));
  if (SaveDialog) SaveDialog->FileName = NomeProjeto;
  AtualizarRecentes();
  podeGravar_ = true;
  Notificar(OnAbilitarCampos);
  projetoAberto_ = true;
  Alterado = false;
  Notificar(OnPreencherCamposDados);
  return true;
}

bool TGerenteSys::AbrirArquivo(const QString& caminho) {
  if (Alterado && projetoAberto_ &&
      PerguntarSalvar(QStringLiteral("Deseja salvar as alterações em ")) == Prompt::Cancelar)
    return false;
  const QString antigo = PathProjeto;
  PathProjeto = caminho;
  NomeProjeto = QFileInfo(caminho).fileName();
  try {
    Notificar(OnLimparCamposDados);
    ZerarVariaveis();
    leuCerto_ = false;
    if (OnLerArquivo) OnLerArquivo(this, leuCerto_);
    if (leuCerto_) {
      Notificar(OnAbilitarCampos);
      projetoAberto_ = true;
      podeGravar_ = true;
      Alterado = false;
      DefinirTitulo(TituloPrograma + QStringLiteral(" ('") + NomeProjeto + QStringLiteral("')"));
      AtualizarRecentes();
      Notificar(OnPreencherCamposDados);
      return true;
    }
  } catch (...) {
    // A recent entry that cannot be read just does not open, without a message.
  }
  PathProjeto = antigo;
  // The model has been cleared: the old project is no longer shown.
  DefinirTitulo(TituloPrograma);
  try {
    Notificar(OnDesabilitarCampos);
  } catch (...) {
  }
  return false;
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

void TGerenteSys::Armazenar(const QString& caminho) {
  NomeProjeto = QFileInfo(caminho).fileName();
  PathProjeto = caminho;
  podeGravar_ = true;
  Salvar();
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
