// The about box: picture size, hot areas with their underlines and status
// texts, links, closing by click or key, and the splash screen's timer.
#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "app/Sobre.h"
#include "toolkit/gui/Mensagens.h"

class TesteSobre : public QObject {
  Q_OBJECT

 private:
  QString status = QStringLiteral("inicial");
  QList<int> paginas;

  TLigacoesSobre Ligacoes() {
    TLigacoesSobre l;
    l.MostrarStatus = [this](const QString& t) { status = t; };
    l.AbrirPagina = [this](int p) { paginas << p; };
    l.Endereco = [](int p) { return QStringLiteral("pagina%1").arg(p); };
    return l;
  }

  static void Entrar(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(w, &e);
  }
  static void Mover(QWidget* w) {
    QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
  }
  static QList<bool> Visiveis(const TFSobre& s) {
    return {s.sCaudalente->isVisibleTo(&s), s.sGrupo1->isVisibleTo(&s), s.sGrupo2->isVisibleTo(&s),
            s.sDepartamento->isVisibleTo(&s)};
  }

 private slots:
  void init() {
    status = QStringLiteral("inicial");
    paginas.clear();
  }

  void geometria() {
    TFSobre s(Ligacoes());
    QCOMPARE(s.size(), QSize(558, 340));
    QCOMPARE(s.Image1->pixmap().size(), QSize(558, 340));
    QCOMPARE(s.lCaudalente->geometry(), QRect(288, 18, 259, 40));
    QCOMPARE(s.lGota->geometry(), QRect(289, 261, 60, 62));
    QCOMPARE(s.sGrupo2->geometry(), QRect(386, 297, 142, 1));
    QCOMPARE(s.sDepartamento->geometry(), QRect(415, 316, 80, 1));
    QCOMPARE(s.lGrupo->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(Visiveis(s), (QList<bool>{false, false, false, false}));
    QVERIFY(s.windowFlags() & Qt::FramelessWindowHint);
    // The title is drawn in navy inside the program's hot area.
    const QImage imagem = s.Image1->pixmap().toImage();
    int marinho = 0;
    for (int x = 288; x < 547; ++x)
      for (int y = 18; y < 58; ++y) {
        const QColor c = imagem.pixelColor(x, y);
        if (c.blue() > 90 && c.red() < 60 && c.green() < 60) ++marinho;
      }
    QVERIFY(marinho > 200);
  }

  void areasQuentes() {
    TFSobre s(Ligacoes());
    Entrar(s.lDepartamento);
    QCOMPARE(Visiveis(s), (QList<bool>{false, false, false, true}));
    QCOMPARE(status, QStringLiteral("pagina2"));
    Mover(s.Image1);  // back on the picture
    QCOMPARE(Visiveis(s), (QList<bool>{false, false, false, false}));
    QCOMPARE(status, QString());
    Entrar(s.lGota);
    QCOMPARE(Visiveis(s), (QList<bool>{false, true, true, false}));
    QCOMPARE(status, QStringLiteral("pagina3"));
    Entrar(s.lCaudalente);  // the others keep their state
    QCOMPARE(Visiveis(s), (QList<bool>{true, true, true, false}));
    QCOMPARE(status, QStringLiteral("pagina4"));
    Entrar(s.lGrupo);
    QCOMPARE(Visiveis(s), (QList<bool>{false, true, true, false}));
  }

  void ligacoes() {
    TFSobre s(Ligacoes());
    s.show();
    QTest::mouseClick(s.lGota, Qt::LeftButton);
    QTest::mouseClick(s.lGrupo, Qt::LeftButton);
    QTest::mouseClick(s.lDepartamento, Qt::LeftButton);
    QTest::mouseClick(s.lCaudalente, Qt::LeftButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(0, 0), QPoint(0, 0));
    QCoreApplication::sendEvent(s.sGrupo1, &menu);
    QCOMPARE(paginas, (QList<int>{3, 3, 2, 4, 3}));
    QVERIFY(s.isVisible());
    QTest::mouseClick(s.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(!s.isVisible());
  }

  void caixaModalFechaComTecla() {
    bool aberta = false;
    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(qobject_cast<TFSobre*>(QApplication::activeModalWidget()));
      auto* s = qobject_cast<TFSobre*>(QApplication::activeModalWidget());
      aberta = s->isVisible();
      QTest::keyClick(s, Qt::Key_Space);
    });
    TFSobre::MostrarSobre(Ligacoes(), nullptr);
    QVERIFY(aberta);
  }

  void aberturaFechaSozinha() {
    QPointer<TFSobre> s = TFSobre::MostrarAbertura(Ligacoes());
    QVERIFY(s->isVisible());
    QVERIFY(s->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(s->Timer1->isActive());
    QCOMPARE(s->Timer1->interval(), 5000);
    s->Timer1->start(20);  // the same timer, shortened for the test
    QTRY_VERIFY(s.isNull());
  }

  // An error at start-up is shown in front, not behind the splash screen,
  // and does not go away with it.
  void erroNaPartidaFechaAAbertura() {
    QPointer<TFSobre> s = TFSobre::MostrarAbertura(Ligacoes());
    QPointer<QWidget> caixa;
    bool aberturaVisivel = true;
    QTimer::singleShot(0, [&] {
      QTRY_VERIFY(QApplication::activeModalWidget());
      caixa = QApplication::activeModalWidget();
      aberturaVisivel = s && s->isVisible();
      QTest::keyClick(caixa, Qt::Key_Return);
    });
    toolkit::gui::MostrarErro(QStringLiteral("Erro na partida."));
    QVERIFY(!aberturaVisivel);
    QTRY_VERIFY(s.isNull());
  }
};

QTEST_MAIN(TesteSobre)
#include "tst_sobre.moc"
