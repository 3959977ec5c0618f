// The main window headless: start-up with and without a settings file, the
// project cycle through the menus, the recent list, closing, the settings
// written at the end, the web pages and the central error box.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextStream>
#include <QToolBar>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "model/hillslope/uCaudalente.h"
#include "project/gui/ConfUnidades.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/DialogosRoteiro.h"
#include "toolkit/gui/MensagensRoteiro.h"
#include "windows/DadosCaudalente.h"
#include "windows/PrincipalDeTeste.h"

using toolkit::gui::Resposta;

class TestePrincipal : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> pasta;
  toolkit::gui::TMensagensRoteiro mensagens;
  toolkit::gui::TDialogosRoteiro dialogos;

  static std::string Local(const QString& c) { return c.toStdString(); }
  QString Ini() const { return pasta->filePath(QStringLiteral("Caudalente.ini")); }
  QString Caminho(const QString& nome) const { return pasta->filePath(nome); }

  void Escrever(const QString& caminho, const QString& texto) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(texto.toUtf8());
  }
  QString Ler(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
  }

  std::unique_ptr<TFPrincipal> Janela() { return NovaPrincipal(*pasta); }

  QStringList Legendas(TFPrincipal& j) {
    QStringList l;
    for (QAction* a : j.Projeto) l << a->text();
    return l;
  }

 private slots:
  void initTestCase() {
    toolkit::DefinirRegional(toolkit::RegionalPtBr());
    toolkit::gui::DefinirPastaAjuda(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/ajuda"));
  }

  void init() {
    pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(pasta->isValid());
    mensagens = {};
    dialogos = {};
    toolkit::gui::DefinirMensagens(&mensagens);
    toolkit::gui::DefinirDialogos(&dialogos);
  }

  void cleanup() {
    toolkit::gui::DefinirMensagens(nullptr);
    toolkit::gui::DefinirDialogos(nullptr);
  }

  void inicioSemArquivoDeConfiguracao() {
    auto j = Janela();
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QCOMPARE(j->Unidades.UnidadeDeclividade, std::string("m/m"));
    QCOMPARE(j->Unidades.UnidadeVI, std::string("mm/h"));
    QCOMPARE(j->Unidades.UnidadeComprimento, std::string("m"));
    QCOMPARE(Legendas(*j), (QStringList{"&1/ ", "&2/ ", "&3/ ", "&4/ "}));
    for (QAction* a :
         {j->MSalvar, j->MSalvarComo, j->MFechar, j->MEntradaDados, j->BtnSalvar, j->BSalvarComo, j->BFechar})
      QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    for (QAction* a : {j->MNovo, j->MAbrir, j->MConfSistema, j->LerArquivoBinario, j->MCascata, j->MConteudo})
      QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    // No recent project yet: no empty entries in the menu.
    for (QAction* a : j->Projeto) QVERIFY2(!a->isVisible(), qPrintable(a->objectName()));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(j->MSobreoCaudalentes->text(), QStringLiteral("&Sobre o Caudalente 2.1"));
    QCOMPARE(j->BtnSobre->toolTip(), QStringLiteral("Sobre o Caudalente 2.1"));
    QCOMPARE(j->MNovo->shortcut(), QKeySequence(Qt::Key_F4));
    QCOMPARE(j->MSair->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(j->PainelRelogio->text()).hasMatch());
    // The clock's next tick is at the turn of the minute.
    const QTime tique = QTime::currentTime().addMSecs(j->Timer1->remainingTime());
    QVERIFY2(tique.second() <= 1, qPrintable(tique.toString()));
    QVERIFY(j->Painel0->text().isEmpty());
    // Menus in order, "Entrada de dados" on the bar itself; every item with its
    // hint and help topic.
    QStringList menus;
    for (QAction* a : j->menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&Projeto", "&Entrada de dados", "&Configurações", "&Ferramentas",
                                 "&Janelas", "&Ajuda"}));
    QStringList ferramentas;
    for (QAction* a : j->Ferramentas1->actions()) ferramentas << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(ferramentas, (QStringList{"LerArquivoBinario", "-", "Bin2Txt", "Txt2Bin", "-", "PaginaWeb1",
                                       "PaginaWeb2", "PaginaWeb3", "PaginaWeb4", "-", "Calculadora1"}));
    for (QMenu* m : {j->MArquivo, j->Configuraes1, j->Ferramentas1, j->MJanelas, j->MAjuda})
      for (QAction* a : m->actions())
        if (!a->isSeparator()) {
          QVERIFY2(!a->statusTip().isEmpty(), qPrintable(a->objectName()));
          QCOMPARE(a->property("contextoAjuda").toInt(), m->menuAction()->property("contextoAjuda").toInt());
        }
    QCOMPARE(j->MSair->statusTip(), QStringLiteral("Finaliza a execução do Caudalente 2.1"));
    QCOMPARE(j->BPaginaWeb[1]->toolTip(), QStringLiteral("Página do Departamento de Engenharia Agrícola (") +
                                              j->EnderecoPagina(2) + QLatin1Char(')'));
    // The default Estado 1 is "Alagoas", index 1 in the database's table too.
    QCOMPARE(j->Nimbora1.IndEstado, int16_t(1));
    QVERIFY(mensagens.caixas.empty());
  }

  void barrasEmUmaLinha() {
    auto j = Janela();
    j->resize(1200, 600);
    j->show();
    QVERIFY(QTest::qWaitForWindowExposed(j.get()));
    const QList<QToolBar*> barras{j->Toolbar971, j->Toolbar972, j->Toolbar973,
                                  j->Toolbar974, j->Toolbar975, j->Toolbar976};
    for (int i = 0; i < barras.size(); ++i) {
      QCOMPARE(j->toolBarArea(barras[i]), Qt::TopToolBarArea);
      QVERIFY(!j->toolBarBreak(barras[i]));
      QCOMPARE(barras[i]->y(), barras[0]->y());
      if (i > 0) QVERIFY(barras[i]->x() > barras[i - 1]->x());
    }
    QCOMPARE(j->Toolbar976->windowTitle(), QStringLiteral("Internet"));
    QVERIFY(!j->BtnImprimir->isVisible());
    // Status panels: the clock 80 px wide, the hint panel no wider than the rest.
    QCOMPARE(j->PainelRelogio->width(), 80);
    QVERIFY(j->Painel0->width() <= j->BarraHints->width() - 80);
    const int larguraAntes = j->BarraHints->width();
    j->resize(900, 600);
    QTRY_VERIFY(j->BarraHints->width() < larguraAntes);
    QTRY_VERIFY(j->Painel0->width() <= j->BarraHints->width() - 80);
    QVERIFY(j->Painel0->width() > j->BarraHints->width() - 80 - 30);
  }

  void configuracaoVersaoZeroEIgnorada() {
    Escrever(Ini(),
             "[CAUDALENTE]\r\nVersao=0\r\n[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\n"
             "Comprimento=2\r\nVI=0\r\n[PRINCIPAL]\r\npath1=/x/a.cdt\r\n");
    auto j = Janela();
    QCOMPARE(j->Unidades.UnidadeDeclividade, std::string("m/m"));
    QCOMPARE(j->GerenteSys1->Recente(1), QString());
    QCOMPARE(Legendas(*j), (QStringList{"&1/ ", "&2/ ", "&3/ ", "&4/ "}));
  }

  void configuracaoLidaEGravadaAoFechar() {
    Escrever(Ini(),
             "[CAUDALENTE]\r\nVersao=1\r\n[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\n"
             "Comprimento=2\r\nVI=2\r\nEstado=10\r\n[PRINCIPAL]\r\npath1=/x/um.cdt\r\n"
             "path2=/x/dois.cdt\r\n");
    auto j = Janela();
    QCOMPARE(j->Unidades.UnidadeDeclividade, std::string("%"));
    QCOMPARE(j->Unidades.UnidadeVI, std::string("m/dia"));
    QCOMPARE(Legendas(*j), (QStringList{"&1/ um.cdt", "&2/ dois.cdt", "&3/ ", "&4/ "}));
    // Estado 10 is "Minas Gerais" in the dialog's list, 12 in the database's.
    QCOMPARE(j->Nimbora1.IndEstado, int16_t(12));
    QVERIFY(j->close());
    QCOMPARE(Ler(Ini()),
             QStringLiteral("[CAUDALENTE]\r\nVersao=1\r\n[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\n"
                            "Comprimento=2\r\nVI=2\r\nEstado=10\r\n[PRINCIPAL]\r\npath1=/x/um.cdt\r\n"
                            "path2=/x/dois.cdt\r\npath3=\r\npath4=\r\n"));
  }

  // The units dialog's state list is shorter than the database's: the default
  // state goes over by name.
  void estadoPadraoNoBancoIdf_data() {
    QTest::addColumn<int>("estado");
    QTest::addColumn<int>("indice");
    QTest::newRow("Minas Gerais") << 10 << 12;
    QTest::newRow("São Paulo") << 21 << 24;
    QTest::newRow("Ceará") << 4 << 5;
    QTest::newRow("fora da lista") << 30 << 30;
  }
  void estadoPadraoNoBancoIdf() {
    QFETCH(int, estado);
    QFETCH(int, indice);
    Escrever(Ini(), QStringLiteral("[UNIDADES]\r\nVersao=1\r\nDeclividade=1\r\nComprimento=2\r\nVI=1\r\n"
                                   "Estado=%1\r\n")
                        .arg(estado));
    auto j = Janela();
    QCOMPARE(int(j->Nimbora1.IndEstado), indice);
    j->MNovo->trigger();
    QCOMPARE(int(j->Nimbora1.IndEstado), indice);
  }

  // An installed program's folder cannot be written: the settings go to the
  // user's settings folder, closing shows no error, and the file dialogs
  // start in the home folder.
  void pastaDoProgramaSemEscrita() {
    QStandardPaths::setTestModeEnabled(true);
    TOpcoesPrincipal opcoes;
    opcoes.PastaPrograma = Caminho(QStringLiteral("sem/acesso"));  // cannot be written: it does not exist
    opcoes.MostrarAbertura = false;
    auto j = std::make_unique<TFPrincipal>(opcoes);
    const QString pastaUsuario = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QCOMPARE(j->ArquivoConfiguracao(), pastaUsuario + QStringLiteral("/Caudalente.ini"));
    QCOMPARE(j->DAbrirProjetos.InitialDir, QDir::homePath());
    QFile::remove(j->ArquivoConfiguracao());
    QVERIFY(j->close());
    QVERIFY(mensagens.caixas.empty());
    QVERIFY(Ler(j->ArquivoConfiguracao()).startsWith(QStringLiteral("[CAUDALENTE]\r\nVersao=1\r\n")));
    QFile::remove(j->ArquivoConfiguracao());
    QStandardPaths::setTestModeEnabled(false);

    // A folder that can be written keeps the file beside the program.
    TOpcoesPrincipal aoLado;
    aoLado.PastaPrograma = pasta->path();
    aoLado.MostrarAbertura = false;
    const TFPrincipal aoLadoJanela(aoLado);
    QCOMPARE(aoLadoJanela.ArquivoConfiguracao(), Ini());
    QCOMPARE(aoLadoJanela.DSalvarComo.InitialDir, pasta->path());
  }

  void novoESalvarAbreSalvarComo() {
    auto j = Janela();
    j->MNovo->trigger();
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 (\"Caudalente.cdt\")"));
    QVERIFY(j->MSalvar->isEnabled());
    QVERIFY(j->BFechar->isEnabled());
    j->MSalvar->trigger();  // cancelled by the script
    QCOMPARE(dialogos.execucoes.size(), size_t(1));
    QCOMPARE(dialogos.execucoes[0].titulo, QStringLiteral("Salvar Como"));
    QCOMPARE(j->DSalvarComo.Filter, QStringLiteral("Caudalentes|*.cdt"));
    QCOMPARE(j->DAbrirProjetos.Filter, QStringLiteral("Arquivo do Caudalente (*.cdt)|*.cdt"));
    QCOMPARE(j->DHidros.Title, QStringLiteral("Visualizar caudalentes"));
  }

  // A project saved and opened again: the recent list and captions follow.
  void ciclodeProjetoERecentes() {
    auto j = Janela();
    j->MNovo->trigger();
    QVERIFY(FDadosCaudalente);
    FDadosCaudalente->eEncComp->setText(QStringLiteral("40"));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    j->MSalvarComo->trigger();
    QVERIFY(mensagens.caixas.empty());
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('a.cdt')"));
    QVERIFY(Ler(Caminho(QStringLiteral("a.cdt"))).contains(QStringLiteral("[VERSAO]")));
    QCOMPARE(j->Projeto[0]->text(), QStringLiteral("&1/ "));  // not refreshed by a save

    j->MFechar->trigger();
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QCOMPARE(j->Encosta().Count(), 0);
    QVERIFY(!j->MSalvar->isEnabled());
    QCOMPARE(j->Projeto[0]->text(), QStringLiteral("&1/ a.cdt"));

    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    j->MAbrir->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('a.cdt')"));
    QCOMPARE(j->Encosta().Count(), 1);
    QCOMPARE(j->Encosta().Trechos(0).Comprimento(), 40);
    QVERIFY(j->MSalvar->isEnabled());

    // Reopening from the recent list.
    j->MFechar->trigger();
    j->Projeto[0]->trigger();
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('a.cdt')"));
    QCOMPARE(j->Encosta().Count(), 1);
  }

  // An open that fails says why and leaves no project open (the model has been
  // cleared): a project the readers refuse, one that lacks its channel, one
  // without a version.
  void aberturaIlegivelDizPorque() {
    auto j = Janela();
    j->MNovo->trigger();
    j->Encosta().SetCount(2);
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    j->MSalvarComo->trigger();
    // A project file whose UNIDADES section is invalid cannot be read.
    Escrever(Caminho(QStringLiteral("ruim.cdt")), QStringLiteral("[VERSAO]\r\nVersao=2\r\n"));
    dialogos.escolhas = {{Caminho(QStringLiteral("ruim.cdt"))}};
    j->MAbrir->trigger();
    QCOMPARE(j->Encosta().Count(), 0);
    QCOMPARE(j->GerenteSys1->PathProjeto, Caminho(QStringLiteral("a.cdt")));
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O projeto ruim.cdt não pôde ser lido.")});
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(j->GerenteSys1->Recente(1), Caminho(QStringLiteral("a.cdt")));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QVERIFY(!j->MSalvar->isEnabled());

    // An example project without its channel sections.
    QString texto = Ler(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/exemplos/encosta_regular.cdt"));
    QVERIFY(!texto.isEmpty());
    texto.remove(QRegularExpression(QStringLiteral("\\[Canal(Gradiente)?\\][^\\[]*")));
    QVERIFY(!texto.contains(QStringLiteral("[Canal")));
    Escrever(Caminho(QStringLiteral("semcanal.cdt")), texto);
    mensagens = {};
    j->MNovo->trigger();
    dialogos.escolhas = {{Caminho(QStringLiteral("semcanal.cdt"))}};
    j->MAbrir->trigger();
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O projeto semcanal.cdt não pôde ser lido.")});
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QVERIFY(!j->MSalvar->isEnabled());
    // The same from the recent list, after the file was opened once whole.
    QVERIFY(QFile::copy(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/exemplos/encosta_regular.cdt"),
                        Caminho(QStringLiteral("bom.cdt"))));
    dialogos.escolhas = {{Caminho(QStringLiteral("bom.cdt"))}};
    j->MAbrir->trigger();
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('bom.cdt')"));
    QFile::remove(Caminho(QStringLiteral("bom.cdt")));
    QVERIFY(QFile::copy(Caminho(QStringLiteral("semcanal.cdt")), Caminho(QStringLiteral("bom.cdt"))));
    mensagens = {};
    j->Projeto[0]->trigger();
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O projeto bom.cdt não pôde ser lido.")});
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));

    // Without VERSAO the reading error is shown and the project closed.
    mensagens = {};
    Escrever(Caminho(QStringLiteral("semversao.cdt")), QStringLiteral("[Encosta]\r\nVersao=2\r\n"));
    dialogos.escolhas = {{Caminho(QStringLiteral("semversao.cdt"))}};
    j->MAbrir->trigger();
    QCOMPARE(mensagens.Textos(),
             QStringList{QStringLiteral("Ocorreu um erro ao tentar ler o arquivo semversao.cdt. Não "
                                        "existe a versão especificada neste arquivo.")});
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(mensagens.caixas[0].titulo, QStringLiteral("Caudalente 2.1"));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QVERIFY(!j->MSalvar->isEnabled());
  }

  // A recent project whose file has gone: a message, the entry leaves the
  // menu, and the open project stays open.
  void recenteQueSumiu() {
    Escrever(Ini(), QStringLiteral("[CAUDALENTE]\r\nVersao=1\r\n[PRINCIPAL]\r\npath1=%1\r\npath2=%2\r\n")
                        .arg(Caminho(QStringLiteral("sumiu.cdt")), Caminho(QStringLiteral("outro.cdt"))));
    auto j = Janela();
    j->MNovo->trigger();
    j->Projeto[0]->trigger();
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O arquivo ") +
                                             QDir::toNativeSeparators(Caminho(QStringLiteral("sumiu.cdt"))) +
                                             QStringLiteral(" não existe.")});
    QCOMPARE(Legendas(*j), (QStringList{"&1/ outro.cdt", "&2/ ", "&3/ ", "&4/ "}));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 (\"Caudalente.cdt\")"));
    QVERIFY(j->MSalvar->isEnabled());
  }

  // The menu shows the recent entries whose files are there, each with its full
  // path as a tooltip; an entry whose file comes back shows again when the
  // menu opens.
  void recentesSoOsQueExistem() {
    Escrever(Caminho(QStringLiteral("a.cdt")), QStringLiteral("[VERSAO]\r\n"));
    Escrever(Ini(), QStringLiteral("[CAUDALENTE]\r\nVersao=1\r\n[PRINCIPAL]\r\npath1=%1\r\npath2=%2\r\n")
                        .arg(Caminho(QStringLiteral("a.cdt")), Caminho(QStringLiteral("volta.cdt"))));
    auto j = Janela();
    j->show();
    QVERIFY(QTest::qWaitForWindowExposed(j.get()));
    auto visiveis = [&] {
      QList<bool> v;
      for (QAction* a : j->Projeto) v << a->isVisible();
      return v;
    };
    QCOMPARE(visiveis(), (QList<bool>{true, false, false, false}));
    QCOMPARE(j->Projeto[0]->toolTip(), QDir::toNativeSeparators(Caminho(QStringLiteral("a.cdt"))));
    QVERIFY(j->MArquivo->toolTipsVisible());

    Escrever(Caminho(QStringLiteral("volta.cdt")), QStringLiteral("[VERSAO]\r\n"));
    QMenuBar* barra = j->menuBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->actionGeometry(j->MArquivo->menuAction()).center());
    QTRY_VERIFY(j->MArquivo->isVisible());
    QCOMPARE(visiveis(), (QList<bool>{true, true, false, false}));
    QTest::keyClick(j->MArquivo, Qt::Key_Escape);
  }

  // Save As where the file cannot be written (its folder is a file): the error
  // is shown and the project keeps its file.
  void salvarComoQueFalhaMantemOArquivo() {
    auto j = Janela();
    j->MNovo->trigger();
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    j->MSalvarComo->trigger();
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt/b.cdt"))}};
    j->MSalvarComo->trigger();
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(j->GerenteSys1->PathProjeto, Caminho(QStringLiteral("a.cdt")));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('a.cdt')"));
    QVERIFY(QFile::remove(Caminho(QStringLiteral("a.cdt"))));
    j->MSalvar->trigger();
    QVERIFY(QFile::exists(Caminho(QStringLiteral("a.cdt"))));
    QCOMPARE(mensagens.caixas.size(), size_t(1));
  }

  void recenteVazioNaoAbre() {
    auto j = Janela();
    j->Projeto[2]->trigger();
    QVERIFY(mensagens.caixas.empty());
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1"));
  }

  void fecharComAlteracoesPergunta() {
    auto j = Janela();
    j->show();
    j->MNovo->trigger();
    j->GerenteSys1->Alterado = true;
    mensagens.respostas = {Resposta::Cancelar};
    QVERIFY(!j->close());
    QVERIFY(j->isVisible());
    QCOMPARE(mensagens.Textos(),
             QStringList{QStringLiteral("Deseja salvar as alterações em \"Caudalente.cdt\"")});
    QVERIFY(!QFile::exists(Ini()));  // nothing written while the program goes on

    mensagens.respostas = {Resposta::Nao};
    QVERIFY(j->close());
    QVERIFY(QFile::exists(Ini()));
  }

  // An open help window must not keep the program running after Sair.
  void sairFechaAAjuda() {
    auto j = Janela();
    j->show();
    j->MConteudo->trigger();
    auto ajudaVisivel = [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->findChild<QTextBrowser*>()) return true;
      return false;
    };
    QVERIFY(ajudaVisivel());
    j->MSair->trigger();
    QVERIFY(!j->isVisible());
    QVERIFY(!ajudaVisivel());
  }

  void janelasFilhas() {
    auto j = Janela();
    for (int i = 0; i < 3; ++i) j->Workspace->addSubWindow(new QLabel(QStringLiteral("x")))->show();
    j->MMinimizadas->trigger();
    for (QMdiSubWindow* s : j->Workspace->subWindowList()) QVERIFY(s->isMinimized());
    // The open windows are listed after the menu's own items.
    emit j->MJanelas->aboutToShow();
    QCOMPARE(j->MJanelas->actions().size(), 5 + 3);
    QVERIFY(j->MJanelas->actions().at(4)->isVisible());
    j->MCascata->trigger();
    j->MNovo->trigger();  // a new project closes the chart windows and opens the data entry
    QCOMPARE(j->Workspace->subWindowList().size(), 1);
    QCOMPARE(j->Workspace->subWindowList().at(0)->widget(), FDadosCaudalente.data());
  }

  void paginasWeb() {
    auto j = Janela();
    QList<QUrl> abertas;
    j->AbrirUrl = [&](const QUrl& url) {
      abertas << url;
      return true;
    };
    j->PaginaWeb[2]->trigger();
    j->BPaginaWeb[3]->trigger();
    QCOMPARE(abertas.size(), 2);
    QVERIFY(abertas[0].toLocalFile().endsWith(QStringLiteral("/web/equipe.html")));
    QVERIFY(QFile::exists(abertas[1].toLocalFile()));
    QCOMPARE(j->PaginaWeb[3]->text(), QStringLiteral("Visitar página do &Caudalente"));
    QCOMPARE(j->PaginaWeb[0]->statusTip(),
             QStringLiteral("Abre a página da Universidade no navegador de internet"));
    QVERIFY(mensagens.caixas.empty());

    // No browser: the menu item says so, with the address.
    j->AbrirUrl = [](const QUrl&) { return false; };
    j->PaginaWeb[0]->trigger();
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QVERIFY(mensagens.caixas[0].texto.startsWith(QStringLiteral(
        "Não foi possível abrir a página escolhida. Nenhum navegador de internet abriu o endereço ")));
    QVERIFY(mensagens.caixas[0].texto.contains(j->EnderecoPagina(1)));
  }

  // The about box's links reach the user's error box through its own guard.
  void ligacaoDoSobreSemNavegador() {
    auto j = Janela();
    j->AbrirUrl = [](const QUrl&) { return false; };
    TFSobre sobre(j->LigacoesSobre());
    sobre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sobre));
    QTest::mouseClick(sobre.lDepartamento, Qt::LeftButton);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QVERIFY(mensagens.caixas[0].texto.contains(j->EnderecoPagina(TFSobre::kPaginaDepartamento)));
  }

  // The desktop's opener starts but no browser takes the page: its exit
  // status is reported once it ends.
  void abridorQueFalhaAvisa() {
    const QByteArray caminhoAntigo = qgetenv("PATH");
    QVERIFY(QDir(pasta->path()).mkdir(QStringLiteral("bin")));
    const QString abridor = Caminho(QStringLiteral("bin/xdg-open"));
    Escrever(abridor, QStringLiteral("#!/bin/sh\nexit 3\n"));
    QVERIFY(QFile::setPermissions(abridor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("PATH", Caminho(QStringLiteral("bin")).toLocal8Bit() + ":" + caminhoAntigo);
    auto j = Janela();
    j->PaginaWeb[3]->trigger();
    qputenv("PATH", caminhoAntigo);
    QTRY_COMPARE(mensagens.caixas.size(), size_t(1));
    QVERIFY(
        mensagens.caixas[0].texto.contains(QStringLiteral("Nenhum navegador de internet abriu o endereço")));
  }

  // Entrada de dados opens the data-entry window of the open project.
  void entradaDeDadosAbreAJanela() {
    auto j = Janela();
    j->MNovo->trigger();
    j->MEntradaDados->trigger();
    QVERIFY(mensagens.caixas.empty());
    QVERIFY(FDadosCaudalente != nullptr);
  }

  // Each direction has its own dialog; the output name replaces the
  // extension; existing outputs are not overwritten without asking.
  void conversoresDeHidrograma() {
    auto j = Janela();
    TCaudalente serie;
    const double pontos[][2] = {{0, 0}, {1, 2.5}, {2, 1.25}, {3, 0}};
    for (const auto& p : pontos) serie.Adicionar(p[0], p[1]);
    serie.SalvarTexto(Local(Caminho(QStringLiteral("dados.txt"))));
    serie.SalvarTexto(Local(Caminho(QStringLiteral("x.text"))));

    dialogos.escolhas = {{Caminho(QStringLiteral("dados.txt")), Caminho(QStringLiteral("x.text"))}};
    j->Txt2Bin->trigger();
    QCOMPARE(dialogos.execucoes.back().titulo, QStringLiteral("Converter arquivo texto para binário"));
    QCOMPARE(j->DConverterTexto.FilterIndex, 2);
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("Conversão terminada com sucesso.")});
    QVERIFY(QFile::exists(Caminho(QStringLiteral("x.bin"))));
    QVERIFY(!QFile::exists(Caminho(QStringLiteral("x.tbin"))));
    TCaudalente lida;
    QVERIFY(lida.LerBinario(Local(Caminho(QStringLiteral("dados.bin")))));
    QCOMPARE(int(lida.Count()), 4);
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(lida.Ponto(size_t(i)).Tempo, pontos[i][0]);
      QCOMPARE(lida.Ponto(size_t(i)).Vazao, pontos[i][1]);
    }

    // The other direction starts from nothing of the first one.
    QVERIFY(QFile::copy(Caminho(QStringLiteral("dados.bin")), Caminho(QStringLiteral("a.b.bin"))));
    mensagens = {};
    dialogos.escolhas = {{Caminho(QStringLiteral("a.b.bin"))}};
    j->Bin2Txt->trigger();
    QCOMPARE(dialogos.execucoes.back().titulo, QStringLiteral("Converter arquivo binário para texto"));
    QCOMPARE(dialogos.execucoes.back().arquivoSugerido, QString());
    QCOMPARE(j->DConverterBinario.FilterIndex, 1);
    QVERIFY(QFile::exists(Caminho(QStringLiteral("a.b.txt"))));
    QCOMPARE(j->DHidros.FileName, QString());

    // An existing output: No keeps it, Yes replaces it.
    mensagens = {};
    Escrever(Caminho(QStringLiteral("dados.bin")), QStringLiteral("meu"));
    dialogos.escolhas = {{Caminho(QStringLiteral("dados.txt"))}, {Caminho(QStringLiteral("dados.txt"))}};
    mensagens.respostas = {Resposta::Nao};
    j->Txt2Bin->trigger();
    QCOMPARE(mensagens.Textos(),
             (QStringList{QStringLiteral("O arquivo ") +
                              QDir::toNativeSeparators(Caminho(QStringLiteral("dados.bin"))) +
                              QStringLiteral(" já existe. Deseja substituir?"),
                          QStringLiteral("Nenhum arquivo foi convertido.")}));
    QCOMPARE(Ler(Caminho(QStringLiteral("dados.bin"))), QStringLiteral("meu"));
    mensagens = {};
    mensagens.respostas = {Resposta::Sim};
    j->Txt2Bin->trigger();
    QCOMPARE(mensagens.Textos().last(), QStringLiteral("Conversão terminada com sucesso."));
    QVERIFY(lida.LerBinario(Local(Caminho(QStringLiteral("dados.bin")))));

    // Two files of one choice with the same output: the second asks too.
    mensagens = {};
    QVERIFY(QFile::remove(Caminho(QStringLiteral("dados.bin"))));
    dialogos.escolhas = {{Caminho(QStringLiteral("dados.txt")), Caminho(QStringLiteral("dados.text"))}};
    serie.SalvarTexto(Local(Caminho(QStringLiteral("dados.text"))));
    mensagens.respostas = {Resposta::Nao};
    j->Txt2Bin->trigger();
    QCOMPARE(mensagens.caixas.size(), size_t(2));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("pergunta"));
    QCOMPARE(mensagens.caixas[1].texto, QStringLiteral("Conversão terminada: 1 de 2 arquivos convertidos."));

    // A name typed without extension takes the filter's: "dados" is dados.txt.
    mensagens = {};
    QVERIFY(QFile::remove(Caminho(QStringLiteral("dados.bin"))));
    dialogos.escolhas = {{Caminho(QStringLiteral("dados"))}};
    j->Txt2Bin->trigger();
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("Conversão terminada com sucesso.")});
    QVERIFY(QFile::exists(Caminho(QStringLiteral("dados.bin"))));

    // A file that is not a hydrograph ends the command with its error.
    mensagens = {};
    Escrever(Caminho(QStringLiteral("ruim.bin")), QStringLiteral("nada"));
    dialogos.escolhas = {{Caminho(QStringLiteral("ruim.bin"))}};
    j->Bin2Txt->trigger();
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QVERIFY(j->isEnabled());
    QVERIFY(!j->BarraProgresso);
    QVERIFY(!QApplication::overrideCursor());
  }

  // "caudalente PROJETO.cdt": the project opens; a missing or unreadable one
  // is said so and the program goes on without a project.
  void projetoNaLinhaDeComando() {
    QCOMPARE(TFPrincipal::ProjetoDosArgumentos({QStringLiteral("caudalente")}), QString());
    QCOMPARE(TFPrincipal::ProjetoDosArgumentos(
                 {QStringLiteral("caudalente"), QStringLiteral("-style"), Caminho(QStringLiteral("a.cdt"))}),
             Caminho(QStringLiteral("a.cdt")));
    QCOMPARE(TFPrincipal::ProjetoDosArgumentos(
                 {QStringLiteral("caudalente"),
                  QUrl::fromLocalFile(Caminho(QStringLiteral("b c.cdt"))).toString()}),
             Caminho(QStringLiteral("b c.cdt")));
    QCOMPARE(TFPrincipal::ProjetoDosArgumentos({QStringLiteral("caudalente"), QStringLiteral("rel.cdt")}),
             QDir::current().absoluteFilePath(QStringLiteral("rel.cdt")));

    QVERIFY(QFile::copy(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/exemplos/encosta_regular.cdt"),
                        Caminho(QStringLiteral("exemplo.cdt"))));
    auto j = Janela();
    j->AbrirProjetoInicial(Caminho(QStringLiteral("exemplo.cdt")));
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(j->windowTitle(), QStringLiteral("Caudalente 2.1 ('exemplo.cdt')"));
    QCOMPARE(j->Encosta().Count(), 1);
    QCOMPARE(j->Projeto[0]->text(), QStringLiteral("&1/ exemplo.cdt"));

    auto k = Janela();
    k->AbrirProjetoInicial(Caminho(QStringLiteral("falta.cdt")));
    Escrever(Caminho(QStringLiteral("ruim.cdt")), QStringLiteral("[VERSAO]\r\nVersao=2\r\n"));
    k->AbrirProjetoInicial(Caminho(QStringLiteral("ruim.cdt")));
    QCOMPARE(mensagens.Textos().mid(0, 2),
             (QStringList{QStringLiteral("O arquivo ") +
                              QDir::toNativeSeparators(Caminho(QStringLiteral("falta.cdt"))) +
                              QStringLiteral(" não existe."),
                          QStringLiteral("O projeto ruim.cdt não pôde ser lido.")}));
    QCOMPARE(k->windowTitle(), QStringLiteral("Caudalente 2.1"));
    QVERIFY(!k->MSalvar->isEnabled());
  }

  void calculadoraAusenteAvisa() {
    auto j = Janela();
    j->Calculadoras = {QStringLiteral("calculadora-que-nao-existe-xyz")};
    j->Calculadora1->trigger();
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("informacao"));
    QVERIFY(mensagens.caixas[0].texto.startsWith(QStringLiteral("Nenhuma calculadora")));
  }

  void unidadesEscolhidasVaoParaAConfiguracao() {
    auto j = Janela();
    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<TFConfUnidades*>(QApplication::activeModalWidget());
      QVERIFY(d);
      QCOMPARE(d->property("contextoDialogo").toInt(), 1330);
      d->UnidDecli->setCurrentIndex(0);
      d->ok->click();
    });
    j->MConfSistema->trigger();
    QCOMPARE(j->Unidades.UnidadeDeclividade, std::string("%"));
    QVERIFY(Ler(Ini()).contains(QStringLiteral("[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\n")));
  }

  void dicaNoPainelDeStatus() {
    auto j = Janela();
    QStatusTipEvent dica(QStringLiteral("Cria um novo projeto"));
    QCoreApplication::sendEvent(j->Workspace, &dica);
    QCOMPARE(j->Painel0->text(), QStringLiteral("Cria um novo projeto"));
  }

  void regraDoPontoFinal_data() {
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("mostrada");
    QTest::newRow("letra") << "Valor incorreto"
                           << "Valor incorreto.";
    QTest::newRow("ponto") << "Fim."
                           << "Fim.";
    QTest::newRow("branco") << "Deseja salvar "
                            << "Deseja salvar ";
    QTest::newRow("parêntese") << "Valor (m)"
                               << "Valor (m)";
    QTest::newRow("aspas") << "Arquivo \"a.cdt\""
                           << "Arquivo \"a.cdt\"";
    QTest::newRow("vírgula") << "a,"
                             << "a,";
    QTest::newRow("barra") << "mm/"
                           << "mm/.";
    QTest::newRow("dígito") << "linha 5"
                            << "linha 5.";
    QTest::newRow("interrogação") << "Continuar?"
                                  << "Continuar?.";
    QTest::newRow("acentuada") << "Não há padrão"
                               << "Não há padrão.";
    QTest::newRow("vazia") << ""
                           << "";
  }
  // The central handler: an exception raised by an event handler becomes an
  // error box with the program title; the program goes on.
  void regraDoPontoFinal() {
    QFETCH(QString, mensagem);
    QFETCH(QString, mostrada);
    QPushButton botao;
    QObject::connect(&botao, &QPushButton::clicked,
                     [&] { throw std::runtime_error(mensagem.toStdString()); });
    botao.show();
    QTest::mouseClick(&botao, Qt::LeftButton);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(mensagens.caixas[0].titulo, QStringLiteral("Caudalente 2.1"));
    QCOMPARE(mensagens.caixas[0].texto, mostrada);
    QVERIFY(botao.isEnabled());
  }

  void ajudaPorContexto() {
    auto j = Janela();
    j->MConteudo->trigger();
    QCOMPARE(toolkit::gui::ContextoAjudaMostrado(), 0);
    toolkit::gui::FecharAjuda();
    // F1 inside an open menu shows the highlighted item's topic.
    j->show();
    QVERIFY(QTest::qWaitForWindowExposed(j.get()));
    j->Configuraes1->popup(QPoint(0, 0));
    j->Configuraes1->setActiveAction(j->MConfSistema);
    QTest::keyClick(j->Configuraes1, Qt::Key_F1);
    QCOMPARE(toolkit::gui::ContextoAjudaMostrado(), 1330);
    j->Configuraes1->close();
    toolkit::gui::FecharAjuda();
  }
};

int main(int argc, char* argv[]) {
  TAplicacao app(argc, argv);
  TestePrincipal teste;
  return QTest::qExec(&teste, argc, argv);
}

#include "tst_principal.moc"
