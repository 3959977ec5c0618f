#include "app/Principal.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "app/Icones.h"
#include "idf/UnBD.h"
#include "model/hillslope/uCaudalente.h"
#include "project/ArquivoProjeto.h"
#include "project/gui/ConfUnidades.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Versao.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Impressora.h"
#include "toolkit/gui/Mensagens.h"

TFPrincipal* FPrincipal = nullptr;

const QString TFPrincipal::TituloPrograma = QStringLiteral(CAUDALENTE_TITULO);

namespace {

using toolkit::gui::DefinirContextoAjuda;
using toolkit::gui::Protegido;

// Help topics of the menus.
constexpr int kAjudaProjeto = 1310;
constexpr int kAjudaEntradaDados = 1320;
constexpr int kAjudaConfiguracoes = 1330;
constexpr int kAjudaFerramentas = 1340;
constexpr int kAjudaJanelas = 1350;
constexpr int kAjudaAjuda = 1360;

constexpr int kLarguraRelogio = 80;

// The four web pages: owner (with its article), caption's access key, file.
struct TPagina {
  const char* dono;
  const char* legenda;
  const char* arquivo;
};
const TPagina kPaginas[4] = {
    {"da Universidade", "da &Universidade", "universidade.html"},
    {"do Departamento de Engenharia Agrícola", "do &Departamento de Engenharia Agrícola",
     "departamento.html"},
    {"da Equipe Caudalente", "da &Equipe Caudalente", "equipe.html"},
    {"do Caudalente", "do &Caudalente", "caudalente.html"},
};

QString U(const char* texto) {
  return QString::fromUtf8(texto);
}

std::string Local(const QString& caminho) {
  return caminho.toStdString();
}

// The settings file lives beside the program. An installed program's folder
// cannot be written by its users: there the file goes to the user's settings
// folder, so that the settings are kept and closing the program shows no error.
bool PastaGravavel(const QString& caminho) {
  const QFileInfo pasta(caminho);
  return pasta.isDir() && pasta.isWritable();
}

QString ArquivoConfiguracaoPadrao(const QString& pastaPrograma) {
  const QString aoLado = pastaPrograma + QStringLiteral("/Caudalente.ini");
  if (PastaGravavel(pastaPrograma)) return aoLado;
  const QString doUsuario = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (doUsuario.isEmpty() || !QDir().mkpath(doUsuario)) return aoLado;
  return doUsuario + QStringLiteral("/Caudalente.ini");
}

QAction* NovoItem(QWidget* dono, const QString& nome, const QString& texto, const QString& hint, int ajuda,
                  const QKeySequence& atalho = QKeySequence()) {
  auto* acao = new QAction(texto, dono);
  acao->setObjectName(nome);
  acao->setStatusTip(hint);
  acao->setProperty("contextoAjuda", ajuda);
  if (!atalho.isEmpty()) acao->setShortcut(atalho);
  return acao;
}

QAction* NovoBotao(QToolBar* barra, const QString& nome, const QString& icone, const QString& hint) {
  auto* acao = new QAction(Icone(icone), hint, barra);
  acao->setObjectName(nome);
  acao->setToolTip(hint);
  acao->setStatusTip(hint);
  barra->addAction(acao);
  return acao;
}

}  // namespace

TFPrincipal::TFPrincipal(const TOpcoesPrincipal& opcoes, QWidget* parent)
    : QMainWindow(parent),
      arquivoConfiguracao_(opcoes.ArquivoConfiguracao),
      pastaPrograma_(opcoes.PastaPrograma) {
  FPrincipal = this;
  setObjectName(QStringLiteral("FPrincipal"));
  setWindowTitle(QStringLiteral("Nome do Projeto"));
  // Every window and dialog of the program carries its icon.
  QApplication::setWindowIcon(Icone(QStringLiteral("programa")));
  setWindowIcon(QApplication::windowIcon());
  if (pastaPrograma_.isEmpty()) pastaPrograma_ = QCoreApplication::applicationDirPath();
  if (arquivoConfiguracao_.isEmpty()) arquivoConfiguracao_ = ArquivoConfiguracaoPadrao(pastaPrograma_);
  AbrirUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  Calculadoras = {
      QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
      QStringLiteral("mate-calc"),        QStringLiteral("xcalc"), QStringLiteral("qalculate-gtk")};

  Workspace = new QMdiArea(this);
  Workspace->setObjectName(QStringLiteral("Workspace"));
  Workspace->setBackground(QColor(128, 128, 128));
  Workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Workspace->viewport()->installEventFilter(this);
  setCentralWidget(Workspace);

  GerenteSys1 = new TGerenteSys(this);
  GerenteSys1->setObjectName(QStringLiteral("GerenteSys1"));
  GerenteSys1->OpenDialog = &DAbrirProjetos;
  GerenteSys1->SaveDialog = &DSalvarComo;
  GerenteSys1->Janela = this;
  GerenteSys1->TituloPrograma = TituloPrograma;
  GerenteSys1->Alterado = false;
  GerenteSys1->NomeDefault = QStringLiteral("Caudalente.cdt");
  GerenteSys1->PastaPrograma = pastaPrograma_;
  GerenteSys1->OnZerarVariaveis = [this](QObject*) { GerenteSys1ZerarVariaveis(); };
  GerenteSys1->OnLerArquivo = [this](QObject*, bool& leuCerto) { GerenteSys1LerArquivo(leuCerto); };
  GerenteSys1->OnEscreverArquivo = [this](QObject*) { GerenteSys1EscreverArquivo(); };
  GerenteSys1->OnAbilitarCampos = [this](QObject*) { GerenteSys1AbilitarCampos(); };
  GerenteSys1->OnDesabilitarCampos = [this](QObject*) { GerenteSys1DesabilitarCampos(); };
  GerenteSys1->OnLerCamposDados = [this](QObject*) { GerenteSys1LerCamposDados(); };
  GerenteSys1->OnPreencherCamposDados = [this](QObject*) { GerenteSys1PreencherCamposDados(); };
  GerenteSys1->OnLimparCamposDados = [this](QObject*) { GerenteSys1LimparCamposDados(); };

  DAbrirProjetos.DefaultExt = QStringLiteral("cdt");
  DAbrirProjetos.Filter = QStringLiteral("Arquivo do Caudalente (*.cdt)|*.cdt");
  DAbrirProjetos.FileMustExist = true;
  DAbrirProjetos.Parent = this;
  DSalvarComo.DefaultExt = QStringLiteral("cdt");
  DSalvarComo.Filter = QStringLiteral("Caudalentes|*.cdt");
  DSalvarComo.OverwritePrompt = true;
  DSalvarComo.Parent = this;
  DHidros.DefaultExt = QStringLiteral("bin");
  DHidros.Filter = QStringLiteral("Arquivo binário (*.bin)|*.bin|Arquivo texto (*.txt)|*.txt");
  DHidros.AllowMultiSelect = true;
  DHidros.FileMustExist = true;
  DHidros.Title = QStringLiteral("Visualizar caudalentes");
  DHidros.Parent = this;

  CriarMenus();
  CriarBarras();
  CriarBarraStatus();
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(60000);
  connect(Timer1, &QTimer::timeout, this, &TFPrincipal::Timer1Timer);
  resize(1000, 700);

  // Start-up.
  toolkit::gui::DefinirTituloAplicacao(TituloPrograma);
  if (opcoes.MostrarAbertura) abertura_ = TFSobre::MostrarAbertura(LigacoesSobre());
  if (toolkit::gui::PastaAjuda() == QCoreApplication::applicationDirPath() + QStringLiteral("/ajuda"))
    toolkit::gui::DefinirPastaAjuda(pastaPrograma_ + QStringLiteral("/ajuda"));
  toolkit::gui::InstalarTeclaF1();
  Timer1Timer();
  Timer1->start();
  FormResize();
  // Projects cannot be kept in an installed program's folder: there the
  // dialogs start in the user's home folder.
  const QString pastaDialogos = PastaGravavel(pastaPrograma_) ? pastaPrograma_ : QDir::homePath();
  DAbrirProjetos.InitialDir = pastaDialogos;
  DSalvarComo.InitialDir = pastaDialogos;
  DHidros.InitialDir = pastaDialogos;
  BtnSobre->setToolTip(QStringLiteral("Sobre o ") + TituloPrograma);
  BtnSobre->setStatusTip(BtnSobre->toolTip());
  Unidades.OnMudarDeclividade = [this] { AtualizarUnidadeDeclividade(); };
  Unidades.OnMudarVI = [this] { AtualizarUnidadeVI(); };
  LerConfiguracao();
  encosta_ = std::make_unique<TEncostaCinematicaSecoes>(std::string());
  canal_ = std::make_unique<TCanalCinematico>(std::string());
  MSobreoCaudalentes->setText(QStringLiteral("&Sobre o ") + TituloPrograma);
  setWindowTitle(TituloPrograma);
  GerenteSys1ZerarVariaveis();
}

TFPrincipal::~TFPrincipal() {
  // Child windows may still look at the model while they close.
  Workspace->closeAllSubWindows();
  if (FPrincipal == this) FPrincipal = nullptr;
}

void TFPrincipal::CriarMenus() {
  QMenuBar* barra = menuBar();
  barra->setObjectName(QStringLiteral("MainMenu1"));
  auto ligar = [this](QAction* acao, void (TFPrincipal::*handler)()) {
    connect(acao, &QAction::triggered, this, [this, handler] { Protegido([&] { (this->*handler)(); }); });
  };

  MArquivo = barra->addMenu(QStringLiteral("&Projeto"));
  MArquivo->setObjectName(QStringLiteral("MArquivo"));
  MArquivo->menuAction()->setStatusTip(QStringLiteral("Menu Projeto"));
  MArquivo->menuAction()->setProperty("contextoAjuda", kAjudaProjeto);
  MNovo = NovoItem(this, QStringLiteral("MNovo"), QStringLiteral("&Novo..."),
                   QStringLiteral("Cria um novo projeto"), kAjudaProjeto, QKeySequence(Qt::Key_F4));
  MAbrir =
      NovoItem(this, QStringLiteral("MAbrir"), QStringLiteral("&Abrir..."),
               QStringLiteral("Abre um projeto gravado em disco"), kAjudaProjeto, QKeySequence(Qt::Key_F3));
  MSalvar = NovoItem(this, QStringLiteral("MSalvar"), QStringLiteral("&Salvar"),
                     QStringLiteral("Salva o projeto atual em um arquivo em disco"), kAjudaProjeto,
                     QKeySequence(Qt::Key_F2));
  MSalvarComo =
      NovoItem(this, QStringLiteral("MSalvarComo"), QStringLiteral("Salvar &Como..."),
               QStringLiteral("Salva o projeto atual em um arquivo em disco com outro nome"), kAjudaProjeto);
  MFechar = NovoItem(this, QStringLiteral("MFechar"), QStringLiteral("&Fechar"),
                     QStringLiteral("Fecha o projeto atual"), kAjudaProjeto);
  MArquivo->addActions({MNovo, MAbrir, MSalvar, MSalvarComo, MFechar});
  MArquivo->addSeparator();
  for (int k = 1; k <= 4; ++k) {
    QAction* item = NovoItem(this, QStringLiteral("Projeto%1").arg(k), QStringLiteral("&%1/ ").arg(k),
                             QStringLiteral("Abre este arquivo"), kAjudaProjeto);
    item->setData(k);
    connect(item, &QAction::triggered, this, [this, k] { Protegido([&] { Projeto1Click(k); }); });
    MArquivo->addAction(item);
    Projeto[k - 1] = item;
  }
  MArquivo->addSeparator();
  MSair = NovoItem(this, QStringLiteral("MSair"), QStringLiteral("Sai&r"),
                   QStringLiteral("Finaliza a execução do " CAUDALENTE_TITULO), kAjudaProjeto,
                   QKeySequence(Qt::CTRL | Qt::Key_Z));
  MArquivo->addAction(MSair);
  ligar(MNovo, &TFPrincipal::MNovoClick);
  ligar(MAbrir, &TFPrincipal::MAbrirClick);
  ligar(MSalvar, &TFPrincipal::MSalvarClick);
  ligar(MSalvarComo, &TFPrincipal::MSalvarComoClick);
  ligar(MFechar, &TFPrincipal::MFecharClick);
  ligar(MSair, &TFPrincipal::MSairClick);

  MEntradaDados = NovoItem(this, QStringLiteral("MEntradaDados"), QStringLiteral("&Entrada de dados"),
                           QStringLiteral("Menu Entrada de dados"), kAjudaEntradaDados);
  barra->addAction(MEntradaDados);
  ligar(MEntradaDados, &TFPrincipal::GerenteSys1PreencherCamposDados);

  Configuraes1 = barra->addMenu(QStringLiteral("&Configurações"));
  Configuraes1->setObjectName(QStringLiteral("Configuraes1"));
  Configuraes1->menuAction()->setStatusTip(QStringLiteral("Menu Configurações"));
  Configuraes1->menuAction()->setProperty("contextoAjuda", kAjudaConfiguracoes);
  MConfSistema = NovoItem(this, QStringLiteral("MConfSistema"), QStringLiteral("&Configurar &Sistema"),
                          QStringLiteral("Configura as unidades do sistema"), kAjudaConfiguracoes);
  MConfigImpres =
      NovoItem(this, QStringLiteral("MConfigImpres"), QStringLiteral("Configurar &Impressora"),
               QStringLiteral("Efetual alterações nas configurações da impressora"), kAjudaConfiguracoes);
  Configuraes1->addActions({MConfSistema, MConfigImpres});
  ligar(MConfSistema, &TFPrincipal::MConfSistemaClick);
  ligar(MConfigImpres, &TFPrincipal::MConfigImpresClick);

  Ferramentas1 = barra->addMenu(QStringLiteral("&Ferramentas"));
  Ferramentas1->setObjectName(QStringLiteral("Ferramentas1"));
  Ferramentas1->menuAction()->setStatusTip(QStringLiteral("Menu Ferramentas"));
  Ferramentas1->menuAction()->setProperty("contextoAjuda", kAjudaFerramentas);
  LerArquivoBinario =
      NovoItem(this, QStringLiteral("LerArquivoBinario"), QStringLiteral("&Visualizar Caudalente"),
               QStringLiteral("Lê e exibe um caudalente gravado em um arquivo em disco"), kAjudaFerramentas);
  Bin2Txt = NovoItem(this, QStringLiteral("Bin2Txt"), QStringLiteral("Converter Arquivo &Binário para Texto"),
                     QStringLiteral("Lê um arquivo binário e gera um arquivo texto"), kAjudaFerramentas);
  Txt2Bin = NovoItem(this, QStringLiteral("Txt2Bin"), QStringLiteral("Converter Arquivo &Texto para Binário"),
                     QStringLiteral("Lê um arquivo texto e gera um arquivo binário"), kAjudaFerramentas);
  Ferramentas1->addAction(LerArquivoBinario);
  Ferramentas1->addSeparator();
  Ferramentas1->addActions({Bin2Txt, Txt2Bin});
  Ferramentas1->addSeparator();
  for (int k = 1; k <= 4; ++k) {
    const TPagina& pagina = kPaginas[k - 1];
    QAction* item = NovoItem(
        this, QStringLiteral("PaginaWeb%1").arg(k), QStringLiteral("Visitar página ") + U(pagina.legenda),
        QStringLiteral("Abre a página ") + U(pagina.dono) + QStringLiteral(" no navegador de internet"),
        kAjudaFerramentas);
    item->setData(k);
    connect(item, &QAction::triggered, this, [this, k] { Protegido([&] { PaginaWebClick(k); }); });
    Ferramentas1->addAction(item);
    PaginaWeb[k - 1] = item;
  }
  Ferramentas1->addSeparator();
  Calculadora1 = NovoItem(this, QStringLiteral("Calculadora1"), QStringLiteral("&Calculadora"),
                          QStringLiteral("Abre a calculadora do Windows"), kAjudaFerramentas);
  Ferramentas1->addAction(Calculadora1);
  ligar(LerArquivoBinario, &TFPrincipal::BVisualizarClick);
  connect(Bin2Txt, &QAction::triggered, this, [this] { Protegido([&] { Txt2BinClick(false); }); });
  connect(Txt2Bin, &QAction::triggered, this, [this] { Protegido([&] { Txt2BinClick(true); }); });
  ligar(Calculadora1, &TFPrincipal::Calculadora1Click);

  MJanelas = barra->addMenu(QStringLiteral("&Janelas"));
  MJanelas->setObjectName(QStringLiteral("MJanelas"));
  MJanelas->menuAction()->setStatusTip(QStringLiteral("Menu Janelas"));
  MJanelas->menuAction()->setProperty("contextoAjuda", kAjudaJanelas);
  MCascata = NovoItem(this, QStringLiteral("MCascata"), QStringLiteral("&Cascata"),
                      QStringLiteral("Posiciona as janelas em cascata"), kAjudaJanelas);
  MLadoaLado = NovoItem(this, QStringLiteral("MLadoaLado"), QStringLiteral("&Lado a Lado"),
                        QStringLiteral("Posiciona as janelas lado a lado"), kAjudaJanelas);
  MMinimizadas = NovoItem(this, QStringLiteral("MMinimizadas"), QStringLiteral("&Minimizadas"),
                          QStringLiteral("Minimiza as janelas"), kAjudaJanelas);
  MArranjarIcones = NovoItem(this, QStringLiteral("MArranjarIcones"), QStringLiteral("&Arranjar Ícones"),
                             QStringLiteral("Alinha os ícones das janelas minimizadas"), kAjudaJanelas);
  int tag = 0;
  for (QAction* item : {MCascata, MLadoaLado, MMinimizadas, MArranjarIcones}) {
    const int t = tag++;
    item->setData(t);
    connect(item, &QAction::triggered, this, [this, t] { Protegido([&] { MCascataClick(t); }); });
    MJanelas->addAction(item);
  }
  separadorJanelas_ = MJanelas->addSeparator();
  separadorJanelas_->setVisible(false);
  connect(MJanelas, &QMenu::aboutToShow, this, &TFPrincipal::MontarMenuJanelas);

  MAjuda = barra->addMenu(QStringLiteral("&Ajuda"));
  MAjuda->setObjectName(QStringLiteral("MAjuda"));
  MAjuda->menuAction()->setStatusTip(QStringLiteral("Menu Ajuda"));
  MAjuda->menuAction()->setProperty("contextoAjuda", kAjudaAjuda);
  MConteudo = NovoItem(this, QStringLiteral("MConteudo"), QStringLiteral("Conteúdo"),
                       QStringLiteral("Exibe o conteúdo do sistema de ajuda"), kAjudaAjuda);
  MObterAjuda = NovoItem(this, QStringLiteral("MObterAjuda"), QStringLiteral("&Obter Ajuda Sobre..."),
                         QStringLiteral("Procura por um tópico no sistema de ajuda"), kAjudaAjuda);
  MSobreoCaudalentes =
      NovoItem(this, QStringLiteral("MSobreoCaudalentes"), QStringLiteral("&Sobre o Caudalente"),
               QStringLiteral("Exibe a tela de apresentação do Caudalente"), kAjudaAjuda,
               QKeySequence(Qt::CTRL | Qt::Key_F1));
  MConteudo->setData(0);
  MObterAjuda->setData(1);
  connect(MConteudo, &QAction::triggered, this, [this] { Protegido([&] { MConteudoClick(0); }); });
  connect(MObterAjuda, &QAction::triggered, this, [this] { Protegido([&] { MConteudoClick(1); }); });
  MAjuda->addActions({MConteudo, MObterAjuda});
  MAjuda->addSeparator();
  MAjuda->addAction(MSobreoCaudalentes);
  ligar(MSobreoCaudalentes, &TFPrincipal::MSobreoCaudalentesClick);

  for (QMenu* menu : {MArquivo, Configuraes1, Ferramentas1, MJanelas, MAjuda})
    DefinirContextoAjuda(menu, menu->menuAction()->property("contextoAjuda").toInt());
}

void TFPrincipal::CriarBarras() {
  auto ligar = [this](QAction* acao, void (TFPrincipal::*handler)()) {
    connect(acao, &QAction::triggered, this, [this, handler] { Protegido([&] { (this->*handler)(); }); });
  };
  auto novaBarra = [this](const QString& nome, const QString& titulo) {
    auto* barra = new QToolBar(titulo, this);
    barra->setObjectName(nome);
    barra->setMovable(true);
    barra->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, barra);
    return barra;
  };

  Toolbar971 = novaBarra(QStringLiteral("Toolbar971"), QStringLiteral("Projeto"));
  BtnNovo = NovoBotao(Toolbar971, QStringLiteral("BtnNovo"), QStringLiteral("novo"),
                      QStringLiteral("Novo projeto"));
  BtnAbrir = NovoBotao(Toolbar971, QStringLiteral("BtnAbrir"), QStringLiteral("abrir"),
                       QStringLiteral("Abrir projeto"));
  BtnSalvar = NovoBotao(Toolbar971, QStringLiteral("BtnSalvar"), QStringLiteral("salvar"),
                        QStringLiteral("Salvar projeto"));
  BSalvarComo = NovoBotao(Toolbar971, QStringLiteral("BSalvarComo"), QStringLiteral("salvarComo"),
                          QStringLiteral("Salvar como"));
  BFechar = NovoBotao(Toolbar971, QStringLiteral("BFechar"), QStringLiteral("fechar"),
                      QStringLiteral("Fechar projeto"));
  ligar(BtnNovo, &TFPrincipal::MNovoClick);
  ligar(BtnAbrir, &TFPrincipal::MAbrirClick);
  ligar(BtnSalvar, &TFPrincipal::MSalvarClick);
  ligar(BSalvarComo, &TFPrincipal::MSalvarComoClick);
  ligar(BFechar, &TFPrincipal::MFecharClick);

  Toolbar972 = novaBarra(QStringLiteral("Toolbar972"), QStringLiteral("Configurações"));
  ToolbarButton971 = NovoBotao(Toolbar972, QStringLiteral("ToolbarButton971"), QStringLiteral("configurar"),
                               QStringLiteral("Configurar sistema"));
  BtnConfigImpres = NovoBotao(Toolbar972, QStringLiteral("BtnConfigImpres"), QStringLiteral("impressora"),
                              QStringLiteral("Configurar impressora"));
  BtnImprimir = NovoBotao(Toolbar972, QStringLiteral("BtnImprimir"), QStringLiteral("impressora"), QString());
  BtnImprimir->setVisible(false);
  ligar(ToolbarButton971, &TFPrincipal::MConfSistemaClick);
  ligar(BtnConfigImpres, &TFPrincipal::MConfigImpresClick);

  Toolbar973 = novaBarra(QStringLiteral("Toolbar973"), QStringLiteral("Ajuda"));
  BtnSobre = NovoBotao(Toolbar973, QStringLiteral("BtnSobre"), QStringLiteral("sobre"),
                       QStringLiteral("Sobre o Caudalente"));
  BtnAjuda =
      NovoBotao(Toolbar973, QStringLiteral("BtnAjuda"), QStringLiteral("ajuda"), QStringLiteral("Ajuda"));
  ligar(BtnSobre, &TFPrincipal::MSobreoCaudalentesClick);
  ligar(BtnAjuda, &TFPrincipal::MSobreoCaudalentesClick);

  Toolbar974 = novaBarra(QStringLiteral("Toolbar974"), QStringLiteral("Sair"));
  ToolbarButton974 = NovoBotao(Toolbar974, QStringLiteral("ToolbarButton974"), QStringLiteral("sair"),
                               QStringLiteral("Sair"));
  ToolbarButton973 =
      NovoBotao(Toolbar974, QStringLiteral("ToolbarButton973"), QStringLiteral("sair"), QString());
  ToolbarButton973->setVisible(false);
  ToolbarButton973->setEnabled(false);
  ligar(ToolbarButton974, &TFPrincipal::MSairClick);

  Toolbar975 = novaBarra(QStringLiteral("Toolbar975"), QStringLiteral("Ferramentas"));
  BVisualizar = NovoBotao(Toolbar975, QStringLiteral("BVisualizar"), QStringLiteral("visualizar"),
                          QStringLiteral("Visualizar caudalente"));
  ligar(BVisualizar, &TFPrincipal::BVisualizarClick);

  Toolbar976 = novaBarra(QStringLiteral("Toolbar976"), QStringLiteral("Internet"));
  const char letras[4] = {'U', 'D', 'E', 'C'};
  for (int k = 1; k <= 4; ++k) {
    const TPagina& pagina = kPaginas[k - 1];
    QAction* botao = NovoBotao(Toolbar976, QStringLiteral("BPaginaWeb%1").arg(k),
                               QStringLiteral("web:") + QLatin1Char(letras[k - 1]),
                               QStringLiteral("Página ") + U(pagina.dono) + QStringLiteral(" (") +
                                   EnderecoPagina(k) + QLatin1Char(')'));
    botao->setData(k);
    connect(botao, &QAction::triggered, this, [this, k] { Protegido([&] { PaginaWebClick(k); }); });
    BPaginaWeb[k - 1] = botao;
  }
  HabilitarProjeto(false);
}

void TFPrincipal::CriarBarraStatus() {
  BarraHints = statusBar();
  BarraHints->setObjectName(QStringLiteral("BarraHints"));
  BarraHints->setSizeGripEnabled(false);
  Painel0 = new QLabel(QStringLiteral("Status"));
  Painel0->setObjectName(QStringLiteral("Painel0"));
  Painel0->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  Painel0->setMinimumWidth(0);
  PainelRelogio = new QLabel(QString::fromUtf8("Relógio"));
  PainelRelogio->setObjectName(QStringLiteral("PainelRelogio"));
  PainelRelogio->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  PainelRelogio->setAlignment(Qt::AlignCenter);
  PainelRelogio->setFixedWidth(kLarguraRelogio);
  BarraHints->addWidget(Painel0, 1);
  BarraHints->addPermanentWidget(PainelRelogio);
}

TLigacoesSobre TFPrincipal::LigacoesSobre() {
  QPointer<TFPrincipal> eu(this);
  TLigacoesSobre ligacoes;
  ligacoes.MostrarStatus = [eu](const QString& texto) {
    if (eu) eu->Painel0->setText(texto);
  };
  ligacoes.AbrirPagina = [eu](int pagina) {
    if (eu) eu->PaginaWebClick(pagina);
  };
  ligacoes.Endereco = [eu](int pagina) { return eu ? eu->EnderecoPagina(pagina) : QString(); };
  return ligacoes;
}

QString TFPrincipal::ArquivoPagina(int pagina) const {
  if (pagina < 1 || pagina > 4) return QString();
  return toolkit::gui::PastaAjuda() + QStringLiteral("/web/") + U(kPaginas[pagina - 1].arquivo);
}

QString TFPrincipal::EnderecoPagina(int pagina) const {
  return QDir::toNativeSeparators(ArquivoPagina(pagina));
}

// --- Commands ---------------------------------------------------------------

void TFPrincipal::MNovoClick() {
  GerenteSys1->Novo();
  // The data-entry window plugs in here: create it when it does not exist, show it.
}

void TFPrincipal::MAbrirClick() {
  if (GerenteSys1->Abrir()) AtualizarMenuRecentes();
}

void TFPrincipal::Projeto1Click(int tag) {
  if (GerenteSys1->AbrirArquivo(GerenteSys1->Recente(tag))) AtualizarMenuRecentes();
}

void TFPrincipal::MSalvarClick() {
  GerenteSys1->Salvar();
}

void TFPrincipal::MSalvarComoClick() {
  GerenteSys1->SalvarComo();
}

void TFPrincipal::MFecharClick() {
  if (!GerenteSys1->Fechar()) return;
  const QList<QMdiSubWindow*> janelas = Workspace->subWindowList(QMdiArea::CreationOrder);
  for (auto it = janelas.crbegin(); it != janelas.crend(); ++it) (*it)->close();
  setWindowTitle(TituloPrograma);
  AtualizarMenuRecentes();
}

void TFPrincipal::MSairClick() {
  close();
}

void TFPrincipal::MConfigImpresClick() {
  QPageSetupDialog dialogo(&toolkit::gui::ImpressoraPadrao(), this);
  dialogo.setWindowTitle(QStringLiteral("Configurar impressora"));
  dialogo.exec();
}

void TFPrincipal::MConfSistemaClick() {
  GerenteSys1LerCamposDados();
  Unidades.HelpContext = kAjudaConfiguracoes;
  if (Configurar(Unidades, this)) Unidades.GravarArquivo(Local(arquivoConfiguracao_));
}

void TFPrincipal::MCascataClick(int tag) {
  switch (tag) {
    case 0:
      Workspace->cascadeSubWindows();
      break;
    case 1:
      Workspace->tileSubWindows();
      break;
    case 2:
      for (QMdiSubWindow* janela : Workspace->subWindowList()) janela->showMinimized();
      break;
    case 3: {
      // Minimised windows in a row along the bottom of the workspace.
      int x = 0;
      const int base = Workspace->viewport()->height();
      for (QMdiSubWindow* janela : Workspace->subWindowList(QMdiArea::CreationOrder)) {
        if (!janela->isMinimized()) continue;
        janela->move(x, base - janela->height());
        x += janela->width();
      }
      break;
    }
    default:
      break;
  }
}

void TFPrincipal::MontarMenuJanelas() {
  const QList<QAction*> acoes = MJanelas->actions();
  const int inicio = acoes.indexOf(separadorJanelas_) + 1;
  for (int i = inicio; i < acoes.size(); ++i) {
    MJanelas->removeAction(acoes.at(i));
    acoes.at(i)->deleteLater();
  }
  const QList<QMdiSubWindow*> janelas = Workspace->subWindowList(QMdiArea::CreationOrder);
  separadorJanelas_->setVisible(!janelas.isEmpty());
  int n = 0;
  for (QMdiSubWindow* janela : janelas) {
    ++n;
    QString titulo = janela->windowTitle();
    titulo.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = MJanelas->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(titulo) : titulo);
    item->setCheckable(true);
    item->setChecked(janela == Workspace->activeSubWindow());
    QPointer<QMdiSubWindow> alvo(janela);
    connect(item, &QAction::triggered, this, [this, alvo] {
      if (!alvo) return;
      if (alvo->isMinimized()) alvo->showNormal();
      Workspace->setActiveSubWindow(alvo);
    });
  }
}

void TFPrincipal::MConteudoClick(int tag) {
  if (tag == 0)
    toolkit::gui::MostrarAjuda(0);
  else
    toolkit::gui::MostrarIndiceAjuda();
}

void TFPrincipal::MSobreoCaudalentesClick() {
  TFSobre::MostrarSobre(LigacoesSobre(), this);
}

void TFPrincipal::Timer1Timer() {
  PainelRelogio->setText(QTime::currentTime().toString(QStringLiteral("hh:mm")));
}

void TFPrincipal::Calculadora1Click() {
  for (const QString& programa : Calculadoras) {
    const QString caminho = QStandardPaths::findExecutable(programa);
    if (!caminho.isEmpty() && QProcess::startDetached(caminho, {})) return;
  }
  toolkit::gui::Informar(
      QStringLiteral("Nenhuma calculadora foi encontrada neste computador. Instale uma das "
                     "calculadoras da área de trabalho (por exemplo, gnome-calculator, kcalc, "
                     "galculator, mate-calc, xcalc ou qalculate-gtk) para usar este comando."));
}

void TFPrincipal::PaginaWebClick(int tag) {
  const QString arquivo = ArquivoPagina(tag);
  if (arquivo.isEmpty() || !QFileInfo::exists(arquivo) || !AbrirUrl ||
      !AbrirUrl(QUrl::fromLocalFile(arquivo)))
    throw std::runtime_error("Não foi possível abrir a página escolhida.");
}

// The hydrograph file viewer comes with the chart window; until then the
// command does nothing.
void TFPrincipal::BVisualizarClick() {}

void TFPrincipal::Txt2BinClick(bool paraBinario) {
  DHidros.FilterIndex = paraBinario ? 2 : 1;
  if (!DHidros.Execute()) return;
  const QStringList arquivos = DHidros.Files;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TCaudalente serie;
  MostrarProgresso(QStringLiteral("Convertendo arquivo"));
  setEnabled(false);
  auto restaurar = [this] {
    RemoverProgresso();
    setEnabled(true);
    QApplication::restoreOverrideCursor();
  };
  try {
    for (int i = 0; i < arquivos.size(); ++i) {
      const QString& arquivo = arquivos.at(i);
      ArquivoProgresso->setText(arquivo);
      BarraProgresso->setValue(qRound((i + 1) * 100.0 / arquivos.size()));
      QCoreApplication::processEvents();
      // The output name cuts exactly three characters, whatever the extension.
      const QString saida =
          arquivo.left(arquivo.size() - 3) + (paraBinario ? QStringLiteral("bin") : QStringLiteral("txt"));
      // A file that could not be read (the reader has said why) is not
      // converted: the series would still hold the previous file's points.
      if (paraBinario) {
        if (serie.LerTexto(Local(arquivo))) serie.SalvarBinario(Local(saida));
      } else {
        if (serie.LerBinario(Local(arquivo))) serie.SalvarTexto(Local(saida));
      }
    }
  } catch (...) {
    restaurar();
    throw;
  }
  toolkit::gui::Informar(QStringLiteral("Conversão terminada com sucesso."));
  restaurar();
}

void TFPrincipal::MostrarProgresso(const QString& texto) {
  RemoverProgresso();
  Painel0->setText(QString());
  BarraProgresso = new QProgressBar(BarraHints);
  BarraProgresso->setGeometry(10, 4, 260, 15);
  BarraProgresso->setRange(0, 100);
  BarraProgresso->setValue(1);
  BarraProgresso->setTextVisible(false);
  TextoProgresso = new QLabel(texto, BarraHints);
  TextoProgresso->adjustSize();
  TextoProgresso->move(BarraProgresso->geometry().right() + 1 + 7, 5);
  ArquivoProgresso = new QLabel(BarraHints);
  ArquivoProgresso->setGeometry(TextoProgresso->geometry().right() + 1 + 4, 5, 99, 13);
  ArquivoProgresso->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (QWidget* w : {static_cast<QWidget*>(BarraProgresso), static_cast<QWidget*>(TextoProgresso),
                     static_cast<QWidget*>(ArquivoProgresso)}) {
    w->raise();
    w->show();
  }
}

void TFPrincipal::RemoverProgresso() {
  delete BarraProgresso;
  delete TextoProgresso;
  delete ArquivoProgresso;
  BarraProgresso = nullptr;
  TextoProgresso = nullptr;
  ArquivoProgresso = nullptr;
}

// --- Project events ------------------------------------------------------------

int16_t TFPrincipal::IndiceEstadoPadrao() const {
  const QStringList& estados = TFConfUnidades::Estados();
  if (Unidades.Estado < 0 || Unidades.Estado >= estados.size()) return static_cast<int16_t>(Unidades.Estado);
  const std::string nome = estados.at(Unidades.Estado).toStdString();
  for (int i = 0; i < NumeroEstados; ++i)
    if (nome == NomesEstados[static_cast<std::size_t>(i)]) return static_cast<int16_t>(i);
  return static_cast<int16_t>(Unidades.Estado);
}

void TFPrincipal::GerenteSys1ZerarVariaveis() {
  encosta_->Limpar();
  canal_->Limpar();
  Nimbora1.Limpar();
  Nimbora1.IndEstado = IndiceEstadoPadrao();
}

void TFPrincipal::GerenteSys1LerArquivo(bool& leuCerto) {
  try {
    leuCerto = LerProjeto(Local(GerenteSys1->PathProjeto), *encosta_, *canal_, Nimbora1, Unidades);
  } catch (...) {
    setWindowTitle(TituloPrograma);
    GerenteSys1->Fechar();
    throw;
  }
}

void TFPrincipal::GerenteSys1EscreverArquivo() {
  GravarProjeto(Local(GerenteSys1->PathProjeto), *encosta_, *canal_, Nimbora1, Unidades);
}

void TFPrincipal::HabilitarProjeto(bool habilitar) {
  for (QAction* acao :
       {MSalvar, MSalvarComo, MFechar, BFechar, BtnSalvar, BSalvarComo, BtnImprimir, MEntradaDados})
    acao->setEnabled(habilitar);
}

void TFPrincipal::GerenteSys1AbilitarCampos() {
  HabilitarProjeto(true);
}

void TFPrincipal::GerenteSys1DesabilitarCampos() {
  HabilitarProjeto(false);
}

// The data-entry window plugs in here: read its fields into the model without
// the strict checks.
void TFPrincipal::GerenteSys1LerCamposDados() {}

void TFPrincipal::GerenteSys1LimparCamposDados() {
  const QList<QMdiSubWindow*> janelas = Workspace->subWindowList(QMdiArea::CreationOrder);
  for (auto it = janelas.crbegin(); it != janelas.crend(); ++it) {
    try {
      (*it)->close();
    } catch (...) {
      // A window that fails to close must not stop the project cycle.
    }
  }
}

// The data-entry window plugs in here: create or show it and fill its fields
// from the model.
void TFPrincipal::GerenteSys1PreencherCamposDados() {}

void TFPrincipal::AtualizarUnidadeDeclividade() {}

void TFPrincipal::AtualizarUnidadeVI() {}

// --- Settings file ---------------------------------------------------------------

void TFPrincipal::LerConfiguracao() {
  const std::string caminho = Local(arquivoConfiguracao_);
  const toolkit::TArquivoIni ini(caminho);
  if (ini.LerString("CAUDALENTE", "Versao", "") == "0") {
    Unidades.Padrao();
    return;
  }
  Unidades.LerArquivo(caminho);
  for (int k = 1; k <= 4; ++k)
    GerenteSys1->DefinirRecente(
        k, QString::fromStdString(ini.LerString("PRINCIPAL", "path" + std::to_string(k), "")));
  AtualizarMenuRecentes();
}

void TFPrincipal::GravarConfiguracao() {
  const std::string caminho = Local(arquivoConfiguracao_);
  {
    toolkit::TArquivoIni ini(caminho);
    ini.EscreverString("CAUDALENTE", "Versao", "1");
    ini.SalvarOuErro();
  }
  Unidades.GravarArquivo(caminho);
  toolkit::TArquivoIni ini(caminho);
  for (int k = 1; k <= 4; ++k)
    ini.EscreverString("PRINCIPAL", "path" + std::to_string(k), GerenteSys1->Recente(k).toStdString());
  ini.SalvarOuErro();
}

void TFPrincipal::AtualizarMenuRecentes() {
  for (int k = 1; k <= 4; ++k) {
    QString nome = QFileInfo(GerenteSys1->Recente(k)).fileName();
    nome.replace(QLatin1Char('&'), QStringLiteral("&&"));
    Projeto[k - 1]->setText(QStringLiteral("&%1/ ").arg(k) + nome);
  }
}

// --- Window events -------------------------------------------------------------------

bool TFPrincipal::event(QEvent* evento) {
  if (evento->type() == QEvent::StatusTip) {
    Painel0->setText(static_cast<QStatusTipEvent*>(evento)->tip());
    return true;
  }
  return QMainWindow::event(evento);
}

bool TFPrincipal::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == Workspace->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
    Protegido([&] { MSobreoCaudalentesClick(); });
    return true;
  }
  return QMainWindow::eventFilter(alvo, evento);
}

void TFPrincipal::resizeEvent(QResizeEvent* evento) {
  QMainWindow::resizeEvent(evento);
  FormResize();
}

void TFPrincipal::showEvent(QShowEvent* evento) {
  QMainWindow::showEvent(evento);
  // The splash screen stays in front of the window that appears after it.
  if (abertura_) {
    QPointer<TFSobre> abertura = abertura_;
    QTimer::singleShot(0, abertura, [abertura] {
      if (abertura) abertura->raise();
    });
  }
}

void TFPrincipal::FormResize() {
  Painel0->setMaximumWidth(qMax(0, BarraHints->width() - kLarguraRelogio));
}

void TFPrincipal::closeEvent(QCloseEvent* evento) {
  bool fechou = false;
  Protegido([&] { fechou = GerenteSys1->Fechar(); });
  if (!fechou) {
    evento->ignore();
    return;
  }
  Workspace->closeAllSubWindows();
  // The help window is a window of its own: left open, it would keep the
  // program running after its main window has gone.
  toolkit::gui::FecharAjuda();
  // The program ends even when its settings cannot be stored.
  Protegido([&] { GravarConfiguracao(); });
  evento->accept();
}
