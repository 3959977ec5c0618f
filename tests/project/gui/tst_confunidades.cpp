// The units dialog: live change events, Cancel restoring everything and
// raising both events, Ok keeping the choice; the numerical method's group.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "idf/UnBD.h"
#include "project/gui/ConfUnidades.h"
#include "toolkit/gui/Ajuda.h"

namespace {

// Runs `acao` on the units dialog once it is up.
void QuandoAbrir(std::function<void(TFConfUnidades&)> acao) {
  QTimer::singleShot(0, [acao] {
    auto* dialogo = qobject_cast<TFConfUnidades*>(QApplication::activeModalWidget());
    QVERIFY(dialogo);
    acao(*dialogo);
    // A failed check leaves the dialog open: close it so the test goes on.
    if (dialogo->isVisible()) dialogo->reject();
  });
}

}  // namespace

class TesteConfUnidades : public QObject {
  Q_OBJECT

 private slots:
  void listasETextos() {
    TUnidades u;
    u.Estado = 10;
    QuandoAbrir([](TFConfUnidades& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Configuração do sistema"));
      QCOMPARE(d.UnidDecli->count(), 2);
      QCOMPARE(d.UnidVI->count(), 3);
      QCOMPARE(d.UnidVI->itemText(2), QStringLiteral("m/dia"));
      QCOMPARE(d.EstDefault->count(), 27);
      QCOMPARE(d.EstDefault->itemText(21), QStringLiteral("São Paulo"));
      QCOMPARE(d.UnidDecli->currentText(), QStringLiteral("m/m"));
      QCOMPARE(d.UnidVI->currentText(), QStringLiteral("mm/h"));
      QCOMPARE(d.EstDefault->currentText(), QStringLiteral("Minas Gerais"));
      QCOMPARE(d.Label2->text(), QStringLiteral("Unidade da &VIB:"));
      QCOMPARE(d.BAjuda->text(), QStringLiteral("Aj&uda"));
      d.reject();
    });
    QVERIFY(!Configurar(u));
  }

  void mudancaAoVivoECancelar() {
    TUnidades u;
    u.Estado = 3;
    QStringList eventos;
    QStringList vistos;  // the unit at the moment of each event
    u.OnMudarDeclividade = [&] {
      eventos << QStringLiteral("declividade");
      vistos << QString::fromStdString(u.UnidadeDeclividade);
    };
    u.OnMudarVI = [&] {
      eventos << QStringLiteral("vi");
      vistos << QString::fromStdString(u.UnidadeVI);
    };
    QuandoAbrir([&](TFConfUnidades& d) {
      d.UnidDecli->setCurrentIndex(0);  // "%"
      d.UnidVI->setCurrentIndex(2);     // "m/dia"
      d.EstDefault->setCurrentIndex(20);
      QCOMPARE(u.FatorDeclividade, 100);  // already applied while the dialog is open
      d.Cancela->click();
    });
    QVERIFY(!Configurar(u));
    QCOMPARE(eventos, (QStringList{"declividade", "vi", "declividade", "vi"}));
    QCOMPARE(vistos, (QStringList{"%", "m/dia", "m/m", "mm/h"}));
    QCOMPARE(u.UnidadeDeclividade, std::string("m/m"));
    QCOMPARE(u.UnidadeVI, std::string("mm/h"));
    QCOMPARE(u.FatorDeclividade, 1);
    QCOMPARE(u.Estado, 3);
  }

  void okGuardaAEscolha() {
    TUnidades u;
    QuandoAbrir([](TFConfUnidades& d) {
      d.UnidDecli->setCurrentIndex(0);
      d.UnidVI->setCurrentIndex(0);
      d.EstDefault->setCurrentIndex(21);
      d.ok->click();
    });
    QVERIFY(Configurar(u));
    QCOMPARE(u.UnidadeDeclividade, std::string("%"));
    QCOMPARE(u.UnidadeVI, std::string("m/h"));
    QCOMPARE(u.Estado, 21);
  }

  // The states missing from the first list come after it, so the indexes
  // stored before keep their state; every state of the database is offered.
  void estadosAcrescentadosAoFim() {
    QStringList oferecidos;
    QuandoAbrir([&](TFConfUnidades& d) {
      for (int i = 0; i < d.EstDefault->count(); ++i) oferecidos << d.EstDefault->itemText(i);
      QCOMPARE(d.EstDefault->currentText(), QStringLiteral("Rio Grande do Sul"));
      d.EstDefault->setFocus();
      QTest::keyClick(d.EstDefault, Qt::Key_End);
      QCOMPARE(d.EstDefault->currentText(), QStringLiteral("Tocantins"));
      QTest::keyClick(d.EstDefault, Qt::Key_Return);
    });
    TUnidades u;
    u.Estado = 18;
    QVERIFY(Configurar(u));
    QCOMPARE(u.Estado, 26);
    QCOMPARE(oferecidos.mid(0, 22), (QStringList{"Acre",
                                                 "Alagoas",
                                                 "Amazonas",
                                                 "Bahia",
                                                 "Ceará",
                                                 "Espírito Santo",
                                                 "Goiás",
                                                 "Maranhão",
                                                 "Mato Grosso",
                                                 "Mato Grosso do Sul",
                                                 "Minas Gerais",
                                                 "Pará",
                                                 "Paraíba",
                                                 "Paraná",
                                                 "Pernambuco",
                                                 "Piauí",
                                                 "Rio de Janeiro",
                                                 "Rio Grande do Norte",
                                                 "Rio Grande do Sul",
                                                 "Rondônia",
                                                 "Santa Catarina",
                                                 "São Paulo"}));
    QStringList doBanco;
    for (const char* nome : NomesEstados) doBanco << QString::fromUtf8(nome);
    QStringList ordenados = oferecidos;
    ordenados.sort();
    doBanco.sort();
    QCOMPARE(ordenados, doBanco);
  }

  // cm/dia is not in the list: Ok keeps it instead of storing an index of no row.
  void unidadeNaoOferecidaSobreviveAoOk() {
    TUnidades u;
    u.SetVI(3);
    u.Estado = 30;
    QuandoAbrir([](TFConfUnidades& d) {
      QCOMPARE(d.UnidVI->currentIndex(), -1);
      QCOMPARE(d.EstDefault->currentIndex(), -1);
      d.ok->click();
    });
    QVERIFY(Configurar(u));
    QCOMPARE(u.IndVI, std::uint8_t(3));
    QCOMPARE(u.UnidadeVI, std::string("cm/dia"));
    QCOMPARE(u.Estado, 30);
  }

  // Help from inside the modal dialog: F1 gives the controls' topic, the
  // button the dialog's; the help window belongs to the dialog so that the
  // dialog does not block it.
  void ajudaDentroDoDialogo() {
    toolkit::gui::DefinirPastaAjuda(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/ajuda"));
    toolkit::gui::InstalarTeclaF1();
    TUnidades u;
    u.HelpContext = 1330;
    QList<int> contextos;
    bool ajudaDoDialogo = false;
    QuandoAbrir([&](TFConfUnidades& d) {
      d.UnidVI->setFocus();
      QTest::keyClick(d.UnidVI, Qt::Key_F1);
      contextos << toolkit::gui::ContextoAjudaMostrado();
      d.BAjuda->click();
      contextos << toolkit::gui::ContextoAjudaMostrado();
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->parentWidget() == &d && w->findChild<QTextBrowser*>()) ajudaDoDialogo = true;
      d.reject();
    });
    Configurar(u);
    QCOMPARE(contextos, (QList<int>{1200, 1330}));
    QVERIFY(ajudaDoDialogo);
    toolkit::gui::FecharAjuda();
  }

  // The method shows the caller's choice, is taken on Ok only, and its group
  // is hidden when the caller offers none.
  void metodoNumerico() {
    TUnidades u;
    TMetodoNumerico metodo = TMetodoNumerico::Original;
    QuandoAbrir([](TFConfUnidades& d) {
      QVERIFY(d.GrupoMetodo->isVisible());
      QCOMPARE(d.GrupoMetodo->title(), QStringLiteral("Método numérico"));
      QCOMPARE(d.MetodoOriginal->accessibleName(), QStringLiteral("Método numérico original"));
      QCOMPARE(d.MetodoConvergido->accessibleName(), QStringLiteral("Método numérico convergido"));
      QVERIFY(d.MetodoOriginal->isChecked());
      QCOMPARE(d.MetodoConvergido->text(), QStringLiteral("co&nvergido"));
      d.MetodoConvergido->click();
      QVERIFY(d.MetodoConvergido->isChecked());
      QVERIFY(!d.MetodoOriginal->isChecked());
      d.ok->click();
    });
    QVERIFY(Configurar(u, metodo));
    QCOMPARE(metodo, TMetodoNumerico::Convergido);

    QuandoAbrir([](TFConfUnidades& d) {
      QVERIFY(d.MetodoConvergido->isChecked());
      d.MetodoOriginal->click();
      d.Cancela->click();
    });
    QVERIFY(!Configurar(u, metodo));
    QCOMPARE(metodo, TMetodoNumerico::Convergido);

    QuandoAbrir([](TFConfUnidades& d) {
      QVERIFY(!d.GrupoMetodo->isVisible());
      d.reject();
    });
    QVERIFY(!Configurar(u));
  }

  void rotulosDeUnidade() {
    TUnidades u;
    u.SetDeclividade(0);
    QLabel a, b;
    QVERIFY(MostrarUnidadeDeclividade(u, {&a, &b}));
    QCOMPARE(b.text(), QStringLiteral("%"));
    QVERIFY(!MostrarUnidadeVI(u, {&a, nullptr}));
    QCOMPARE(a.text(), QStringLiteral("mm/h"));
  }
};

QTEST_MAIN(TesteConfUnidades)
#include "tst_confunidades.moc"
