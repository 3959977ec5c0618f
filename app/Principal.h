#pragma once
// The main window: a multiple-document frame that owns, for the whole run,
// the hillslope, the channel, the IDF component with the design storm, the
// unit settings and the project manager. It holds the menus, the toolbars and
// the status bar with the clock, reads the settings file at start-up and
// writes it when it closes.
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "idf/Nimbora21Comp.h"
#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "project/Configuracao.h"
#include "project/Unidades.h"
#include "project/gui/GerenteSys.h"
#include "toolkit/gui/DialogoArquivo.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTimer;
class QToolBar;
class QUrl;
class TFSobre;

#include "app/Sobre.h"

struct TOpcoesPrincipal {
  // Settings file; empty: "Caudalente.ini" in the program's folder (in the
  // user's settings folder when the program's folder cannot be written).
  QString ArquivoConfiguracao;
  // Folder standing for the program's folder (dialogs, new projects, web
  // pages); empty: the folder of the program file.
  QString PastaPrograma;
  // The splash screen at start-up; tests leave it out.
  bool MostrarAbertura = true;
};

class TFPrincipal : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFPrincipal(const TOpcoesPrincipal& opcoes = TOpcoesPrincipal(), QWidget* parent = nullptr);
  ~TFPrincipal() override;

  static const QString TituloPrograma;  // CAUDALENTE_TITULO (toolkit/Versao.h)

  // Help topics of the menus.
  enum : int {
    AjudaProjeto = 1310,
    AjudaEntradaDados = 1320,
    AjudaConfiguracoes = 1330,
    AjudaFerramentas = 1340,
    AjudaJanelas = 1350,
    AjudaAjuda = 1360
  };

  // Model objects of the whole run.
  TEncostaCinematicaSecoes& Encosta() { return *encosta_; }
  TCanalCinematico& Canal() { return *canal_; }
  TNimbora21 Nimbora1;
  TUnidades Unidades;
  // The numerical method of the traces, from the settings file.
  TMetodoNumerico MetodoNumerico = TMetodoNumerico::Original;
  TGerenteSys* GerenteSys1;

  // Dialogs.
  toolkit::gui::TDialogoArquivo DAbrirProjetos{toolkit::gui::TDialogoArquivo::Tipo::Abrir};
  toolkit::gui::TDialogoArquivo DSalvarComo{toolkit::gui::TDialogoArquivo::Tipo::Salvar};
  toolkit::gui::TDialogoArquivo DHidros{toolkit::gui::TDialogoArquivo::Tipo::Abrir};
  // Each converter keeps its own caption and last choice.
  toolkit::gui::TDialogoArquivo DConverterTexto{toolkit::gui::TDialogoArquivo::Tipo::Abrir};
  toolkit::gui::TDialogoArquivo DConverterBinario{toolkit::gui::TDialogoArquivo::Tipo::Abrir};

  // Workspace, menus, toolbars, status bar.
  QMdiArea* Workspace;
  QMenu* MArquivo;
  QAction *MNovo, *MAbrir, *MSalvar, *MSalvarComo, *MFechar, *MSair;
  QAction* Projeto[4];  // Projeto1..Projeto4
  QAction* MEntradaDados;
  QMenu* Configuraes1;
  QAction *MConfSistema, *MConfigImpres;
  QMenu* Ferramentas1;
  QAction *LerArquivoBinario, *Bin2Txt, *Txt2Bin, *Calculadora1;
  QAction* PaginaWeb[4];  // PaginaWeb1..PaginaWeb4
  QMenu* MJanelas;
  QAction *MCascata, *MLadoaLado, *MMinimizadas, *MArranjarIcones;
  QMenu* MAjuda;
  QAction *MConteudo, *MObterAjuda, *MSobreoCaudalentes;

  QToolBar *Toolbar971, *Toolbar972, *Toolbar973, *Toolbar974, *Toolbar975, *Toolbar976;
  QAction *BtnNovo, *BtnAbrir, *BtnSalvar, *BSalvarComo, *BFechar;
  QAction *ToolbarButton971, *BtnConfigImpres, *BtnImprimir;
  QAction *BtnSobre, *BtnAjuda;
  QAction *ToolbarButton974, *ToolbarButton973;
  QAction* BVisualizar;
  QAction* BPaginaWeb[4];

  QStatusBar* BarraHints;
  QLabel* Painel0;        // hints
  QLabel* PainelRelogio;  // clock
  QTimer* Timer1;
  // Progress display of the file tools, while one runs.
  QProgressBar* BarraProgresso = nullptr;
  QLabel* TextoProgresso = nullptr;
  QLabel* ArquivoProgresso = nullptr;

  // Path of the settings file in use.
  QString ArquivoConfiguracao() const { return arquivoConfiguracao_; }
  QString PastaPrograma() const { return pastaPrograma_; }

  // Web pages 1..4 (institution, department, group, program): local file and
  // the address shown to the user.
  QString ArquivoPagina(int pagina) const;
  QString EnderecoPagina(int pagina) const;
  // How a page is opened; tests replace it. Default: the desktop's browser
  // (AbrirNoNavegador). False when it could not be opened.
  std::function<bool(const QUrl&)> AbrirUrl;
  // Opens the address with the desktop's opener; a browser that fails to
  // start later is reported when the opener gives up.
  bool AbrirNoNavegador(const QUrl& url);
  // Programs tried in turn by the calculator command.
  QStringList Calculadoras;

  // The about box's links to this window.
  TLigacoesSobre LigacoesSobre();

  // The project named on the command line ("caudalente PROJETO.cdt", as file
  // managers start it): the first argument that is not an option, as a full
  // path; empty when there is none. A "file:" address is taken as its file.
  static QString ProjetoDosArgumentos(const QStringList& argumentos);
  // Opens that project as a recent entry is opened: a missing or unreadable
  // file is said so and the program stays without a project.
  void AbrirProjetoInicial(const QString& caminho);

 public slots:
  void MNovoClick();
  void MAbrirClick();
  void Projeto1Click(int tag);
  void MSalvarClick();
  void MSalvarComoClick();
  void MFecharClick();
  void MSairClick();
  void MConfigImpresClick();
  void MConfSistemaClick();
  void MCascataClick(int tag);
  void MConteudoClick(int tag);
  void MSobreoCaudalentesClick();
  void Timer1Timer();
  void Calculadora1Click();
  void PaginaWebClick(int tag);
  void BVisualizarClick();
  void Txt2BinClick(bool paraBinario);

  // Project events of GerenteSys1.
  void GerenteSys1ZerarVariaveis();
  void GerenteSys1LerArquivo(bool& leuCerto);
  void GerenteSys1EscreverArquivo();
  void GerenteSys1AbilitarCampos();
  void GerenteSys1DesabilitarCampos();
  void GerenteSys1LerCamposDados();
  void GerenteSys1LimparCamposDados();
  void GerenteSys1PreencherCamposDados();
  // Unit refresh of the data-entry window.
  void AtualizarUnidadeDeclividade();
  void AtualizarUnidadeVI();

  // Recent-file captions "&k/ " + file name.
  void AtualizarMenuRecentes();

  // Progress of the file tools on the status bar: a bar with the share of
  // files done, the command's text and the file in work.
  void MostrarProgresso(const QString& texto);
  void RemoverProgresso();

 protected:
  bool event(QEvent* evento) override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void resizeEvent(QResizeEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  // Menus and toolbars, from the tables of MenusPrincipal.cpp.
  void CriarMenus();
  void CriarBarras();
  // Every command runs through the central error box.
  void Ligar(QAction* acao, std::function<void()> comando);
  void CriarBarraStatus();
  void FormResize();
  void LerConfiguracao();
  void GravarConfiguracao();
  TConfiguracao::TRecentes Recentes() const;
  void HabilitarProjeto(bool habilitar);
  // Runs passo(i) on each file i of a file tool under the progress of the
  // status bar and the wait cursor, the window disabled; all of it is put
  // back even when a step throws.
  void PorArquivo(const QString& texto, const QStringList& arquivos, const std::function<void(int)>& passo);
  void MontarMenuJanelas();
  // The Estado of the units dialog's list as an index of the IDF database's
  // state table.
  int16_t IndiceEstadoPadrao() const;

  QString arquivoConfiguracao_;
  QString pastaPrograma_;
  std::unique_ptr<TEncostaCinematicaSecoes> encosta_;
  std::unique_ptr<TCanalCinematico> canal_;
  QAction* separadorJanelas_ = nullptr;
  QPointer<TFSobre> abertura_;  // the splash screen while it is shown
};

// The one main window, set while it exists.
extern TFPrincipal* FPrincipal;
