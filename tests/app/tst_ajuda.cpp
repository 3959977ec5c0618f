// The help delivered with the program: every help context the windows use has
// a topic whose file exists, the keyword index works, and a context opens its
// topic.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QTextBrowser>
#include <QtTest>

#include "toolkit/gui/Ajuda.h"

class TesteAjuda : public QObject {
  Q_OBJECT

 private:
  const QString pasta = QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/ajuda");

 private slots:
  void initTestCase() { toolkit::gui::DefinirPastaAjuda(pasta); }

  void todoContextoTemTopico() {
    const QList<toolkit::gui::TTopicoAjuda> topicos = toolkit::gui::LerMapaAjuda(pasta);
    QSet<int> contextos;
    for (const auto& t : topicos) {
      contextos << t.contexto;
      const QString arquivo = t.arquivo.section(QLatin1Char('#'), 0, 0);
      QVERIFY2(QFile::exists(pasta + QLatin1Char('/') + arquivo), qPrintable(arquivo));
      const QString ancora = t.arquivo.section(QLatin1Char('#'), 1);
      if (!ancora.isEmpty()) {
        QFile f(pasta + QLatin1Char('/') + arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(f.readAll().contains(("name=\"" + ancora + "\"").toUtf8()), qPrintable(t.arquivo));
      }
    }
    for (int c : {0,    7,    1200, 1310, 1320, 1330, 1340, 1350, 1360, 2000, 2001,
                  2010, 2100, 2200, 2210, 2220, 2300, 2310, 2320, 2400, 2401})
      QVERIFY2(contextos.contains(c), qPrintable(QString::number(c)));
  }

  // A unit the index sends to a page is explained there.
  void unidadesDoIndiceNaPagina() {
    for (const auto& t : toolkit::gui::LerMapaAjuda(pasta)) {
      QFile f(pasta + QLatin1Char('/') + t.arquivo.section(QLatin1Char('#'), 0, 0));
      QVERIFY(f.open(QIODevice::ReadOnly));
      const QString pagina = QString::fromUtf8(f.readAll());
      for (const QString& palavra : t.palavras)
        if (palavra.contains(QLatin1Char('/')))
          QVERIFY2(pagina.contains(palavra), qPrintable(t.arquivo + QStringLiteral(": ") + palavra));
    }
  }

  void paginasWebExistem() {
    for (const char* nome : {"universidade", "departamento", "equipe", "caudalente"})
      QVERIFY(QFile::exists(pasta + QStringLiteral("/web/") + QLatin1String(nome) + QStringLiteral(".html")));
  }

  void abreNoContexto_data() {
    QTest::addColumn<int>("contexto");
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("conteudo") << 0 << "conteudo.html";
    QTest::newRow("unidades") << 1330 << "unidades.html";
    QTest::newRow("canal") << 2200 << "entrada_dados.html";
    QTest::newRow("desconhecido") << 9999 << "conteudo.html";
  }
  void abreNoContexto() {
    QFETCH(int, contexto);
    QFETCH(QString, arquivo);
    toolkit::gui::MostrarAjuda(contexto);
    QCOMPARE(toolkit::gui::ContextoAjudaMostrado(), contexto);
    QTextBrowser* navegador = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->findChild<QTextBrowser*>()) navegador = w->findChild<QTextBrowser*>();
    QVERIFY(navegador);
    QCOMPARE(navegador->source().fileName(), arquivo);
    toolkit::gui::FecharAjuda();
  }

  void contextoDoWidgetOuDoPai() {
    QWidget pai;
    auto* filho = new QWidget(&pai);
    QCOMPARE(toolkit::gui::ContextoAjuda(filho), 0);
    toolkit::gui::DefinirContextoAjuda(&pai, 2000);
    QCOMPARE(toolkit::gui::ContextoAjuda(filho), 2000);
    toolkit::gui::DefinirContextoAjuda(filho, 2100);
    QCOMPARE(toolkit::gui::ContextoAjuda(filho), 2100);
  }

  void indicePorPalavra() {
    const QList<toolkit::gui::TTopicoAjuda> topicos = toolkit::gui::LerMapaAjuda(pasta);
    bool achou = false;
    for (const auto& t : topicos)
      if (t.palavras.contains(QStringLiteral("onda cinemática"))) achou = true;
    QVERIFY(achou);
    toolkit::gui::MostrarIndiceAjuda();
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->findChild<QTextBrowser*>()) janela = w;
    QVERIFY(janela);
    auto* busca = janela->findChild<QLineEdit*>();
    QVERIFY(busca);
    QTest::keyClicks(busca, QStringLiteral("manning"));
    auto* lista = janela->findChildren<QListWidget*>().value(1);
    QVERIFY(lista);
    QVERIFY(lista->count() >= 1);
    for (int i = 0; i < lista->count(); ++i)
      QVERIFY(lista->item(i)->text().startsWith(QStringLiteral("manning")));
    toolkit::gui::FecharAjuda();
  }
};

QTEST_MAIN(TesteAjuda)
#include "tst_ajuda.moc"
