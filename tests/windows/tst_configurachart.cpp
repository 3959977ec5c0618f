// The chart configuration dialog on a real chart window, headless: live
// effect, Cancel against OK, the enabling rules, the saved section loaded by
// a new window, accessible names and a picture of every page.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>
#include <deque>
#include <memory>

#include "toolkit/Regional.h"
#include "toolkit/gui/Grafico.h"
#include "toolkit/gui/MensagensRoteiro.h"
#include "windows/VazoPlot31.h"
#include "windows/uConfiguraChart.h"

namespace {

// Scripted colour and font dialogs: each call takes the next answer; an
// empty queue answers Cancel.
class TDialogosGraficoRoteiro : public IDialogosGrafico {
 public:
  std::deque<QColor> cores;
  std::deque<QFont> fontes;
  int chamadas = 0;
  bool EscolherCor(QColor& cor, QWidget*) override {
    ++chamadas;
    if (cores.empty()) return false;
    cor = cores.front();
    cores.pop_front();
    return true;
  }
  bool EscolherFonte(QFont& fonte, QWidget*) override {
    ++chamadas;
    if (fontes.empty()) return false;
    fonte = fontes.front();
    fontes.pop_front();
    return true;
  }
};

}  // namespace

class TesteConfiguraChart : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QMdiArea> area;
  std::unique_ptr<QTemporaryDir> pasta;
  toolkit::gui::TMensagensRoteiro mensagens;
  TDialogosGraficoRoteiro dialogos;

  QString Ini() const { return pasta->filePath(QStringLiteral("Caudalente.ini")); }

  TFVazoPlot31* Abrir() {
    TCaudalente s;
    s.Local = 1;
    for (const QPointF& p : QList<QPointF>{{0, 0}, {1, 2.5}, {2, 4}, {3, 1}, {4, 0}})
      s.Adicionar(p.x(), p.y());
    s.VazaoMaxima = 4;
    s.TempoPico = 2;
    if (!AbrirGrafico(s, QStringLiteral("Caudalente na encosta para um comprimento de 30 m"), nullptr,
                      area.get()))
      return nullptr;
    return FVazoPlot31;
  }

  static void Preparar(TFConfiguraChart& d, TFVazoPlot31* j) {
    d.Preparar(j->ConfigGrafico, {j->lsCaudalente}, [j] { j->AplicarConfigGrafico(); });
  }

  // Leaving an edit, as the focus moving away does.
  static void Sair(QLineEdit* e) {
    QFocusEvent saida(QEvent::FocusOut);
    QApplication::sendEvent(e, &saida);
  }

 private slots:
  void initTestCase() {
    toolkit::gui::DefinirMensagens(&mensagens);
    DefinirDialogosGrafico(&dialogos);
  }
  void cleanupTestCase() {
    toolkit::gui::DefinirMensagens(nullptr);
    DefinirDialogosGrafico(nullptr);
    DefinirArquivoConfigGrafico(QString());
  }
  void init() {
    toolkit::DefinirRegional(toolkit::RegionalPtBr());
    pasta = std::make_unique<QTemporaryDir>();
    DefinirArquivoConfigGrafico(Ini());
    area = std::make_unique<QMdiArea>();
    area->resize(900, 600);
    area->show();
    mensagens = {};
    dialogos = {};
  }
  void cleanup() { area.reset(); }

  void semArquivoValemOsPadroes() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    QCOMPARE(j->Chart1->Grafico()->title(), QString());
    QVERIFY(!j->Chart1->Grafico()->legend()->isVisible());
    QCOMPARE(j->TituloEixoX, QStringLiteral("Tempo (min)"));
    // A hillslope's discharge is per metre of width.
    QCOMPARE(j->TituloEixoY, QStringLiteral("Vazão (L/(s m))"));
    QCOMPARE(CorDoWindows(j->ConfigGrafico.GradienteFim), QColor(163, 209, 209));
  }

  void cancelarRestauraTituloEMantemCorDaSerie() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    const QString titulo = QString::fromStdString(j->ConfigGrafico.Titulo);
    TFConfiguraChart d(j);
    Preparar(d, j);
    QCOMPARE(d.edtTituloGrafico->text(), titulo);
    QCOMPARE(d.cbSerie->currentText(), QStringLiteral("Caudalente"));

    d.cbTitulo->setChecked(true);
    d.edtTituloGrafico->setText(QStringLiteral("Outro título"));
    Sair(d.edtTituloGrafico);
    QCOMPARE(j->Chart1->Grafico()->title(), QStringLiteral("Outro título"));
    dialogos.cores = {QColor(200, 0, 0)};
    d.btnCorSerie->click();
    QCOMPARE(j->lsCaudalente->pen().color(), QColor(200, 0, 0));
    QCOMPARE(j->lsCaudalente->count(), 5);
    d.EixoX.chkGrid->setChecked(true);
    QVERIFY(j->Chart1->EixoX()->isGridLineVisible());
    QFont grande(QStringLiteral("Arial"), 14);
    dialogos.fontes = {grande};
    d.EixoY.btnFonteTitulo->click();
    QVERIFY(j->ConfigGrafico.EixoY.FonteDefinida);
    QCOMPARE(j->ConfigGrafico.EixoY.Fonte.Tamanho, 14);

    QVERIFY(!d.Concluir(QDialog::Rejected, Ini().toStdString(), "_VazoPlot"));
    QCOMPARE(j->ConfigGrafico.Titulo, titulo.toStdString());
    QCOMPARE(j->Chart1->Grafico()->title(), QString());
    QVERIFY(!j->Chart1->EixoX()->isGridLineVisible());
    QVERIFY(!j->ConfigGrafico.EixoY.FonteDefinida);
    QCOMPARE(j->lsCaudalente->pen().color(), QColor(200, 0, 0));
    QVERIFY(!QFile::exists(Ini()));
  }

  void okSalvaENovaJanelaCarrega() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    TFConfiguraChart d(j);
    Preparar(d, j);
    d.cbTitulo->setChecked(true);
    QFont negritoItalico(QStringLiteral("Arial"), 12);
    negritoItalico.setBold(true);
    negritoItalico.setItalic(true);
    dialogos.fontes = {negritoItalico};
    d.btnFonteTituloGrafico->click();
    QVERIFY(d.pnlFonteTituloGrafico->font().bold());
    d.chkMostrarLegenda->setChecked(true);
    d.cbPosLegenda->setCurrentIndex(2);
    QVERIFY(j->Chart1->Grafico()->legend()->isVisible());
    QCOMPARE(j->Chart1->Grafico()->legend()->alignment(), Qt::AlignLeft);
    d.EixoY.chkAutomatico->setChecked(false);
    d.EixoY.edtMaximo->setText(QStringLiteral("12,5"));
    Sair(d.EixoY.edtMaximo);
    QCOMPARE(j->Chart1->EixoY()->max(), 12.5);
    QVERIFY(d.Concluir(QDialog::Accepted, Ini().toStdString(), "_VazoPlot"));

    QFile f(Ini());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray texto = f.readAll();
    QVERIFY(texto.contains("Legenda_Posicao=2\r\n"));
    QVERIFY(texto.contains("EixoY_Maximo=12,5\r\n"));
    QVERIFY(texto.contains("Titulo_FonteNegrito=1\r\n"));

    TFVazoPlot31* nova = Abrir();
    QVERIFY(nova && nova != j);
    const QFont fonte = nova->Chart1->Grafico()->titleFont();
    QVERIFY(fonte.bold());
    QVERIFY(fonte.italic());
    QCOMPARE(nova->Chart1->Grafico()->title(), QString::fromStdString(nova->ConfigGrafico.Titulo));
    QCOMPARE(nova->Chart1->Grafico()->legend()->alignment(), Qt::AlignLeft);
    QCOMPARE(nova->Chart1->EixoY()->max(), 12.5);
  }

  void regrasDeHabilitacao() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    TFConfiguraChart d(j);
    Preparar(d, j);
    QCOMPARE(d.pgcRegistro->currentIndex(), 0);
    QVERIFY(d.bGradIni->isEnabled());
    d.cbGradiente->setChecked(false);
    QVERIFY(!d.bGradIni->isEnabled() && !d.bGradFim->isEnabled());
    QVERIFY(!j->ConfigGrafico.GradienteVisivel);
    d.cbTransparente->setChecked(true);
    QVERIFY(!d.btnCorPainel->isEnabled());
    QVERIFY(!j->ConfigGrafico.ParedeSolida);
    QVERIFY(!d.cbPosLegenda->isEnabled() && !d.btnFonteLegenda->isEnabled());
    d.chkMostrarLegenda->setChecked(true);
    QVERIFY(d.cbPosLegenda->isEnabled() && d.btnFonteLegenda->isEnabled());
    QVERIFY(!d.EixoX.edtMinimo->isEnabled());
    d.EixoX.chkAutomatico->setChecked(false);
    QVERIFY(d.EixoX.edtMinimo->isEnabled() && d.EixoX.edtMaximo->isEnabled() &&
            d.EixoX.lblMinimo->isEnabled());
    QVERIFY(!d.scbVisao3DZoom->isEnabled());
    d.chkVisao3D->setChecked(true);
    QVERIFY(d.scbVisao3DZoom->isEnabled() && d.lblVisao3DZoom->isEnabled());
    QVERIFY(j->Chart1->Visao3D());
    d.scbVisao3DEixoZ->setValue(40);
    QCOMPARE(d.lblVisao3DEixoZVal->text(), QStringLiteral("40%"));
    QCOMPARE(j->Chart1->Profundidade(), 40);
    d.scbVisao3DRotacao->setValue(300);
    QCOMPARE(d.lblVisao3DRotacaoVal->text(), QStringLiteral("300°"));
    QVERIFY(d.EixoX.chkTipoEscalaLog->isHidden());
  }

  void limiteInvalidoMostraErroEMantemOEixo() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    TFConfiguraChart d(j);
    Preparar(d, j);
    d.EixoX.chkAutomatico->setChecked(false);
    const double antes = j->Chart1->EixoX()->max();
    d.EixoX.edtMaximo->setText(QStringLiteral("abc"));
    Sair(d.EixoX.edtMaximo);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(mensagens.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(mensagens.Textos(),
             QStringList{QStringLiteral("'abc' não é um valor numérico válido para o máximo do eixo X.")});
    QCOMPARE(j->Chart1->EixoX()->max(), antes);
    // The key filter: letters dropped, "-" and either separator typed as the one in use.
    d.EixoX.edtMinimo->clear();
    QTest::keyClicks(d.EixoX.edtMinimo, QStringLiteral("-1x,5"));
    QCOMPARE(d.EixoX.edtMinimo->text(), QStringLiteral("-1,5"));
    d.EixoX.edtMinimo->clear();
    QTest::keyClicks(d.EixoX.edtMinimo, QStringLiteral("-1.5"));
    QCOMPARE(d.EixoX.edtMinimo->text(), QStringLiteral("-1,5"));
    // A pasted number with the other separator reads as typed.
    d.EixoX.edtMaximo->setText(QStringLiteral("7.5"));
    Sair(d.EixoX.edtMaximo);
    QCOMPARE(mensagens.caixas.size(), size_t(1));
    QCOMPARE(j->Chart1->EixoX()->max(), 7.5);
  }

  void nomesAcessiveisEFigura() {
    TFVazoPlot31* j = Abrir();
    QVERIFY(j);
    TFConfiguraChart d(j);
    Preparar(d, j);
    d.show();
    for (QWidget* w : d.findChildren<QWidget*>()) {
      const bool controle = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                            qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                            qobject_cast<QScrollBar*>(w);
      if (!controle || !w->parentWidget() || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
          qobject_cast<QComboBox*>(w->parentWidget()) || w->objectName().startsWith(QLatin1String("qt_")))
        continue;
      QVERIFY2(!w->accessibleName().isEmpty(),
               qPrintable(w->metaObject()->className() + QStringLiteral(" ") + w->objectName()));
    }
  }
};

QTEST_MAIN(TesteConfiguraChart)
#include "tst_configurachart.moc"
