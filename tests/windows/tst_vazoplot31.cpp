// The chart window of a hydrograph, headless: statistics texts with their
// decimal commas, the values grid, the clipboard table, the CSV, saving and
// reading back, pictures, the report hook and the smallest size.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QValueAxis>
#include <QtTest>
#include <cmath>
#include <memory>

#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/DialogosRoteiro.h"
#include "toolkit/gui/Grafico.h"
#include "toolkit/gui/MensagensRoteiro.h"
#include "windows/VazoPlot31.h"
#include "windows/uConfiguraChart.h"

class TesteVazoPlot31 : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QMdiArea> area;
  std::unique_ptr<QTemporaryDir> pasta;
  toolkit::gui::TMensagensRoteiro mensagens;
  toolkit::gui::TDialogosRoteiro dialogos;

  // A hydrograph with the statistics the window shows, as the solvers leave them.
  static TCaudalente Serie(uint8_t local, const QList<QPointF>& pontos) {
    TCaudalente s = local == 2 ? TCaudalente([](double a) { return a / 2; }) : TCaudalente();
    s.Local = local;
    s.Alfa = 1.5;
    s.Expoente = 5.0 / 3.0;
    for (const QPointF& p : pontos) s.Adicionar(p.x(), p.y());
    s.VazaoMaxima = 1.234;
    s.TempoPico = 12.5;
    s.Volume = 1500;
    s.Lamina = 0.0123;
    s.Profundidade = 0.02;
    s.Velocidade = 0.3;
    return s;
  }

  static QList<QPointF> Pontos() { return {{0, 0}, {0.5, 1.25}, {1, 2.5}, {1.5, 1.125}, {2, 0}}; }

  TFVazoPlot31* Abrir(const TCaudalente& s, const QString& titulo, TSolicitarRelatorio r = nullptr) {
    if (!AbrirGrafico(s, titulo, std::move(r), area.get())) return nullptr;
    return FVazoPlot31;
  }

  QList<TFVazoPlot31*> Janelas() const {
    QList<TFVazoPlot31*> j;
    for (QMdiSubWindow* m : area->subWindowList())
      if (auto* v = qobject_cast<TFVazoPlot31*>(m->widget())) j << v;
    return j;
  }

 private slots:
  void initTestCase() {
    toolkit::gui::DefinirMensagens(&mensagens);
    toolkit::gui::DefinirDialogos(&dialogos);
  }
  void cleanupTestCase() {
    toolkit::gui::DefinirMensagens(nullptr);
    toolkit::gui::DefinirDialogos(nullptr);
  }
  void init() {
    toolkit::DefinirRegional(toolkit::RegionalPtBr());
    area = std::make_unique<QMdiArea>();
    area->resize(900, 600);
    area->show();
    pasta = std::make_unique<QTemporaryDir>();
    mensagens = {};
    dialogos = {};
  }
  void cleanup() { area.reset(); }

  // The statistics always carry decimal commas; the kind of series decides
  // the unit, the caption the left axis title.
  void estatisticas_data() {
    QTest::addColumn<bool>("ptBr");
    QTest::addColumn<int>("local");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("vazao");
    QTest::addColumn<QString>("cabecalho");
    QTest::addColumn<QString>("eixoY");
    QTest::addColumn<QString>("lamina");
    const QString encosta = QStringLiteral("Caudalente na encosta para um comprimento de 40 m");
    const QString canal = QStringLiteral("Caudalente no canal para um comprimento de 120 m");
    for (bool ptBr : {true, false}) {
      const QByteArray sufixo = ptBr ? "_ptBR" : "_C";
      QTest::newRow("encosta" + sufixo) << ptBr << 1 << encosta << "Qmax: 1,23 L/s.m, em 12,5 min"
                                        << "Vazão (L/s.m)"
                                        << "Vazão (L/(s m))"
                                        << "VES: 1,50 m3/m;   LES: 12,3 mm";
      QTest::newRow("canal" + sufixo) << ptBr << 2 << canal << "Qmax: 1,23 L/s, em 12,5 min"
                                      << "Vazão (L/s)"
                                      << "Vazão (L/s)"
                                      << "VES: 1,50 m3;   LES: 12,3 mm";
    }
    // The kind of series decides, not the words of the caption.
    QTest::newRow("encosta_com_canal_no_titulo")
        << true << 1 << QStringLiteral("Visualização de canal.bin") << "Qmax: 1,23 L/s.m, em 12,5 min"
        << "Vazão (L/s.m)"
        << "Vazão (L/(s m))"
        << "VES: 1,50 m3/m;   LES: 12,3 mm";
  }
  void estatisticas() {
    QFETCH(bool, ptBr);
    QFETCH(int, local);
    QFETCH(QString, titulo);
    QFETCH(QString, vazao);
    QFETCH(QString, cabecalho);
    QFETCH(QString, eixoY);
    QFETCH(QString, lamina);
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    TFVazoPlot31* j = Abrir(Serie(static_cast<uint8_t>(local), Pontos()), titulo);
    QVERIFY(j);
    QCOMPARE(j->windowTitle(), titulo);
    QCOMPARE(j->Moldura()->windowTitle(), titulo);
    QCOMPARE(j->pVazao->text(), vazao);
    QCOMPARE(j->pLamina->text(), lamina);
    QCOMPARE(j->Grade->model()->headerData(1, Qt::Horizontal).toString(), cabecalho);
    QCOMPARE(j->TituloEixoY, eixoY);
    QCOMPARE(j->TituloEixoX, QStringLiteral("Tempo (min)"));
    QCOMPARE(j->Profundidade, 2.0);
    QCOMPARE(j->Velocidade, 30.0);
    QCOMPARE(j->Local, uint8_t(local));
  }

  // A screen reader reads the statistics themselves; what they are is
  // their description.
  void estatisticasAcessiveis() {
    TFVazoPlot31* j = Abrir(Serie(1, Pontos()), QStringLiteral("a"));
    QVERIFY(j);
    const QList<QPair<QLabel*, QString>> paineis{{j->pVazao, QStringLiteral("Vazão máxima")},
                                                 {j->pLamina, QStringLiteral("Volume e lâmina escoados")}};
    for (const auto& [rotulo, descricao] : paineis) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(rotulo);
      QVERIFY(a);
      QCOMPARE(a->text(QAccessible::Name), rotulo->text());
      QCOMPARE(a->text(QAccessible::Description), descricao);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(j->pVazao)->text(QAccessible::Name),
             QStringLiteral("Qmax: 1,23 L/s.m, em 12,5 min"));
  }

  // A file keeps no drained area: the viewer shows the same peak, time and
  // volume as any chart, and says the depth is unknown.
  void arquivoSemAreaDrenada() {
    MostrarArquivoCaudalente(Serie(1, Pontos()), QStringLiteral("Visualização de a.bin"), area.get());
    TFVazoPlot31* j = FVazoPlot31;
    QVERIFY(j);
    QVERIFY(!j->AreaConhecida);
    QCOMPARE(j->pVazao->text(), QStringLiteral("Qmax: 1,23 L/s.m, em 12,5 min"));
    QCOMPARE(j->pLamina->text(),
             QStringLiteral("VES: 1,50 m3/m;   LES: desconhecida (o arquivo não guarda a área drenada)"));
  }

  // The left axis makes room for its widest label, whatever the magnitude
  // and the fonts; the title strip beside it follows the axis title's font.
  void eixoYInteiro_data() {
    QTest::addColumn<double>("qmax");
    QTest::addColumn<int>("pontos");
    for (double q : {0.001, 1.79, 3268.0, 100000.0})
      for (int pontos : {0, 8, 20}) QTest::addRow("%g_%d", q, pontos) << q << pontos;
  }
  void eixoYInteiro() {
    QFETCH(double, qmax);
    QFETCH(int, pontos);
    QList<QPointF> serie;
    for (int i = 0; i <= 20; ++i) serie << QPointF(i, qmax * std::sin(i * 3.14159265 / 20));
    TFVazoPlot31* j = Abrir(Serie(2, serie), QStringLiteral("Caudalente no canal"));
    QVERIFY(j);
    if (pontos > 0) {
      QFont fonte = j->Chart1->font();
      fonte.setPointSize(pontos);
      j->Chart1->setFont(fonte);
      j->ConfigGrafico.EixoY.FonteDefinida = true;
      j->ConfigGrafico.EixoY.Fonte.Nome = fonte.family().toStdString();
      j->ConfigGrafico.EixoY.Fonte.Tamanho = pontos * 2;
      j->AplicarConfigGrafico();
    }
    const QValueAxis* y = j->Chart1->EixoY();
    const QFontMetricsF medidas(j->Chart1->font());
    const int n = y->tickCount();
    for (int i = 0; i < n; ++i) {
      const double v = y->min() + i * (y->max() - y->min()) / (n - 1);
      const QString rotulo = QString::fromStdString(toolkit::FormatarNumero("0.00", v));
      QVERIFY2(medidas.horizontalAdvance(rotulo) + 5 <= j->Chart1->RetanguloGrafico().left(),
               qPrintable(rotulo));
    }
    const QFont titulo = pontos > 0 ? FonteDoGrafico(j->ConfigGrafico.EixoY.Fonte) : j->pGrafico->font();
    QVERIFY(j->Chart1->x() >= QFontMetricsF(titulo).height());
  }

  void gradeEPontos() {
    toolkit::DefinirRegional(toolkit::RegionalC());
    TFVazoPlot31* j = Abrir(Serie(1, Pontos()), QStringLiteral("t"));
    QVERIFY(j);
    QAbstractItemModel* m = j->Grade->model();
    QCOMPARE(m->rowCount(), 5);
    QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("0,5000000"));
    QCOMPARE(m->index(3, 1).data().toString(), QStringLiteral("1,1250000"));
    QCOMPARE(m->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(222, 231, 222));
    QCOMPARE(m->index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 247));
    QCOMPARE(j->lsCaudalente->count(), 5);
    QCOMPARE(j->lsCaudalente->at(2), QPointF(1, 2.5));

    QVERIFY(!j->pValores->isVisibleTo(j));
    const int larguraSemGrade = j->pGrafico->width();
    j->tbValores->click();
    QVERIFY(j->pValores->isVisibleTo(j));
    QTRY_VERIFY(j->pGrafico->width() < larguraSemGrade);
    j->tbValores->click();
    QVERIFY(!j->pValores->isVisibleTo(j));
    QTRY_COMPARE(j->pGrafico->width(), larguraSemGrade);
  }

  void poucosPontos() {
    QVERIFY(!Abrir(Serie(1, {{0, 0}, {1, 1}}), QStringLiteral("t")));
    QCOMPARE(mensagens.Textos(),
             QStringList{QStringLiteral("Não houve escoamento superficial para o local desejado.")});
    QVERIFY(Janelas().isEmpty());
  }

  void variasJanelasETamanhoMinimo() {
    TFVazoPlot31* a = Abrir(Serie(1, Pontos()), QStringLiteral("a"));
    TFVazoPlot31* b = Abrir(Serie(2, Pontos()), QStringLiteral("b"));
    QVERIFY(a && b && a != b);
    QCOMPARE(Janelas().size(), 2);
    QCOMPARE(FVazoPlot31.data(), b);
    QMdiSubWindow* m = a->Moldura();
    QCOMPARE(m->size(), QSize(581, 340));
    m->resize(200, 100);
    QCOMPARE(m->size(), QSize(581, 340));
  }

  void valoresNaAreaDeTransferencia() {
    TFVazoPlot31* j = Abrir(Serie(1, {{0, 0}, {0.5, 1.25}, {1, 0}}), QStringLiteral("t"));
    QVERIFY(j);
    j->miCopiarValores->trigger();
    const QString esperado = QStringLiteral("Tempo (min)\tVazão (L/s)\r\n0\t0\r\n0,5\t1,25\r\n1\t0\r\n");
    QCOMPARE(j->TextoValores(), esperado);
    QCOMPARE(QApplication::clipboard()->text(), esperado);
    toolkit::DefinirRegional(toolkit::RegionalC());
    QCOMPARE(j->TextoValores(), QStringLiteral("Tempo (min)\tVazão (L/s)\r\n0\t0\r\n0.5\t1.25\r\n1\t0\r\n"));
  }

  // The CSV opens as two numeric columns whatever the separator in use.
  void csv_data() {
    QTest::addColumn<bool>("ptBr");
    QTest::newRow("virgula") << true;
    QTest::newRow("ponto") << false;
  }
  void csv() {
    QFETCH(bool, ptBr);
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    const QList<QPointF> pontos{{0, 0}, {0.35, 0.0123456789}, {0.7, 12.5}, {1.05, 0}};
    TFVazoPlot31* j = Abrir(Serie(1, pontos), QStringLiteral("t"));
    QVERIFY(j);
    const QString nome = pasta->filePath(QStringLiteral("valores.csv"));
    dialogos.escolhas = {{nome}};
    j->miComoArquivoTexto->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QFile f(nome);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList linhas =
        QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QChar sep = ptBr ? QLatin1Char(';') : QLatin1Char(',');
    QCOMPARE(linhas.first(), QStringLiteral("tempo_min") + sep + QStringLiteral("vazao"));
    QCOMPARE(linhas.size(), pontos.size() + 1);
    for (int i = 0; i < pontos.size(); ++i) {
      const QStringList campos = linhas.at(i + 1).split(sep);
      QCOMPARE(campos.size(), 2);
      QLocale local = ptBr ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale::c();
      bool ok1 = false, ok2 = false;
      QCOMPARE(local.toDouble(campos.at(0), &ok1), pontos.at(i).x());
      QCOMPARE(local.toDouble(campos.at(1), &ok2), pontos.at(i).y());
      QVERIFY(ok1 && ok2);
    }
  }

  // Saving rebuilds the series; reading the file back gives the same points.
  void salvarELerDeNovo_data() {
    QTest::addColumn<bool>("binario");
    QTest::newRow("texto") << false;
    QTest::newRow("binario") << true;
  }
  void salvarELerDeNovo() {
    QFETCH(bool, binario);
    const QList<QPointF> pontos{{0, 0}, {0.25, 0.125}, {0.5, 3.75}, {0.75, 1.5}, {1, 0}};
    TFVazoPlot31* j = Abrir(Serie(2, pontos), QStringLiteral("Caudalente no canal"));
    QVERIFY(j);
    const QString nome = pasta->filePath(binario ? QStringLiteral("c.bin") : QStringLiteral("c.txt"));
    dialogos.escolhas = {{nome}};
    (binario ? j->miComoArquivoBinario : j->miComoArquivoTexto)->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(dialogos.execucoes.back().arquivoSugerido, QStringLiteral("Caudalente no canal"));
    TCaudalente lida;
    QVERIFY(binario ? lida.LerBinario(nome.toStdString()) : lida.LerTexto(nome.toStdString()));
    QCOMPARE(int(lida.Count()), pontos.size());
    for (int i = 0; i < pontos.size(); ++i) {
      QCOMPARE(lida.Ponto(i).Tempo, pontos.at(i).x());
      QCOMPARE(lida.Ponto(i).Vazao, pontos.at(i).y());
    }
    if (binario) {
      QCOMPARE(lida.Alfa, 1.5);
      QCOMPARE(lida.Expoente, 5.0 / 3.0);
    }
    // Cancelling the dialog writes nothing.
    QFile::remove(nome);
    j->miComoArquivoTexto->trigger();
    QVERIFY(!QFile::exists(nome));
  }

  void figuras() {
    TFVazoPlot31* j = Abrir(Serie(1, Pontos()), QStringLiteral("fig"));
    QVERIFY(j);
    const QString bmp = pasta->filePath(QStringLiteral("f.bmp"));
    const QString png = pasta->filePath(QStringLiteral("f.png"));
    dialogos.escolhas = {{bmp}, {png}};
    j->miComoArquivoBMP->trigger();
    j->miComoArquivoBMP->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(QImageReader(bmp).format(), QByteArray("bmp"));
    QCOMPARE(QImageReader(png).format(), QByteArray("png"));
    QCOMPARE(QImage(bmp).size(), j->pGrafico->size());
  }

  void relatorio() {
    int chamadas = 0;
    TFVazoPlot31* chamada = nullptr;
    TFVazoPlot31* j = Abrir(Serie(1, Pontos()), QStringLiteral("r"), [&](TFVazoPlot31& w) {
      ++chamadas;
      chamada = &w;
      QVERIFY(!QApplication::clipboard()->image().isNull());
    });
    QVERIFY(j);
    QApplication::clipboard()->clear();
    j->tbRelatorio->click();
    QCOMPARE(chamadas, 1);
    QCOMPARE(chamada, j);
    // A window opened from a file only copies the picture.
    MostrarArquivoCaudalente(Serie(1, Pontos()), QStringLiteral("Visualização de a.txt"), area.get());
    QApplication::clipboard()->clear();
    FVazoPlot31->tbRelatorio->click();
    QVERIFY(!QApplication::clipboard()->image().isNull());
    QCOMPARE(chamadas, 1);
  }

  void dicaDoPonto() {
    TFVazoPlot31* j = Abrir(Serie(1, Pontos()), QStringLiteral("d"));
    QVERIFY(j);
    emit j->Chart1->PontoClicado(j->lsCaudalente, 1);
    QCOMPARE(j->Dica(), QStringLiteral("(0,5 min; 1,25 L/s.m)"));
    toolkit::DefinirRegional(toolkit::RegionalC());
    emit j->Chart1->PontoClicado(j->lsCaudalente, 3);
    QCOMPARE(j->Dica(), QStringLiteral("(1.5 min; 1.125 L/s.m)"));
  }
};

QTEST_MAIN(TesteVazoPlot31)
#include "tst_vazoplot31.moc"
