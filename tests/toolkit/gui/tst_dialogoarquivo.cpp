// The standard file dialogs behind TDialogoArquivo, driven headless: the
// folder they open in and the save dialog's refusal of a missing folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

#include "toolkit/gui/DialogoArquivo.h"
#include "toolkit/gui/MensagensRoteiro.h"

using toolkit::gui::TDialogoArquivo;

namespace {

// Runs each step on the next file dialog that comes up, in order.
void Roteiro(std::deque<std::function<void(QFileDialog&)>> passos) {
  auto restantes = std::make_shared<std::deque<std::function<void(QFileDialog&)>>>(std::move(passos));
  auto* relogio = new QTimer;
  QObject::connect(relogio, &QTimer::timeout, [relogio, restantes] {
    auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialogo || !dialogo->isVisible()) return;
    auto passo = std::move(restantes->front());
    restantes->pop_front();
    if (restantes->empty()) relogio->deleteLater();
    passo(*dialogo);
  });
  relogio->start(10);
}

void Digitar(QFileDialog& dialogo, const QString& caminho) {
  auto* nome = dialogo.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(nome);
  nome->setText(caminho);
  QMetaObject::invokeMethod(&dialogo, "accept");
}

}  // namespace

class TesteDialogoArquivo : public QObject {
  Q_OBJECT

 private slots:
  void pastaInicial_data() {
    QTest::addColumn<bool>("comPasta");
    QTest::newRow("nome com a pasta da última escolha") << true;
    QTest::newRow("nome sem pasta") << false;
  }
  void pastaInicial() {
    QFETCH(bool, comPasta);
    QTemporaryDir inicial, outra;
    TDialogoArquivo d(TDialogoArquivo::Tipo::Abrir);
    d.Filter = QStringLiteral("Arquivo do Caudalente (*.cdt)|*.cdt");
    d.InitialDir = inicial.path();
    d.FileName = comPasta ? outra.filePath(QStringLiteral("a.cdt")) : QStringLiteral("a.cdt");
    QString aberta;
    Roteiro({[&](QFileDialog& dialogo) {
      aberta = dialogo.directory().absolutePath();
      dialogo.reject();
    }});
    QVERIFY(!d.Execute());
    QCOMPARE(aberta, QDir(comPasta ? outra.path() : inicial.path()).absolutePath());
  }

  void salvarEmPastaInexistentePedeOutroNome() {
    QTemporaryDir pasta;
    toolkit::gui::TMensagensRoteiro mensagens;
    toolkit::gui::DefinirMensagens(&mensagens);
    TDialogoArquivo d(TDialogoArquivo::Tipo::Salvar);
    d.Filter = QStringLiteral("Caudalentes|*.cdt");
    d.DefaultExt = QStringLiteral("cdt");
    d.InitialDir = pasta.path();
    const QString inexistente = pasta.filePath(QStringLiteral("nao/existe/x.cdt"));
    int dialogos = 0;
    Roteiro({[&](QFileDialog& dialogo) {
               ++dialogos;
               Digitar(dialogo, inexistente);
             },
             [&](QFileDialog& dialogo) {
               ++dialogos;
               Digitar(dialogo, pasta.filePath(QStringLiteral("bom")));
             }});
    QVERIFY(d.Execute());
    toolkit::gui::DefinirMensagens(nullptr);
    QCOMPARE(dialogos, 2);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QVERIFY(mensagens.caixas[0].texto.contains(QDir::toNativeSeparators(pasta.filePath("nao/existe"))));
    QCOMPARE(d.FileName, pasta.filePath(QStringLiteral("bom.cdt")));
  }

  // A name typed without extension takes the filter's in view, not the
  // default extension of the first filter.
  void nomeSemExtensaoTomaADoFiltro() {
    QTemporaryDir pasta;
    TDialogoArquivo d(TDialogoArquivo::Tipo::Salvar);
    d.Filter = QStringLiteral("Arquivo binário (*.bin)|*.bin|Arquivo texto (*.txt)|*.txt");
    d.DefaultExt = QStringLiteral("bin");
    d.FilterIndex = 2;
    d.InitialDir = pasta.path();
    Roteiro({[&](QFileDialog& dialogo) { Digitar(dialogo, pasta.filePath(QStringLiteral("x"))); }});
    QVERIFY(d.Execute());
    QCOMPARE(d.FileName, pasta.filePath(QStringLiteral("x.txt")));
    QCOMPARE(d.ComExtensaoPadrao(QStringLiteral("/a/y")), QStringLiteral("/a/y.txt"));
    d.FilterIndex = 1;
    QCOMPARE(d.ComExtensaoPadrao(QStringLiteral("/a/y")), QStringLiteral("/a/y.bin"));
    QCOMPARE(d.ComExtensaoPadrao(QStringLiteral("/a/y.dat")), QStringLiteral("/a/y.dat"));
  }
};

QTEST_MAIN(TesteDialogoArquivo)
#include "tst_dialogoarquivo.moc"
