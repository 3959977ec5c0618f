// The project manager on its own: prompts, captions, the Save / Save As turn,
// failed opens and the recent list, with scripted dialogs and message boxes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <stdexcept>

#include "project/gui/GerenteSys.h"
#include "toolkit/gui/DialogosRoteiro.h"
#include "toolkit/gui/MensagensRoteiro.h"

using toolkit::gui::Botoes;
using toolkit::gui::Resposta;
using toolkit::gui::TDialogoArquivo;

class TesteGerenteSys : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir pasta;
  QWidget janela;
  TDialogoArquivo abrir{TDialogoArquivo::Tipo::Abrir};
  TDialogoArquivo salvar{TDialogoArquivo::Tipo::Salvar};
  toolkit::gui::TMensagensRoteiro mensagens;
  toolkit::gui::TDialogosRoteiro dialogos;
  std::unique_ptr<TGerenteSys> g;
  QStringList eventos;    // events in the order raised
  bool leitura = true;    // what OnLerArquivo answers
  bool lerLanca = false;  // OnLerArquivo throws
  bool escritaLanca = false;
  QStringList escritos;  // paths written

  QString Caminho(const QString& nome) const { return pasta.filePath(nome); }
  void Criar(const QString& nome) {
    QFile f(Caminho(nome));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }

 private slots:
  void init() {
    mensagens = {};
    dialogos = {};
    toolkit::gui::DefinirMensagens(&mensagens);
    toolkit::gui::DefinirDialogos(&dialogos);
    eventos.clear();
    escritos.clear();
    leitura = true;
    lerLanca = false;
    escritaLanca = false;
    janela.setWindowTitle(QString());
    g = std::make_unique<TGerenteSys>();
    g->OpenDialog = &abrir;
    g->SaveDialog = &salvar;
    g->Janela = &janela;
    g->TituloPrograma = QStringLiteral("Caudalente 2.1");
    g->NomeDefault = QStringLiteral("Caudalente.cdt");
    g->PastaPrograma = pasta.path();
    auto registrar = [this](const char* nome) {
      return [this, nome](QObject*) { eventos << QString::fromLatin1(nome); };
    };
    g->OnZerarVariaveis = registrar("Zerar");
    g->OnAbilitarCampos = registrar("Abilitar");
    g->OnDesabilitarCampos = registrar("Desabilitar");
    g->OnLerCamposDados = registrar("LerCampos");
    g->OnPreencherCamposDados = registrar("Preencher");
    g->OnLimparCamposDados = registrar("Limpar");
    g->OnLerArquivo = [this](QObject*, bool& leuCerto) {
      eventos << QStringLiteral("Ler");
      if (lerLanca) throw std::runtime_error("arquivo ilegível");
      leuCerto = leitura;
    };
    g->OnEscreverArquivo = [this](QObject*) {
      eventos << QStringLiteral("Escrever");
      if (escritaLanca) throw std::runtime_error("disco cheio");
      escritos << g->PathProjeto;
    };
  }

  void cleanup() {
    toolkit::gui::DefinirMensagens(nullptr);
    toolkit::gui::DefinirDialogos(nullptr);
  }

  void novoDaNomePadraoEntreAspas() {
    QVERIFY(g->Novo());
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1 (\"Caudalente.cdt\")"));
    QCOMPARE(g->NomeProjeto, QStringLiteral("\"Caudalente.cdt\""));
    QCOMPARE(g->PathProjeto, pasta.path() + QStringLiteral("/Caudalente.cdt"));
    QCOMPARE(eventos, (QStringList{"Zerar", "Abilitar", "Limpar"}));
    QVERIFY(g->ProjetoAberto());
    QVERIFY(g->PodeGravar());
    QVERIFY(!g->Alterado);
  }

  void novoComAlteracoesPergunta_data() {
    QTest::addColumn<int>("resposta");
    QTest::addColumn<bool>("resultado");
    QTest::addColumn<int>("gravacoes");
    QTest::newRow("cancelar") << int(Resposta::Cancelar) << false << 0;
    QTest::newRow("nao") << int(Resposta::Nao) << true << 0;
    QTest::newRow("sim") << int(Resposta::Sim) << true << 1;
  }
  void novoComAlteracoesPergunta() {
    QFETCH(int, resposta);
    QFETCH(bool, resultado);
    QFETCH(int, gravacoes);
    // A saved project with changes.
    Criar(QStringLiteral("a.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    QVERIFY(g->Abrir());
    g->Alterado = true;
    mensagens.respostas = {Resposta(resposta)};
    QCOMPARE(g->Novo(), resultado);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].texto, QStringLiteral("Deseja Salvar as Alterações em a.cdt"));
    QCOMPARE(mensagens.caixas[0].botoes, Botoes::SimNaoCancelar);
    QCOMPARE(escritos.size(), gravacoes);
    QCOMPARE(g->NomeProjeto, resultado ? QStringLiteral("\"Caudalente.cdt\"") : QStringLiteral("a.cdt"));
  }

  void salvarDeProjetoNovoAbreSalvarComo() {
    QVERIFY(g->Novo());
    QVERIFY(!g->Salvar());  // the dialog is cancelled
    QCOMPARE(dialogos.execucoes.size(), size_t(1));
    QCOMPARE(dialogos.execucoes[0].tipo, TDialogoArquivo::Tipo::Salvar);
    QCOMPARE(dialogos.execucoes[0].titulo, QStringLiteral("Salvar Como"));
    QVERIFY(escritos.isEmpty());

    dialogos.escolhas = {{Caminho(QStringLiteral("novo.cdt"))}};
    QVERIFY(g->Salvar());
    QCOMPARE(escritos, QStringList{Caminho(QStringLiteral("novo.cdt"))});
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1 ('novo.cdt')"));
    QCOMPARE(g->Recente(1), Caminho(QStringLiteral("novo.cdt")));
    // Now a saved project: Save writes without asking.
    QVERIFY(g->Salvar());
    QCOMPARE(dialogos.execucoes.size(), size_t(2));
    QCOMPARE(escritos.size(), 2);
  }

  void salvarComoSobreArquivoExistente() {
    Criar(QStringLiteral("existe.cdt"));
    QVERIFY(g->Novo());
    // No to the overwrite question shows the dialog again; cancelling it is no save.
    dialogos.escolhas = {{Caminho(QStringLiteral("existe.cdt"))}};
    mensagens.respostas = {Resposta::Nao};
    QVERIFY(!g->SalvarComo());
    QCOMPARE(dialogos.execucoes.size(), size_t(2));
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].texto, QStringLiteral("Arquivo já existente. Deseja substituir?"));
    QCOMPARE(mensagens.caixas[0].botoes, Botoes::SimNao);
    QVERIFY(escritos.isEmpty());
    QCOMPARE(g->NomeProjeto, QStringLiteral("\"Caudalente.cdt\""));
    QVERIFY(g->Recente(1).isEmpty());

    // Yes stores it.
    dialogos.escolhas = {{Caminho(QStringLiteral("existe.cdt"))}};
    mensagens.respostas = {Resposta::Sim};
    QVERIFY(g->SalvarComo());
    QCOMPARE(escritos, QStringList{Caminho(QStringLiteral("existe.cdt"))});
    QCOMPARE(g->NomeProjeto, QStringLiteral("existe.cdt"));
  }

  // A read that fails closes the project (the model was cleared) and says so.
  void aberturaQueFalhaMantemCaminhoAntigo() {
    Criar(QStringLiteral("bom.cdt"));
    Criar(QStringLiteral("ruim.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("bom.cdt"))}, {Caminho(QStringLiteral("ruim.cdt"))}};
    QVERIFY(g->Abrir());
    eventos.clear();
    leitura = false;
    QVERIFY(!g->Abrir());
    QCOMPARE(g->PathProjeto, Caminho(QStringLiteral("bom.cdt")));
    QVERIFY(eventos.contains(QStringLiteral("Limpar")));
    QCOMPARE(eventos.back(), QStringLiteral("Desabilitar"));
    QVERIFY(!g->ProjetoAberto());
    QVERIFY(!g->PodeGravar());
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O projeto ruim.cdt não pôde ser lido.")});
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1"));
    QCOMPARE(g->Recente(1), Caminho(QStringLiteral("bom.cdt")));
  }

  // The reader's error reaches the caller from both ways of opening, and the
  // project is left closed under its old path.
  void erroDaLeituraChegaAoChamador() {
    Criar(QStringLiteral("x.cdt"));
    lerLanca = true;
    dialogos.escolhas = {{Caminho(QStringLiteral("x.cdt"))}};
    g->PathProjeto = QStringLiteral("/antigo.cdt");
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->Abrir());
    QCOMPARE(g->PathProjeto, QStringLiteral("/antigo.cdt"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->AbrirArquivo(Caminho(QStringLiteral("x.cdt"))));
    QCOMPARE(g->PathProjeto, QStringLiteral("/antigo.cdt"));
    QVERIFY(!g->ProjetoAberto());
    QCOMPARE(eventos.back(), QStringLiteral("Desabilitar"));
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1"));
    // An empty recent entry simply does not open.
    lerLanca = false;
    QVERIFY(!g->AbrirArquivo(QString()));
    QVERIFY(mensagens.caixas.empty());
  }

  // A recent entry whose file has gone: said, dropped from the list, and the
  // open project (with its changes) left alone.
  void recenteQueSumiuSaiDaLista() {
    Criar(QStringLiteral("a.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    QVERIFY(g->Abrir());
    g->Alterado = true;
    const QString sumiu = Caminho(QStringLiteral("sumiu.cdt"));
    g->DefinirRecente(1, QStringLiteral("/p/um.cdt"));
    g->DefinirRecente(2, sumiu);
    g->DefinirRecente(3, QStringLiteral("/p/tres.cdt"));
    g->DefinirRecente(4, QStringLiteral("/p/quatro.cdt"));
    eventos.clear();
    QVERIFY(!g->AbrirArquivo(sumiu));
    QCOMPARE(mensagens.Textos(), QStringList{QStringLiteral("O arquivo ") + QDir::toNativeSeparators(sumiu) +
                                             QStringLiteral(" não existe.")});
    QStringList lista;
    for (int k = 1; k <= 4; ++k) lista << g->Recente(k);
    QCOMPARE(lista, (QStringList{"/p/um.cdt", "/p/tres.cdt", "/p/quatro.cdt", ""}));
    QVERIFY(eventos.isEmpty());
    QVERIFY(g->ProjetoAberto());
    QVERIFY(g->Alterado);
    QCOMPARE(g->PathProjeto, Caminho(QStringLiteral("a.cdt")));
  }

  // Save As of an opened project starts in the project's folder.
  void salvarComoComecaNaPastaDoProjeto() {
    QDir(pasta.path()).mkdir(QStringLiteral("sub"));
    Criar(QStringLiteral("sub/a.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("sub/a.cdt"))}};
    QVERIFY(g->Abrir());
    QVERIFY(!g->SalvarComo());
    QCOMPARE(dialogos.execucoes.back().arquivoSugerido, Caminho(QStringLiteral("sub/a.cdt")));
    QVERIFY(g->AbrirArquivo(Caminho(QStringLiteral("sub/a.cdt"))));
    QCOMPARE(salvar.FileName, Caminho(QStringLiteral("sub/a.cdt")));
  }

  // A Save As that cannot write keeps the project's name and path: the next
  // Save and Close's question are about the file the project is in.
  void salvarComoQueFalhaMantemONome() {
    Criar(QStringLiteral("a.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}, {Caminho(QStringLiteral("b.cdt"))}};
    QVERIFY(g->Abrir());
    g->Alterado = true;
    escritaLanca = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->SalvarComo());
    QCOMPARE(g->NomeProjeto, QStringLiteral("a.cdt"));
    QCOMPARE(g->PathProjeto, Caminho(QStringLiteral("a.cdt")));
    QCOMPARE(g->Recente(1), Caminho(QStringLiteral("a.cdt")));
    QVERIFY(g->Alterado);
    escritaLanca = false;
    QVERIFY(g->Salvar());
    QCOMPARE(escritos, QStringList{Caminho(QStringLiteral("a.cdt"))});
    g->Alterado = true;
    mensagens.respostas = {Resposta::Cancelar};
    QVERIFY(!g->Fechar());
    QCOMPARE(mensagens.caixas.back().texto, QStringLiteral("Deseja salvar as alterações em a.cdt"));

    // A project never saved stays one.
    g->Alterado = false;
    QVERIFY(g->Novo());
    escritaLanca = true;
    mensagens.respostas = {};
    dialogos.escolhas = {{Caminho(QStringLiteral("c.cdt"))}};
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->Salvar());
    QCOMPARE(g->NomeProjeto, QStringLiteral("\"Caudalente.cdt\""));
  }

  void fecharPerguntaSoComAlteracoes() {
    QVERIFY(g->Novo());
    QVERIFY(g->Fechar());
    QVERIFY(mensagens.caixas.empty());
    QVERIFY(!g->ProjetoAberto());

    QVERIFY(g->Novo());
    g->Alterado = true;
    mensagens.respostas = {Resposta::Cancelar};
    QVERIFY(!g->Fechar());
    QCOMPARE(mensagens.caixas.back().texto,
             QStringLiteral("Deseja salvar as alterações em \"Caudalente.cdt\""));
    QVERIFY(g->ProjetoAberto());
    QVERIFY(g->Alterado);

    // Yes, then the Save As dialog cancelled: the project stays open.
    mensagens.respostas = {Resposta::Sim};
    QVERIFY(!g->Fechar());
    QVERIFY(g->ProjetoAberto());

    mensagens.respostas = {Resposta::Nao};
    eventos.clear();
    QVERIFY(g->Fechar());
    QCOMPARE(eventos, (QStringList{"Limpar", "Zerar", "Desabilitar"}));
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1"));
    QVERIFY(!g->Alterado);
  }

  void simComGravacaoCanceladaNaoDescartaAlteracoes() {
    QVERIFY(g->Novo());
    g->Alterado = true;
    eventos.clear();
    mensagens.respostas = {Resposta::Sim};  // and the Save As dialog is cancelled
    QVERIFY(!g->Novo());
    QCOMPARE(dialogos.execucoes.size(), size_t(1));
    QVERIFY(g->Alterado);
    QVERIFY(!eventos.contains(QStringLiteral("Zerar")));
  }

  void falhaDaGravacaoMantemAlterado() {
    Criar(QStringLiteral("a.cdt"));
    dialogos.escolhas = {{Caminho(QStringLiteral("a.cdt"))}};
    QVERIFY(g->Abrir());
    g->Alterado = true;
    escritaLanca = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->Salvar());
    QVERIFY(g->Alterado);
  }

  void recentes_data() {
    QTest::addColumn<QStringList>("antes");
    QTest::addColumn<QString>("caminho");
    QTest::addColumn<QStringList>("depois");
    const QStringList lista{"/p/A.cdt", "/p/B.cdt", "/p/C.cdt", "/p/D.cdt"};
    QTest::newRow("primeiro") << lista << "/p/a.CDT" << lista;
    QTest::newRow("segundo") << lista << "/p/B.cdt"
                             << QStringList{"/p/B.cdt", "/p/A.cdt", "/p/C.cdt", "/p/D.cdt"};
    QTest::newRow("terceiro") << lista << "/P/c.cdt"
                              << QStringList{"/P/c.cdt", "/p/A.cdt", "/p/B.cdt", "/p/D.cdt"};
    QTest::newRow("quarto") << lista << "/p/D.cdt"
                            << QStringList{"/p/D.cdt", "/p/A.cdt", "/p/B.cdt", "/p/C.cdt"};
    QTest::newRow("fora da lista") << lista << "/p/E.cdt"
                                   << QStringList{"/p/E.cdt", "/p/A.cdt", "/p/B.cdt", "/p/C.cdt"};
    QTest::newRow("lista vazia") << QStringList{"", "", "", ""} << "/p/E.cdt"
                                 << QStringList{"/p/E.cdt", "", "", ""};
  }
  void recentes() {
    QFETCH(QStringList, antes);
    QFETCH(QString, caminho);
    QFETCH(QStringList, depois);
    for (int k = 1; k <= 4; ++k) g->DefinirRecente(k, antes.at(k - 1));
    g->PathProjeto = caminho;
    g->AtualizarRecentes();
    QStringList obtida;
    for (int k = 1; k <= 4; ++k) obtida << g->Recente(k);
    QCOMPARE(obtida, depois);
  }
};

QTEST_MAIN(TesteGerenteSys)
#include "tst_gerentesys.moc"
