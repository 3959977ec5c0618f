#pragma once
// The New / Open / Save / Save As / Close cycle of a document-centred program.
// Knows nothing of the document: it keeps the project's name, path and change
// flag, the four most recent projects, asks whether to save, sets the main
// window's caption and raises events through which its owner clears, reads,
// writes and shows the data. Each event is raised only when assigned.
#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "toolkit/gui/DialogoArquivo.h"

class QWidget;

class TGerenteSys : public QObject {
  Q_OBJECT

 public:
  using TNotificacao = std::function<void(QObject* sender)>;
  using TNotificacaoLeitura = std::function<void(QObject* sender, bool& leuCerto)>;

  explicit TGerenteSys(QObject* parent = nullptr);

  toolkit::gui::TDialogoArquivo* OpenDialog = nullptr;
  toolkit::gui::TDialogoArquivo* SaveDialog = nullptr;
  QWidget* Janela = nullptr;  // window whose caption the operations set
  QString TituloPrograma;
  QString NomeProjeto;
  QString PathProjeto;
  bool Alterado = false;
  QString NomeDefault;
  // Folder of a new project's default file; empty: the program's folder.
  QString PastaPrograma;

  TNotificacao OnZerarVariaveis;
  TNotificacaoLeitura OnLerArquivo;
  TNotificacao OnEscreverArquivo;
  TNotificacao OnAbilitarCampos;
  TNotificacao OnDesabilitarCampos;
  TNotificacao OnLerCamposDados;
  TNotificacao OnPreencherCamposDados;
  TNotificacao OnLimparCamposDados;

  bool ProjetoAberto() const { return projetoAberto_; }
  bool PodeGravar() const { return podeGravar_; }

  // Recent projects 1..4, most recent first; empty when there is none.
  QString Recente(int k) const;
  void DefinirRecente(int k, const QString& caminho);

  void ZerarVariaveis();
  // Puts PathProjeto at the head of the recent list (case-insensitive match).
  void AtualizarRecentes();

  // Each returns true when the operation went through; errors raised by the
  // events pass to the caller. An open that fails leaves no project open and
  // tells the user why: the reader's error, or "O projeto ... não pôde ser
  // lido." when the reader only answers false. AbrirArquivo (a recent entry)
  // first checks that the file is there: if not, it says so, drops the entry
  // and keeps the open project.
  bool Novo();
  bool Abrir();
  bool AbrirArquivo(const QString& caminho);
  bool Salvar();
  bool SalvarComo();
  bool Fechar();

 private:
  enum class Prompt { Cancelar, Seguir };
  Prompt PerguntarSalvar(const QString& pergunta);
  void Notificar(const TNotificacao& evento);
  void DefinirTitulo(const QString& titulo);
  QString NomeDefaultEntreAspas() const;
  void Armazenar(const QString& caminho);
  bool Ler(const QString& caminho);
  void NaoLeu(const QString& caminhoAntigo);
  void RemoverRecente(const QString& caminho);

  bool leuCerto_ = false;
  bool projetoAberto_ = false;
  bool podeGravar_ = false;
  std::array<QString, 4> recentes_;
};
