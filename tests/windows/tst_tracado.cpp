// The tracing page driven as a user drives it, headless: the matrix division
// after Avançar, the place of a line or a column, traces of the example
// projects checked against the calculator's numbers, the progress window, the
// no-runoff message, Cancelar, the hydrograph file viewer, and the numerical
// method chosen in the settings.
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "project/gui/ConfUnidades.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/DialogosRoteiro.h"
#include "toolkit/gui/MensagensRoteiro.h"
#include "windows/Acompanhamento.h"
#include "windows/DadosCaudalente.h"
#include "windows/PrincipalDeTeste.h"
#include "windows/VazoPlot31.h"

namespace {

QString Virgula(const char* padrao, double v) {
  return QString::fromStdString(toolkit::FormatarComVirgula(padrao, v));
}

}  // namespace

class TesteTracado : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> pasta;
  toolkit::gui::TMensagensRoteiro mensagens;
  toolkit::gui::TDialogosRoteiro dialogos;
  std::unique_ptr<TFPrincipal> principal;

  // The main window with an example project open, on the tracing page.
  TFDadosCaudalente* AbrirExemplo(const QString& exemplo) {
    const QString arquivo = pasta->filePath(exemplo + QStringLiteral(".cdt"));
    QFile::copy(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/exemplos/") + exemplo + QStringLiteral(".cdt"),
                arquivo);
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    principal = NovaPrincipal(*pasta);
    principal->resize(1000, 700);
    principal->show();
    dialogos.escolhas = {{arquivo}};
    principal->MAbrir->trigger();
    TFDadosCaudalente* j = FDadosCaudalente;
    if (!j) return nullptr;
    j->bAvancar->click();
    return j->Notebook1->currentIndex() == 2 ? j : nullptr;
  }

  QList<TFVazoPlot31*> Graficos() const {
    QList<TFVazoPlot31*> lista;
    for (QMdiSubWindow* m : principal->Workspace->subWindowList(QMdiArea::CreationOrder))
      if (auto* v = qobject_cast<TFVazoPlot31*>(m->widget())) lista << v;
    return lista;
  }

  // The calculator's result for the same project and place.
  static QJsonObject Calculadora(const QString& projeto, int linha, int coluna,
                                 const QString& metodo = QString()) {
    QStringList args{projeto, QStringLiteral("--linha"), QString::number(linha)};
    if (!metodo.isEmpty()) args << QStringLiteral("--metodo") << metodo;
    if (coluna > 0) args << QStringLiteral("--coluna") << QString::number(coluna);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CAUDALENTE_BINARY_DIR "/bin/caudalente-calc"), args);
    if (!p.waitForFinished(120000)) return {};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  }

  static void EditDoGiro(QSpinBox* s, const QString& texto) { s->findChild<QLineEdit*>()->setText(texto); }

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
    // Every progress tick processes events, so the spies below see each one.
    TFAcompanhamento::IntervaloProcessamentoMs = 0;
    // The examples are written with a decimal point.
    toolkit::DefinirRegional(toolkit::RegionalC());
    pasta = std::make_unique<QTemporaryDir>();
    mensagens = {};
    dialogos = {};
  }
  void cleanup() { principal.reset(); }

  void divisaoMatricialRegular() {
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_regular"));
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(j->windowTitle(), QStringLiteral("Entrada de dados - traçado do caudalente"));
    // 60 m at 0.5 m; a 150-m channel at 1 m.
    QCOMPARE(j->TotalLinhas->text(), QStringLiteral("120"));
    QCOMPARE(j->spLinha->maximum(), 120);
    QCOMPARE(j->spLinha->value(), 120);
    QCOMPARE(j->EmY->text(), QStringLiteral("60"));
    QCOMPARE(j->Cota->text(), QStringLiteral("0"));
    QCOMPARE(j->TotalColunas->text(), QStringLiteral("150"));
    QCOMPARE(j->spColuna->value(), 150);
    QCOMPARE(j->EmX->text(), QStringLiteral("150"));
    j->spLinha->setValue(31);
    QCOMPARE(j->EmY->text(), QStringLiteral("15.5"));
    QCOMPARE(j->Cota->text(), QStringLiteral("3.56"));  // (60 - 15.5) * 0.08
    j->spColuna->setValue(125);
    QCOMPARE(j->EmX->text(), QStringLiteral("125"));
    EditDoGiro(j->spColuna, QString());
    QCOMPARE(j->EmX->text(), QString());
    QVERIFY(!j->bTracarCaudalenteCanal->isEnabled());
    j->ColunaAux->setValue(40);
    QCOMPARE(j->spColuna->value(), 40);
    QCOMPARE(j->EmX->text(), QStringLiteral("40"));
    QVERIFY(j->bTracarCaudalenteCanal->isEnabled());
    j->ColunaAux->setValue(9999);
    QCOMPARE(j->spColuna->value(), 150);
    j->bRetornar3->click();
    QCOMPARE(j->Notebook1->currentIndex(), 0);
    QCOMPARE(j->windowTitle(), QStringLiteral("Entrada de dados - definição dos valores dos parâmetros"));
  }

  void divisaoMatricialIrregular() {
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_irregular"));
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    // 30, 50 and 40 m: 100 lines each (spacings 0.3, 0.5 and 0.4 m).
    QCOMPARE(j->TotalLinhas->text(), QStringLiteral("300"));
    QCOMPARE(j->edtTrecho->text(), QStringLiteral("3"));
    QCOMPARE(j->EmY->text(), QStringLiteral("120"));
    QCOMPARE(j->Cota->text(), QStringLiteral("0.0"));
    j->spLinha->setValue(150);
    QCOMPARE(j->edtTrecho->text(), QStringLiteral("2"));
    QCOMPARE(j->EmY->text(), QStringLiteral("55"));
    QCOMPARE(j->Cota->text(), QStringLiteral("4.9"));  // 8.6 - 30 * 0.04 - 25 * 0.1
    j->spLinha->setValue(100);
    QCOMPARE(j->edtTrecho->text(), QStringLiteral("1"));
    QCOMPARE(j->EmY->text(), QStringLiteral("30"));
    EditDoGiro(j->spLinha, QString());
    QCOMPARE(j->edtTrecho->text(), QString());
    QCOMPARE(j->EmY->text(), QString());
    QCOMPARE(j->Cota->text(), QString());
    QVERIFY(!j->bTracarCaudalenteEncosta->isEnabled());
    EditDoGiro(j->spLinha, QStringLiteral("7"));
    QVERIFY(j->bTracarCaudalenteEncosta->isEnabled());
  }

  // Back on page 0 the user picks the Regular tab with the mouse: the
  // tracing page then shows the one segment of a regular hillslope.
  void trechoAposVoltarAoRegular() {
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_irregular"));
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(j->edtTrecho->text(), QStringLiteral("3"));
    QTest::mouseClick(j->bRetornar3, Qt::LeftButton);
    QCOMPARE(j->Notebook1->currentIndex(), 0);
    QTabBar* abas = j->pcEncosta->tabBar();
    QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(0).center());
    QCOMPARE(j->pcEncosta->currentWidget(), j->TSRegular);
    QTest::mouseClick(j->bAvancar, Qt::LeftButton);
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(j->Notebook1->currentIndex(), 2);
    // The last segment alone: 40 m, 100 lines.
    QCOMPARE(j->TotalLinhas->text(), QStringLiteral("100"));
    QCOMPARE(j->edtTrecho->text(), QStringLiteral("1"));
    QCOMPARE(j->EmY->text(), QStringLiteral("40"));
  }

  // A hydrograph saved from a hillslope chart and opened in the viewer
  // shows the chart's peak, time and volume, in the same units; the file
  // keeps no drained area, which the viewer says instead of a depth.
  void visualizadorComoOGrafico_data() {
    QTest::addColumn<bool>("binario");
    QTest::newRow("texto") << false;
    QTest::newRow("binario") << true;
  }
  void visualizadorComoOGrafico() {
    QFETCH(bool, binario);
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_regular"));
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    j->spLinha->setValue(80);
    QTest::mouseClick(j->bTracarCaudalenteEncosta, Qt::LeftButton);
    QCOMPARE(Graficos().size(), 1);
    TFVazoPlot31* g = Graficos().first();
    const QString arquivo = pasta->filePath(binario ? QStringLiteral("h.bin") : QStringLiteral("h.txt"));
    dialogos.escolhas = {{arquivo}};
    (binario ? g->miComoArquivoBinario : g->miComoArquivoTexto)->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    principal->DHidros.FilterIndex = binario ? 1 : 2;
    dialogos.escolhas = {{arquivo}};
    principal->BVisualizar->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(Graficos().size(), 2);
    TFVazoPlot31* v = Graficos().at(1);
    QCOMPARE(v->pVazao->text(), g->pVazao->text());
    QVERIFY(g->pVazao->text().contains(QStringLiteral(" L/s.m, em ")));
    const QString ves = g->pLamina->text().section(QStringLiteral(";"), 0, 0);
    QVERIFY(ves.endsWith(QStringLiteral(" m3/m")));
    QCOMPARE(v->pLamina->text(),
             ves + QStringLiteral(";   LES: desconhecida (o arquivo não guarda a área drenada)"));
    QCOMPARE(v->TituloEixoY, g->TituloEixoY);
  }

  // Each example traced on the hillslope and in the channel: the chart window
  // shows the calculator's numbers.
  void tracadoComoACalculadora_data() {
    QTest::addColumn<QString>("exemplo");
    QTest::addColumn<int>("linha");
    QTest::addColumn<int>("coluna");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("regular_encosta") << "encosta_regular" << 80 << 0
                                     << "Caudalente na encosta para um comprimento de 40 m";
    QTest::newRow("regular_canal") << "encosta_regular" << 120 << 90
                                   << "Caudalente no canal para um comprimento de 90 m";
    QTest::newRow("irregular_encosta")
        << "encosta_irregular" << 150 << 0 << "Caudalente na encosta para um comprimento de 55 m";
    QTest::newRow("irregular_canal") << "encosta_irregular" << 300 << 60
                                     << "Caudalente no canal para um comprimento de 60 m";
  }
  void tracadoComoACalculadora() {
    QFETCH(QString, exemplo);
    QFETCH(int, linha);
    QFETCH(int, coluna);
    QFETCH(QString, titulo);
    TFDadosCaudalente* j = AbrirExemplo(exemplo);
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    j->spLinha->setValue(linha);
    if (coluna > 0) j->spColuna->setValue(coluna);

    // What the progress window and the main window show while the solvers run.
    bool principalHabilitada = true, viuEncosta = false, viuCanal = false, viuTrecho = false,
         viuBarra = false;
    QString decorrido;
    QTimer espia;
    espia.setInterval(0);
    connect(&espia, &QTimer::timeout, this, [&] {
      if (!FAcompanhamento) return;
      principalHabilitada = principalHabilitada && principal->isEnabled();
      viuEncosta = viuEncosta || !FAcompanhamento->eEncosta->text().isEmpty();
      viuCanal = viuCanal || !FAcompanhamento->eCanal->text().isEmpty();
      viuTrecho = viuTrecho || !FAcompanhamento->eTrecho->text().isEmpty();
      const QProgressBar* barra = FAcompanhamento->Barra;
      viuBarra =
          viuBarra || (barra->maximum() > 0 && barra->value() > 0 && barra->value() <= barra->maximum());
      decorrido = FAcompanhamento->lDecorrido->text();
    });
    espia.start();
    (coluna > 0 ? j->bTracarCaudalenteCanal : j->bTracarCaudalenteEncosta)->click();
    espia.stop();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QVERIFY(!principalHabilitada);
    QVERIFY(viuEncosta && viuTrecho);
    QCOMPARE(viuCanal, coluna > 0);
    QVERIFY(viuBarra);
    QVERIFY2(decorrido.startsWith(QStringLiteral("Tempo decorrido: 0:")), qPrintable(decorrido));
    QVERIFY(!FAcompanhamento);
    QVERIFY(principal->isEnabled());

    const QList<TFVazoPlot31*> graficos = Graficos();
    QCOMPARE(graficos.size(), 1);
    TFVazoPlot31* g = graficos.first();
    QCOMPARE(g->windowTitle(), titulo);

    const QJsonObject calc = Calculadora(pasta->filePath(exemplo + QStringLiteral(".cdt")), linha, coluna);
    QVERIFY(!calc.isEmpty());
    const QJsonArray pontos = calc.value(QStringLiteral("pontos")).toArray();
    const double qmax = calc.value(QStringLiteral("VazaoMaxima")).toDouble();
    const double pico = calc.value(QStringLiteral("TempoPico")).toDouble();
    const QString unidade = coluna > 0 ? QStringLiteral(" L/s, em ") : QStringLiteral(" L/s.m, em ");
    QCOMPARE(g->pVazao->text(), QStringLiteral("Qmax: ") + Virgula("0.0#", qmax) + unidade +
                                    Virgula("0.0", pico) + QStringLiteral(" min"));
    QCOMPARE(
        g->pLamina->text(),
        QStringLiteral("VES: ") + Virgula("0.00##", calc.value(QStringLiteral("Volume")).toDouble() / 1000) +
            (coluna > 0 ? QStringLiteral(" m3;   LES: ") : QStringLiteral(" m3/m;   LES: ")) +
            Virgula("0.0", calc.value(QStringLiteral("Lamina")).toDouble() * 1000) + QStringLiteral(" mm"));
    QCOMPARE(g->VazaoMaxima, qmax);
    QCOMPARE(g->Volume, calc.value(QStringLiteral("Volume")).toDouble());
    QAbstractItemModel* m = g->Grade->model();
    QCOMPARE(m->rowCount(), pontos.size());
    for (int k : {0, int(pontos.size()) / 3, int(pontos.size()) - 1}) {
      const QJsonArray p = pontos.at(k).toArray();
      QCOMPARE(m->index(k, 0).data().toString(), Virgula("0.0000000", p.at(0).toDouble()));
      QCOMPARE(m->index(k, 1).data().toString(), Virgula("0.0000000", p.at(1).toDouble()));
    }

    // A second trace opens a second window with its own title.
    j->bTracarCaudalenteEncosta->click();
    QCOMPARE(Graficos().size(), 2);
    QVERIFY(Graficos().at(1)->windowTitle().startsWith(QStringLiteral("Caudalente na encosta")));
  }

  // The method chosen in the settings dialog is saved, traces with it (the
  // calculator's converged numbers, the method in the caption) and is read
  // back at the next start.
  void metodoConvergido() {
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_regular"));
    QVERIFY2(j, qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(principal->MetodoNumerico, TMetodoNumerico::Original);
    bool viuDialogo = false;
    QTimer::singleShot(0, this, [&] {
      auto* d = qobject_cast<TFConfUnidades*>(QApplication::activeModalWidget());
      if (!d) return;
      viuDialogo = d->GrupoMetodo->isVisible() && d->MetodoOriginal->isChecked();
      d->MetodoConvergido->click();
      d->ok->click();
    });
    principal->MConfSistema->trigger();
    QVERIFY(viuDialogo);
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(principal->MetodoNumerico, TMetodoNumerico::Convergido);
    QFile ini(principal->ArquivoConfiguracao());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("MetodoNumerico=convergido\r\n"));
    ini.close();

    j->spLinha->setValue(80);
    j->bTracarCaudalenteEncosta->click();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QCOMPARE(Graficos().size(), 1);
    TFVazoPlot31* g = Graficos().first();
    // The caption's note gives the estimated errors.
    const QRegularExpression nota(QStringLiteral(
        "^Caudalente na encosta para um comprimento de 40 m \\(método convergido; erro estimado: pico "
        "0[.,]0\\d\\d %, tempo 0[.,]00\\d min, volume 0[.,]0\\d\\d %\\)$"));
    QVERIFY2(nota.match(g->windowTitle()).hasMatch(), qPrintable(g->windowTitle()));
    const QString projeto = pasta->filePath(QStringLiteral("encosta_regular.cdt"));
    const QJsonObject convergido = Calculadora(projeto, 80, 0, QStringLiteral("convergido"));
    QCOMPARE(convergido.value(QStringLiteral("Metodo")).toString(), QStringLiteral("convergido"));
    QCOMPARE(g->VazaoMaxima, convergido.value(QStringLiteral("VazaoMaxima")).toDouble());
    QCOMPARE(g->Volume, convergido.value(QStringLiteral("Volume")).toDouble());
    QVERIFY(g->VazaoMaxima != Calculadora(projeto, 80, 0).value(QStringLiteral("VazaoMaxima")).toDouble());

    // The next start reads the choice back.
    principal->close();
    principal = NovaPrincipal(*pasta);
    QCOMPARE(principal->MetodoNumerico, TMetodoNumerico::Convergido);
  }

  void semEscoamento() {
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_regular"));
    QVERIFY(j);
    j->bRetornar3->click();
    // A storm far too weak to fill the initial abstraction.
    j->eK->setText(QStringLiteral("1"));
    j->bAvancar->click();
    QCOMPARE(j->Notebook1->currentIndex(), 2);
    mensagens = {};
    j->bTracarCaudalenteEncosta->click();
    QCOMPARE(
        mensagens.Textos().count(QStringLiteral("Não houve escoamento superficial para o local desejado.")),
        1);
    QVERIFY(Graficos().isEmpty());
    QVERIFY(!FAcompanhamento);
    QVERIFY(principal->isEnabled());
  }

  void cancelar_data() {
    QTest::addColumn<bool>("canal");
    QTest::addColumn<int>("intervalo");
    QTest::addColumn<bool>("convergido");
    QTest::newRow("encosta") << false << 0 << false;
    QTest::newRow("canal") << true << 0 << false;
    QTest::newRow("canal_eventos_espacados") << true << 15 << false;
    QTest::newRow("encosta_convergido") << false << 0 << true;
    QTest::newRow("canal_convergido") << true << 0 << true;
  }
  void cancelar() {
    QFETCH(bool, canal);
    QFETCH(int, intervalo);
    QFETCH(bool, convergido);
    TFAcompanhamento::IntervaloProcessamentoMs = intervalo;
    TFDadosCaudalente* j = AbrirExemplo(QStringLiteral("encosta_irregular"));
    QVERIFY(j);
    principal->MetodoNumerico = convergido ? TMetodoNumerico::Convergido : TMetodoNumerico::Original;
    // Cancel once the solver has written a simulated time.
    QTimer clique;
    clique.setInterval(0);
    bool clicou = false;
    connect(&clique, &QTimer::timeout, this, [&] {
      if (!FAcompanhamento || clicou) return;
      // With spaced event handling a short run may finish before a second
      // pump, so that case cancels at the first one.
      QLineEdit* tempo = canal ? FAcompanhamento->eCanal : FAcompanhamento->eEncosta;
      if (intervalo > 0 || !tempo->text().isEmpty()) {
        FAcompanhamento->bCancelar->click();
        clicou = true;
      }
    });
    clique.start();
    (canal ? j->bTracarCaudalenteCanal : j->bTracarCaudalenteEncosta)->click();
    clique.stop();
    QVERIFY(clicou);
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QVERIFY(Graficos().isEmpty());
    QVERIFY(!FAcompanhamento);
    QVERIFY(principal->isEnabled());
    QCOMPARE(principal->Painel0->text(), QString::fromUtf8("Traçado cancelado."));
    // The next trace runs to its end.
    j->bTracarCaudalenteEncosta->click();
    QCOMPARE(Graficos().size(), 1);
  }

  // The viewer reads every chosen file with the reader of the chosen filter
  // and opens one window per file.
  void visualizar() {
    principal = NovaPrincipal(*pasta);
    principal->show();
    TCaudalente s;
    s.Local = 1;
    for (int i = 0; i < 6; ++i) s.Adicionar(i * 0.5, i == 5 ? 0 : i * 0.25);
    const QString a = pasta->filePath(QStringLiteral("a.bin"));
    const QString b = pasta->filePath(QStringLiteral("b.bin"));
    const QString t = pasta->filePath(QStringLiteral("c.txt"));
    s.SalvarBinario(a.toStdString());
    s.SalvarBinario(b.toStdString());
    s.SalvarTexto(t.toStdString());
    principal->DHidros.FilterIndex = 1;
    dialogos.escolhas = {{a, b}};
    principal->BVisualizar->trigger();
    QVERIFY2(mensagens.caixas.empty(), qPrintable(mensagens.Textos().join('|')));
    QList<TFVazoPlot31*> g = Graficos();
    QCOMPARE(g.size(), 2);
    QCOMPARE(g.at(0)->windowTitle(), QStringLiteral("Visualização de a.bin"));
    QCOMPARE(g.at(1)->windowTitle(), QStringLiteral("Visualização de b.bin"));
    QCOMPARE(g.at(0)->lsCaudalente->count(), 6);
    QVERIFY(!g.at(0)->Relatorio);
    QVERIFY(principal->isEnabled());
    QVERIFY(!principal->BarraProgresso);

    // A text file read while the binary filter is chosen fails; everything
    // is restored and the error reaches the error box.
    dialogos.escolhas = {{t}};
    principal->BVisualizar->trigger();
    QCOMPARE(Graficos().size(), 2);
    QCOMPARE(mensagens.caixas.size(), std::size_t(1));
    QCOMPARE(mensagens.caixas.front().tipo, QStringLiteral("erro"));
    QVERIFY(principal->isEnabled());
    QVERIFY(!principal->BarraProgresso);
  }
};

QTEST_MAIN(TesteTracado)
#include "tst_tracado.moc"
