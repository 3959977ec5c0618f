// The chart control: where values are drawn and read back through the depth
// offsets, the depth percentage, a click near a point, and its picture.
#include <QFileInfo>
#include <QLineSeries>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "toolkit/gui/Grafico.h"

using toolkit::gui::TGrafico;

class TesteGrafico : public QObject {
  Q_OBJECT

 private slots:
  void profundidadeEPosicoes_data() {
    QTest::addColumn<int>("profundidade");
    QTest::addColumn<bool>("visao3D");
    QTest::newRow("plano") << 100 << false;
    QTest::newRow("quase_plano") << 1 << true;
    QTest::newRow("metade") << 50 << true;
    QTest::newRow("cheio") << 100 << true;
  }
  void profundidadeEPosicoes() {
    QFETCH(int, profundidade);
    QFETCH(bool, visao3D);
    TGrafico g;
    g.resize(581, 285);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QLineSeries* s = g.NovaSerieLinha(Qt::red, true);
    s->replace(QList<QPointF>{{0, 5}, {30, 2}, {70, 0}});
    g.AjustarEixos();
    g.DefinirVisao3D(visao3D);
    g.DefinirProfundidade(profundidade);
    const int d = g.Largura3D();
    // Flat without depth; the offsets grow with the percentage.
    if (!visao3D || profundidade == 1) QVERIFY(d <= 1);
    if (visao3D && profundidade == 100) QVERIFY(d >= 10);
    if (visao3D && profundidade == 50) {
      g.DefinirProfundidade(100);
      QVERIFY(std::abs(g.Largura3D() - 2 * d) <= 1);
      g.DefinirProfundidade(50);
    }
    QCOMPARE(g.Altura3D(), d);
    // A drawn point moved to the front plane reads back as its own value.
    const QPointF valor(30, 2);
    const QPointF frente = g.PosicaoDoValor(valor) + QPointF(-d, d);
    QVERIFY(g.RetanguloGrafico().contains(frente));
    const QPointF lido = g.ValorDaPosicao(frente);
    QVERIFY(std::abs(lido.x() - 30) < 1e-6 && std::abs(lido.y() - 2) < 1e-6);
  }

  void cliqueNumPonto() {
    TGrafico g;
    g.resize(400, 300);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QLineSeries* s = g.NovaSerieLinha(Qt::blue, true);
    s->replace(QList<QPointF>{{0, 1}, {1, 2}, {2, 0}});
    g.AjustarEixos();
    QSignalSpy cliques(&g, &TGrafico::PontoClicado);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.PosicaoDoValor({1, 2}).toPoint() + QPoint(3, -2));
    QCOMPARE(cliques.size(), 1);
    QCOMPARE(cliques.at(0).at(1).toInt(), 1);
    // Far from every point: no click on the series.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.PosicaoDoValor({0.5, 0.2}).toPoint());
    QCOMPARE(cliques.size(), 1);
  }

  void figuraEmBitmap() {
    QTemporaryDir pasta;
    TGrafico g;
    g.resize(300, 200);
    g.NovaSerieLinha(Qt::blue, false)->replace(QList<QPointF>{{0, 0}, {1, 1}});
    g.AjustarEixos();
    const QString arquivo = pasta.filePath(QStringLiteral("g.bmp"));
    QVERIFY(g.SalvarBitmap(arquivo));
    QImage lida(arquivo, "BMP");
    QCOMPARE(lida.size(), QSize(300, 200));

    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pasta.filePath(QStringLiteral("g.pdf")));
    g.Imprimir(impressora);
    QVERIFY(QFileInfo(impressora.outputFileName()).size() > 0);
  }
};

QTEST_MAIN(TesteGrafico)
#include "tst_grafico.moc"
