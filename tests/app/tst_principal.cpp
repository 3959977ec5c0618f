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

  std::unique_ptr<TFPrincipal> Janela() {
    TOpcoesPrincipal opcoes;
    opcoes.ArquivoConfiguracao = Ini();
    opcoes.PastaPrograma = pasta->path();
    opcoes.MostrarAbertura = false;
    return std::make_unique<TFPrincipal>(opcoes);
  }

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
    for (QAction* a : {j->MNovo, j->MAbrir, j->MConfSistema, j->LerArquivoBinario, j->MCascata, j->MConteudo,
                       j->Projeto[0]})
      QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(j->MSobreoCaudalentes->text(), QStringLiteral("&Sobre o Caudalente 2.1"));
    QCOMPARE(j->BtnSobre->toolTip(), QStringLiteral("Sobre o Caudalente 2.1"));
    QCOMPARE(j->MNovo->shortcut(), QKeySequence(Qt::Key_F4));
    QCOMPARE(j->MSair->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d$")).match(j->PainelRelogio->text()).hasMatch());
    QCOMPARE(j->Timer1->interval(), 60000);
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
    j->resize(900, 600);
    QTest::qWait(10);
    QVERIFY(j->Painel0->width() <= j->BarraHints->width() - 80);
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

  void aberturaIlegivelLimpaOModelo() {
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
    QVERIFY(mensagens.caixas.empty());
    QCOMPARE(j->GerenteSys1->Recente(1), Caminho(QStringLiteral("a.cdt")));

    // Without VERSAO the reading error is shown and the project closed.
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

    j->AbrirUrl = [](const QUrl&) { return false; };
    j->PaginaWeb[0]->trigger();
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("Não foi possível abrir a página escolhida.")});
  }

  void conversoresDeHidrograma() {
    auto j = Janela();
    TCaudalente serie;
    const double pontos[][2] = {{0, 0}, {1, 2.5}, {2, 1.25}, {3, 0}};
    for (const auto& p : pontos) serie.Adicionar(p[0], p[1]);
    serie.SalvarTexto(Local(Caminho(QStringLiteral("dados.txt"))));
    serie.SalvarTexto(Local(Caminho(QStringLiteral("x.text"))));

    dialogos.escolhas = {{Caminho(QStringLiteral("dados.txt")), Caminho(QStringLiteral("x.text"))}};
    j->Txt2Bin->trigger();
    QCOMPARE(j->DHidros.FilterIndex, 2);
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("Conversão terminada com sucesso.")});
    QVERIFY(QFile::exists(Caminho(QStringLiteral("x.tbin"))));
    TCaudalente lida;
    QVERIFY(lida.LerBinario(Local(Caminho(QStringLiteral("dados.bin")))));
    QCOMPARE(int(lida.Count()), 4);
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(lida.Ponto(size_t(i)).Tempo, pontos[i][0]);
      QCOMPARE(lida.Ponto(size_t(i)).Vazao, pontos[i][1]);
    }

    QVERIFY(QFile::copy(Caminho(QStringLiteral("dados.bin")), Caminho(QStringLiteral("a.b.bin"))));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.b.bin"))}};
    j->Bin2Txt->trigger();
    QCOMPARE(j->DHidros.FilterIndex, 1);
    QVERIFY(QFile::exists(Caminho(QStringLiteral("a.b.txt"))));

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
