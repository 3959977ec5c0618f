// The project manager on its own: prompts, captions, the Save / Save As turn,
// failed opens and the recent list, with scripted dialogs and message boxes.
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
    QVERIFY(eventos.contains(QStringLiteral("Zerar")));
    QVERIFY(!g->ProjetoAberto());
    QVERIFY(!g->PodeGravar());
    QVERIFY(mensagens.caixas.empty());
    QCOMPARE(janela.windowTitle(), QStringLiteral("Caudalente 2.1"));
    QCOMPARE(g->Recente(1), Caminho(QStringLiteral("bom.cdt")));
  }

  void erroDaLeituraPassaPorAbrirMasNaoPorAbrirArquivo() {
    Criar(QStringLiteral("x.cdt"));
    lerLanca = true;
    dialogos.escolhas = {{Caminho(QStringLiteral("x.cdt"))}};
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, g->Abrir());
    g->PathProjeto = QStringLiteral("/antigo.cdt");
    QVERIFY(!g->AbrirArquivo(Caminho(QStringLiteral("x.cdt"))));
    QCOMPARE(g->PathProjeto, QStringLiteral("/antigo.cdt"));
    // An empty recent entry simply does not open.
    lerLanca = false;
    leitura = false;
    QVERIFY(!g->AbrirArquivo(QString()));
    QVERIFY(mensagens.caixas.empty());
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
