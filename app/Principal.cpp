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
#include <QMenu>
#include <QPageSetupDialog>
#include <QProcess>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include "app/Icones.h"
#include "app/ReferenciasPrograma.h"
#include "idf/UnBD.h"
#include "idf/gui/ConsultaNimbora.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uCaudalenteConversao.h"
#include "project/ArquivoProjeto.h"
#include "project/gui/ConfUnidades.h"
#include "reports/RelatorioCaudalente.h"
#include "toolkit/Versao.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Impressora.h"
#include "toolkit/gui/Mensagens.h"
#include "toolkit/gui/PastaGravavel.h"
#include "windows/DadosCaudalente.h"
#include "windows/VazoPlot31.h"

TFPrincipal* FPrincipal = nullptr;

const QString TFPrincipal::TituloPrograma = QStringLiteral(CAUDALENTE_TITULO);

namespace {

using toolkit::gui::Protegido;

constexpr int kLarguraRelogio = 80;

// Files of the four web pages (institution, department, group, program).
const char* const kPaginas[4] = {"universidade.html", "departamento.html", "equipe.html", "caudalente.html"};

TDadosProjeto DadosProjeto(TFPrincipal& janela) {
  return {&janela.Encosta(), &janela.Canal(),    &janela.Nimbora1,
          &janela.Unidades,  janela.GerenteSys1, &janela.MetodoNumerico};
}

// The data-entry window, with the report request it gives every chart window of a trace.
TFDadosCaudalente* AbrirDados(TFPrincipal& janela) {
  TFDadosCaudalente* dados = TFDadosCaudalente::Abrir(janela.Workspace, DadosProjeto(janela));
  dados->SolicitarRelatorio = [&janela](TFVazoPlot31& grafico) {
    const TModeloRelatorio modelo{janela.Nimbora1, janela.Encosta(), janela.Canal(), janela.Unidades};
    const TResultadosRelatorio resultados{grafico.VazaoMaxima,  grafico.TempoPico,  grafico.Volume,
                                          grafico.Profundidade, grafico.Velocidade, grafico.Local != 2};
    SolicitarRelatorio(modelo, resultados, grafico.Figura().toImage(), grafico.windowTitle(), &janela);
  };
  return dados;
}

std::string Local(const QString& caminho) {
  return caminho.toStdString();
}

// The settings file lives beside the program, or in the user's settings
// folder where an installed program's folder cannot be written, so that the
// settings are kept and closing the program shows no error.
QString ArquivoConfiguracaoPadrao(const QString& pastaPrograma) {
  return toolkit::gui::PastaParaGravar(pastaPrograma, QStandardPaths::AppConfigLocation) +
         QStringLiteral("/Caudalente.ini");
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
  // Chart windows keep their look in the same file.
  DefinirArquivoConfigGrafico(QString::fromStdString(Local(arquivoConfiguracao_)));
  AbrirUrl = [this](const QUrl& url) { return AbrirNoNavegador(url); };
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
  // Nimbora1.Execute() opens the IDF query window over this window.
  InstalarConsultaNimbora(Nimbora1, this);
  DefinirFabricaReferencias(CriarReferenciasPrograma);

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
  for (auto* d : {&DConverterTexto, &DConverterBinario}) {
    d->DefaultExt = DHidros.DefaultExt;
    d->Filter = DHidros.Filter;
    d->AllowMultiSelect = true;
    d->FileMustExist = true;
    d->Parent = this;
  }
  DConverterTexto.Title = QStringLiteral("Converter arquivo texto para binário");
  DConverterBinario.Title = QStringLiteral("Converter arquivo binário para texto");

  CriarMenus();
  // The recent entries show their full path; whether their files are there
  // is looked at again each time the menu opens.
  MArquivo->setToolTipsVisible(true);
  connect(MArquivo, &QMenu::aboutToShow, this, [this] { AtualizarMenuRecentes(); });
  CriarBarras();
  CriarBarraStatus();
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  // Restarted at each tick for the next turn of the minute: a fixed period
  // from start-up would show the minute late by up to a minute.
  Timer1->setSingleShot(true);
  Timer1->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, [this] { Protegido([this] { Timer1Timer(); }); });
  resize(1000, 700);

  // Start-up.
  toolkit::gui::DefinirTituloAplicacao(TituloPrograma);
  if (opcoes.MostrarAbertura) abertura_ = TFSobre::MostrarAbertura(LigacoesSobre());
  if (toolkit::gui::PastaAjuda() == QCoreApplication::applicationDirPath() + QStringLiteral("/ajuda"))
    toolkit::gui::DefinirPastaAjuda(pastaPrograma_ + QStringLiteral("/ajuda"));
  toolkit::gui::InstalarTeclaF1();
  Timer1Timer();
  FormResize();
  // Projects cannot be kept in an installed program's folder: there the
  // dialogs start in the user's home folder.
  const QString pastaDialogos =
      toolkit::gui::PastaGravavel(pastaPrograma_) ? pastaPrograma_ : QDir::homePath();
  DAbrirProjetos.InitialDir = pastaDialogos;
  DSalvarComo.InitialDir = pastaDialogos;
  DHidros.InitialDir = pastaDialogos;
  DConverterTexto.InitialDir = pastaDialogos;
  DConverterBinario.InitialDir = pastaDialogos;
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

void TFPrincipal::CriarBarraStatus() {
  BarraHints = statusBar();
  BarraHints->setObjectName(QStringLiteral("BarraHints"));
  BarraHints->setSizeGripEnabled(false);
  Painel0 = new QLabel;
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

QString TFPrincipal::ProjetoDosArgumentos(const QStringList& argumentos) {
  for (int i = 1; i < argumentos.size(); ++i) {
    const QString& argumento = argumentos.at(i);
    if (argumento.isEmpty() || argumento.startsWith(QLatin1Char('-'))) continue;
    const QUrl url(argumento);
    const QString caminho = url.isLocalFile() ? url.toLocalFile() : argumento;
    return QFileInfo(caminho).absoluteFilePath();
  }
  return QString();
}

void TFPrincipal::AbrirProjetoInicial(const QString& caminho) {
  if (caminho.isEmpty()) return;
  Protegido([&] { GerenteSys1->AbrirArquivo(caminho); });
  AtualizarMenuRecentes();
}

QString TFPrincipal::ArquivoPagina(int pagina) const {
  if (pagina < 1 || pagina > 4) return QString();
  return toolkit::gui::PastaAjuda() + QStringLiteral("/web/") + QString::fromUtf8(kPaginas[pagina - 1]);
}

QString TFPrincipal::EnderecoPagina(int pagina) const {
  return QDir::toNativeSeparators(ArquivoPagina(pagina));
}

// --- Commands ---------------------------------------------------------------

void TFPrincipal::MNovoClick() {
  GerenteSys1->Novo();
  // Opening the window empties its fields, which is no change of the new project.
  const bool alterado = GerenteSys1->Alterado;
  AbrirDados(*this);
  GerenteSys1->Alterado = alterado;
}

void TFPrincipal::MAbrirClick() {
  if (GerenteSys1->Abrir()) AtualizarMenuRecentes();
}

void TFPrincipal::Projeto1Click(int tag) {
  // Refreshed even when the open fails: an entry whose file has gone leaves the list.
  try {
    GerenteSys1->AbrirArquivo(GerenteSys1->Recente(tag));
  } catch (...) {
    AtualizarMenuRecentes();
    throw;
  }
  AtualizarMenuRecentes();
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
  Unidades.HelpContext = AjudaConfiguracoes;
  if (!Configurar(Unidades, MetodoNumerico, this)) return;
  const TConfiguracao configuracao(Local(arquivoConfiguracao_));
  configuracao.GravarUnidades(Unidades);
  configuracao.GravarMetodo(MetodoNumerico);
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
    Ligar(item, [this, alvo] {
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
  const QTime agora = QTime::currentTime();
  PainelRelogio->setText(agora.toString(QStringLiteral("hh:mm")));
  // A little past the turn, so that the tick never lands on the old minute.
  Timer1->start(60000 - (agora.second() * 1000 + agora.msec()) + 50);
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

namespace {

QString PaginaNaoAbriu(const QString& motivo) {
  return QStringLiteral("Não foi possível abrir a página escolhida. ") + motivo;
}

QString SemNavegador(const QUrl& url) {
  return PaginaNaoAbriu(QStringLiteral("Nenhum navegador de internet abriu o endereço ") +
                        QDir::toNativeSeparators(url.isLocalFile() ? url.toLocalFile() : url.toString()) +
                        QStringLiteral(". Instale um navegador de internet para usar este comando."));
}

}  // namespace

void TFPrincipal::PaginaWebClick(int tag) {
  const QString arquivo = ArquivoPagina(tag);
  if (arquivo.isEmpty()) throw std::runtime_error("Não foi possível abrir a página escolhida.");
  if (!QFileInfo::exists(arquivo))
    throw std::runtime_error(
        PaginaNaoAbriu(QStringLiteral("O arquivo ") + EnderecoPagina(tag) + QStringLiteral(" não existe."))
            .toStdString());
  const QUrl url = QUrl::fromLocalFile(arquivo);
  if (!AbrirUrl || !AbrirUrl(url)) throw std::runtime_error(SemNavegador(url).toStdString());
}

// The desktop's opener (xdg-open) hands the address to the browser and says
// by its exit status whether one took it; started on its own, so that a
// browser it keeps in the foreground does not hold this window. Without it,
// the toolkit's own way, which only knows whether an opener was started.
bool TFPrincipal::AbrirNoNavegador(const QUrl& url) {
  const QString abridor = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (abridor.isEmpty()) return QDesktopServices::openUrl(url);
  auto* processo = new QProcess(this);
  processo->setProcessChannelMode(QProcess::ForwardedChannels);
  connect(processo, &QProcess::finished, this, [processo, url](int codigo, QProcess::ExitStatus estado) {
    processo->deleteLater();
    if (estado != QProcess::NormalExit || codigo != 0) toolkit::gui::MostrarErro(SemNavegador(url));
  });
  processo->start(abridor, {url.toString()});
  if (processo->waitForStarted()) return true;
  delete processo;
  return false;
}

void TFPrincipal::BVisualizarClick() {
  if (!DHidros.Execute()) return;
  const QStringList arquivos = DHidros.Files;
  // The filter chosen decides the reader for every file, whatever its name.
  const bool binario = DHidros.FilterIndex == 1;
  TCaudalente serie;
  PorArquivo(QStringLiteral("Lendo arquivo"), arquivos, [&](int i) {
    const QString& arquivo = arquivos.at(i);
    // A file that could not be read (the reader has said why) opens no
    // window: the series would still hold the previous file's points.
    const bool leu = binario ? serie.LerBinario(Local(arquivo)) : serie.LerTexto(Local(arquivo));
    if (leu)
      MostrarArquivoCaudalente(serie, QStringLiteral("Visualização de ") + QFileInfo(arquivo).fileName(),
                               Workspace);
  });
}

void TFPrincipal::Txt2BinClick(bool paraBinario) {
  toolkit::gui::TDialogoArquivo& dialogo = paraBinario ? DConverterTexto : DConverterBinario;
  dialogo.FilterIndex = paraBinario ? 2 : 1;
  if (!dialogo.Execute()) return;
  const QStringList arquivos = dialogo.Files;
  // Outputs that exist (or that an earlier file of the same choice will
  // write) are replaced only when the user says so; asked before the work
  // starts, while the window can still answer.
  QStringList entradas, saidas;
  for (const QString& arquivo : arquivos) {
    const QString saida = QString::fromStdString(NomeConvertido(Local(arquivo), paraBinario));
    if ((QFileInfo::exists(saida) || saidas.contains(saida)) &&
        toolkit::gui::Perguntar(QStringLiteral("O arquivo ") + QDir::toNativeSeparators(saida) +
                                    QStringLiteral(" já existe. Deseja substituir?"),
                                toolkit::gui::Botoes::SimNao) != toolkit::gui::Resposta::Sim)
      continue;
    entradas << arquivo;
    saidas << saida;
  }
  int convertidos = 0;
  PorArquivo(QStringLiteral("Convertendo arquivo"), entradas, [&](int i) {
    // A file that could not be read (the reader has said why) is not converted.
    if (ConverterCaudalente(Local(entradas.at(i)), Local(saidas.at(i)), paraBinario)) ++convertidos;
  });
  if (convertidos == arquivos.size())
    toolkit::gui::Informar(QStringLiteral("Conversão terminada com sucesso."));
  else if (convertidos == 0)
    toolkit::gui::Informar(QStringLiteral("Nenhum arquivo foi convertido."));
  else
    toolkit::gui::Informar(QStringLiteral("Conversão terminada: %1 de %2 arquivos convertidos.")
                               .arg(convertidos)
                               .arg(arquivos.size()));
}

void TFPrincipal::PorArquivo(const QString& texto, const QStringList& arquivos,
                             const std::function<void(int)>& passo) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  MostrarProgresso(texto);
  setEnabled(false);
  auto restaurar = [this] {
    RemoverProgresso();
    setEnabled(true);
    QApplication::restoreOverrideCursor();
  };
  try {
    for (int i = 0; i < arquivos.size(); ++i) {
      ArquivoProgresso->setText(arquivos.at(i));
      BarraProgresso->setValue(qRound((i + 1) * 100.0 / arquivos.size()));
      QCoreApplication::processEvents();
      passo(i);
    }
  } catch (...) {
    restaurar();
    throw;
  }
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

// A read that fails is closed and reported by the project manager.
void TFPrincipal::GerenteSys1LerArquivo(bool& leuCerto) {
  leuCerto = LerProjeto(Local(GerenteSys1->PathProjeto), *encosta_, *canal_, Nimbora1, Unidades);
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

void TFPrincipal::GerenteSys1LerCamposDados() {
  if (FDadosCaudalente) FDadosCaudalente->LerCampos(false);
}

void TFPrincipal::GerenteSys1LimparCamposDados() {
  const QList<QMdiSubWindow*> janelas = Workspace->subWindowList(QMdiArea::CreationOrder);
  for (auto it = janelas.crbegin(); it != janelas.crend(); ++it) {
    try {
      if (auto* dados = qobject_cast<TFDadosCaudalente*>((*it)->widget()))
        dados->LimparCampos();
      else
        (*it)->close();
    } catch (...) {
      // A window that fails to close must not stop the project cycle.
    }
  }
}

void TFPrincipal::GerenteSys1PreencherCamposDados() {
  AbrirDados(*this)->PreencherCampos();
}

void TFPrincipal::AtualizarUnidadeDeclividade() {
  if (!GerenteSys1->NomeProjeto.isEmpty() && FDadosCaudalente)
    FDadosCaudalente->AtualizarUnidadeDeclividade();
}

void TFPrincipal::AtualizarUnidadeVI() {
  if (!GerenteSys1->NomeProjeto.isEmpty() && FDadosCaudalente) FDadosCaudalente->AtualizarUnidadeVI();
}

// --- Settings file ---------------------------------------------------------------

void TFPrincipal::LerConfiguracao() {
  TConfiguracao::TRecentes recentes = Recentes();
  const TConfiguracao configuracao(Local(arquivoConfiguracao_));
  MetodoNumerico = configuracao.LerMetodo();
  if (!configuracao.Ler(Unidades, recentes)) return;
  for (int k = 1; k <= 4; ++k)
    GerenteSys1->DefinirRecente(k, QString::fromStdString(recentes[static_cast<std::size_t>(k - 1)]));
  AtualizarMenuRecentes();
}

void TFPrincipal::GravarConfiguracao() {
  TConfiguracao(Local(arquivoConfiguracao_)).Gravar(Unidades, Recentes());
}

TConfiguracao::TRecentes TFPrincipal::Recentes() const {
  TConfiguracao::TRecentes recentes;
  for (int k = 1; k <= 4; ++k) recentes[static_cast<std::size_t>(k - 1)] = Local(GerenteSys1->Recente(k));
  return recentes;
}

void TFPrincipal::AtualizarMenuRecentes() {
  for (int k = 1; k <= 4; ++k) {
    const QString caminho = GerenteSys1->Recente(k);
    QString nome = QFileInfo(caminho).fileName();
    nome.replace(QLatin1Char('&'), QStringLiteral("&&"));
    Projeto[k - 1]->setText(QStringLiteral("&%1/ ").arg(k) + nome);
    Projeto[k - 1]->setToolTip(QDir::toNativeSeparators(caminho));
    // An entry whose file is not there now (deleted, on a drive not mounted)
    // stays in the list but out of the menu until it is there again.
    Projeto[k - 1]->setVisible(!caminho.isEmpty() && QFileInfo::exists(caminho));
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
