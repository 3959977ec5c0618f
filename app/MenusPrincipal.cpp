// The main window's menus and toolbars, each described by one table: a row
// per submenu, item, separator, toolbar or button, with its name, caption,
// hint, help topic, shortcut and command. Every command runs through the
// central error box.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <vector>

#include "app/Icones.h"
#include "app/Principal.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/Mensagens.h"

namespace {

using toolkit::gui::Protegido;

// A submenu (menu set), an item (item set; on the menu bar itself when
// naBarra) or a separator (neither).
struct TLinhaMenu {
  QMenu** menu;
  QAction** item;
  QString nome;
  QString texto;
  QString dica;
  int ajuda;
  QKeySequence atalho;
  std::function<void()> comando;
  int tag = -1;
  bool naBarra = false;
};

// A toolbar (barra set, texto its caption) or a button of the toolbar above
// it (texto its hint; a web button's hint gets the page's address). Hidden
// buttons are also disabled and do nothing.
struct TLinhaBarra {
  QToolBar** barra;
  QAction** botao;
  QString nome;
  QString texto;
  QString icone;
  std::function<void()> comando;
  bool visivel = true;
  int tag = -1;
};

}  // namespace

void TFPrincipal::Ligar(QAction* acao, std::function<void()> comando) {
  connect(acao, &QAction::triggered, this, [comando = std::move(comando)] { Protegido(comando); });
}

void TFPrincipal::CriarMenus() {
  const QKeySequence sem;
  const int P = AjudaProjeto, C = AjudaConfiguracoes, F = AjudaFerramentas, J = AjudaJanelas, A = AjudaAjuda;
  // clang-format off
  const std::vector<TLinhaMenu> linhas = {
    {&MArquivo, nullptr, "MArquivo", "&Projeto", "Menu Projeto", P, sem, nullptr},
    {nullptr, &MNovo, "MNovo", "&Novo...", "Cria um novo projeto", P, QKeySequence(Qt::Key_F4), [this] { MNovoClick(); }},
    {nullptr, &MAbrir, "MAbrir", "&Abrir...", "Abre um projeto gravado em disco", P, QKeySequence(Qt::Key_F3), [this] { MAbrirClick(); }},
    {nullptr, &MSalvar, "MSalvar", "&Salvar", "Salva o projeto atual em um arquivo em disco", P, QKeySequence(Qt::Key_F2), [this] { MSalvarClick(); }},
    {nullptr, &MSalvarComo, "MSalvarComo", "Salvar &Como...", "Salva o projeto atual em um arquivo em disco com outro nome", P, sem, [this] { MSalvarComoClick(); }},
    {nullptr, &MFechar, "MFechar", "&Fechar", "Fecha o projeto atual", P, sem, [this] { MFecharClick(); }},
    {nullptr, nullptr, "N1", {}, {}, P, sem, nullptr},
    {nullptr, &Projeto[0], "Projeto1", "&1/ ", "Abre este arquivo", P, sem, [this] { Projeto1Click(1); }, 1},
    {nullptr, &Projeto[1], "Projeto2", "&2/ ", "Abre este arquivo", P, sem, [this] { Projeto1Click(2); }, 2},
    {nullptr, &Projeto[2], "Projeto3", "&3/ ", "Abre este arquivo", P, sem, [this] { Projeto1Click(3); }, 3},
    {nullptr, &Projeto[3], "Projeto4", "&4/ ", "Abre este arquivo", P, sem, [this] { Projeto1Click(4); }, 4},
    {nullptr, nullptr, "N4", {}, {}, P, sem, nullptr},
    {nullptr, &MSair, "MSair", "Sai&r", "Finaliza a execução do " + TituloPrograma, P, QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { MSairClick(); }},
    {nullptr, &MEntradaDados, "MEntradaDados", "&Entrada de dados", "Menu Entrada de dados", AjudaEntradaDados, sem, [this] { GerenteSys1PreencherCamposDados(); }, -1, true},
    {&Configuraes1, nullptr, "Configuraes1", "&Configurações", "Menu Configurações", C, sem, nullptr},
    {nullptr, &MConfSistema, "MConfSistema", "&Configurar &Sistema", "Configura as unidades do sistema", C, sem, [this] { MConfSistemaClick(); }},
    {nullptr, &MConfigImpres, "MConfigImpres", "Configurar &Impressora", "Efetual alterações nas configurações da impressora", C, sem, [this] { MConfigImpresClick(); }},
    {&Ferramentas1, nullptr, "Ferramentas1", "&Ferramentas", "Menu Ferramentas", F, sem, nullptr},
    {nullptr, &LerArquivoBinario, "LerArquivoBinario", "&Visualizar Caudalente", "Lê e exibe um caudalente gravado em um arquivo em disco", F, sem, [this] { BVisualizarClick(); }},
    {nullptr, nullptr, "N5", {}, {}, F, sem, nullptr},
    {nullptr, &Bin2Txt, "Bin2Txt", "Converter Arquivo &Binário para Texto", "Lê um arquivo binário e gera um arquivo texto", F, sem, [this] { Txt2BinClick(false); }},
    {nullptr, &Txt2Bin, "Txt2Bin", "Converter Arquivo &Texto para Binário", "Lê um arquivo texto e gera um arquivo binário", F, sem, [this] { Txt2BinClick(true); }},
    {nullptr, nullptr, "N6", {}, {}, F, sem, nullptr},
    {nullptr, &PaginaWeb[0], "PaginaWeb1", "Visitar página da &Universidade", "Abre a página da Universidade no navegador de internet", F, sem, [this] { PaginaWebClick(1); }, 1},
    {nullptr, &PaginaWeb[1], "PaginaWeb2", "Visitar página do &Departamento de Engenharia Agrícola", "Abre a página do Departamento de Engenharia Agrícola no navegador de internet", F, sem, [this] { PaginaWebClick(2); }, 2},
    {nullptr, &PaginaWeb[2], "PaginaWeb3", "Visitar página da &Equipe Caudalente", "Abre a página da Equipe Caudalente no navegador de internet", F, sem, [this] { PaginaWebClick(3); }, 3},
    {nullptr, &PaginaWeb[3], "PaginaWeb4", "Visitar página do &Caudalente", "Abre a página do Caudalente no navegador de internet", F, sem, [this] { PaginaWebClick(4); }, 4},
    {nullptr, nullptr, "N7", {}, {}, F, sem, nullptr},
    {nullptr, &Calculadora1, "Calculadora1", "&Calculadora", "Abre a calculadora do Windows", F, sem, [this] { Calculadora1Click(); }},
    {&MJanelas, nullptr, "MJanelas", "&Janelas", "Menu Janelas", J, sem, nullptr},
    {nullptr, &MCascata, "MCascata", "&Cascata", "Posiciona as janelas em cascata", J, sem, [this] { MCascataClick(0); }, 0},
    {nullptr, &MLadoaLado, "MLadoaLado", "&Lado a Lado", "Posiciona as janelas lado a lado", J, sem, [this] { MCascataClick(1); }, 1},
    {nullptr, &MMinimizadas, "MMinimizadas", "&Minimizadas", "Minimiza as janelas", J, sem, [this] { MCascataClick(2); }, 2},
    {nullptr, &MArranjarIcones, "MArranjarIcones", "&Arranjar Ícones", "Alinha os ícones das janelas minimizadas", J, sem, [this] { MCascataClick(3); }, 3},
    {nullptr, &separadorJanelas_, "N3", {}, {}, J, sem, nullptr},  // the open windows are listed after it
    {&MAjuda, nullptr, "MAjuda", "&Ajuda", "Menu Ajuda", A, sem, nullptr},
    {nullptr, &MConteudo, "MConteudo", "Conteúdo", "Exibe o conteúdo do sistema de ajuda", A, sem, [this] { MConteudoClick(0); }, 0},
    {nullptr, &MObterAjuda, "MObterAjuda", "&Obter Ajuda Sobre...", "Procura por um tópico no sistema de ajuda", A, sem, [this] { MConteudoClick(1); }, 1},
    {nullptr, nullptr, "N2", {}, {}, A, sem, nullptr},
    {nullptr, &MSobreoCaudalentes, "MSobreoCaudalentes", "&Sobre o Caudalente", "Exibe a tela de apresentação do Caudalente", A, QKeySequence(Qt::CTRL | Qt::Key_F1), [this] { MSobreoCaudalentesClick(); }},
  };
  // clang-format on

  QMenuBar* barra = menuBar();
  barra->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* atual = nullptr;
  for (const TLinhaMenu& linha : linhas) {
    if (linha.menu) {
      atual = barra->addMenu(linha.texto);
      atual->setObjectName(linha.nome);
      atual->menuAction()->setStatusTip(linha.dica);
      atual->menuAction()->setProperty("contextoAjuda", linha.ajuda);
      toolkit::gui::DefinirContextoAjuda(atual, linha.ajuda);
      *linha.menu = atual;
      continue;
    }
    QAction* acao = nullptr;
    if (linha.comando) {
      acao = new QAction(linha.texto, this);
      acao->setStatusTip(linha.dica);
      acao->setProperty("contextoAjuda", linha.ajuda);
      if (!linha.atalho.isEmpty()) acao->setShortcut(linha.atalho);
      if (linha.tag >= 0) acao->setData(linha.tag);
      Ligar(acao, linha.comando);
      if (linha.naBarra) {
        barra->addAction(acao);
        atual = nullptr;
      } else {
        atual->addAction(acao);
      }
    } else {
      acao = atual->addSeparator();
    }
    acao->setObjectName(linha.nome);
    if (linha.item) *linha.item = acao;
  }
  separadorJanelas_->setVisible(false);
  connect(MJanelas, &QMenu::aboutToShow, this, [this] { Protegido([this] { MontarMenuJanelas(); }); });
}

void TFPrincipal::CriarBarras() {
  // clang-format off
  const std::vector<TLinhaBarra> linhas = {
    {&Toolbar971, nullptr, "Toolbar971", "Projeto", {}, nullptr},
    {nullptr, &BtnNovo, "BtnNovo", "Novo projeto", "novo", [this] { MNovoClick(); }},
    {nullptr, &BtnAbrir, "BtnAbrir", "Abrir projeto", "abrir", [this] { MAbrirClick(); }},
    {nullptr, &BtnSalvar, "BtnSalvar", "Salvar projeto", "salvar", [this] { MSalvarClick(); }},
    {nullptr, &BSalvarComo, "BSalvarComo", "Salvar como", "salvarComo", [this] { MSalvarComoClick(); }},
    {nullptr, &BFechar, "BFechar", "Fechar projeto", "fechar", [this] { MFecharClick(); }},
    {&Toolbar972, nullptr, "Toolbar972", "Configurações", {}, nullptr},
    {nullptr, &ToolbarButton971, "ToolbarButton971", "Configurar sistema", "configurar", [this] { MConfSistemaClick(); }},
    {nullptr, &BtnConfigImpres, "BtnConfigImpres", "Configurar impressora", "impressora", [this] { MConfigImpresClick(); }},
    {nullptr, &BtnImprimir, "BtnImprimir", {}, "impressora", nullptr, false},
    {&Toolbar973, nullptr, "Toolbar973", "Ajuda", {}, nullptr},
    {nullptr, &BtnSobre, "BtnSobre", "Sobre o " + TituloPrograma, "sobre", [this] { MSobreoCaudalentesClick(); }},
    {nullptr, &BtnAjuda, "BtnAjuda", "Ajuda", "ajuda", [this] { MSobreoCaudalentesClick(); }},
    {&Toolbar974, nullptr, "Toolbar974", "Sair", {}, nullptr},
    {nullptr, &ToolbarButton974, "ToolbarButton974", "Sair", "sair", [this] { MSairClick(); }},
    {nullptr, &ToolbarButton973, "ToolbarButton973", {}, "sair", nullptr, false},
    {&Toolbar975, nullptr, "Toolbar975", "Ferramentas", {}, nullptr},
    {nullptr, &BVisualizar, "BVisualizar", "Visualizar caudalente", "visualizar", [this] { BVisualizarClick(); }},
    {&Toolbar976, nullptr, "Toolbar976", "Internet", {}, nullptr},
    {nullptr, &BPaginaWeb[0], "BPaginaWeb1", "Página da Universidade", "web:U", [this] { PaginaWebClick(1); }, true, 1},
    {nullptr, &BPaginaWeb[1], "BPaginaWeb2", "Página do Departamento de Engenharia Agrícola", "web:D", [this] { PaginaWebClick(2); }, true, 2},
    {nullptr, &BPaginaWeb[2], "BPaginaWeb3", "Página da Equipe Caudalente", "web:E", [this] { PaginaWebClick(3); }, true, 3},
    {nullptr, &BPaginaWeb[3], "BPaginaWeb4", "Página do Caudalente", "web:C", [this] { PaginaWebClick(4); }, true, 4},
  };
  // clang-format on

  QToolBar* atual = nullptr;
  for (const TLinhaBarra& linha : linhas) {
    if (linha.barra) {
      atual = new QToolBar(linha.texto, this);
      atual->setObjectName(linha.nome);
      atual->setMovable(true);
      atual->setIconSize(QSize(24, 24));
      addToolBar(Qt::TopToolBarArea, atual);
      *linha.barra = atual;
      continue;
    }
    const QString dica =
        linha.tag >= 1 ? linha.texto + QStringLiteral(" (") + EnderecoPagina(linha.tag) + QLatin1Char(')')
                       : linha.texto;
    auto* botao = new QAction(Icone(linha.icone), dica, atual);
    botao->setObjectName(linha.nome);
    botao->setToolTip(dica);
    botao->setStatusTip(dica);
    if (linha.tag >= 0) botao->setData(linha.tag);
    atual->addAction(botao);
    if (linha.comando) Ligar(botao, linha.comando);
    if (!linha.visivel) {
      botao->setVisible(false);
      botao->setEnabled(false);
    }
    *linha.botao = botao;
  }
  HabilitarProjeto(false);
}
