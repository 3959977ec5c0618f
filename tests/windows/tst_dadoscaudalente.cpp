// The data-entry window driven as a user drives it, headless: typing into the
// fields, Avançar with its messages and focus, the hillslope tabs, the
// irregular-hillslope editor with its profile, and a project opened, edited,
// saved and opened again through the main window.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

#include "idf/UnBD.h"
#include "idf/gui/FoConsulta.h"
#include "model/hillslope/uTerreno.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/DialogosRoteiro.h"
#include "toolkit/gui/EntradaNumerica.h"
#include "toolkit/gui/Grafico.h"
#include "toolkit/gui/MensagensRoteiro.h"
#include "windows/DadosCaudalente.h"
#include "windows/PrincipalDeTeste.h"
#include "windows/ReferenciasDados.h"

using toolkit::gui::TGrade;

// Reference dialogs that accept with fixed values and count their runs.
class TReferenciasFixas : public IReferenciasDados {
 public:
  int execucoes = 0;
  bool Cobertura(TCobertura& c) override {
    ++execucoes;
    c.UsoTerra.Indice = 5;
    c.CondicaoHidrologica.Indice = 3;
    atual_.Assign(c);
    return true;
  }
  bool RugTer(TReal& nt) override { return Aceitar(nt, 0.15); }
  bool RugCan(TReal& nc) override { return Aceitar(nc, 0.025); }
  bool Sm(TReal& sm) override { return Aceitar(sm, 0.213); }
  bool Z(TReal& z) override { return Aceitar(z, 1.5); }
  void CoberturaAtual(TCobertura& destino) const override { destino.Assign(atual_); }
  void DefinirCoberturaAtual(const TCobertura& origem) override { atual_.Assign(origem); }

 private:
  bool Aceitar(TReal& r, double v) {
    ++execucoes;
    r.Valor = v;
    return true;
  }
  TCobertura atual_;
};

class TesteDadosCaudalente : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> pasta;
  toolkit::gui::TMensagensRoteiro mensagens;
  toolkit::gui::TDialogosRoteiro dialogos;
  std::unique_ptr<TFPrincipal> principal;

  TFDadosCaudalente* Novo() {
    principal = NovaPrincipal(*pasta);
    principal->show();
    principal->activateWindow();
    if (!QTest::qWaitForWindowActive(principal.get())) qWarning("main window not active");
    principal->MNovo->trigger();
    return FDadosCaudalente;
  }

  // Valid values in every field of a regular hillslope under a trapezoidal
  // channel; the cover is chosen in the model (its dialog is not ours).
  void Preencher(TFDadosCaudalente* j) {
    const QString v = QString(QLatin1Char(toolkit::Regional().SeparadorDecimal));
    j->eTr->setText(QStringLiteral("10"));
    j->eK->setText(QStringLiteral("1200"));
    j->eA->setText(QStringLiteral("0") + v + QStringLiteral("15"));
    j->eB->setText(QStringLiteral("12"));
    j->eC->setText(QStringLiteral("0") + v + QStringLiteral("8"));
    j->eSc->setText(QStringLiteral("0") + v + QStringLiteral("002"));
    j->eCanComp->setText(QStringLiteral("120"));
    j->enc->setText(QStringLiteral("0") + v + QStringLiteral("025"));
    j->eBCan->setText(QStringLiteral("1"));
    j->eZ->setText(QStringLiteral("1") + v + QStringLiteral("5"));
    j->eVIB->setText(QStringLiteral("20"));
    j->eSt->setText(QStringLiteral("0") + v + QStringLiteral("08"));
    j->eEncComp->setText(QStringLiteral("40"));
    j->ent->setText(QStringLiteral("0") + v + QStringLiteral("1"));
    principal->Encosta().SetCount(1);
    ComCobertura(principal->Encosta().Trechos(0));
  }

  // Forest needs its hydrologic condition: without one no cover is chosen.
  static void SemCobertura(TEncostaCinematica& t) {
    t.Cobertura.UsoTerra.Indice = 5;
    t.Cobertura.CondicaoHidrologica.Indice = 0;
  }

  static void ComCobertura(TEncostaCinematica& t) {
    t.Cobertura.UsoTerra.Indice = 5;
    t.Cobertura.CondicaoHidrologica.Indice = 3;
  }

  QStringList Erros() const { return mensagens.Textos(); }

 private slots:
  void initTestCase() { toolkit::gui::DefinirMensagens(&mensagens); }
  void cleanupTestCase() { toolkit::gui::DefinirMensagens(nullptr); }

  void init() {
    toolkit::DefinirRegional(toolkit::RegionalPtBr());
    toolkit::gui::DefinirDialogos(&dialogos);
    pasta = std::make_unique<QTemporaryDir>();
    mensagens = {};
    dialogos = {};
  }

  void cleanup() {
    principal.reset();
    toolkit::gui::DefinirDialogos(nullptr);
  }

  void teclado_data() {
    QTest::addColumn<bool>("ptBr");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("texto");
    QTest::newRow("ponto_vira_virgula") << true << "1.5"
                                        << "1,5";
    QTest::newRow("segunda_virgula_cai") << true << "1,5,2.7"
                                         << "1,527";
    QTest::newRow("letras_e_sinais_caem") << true << "-1e5 x"
                                          << "15";
    QTest::newRow("virgula_sob_C") << false << "1,5"
                                   << "1.5";
    QTest::newRow("ponto_sob_C") << false << "1.5.2"
                                 << "1.52";
  }
  void teclado() {
    QFETCH(bool, ptBr);
    QFETCH(QString, digitado);
    QFETCH(QString, texto);
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    TFDadosCaudalente* j = Novo();
    QVERIFY(j);
    j->eK->setFocus();
    QTest::keyClicks(j->eK, digitado);
    QCOMPARE(j->eK->text(), texto);
  }

  // Both marks are the decimal separator under either setting: the field
  // shows the one in use and the model gets the value typed, whether
  // Avançar is clicked or reached by its mnemonic.
  void separadorDecimal_data() {
    QTest::addColumn<bool>("ptBr");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("mnemonico");
    for (bool ptBr : {true, false})
      for (const char* d : {"12,5", "12.5"})
        for (bool mnemonico : {false, true})
          QTest::addRow("%s_%s%s", ptBr ? "ptBR" : "C", d, mnemonico ? "_altV" : "")
              << ptBr << d << mnemonico;
  }
  void separadorDecimal() {
    QFETCH(bool, ptBr);
    QFETCH(QString, digitado);
    QFETCH(bool, mnemonico);
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->eTr->clear();
    j->eTr->setFocus();
    QTest::keyClicks(j->eTr, digitado);
    QCOMPARE(j->eTr->text(), ptBr ? QStringLiteral("12,5") : QStringLiteral("12.5"));
    if (mnemonico)
      QTest::keyClick(j->eTr, Qt::Key_V, Qt::AltModifier);  // the button clicks a moment later
    else
      QTest::mouseClick(j->bAvancar, Qt::LeftButton);
    QTRY_COMPARE(j->Notebook1->currentIndex(), 2);
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    QCOMPARE(principal->Nimbora1.Precipitacao().Tr(), 12.5);
  }

  // Alt with a letter is a mnemonic: it acts (Avançar checks the fields) and
  // never types into the field that has the focus; a mnemonic no control
  // has types nothing either.
  void mnemonicoNaoDigita() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->eTr->clear();
    j->eTr->setFocus();
    QTest::keyClick(j->eTr, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(Erros(), QStringList{QStringLiteral(
                              "Valor inválido para o período de retorno da equação de chuvas intensas.")});
    QCOMPARE(j->eTr->text(), QString());
    QCOMPARE(QApplication::focusWidget(), j->eTr);
    QTest::keyClick(j->eTr, Qt::Key_0);
    QTest::keyClick(j->eTr, Qt::Key_W, Qt::AltModifier);
    QTest::keyClick(j->eTr, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(Erros().size(), 2);
    QCOMPARE(Erros().last(), QStringLiteral("  Valor incorreto do tempo de retorno.  "));
    QCOMPARE(j->eTr->text(), QStringLiteral("0"));
  }

  // A pasted number with the other separator shows the one in use once the
  // field is left; a pasted text that is no number gives a message naming
  // the field.
  void textoColado() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    QApplication::clipboard()->setText(QStringLiteral("0.35"));
    j->eK->setFocus();
    j->eK->selectAll();
    QTest::keyClick(j->eK, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(j->eK->text(), QStringLiteral("0.35"));
    QTest::keyClick(j->eK, Qt::Key_Tab);
    QCOMPARE(j->eK->text(), QStringLiteral("0,35"));

    j->eTr->clear();
    j->eTr->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("0v"));
    QTest::keyClick(j->eTr, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(j->eTr->text(), QStringLiteral("0v"));
    QTest::keyClick(j->eTr, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(Erros(), QStringList{QStringLiteral("'0v' não é um valor numérico válido para o período de "
                                                     "retorno da equação de chuvas intensas.")});
    QCOMPARE(j->Notebook1->currentIndex(), 0);
  }

  // Every label of the window that shows something is read by a screen
  // reader as what it shows.
  void rotulosAcessiveis() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->bAvancar->click();
    QCOMPARE(j->Notebook1->currentIndex(), 2);
    for (QLabel* r : j->findChildren<QLabel*>()) {
      const QString texto = r->text().remove(QLatin1Char('&'));
      if (texto.isEmpty()) continue;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(r);
      QVERIFY(a);
      QVERIFY2(a->text(QAccessible::Name).contains(texto), qPrintable(r->objectName() + ' ' + texto));
    }
    for (QLineEdit* e : {j->edtTrecho, j->EmY, j->Cota, j->TotalLinhas}) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(e);
      QVERIFY(a);
      QCOMPARE(a->text(QAccessible::Value), e->text());
      QVERIFY(!e->text().isEmpty());
    }
  }

  // Every button's text fits inside its borders and its button inside its
  // page; no label runs into a control beside it.
  void textosNaoEncostam() {
    TFDadosCaudalente* j = Novo();
    for (QPushButton* b : j->findChildren<QPushButton*>()) {
      const QString nome = b->objectName() + ' ' + b->text();
      QVERIFY2(b->width() >= b->sizeHint().width(),
               qPrintable(nome + QStringLiteral(": %1 < %2").arg(b->width()).arg(b->sizeHint().width())));
      if (b->parentWidget() && b->parentWidget()->layout() == nullptr && b->parentWidget()->width() > 0)
        QVERIFY2(b->parentWidget()->rect().contains(b->geometry()), qPrintable(nome));
    }
    for (QLabel* r : j->findChildren<QLabel*>()) {
      if (r->text().isEmpty() || !r->parentWidget()) continue;
      // Where the text is drawn: a label may be wider than its text.
      const int largura = r->fontMetrics().horizontalAdvance(QString(r->text()).remove(QLatin1Char('&')));
      const QRect texto =
          QStyle::alignedRect(r->layoutDirection(), r->alignment(), QSize(largura, r->height()),
                              r->contentsRect().translated(r->pos()));
      const QRect folga = texto.adjusted(-2, 0, 2, 0);
      for (QWidget* w : r->parentWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w) &&
            !qobject_cast<QPushButton*>(w))
          continue;
        QVERIFY2(!folga.intersects(w->geometry()),
                 qPrintable(r->text() + QStringLiteral(" / ") + w->objectName()));
      }
    }
  }

  // The coordinate edits keep the mask's literal characters, blanks as spaces.
  void coordenadas() {
    TFDadosCaudalente* j = Novo();
    QCOMPARE(j->PrecLa1->Texto(), QStringLiteral("  °  '  \""));
    QCOMPARE(j->PrecLa1->displayText(), QStringLiteral("__°__'__\""));
    j->PrecLo1->DefinirTexto(QStringLiteral("20°45'14\""));
    j->LerCampos(false);
    QCOMPARE(principal->Nimbora1.Longitude, std::string("20°45'14\""));
    QCOMPARE(principal->Nimbora1.Latitude, std::string("  °  '  \""));
  }

  void saidaComTextoNaoNumerico() {
    TFDadosCaudalente* j = Novo();
    j->eK->setFocus();
    j->eK->setText(QStringLiteral("abc"));  // pasted: no key filter
    QTest::keyClick(j->eK, Qt::Key_Tab);
    QCOMPARE(Erros(),
             QStringList{QStringLiteral("Erro. O valor informado não corresponde a um valor numérico. "
                                        "Verifique o parâmetro \"K\" da equação de chuvas intensas.")});
    QTRY_COMPARE(QApplication::focusWidget(), j->eK);
    j->eK->clear();
    QTest::keyClick(j->eK, Qt::Key_Tab);
    QCOMPARE(Erros().size(), 1);  // empty passes
  }

  void avancarComTrVazio() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->eTr->clear();
    j->eK->setFocus();
    QTest::keyClick(j->eK, Qt::Key_Return);  // Avançar is the page's default button
    QCOMPARE(Erros(), QStringList{QStringLiteral(
                          "Valor inválido para o período de retorno da equação de chuvas intensas.")});
    QCOMPARE(j->Notebook1->currentIndex(), 0);
    QCOMPARE(QApplication::focusWidget(), j->eTr);
  }

  // Every failing check replaces the one before: a bad Tr hides a bad
  // roughness, which shows once Tr is mended.
  void avancarMostraSoOUltimoErro() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->eTr->setText(QStringLiteral("0"));
    j->enc->setText(QStringLiteral("0"));
    j->bAvancar->click();
    QCOMPARE(Erros(), QStringList{QStringLiteral("  Valor incorreto do tempo de retorno.  ")});
    QCOMPARE(QApplication::focusWidget(), j->eTr);
    j->eTr->setText(QStringLiteral("10"));
    j->bAvancar->click();
    QCOMPARE(Erros().last(), QStringLiteral("  Valor incorreto da rugosidade do canal.  "));
    QCOMPARE(QApplication::focusWidget(), j->enc);
    j->enc->setText(QStringLiteral("0,02"));
    j->bAvancar->click();
    QCOMPARE(Erros().size(), 2);
    QCOMPARE(j->Notebook1->currentIndex(), 2);
    QCOMPARE(j->windowTitle(), QStringLiteral("Entrada de dados - traçado do caudalente"));
    QCOMPARE(j->ComprimentoTotal, 40);
    QVERIFY(std::abs(j->DesnivelTotal - 3.2) < 1e-9);
    j->bRetornar3->click();
    QCOMPARE(j->Notebook1->currentIndex(), 0);
  }

  void irregularSemCoberturaNosTrechos2e4() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    j->tgEncosta1->clearSelection();
    for (int i = 0; i < 4; ++i) j->bAdicionar1->click();
    QCOMPARE(j->tgEncosta1->Linhas(), 4);
    QCOMPARE(principal->Encosta().Count(), 4);
    for (int k = 0; k < 4; ++k) {
      j->tgEncosta1->DefinirCelula(k, kColComp, QStringLiteral("20"));
      j->tgEncosta1->DefinirCelula(k, kColSt, QStringLiteral("0,1"));
      j->tgEncosta1->DefinirCelula(k, kColNt, QStringLiteral("0,1"));
      j->tgEncosta1->DefinirCelula(k, kColVIB, QStringLiteral("10"));
    }
    ComCobertura(principal->Encosta().Trechos(0));
    SemCobertura(principal->Encosta().Trechos(1));
    ComCobertura(principal->Encosta().Trechos(2));
    SemCobertura(principal->Encosta().Trechos(3));
    j->bAvancar->click();
    QCOMPARE(Erros(), QStringList{QStringLiteral("  Nenhuma informação sobre cobertura vegetal foi fornecida "
                                                 "para o trecho 4 da encosta.  ")});
    QCOMPARE(QApplication::focusWidget(), j->tgEncosta1);

    // An empty cell of a segment is named, without a full stop.
    j->tgEncosta1->DefinirCelula(2, kColNt, QString());
    j->bAvancar->click();
    QCOMPARE(
        Erros().last(),
        QStringLiteral(
            "Valor inválido para a rugosidade hidráulica do trecho 3 da encosta."));  // the error box adds
                                                                                      // the full stop
  }

  void declividadeEmPorcento() {
    TFDadosCaudalente* j = Novo();
    principal->Unidades.SetDeclividade(0);  // "%"
    principal->GerenteSys1PreencherCamposDados();
    QCOMPARE(j->LDecli3->text(), QStringLiteral("%"));
    QCOMPARE(j->tgEncosta1->horizontalHeaderItem(kColSt)->text(), QStringLiteral("St (%)"));
    Preencher(j);
    j->cbCanal->setCurrentIndex(1);
    j->cbCanalClick();
    QCOMPARE(j->nbCanal->currentWidget(), j->nbTri);
    j->emSm->setText(QStringLiteral("30"));
    j->eSt->clear();
    j->eSt->setFocus();
    QTest::keyClicks(j->eSt, QStringLiteral("5"));
    QCOMPARE(j->em1->text(), QStringLiteral("5"));
    j->LerCampos(true);
    QCOMPARE(principal->Encosta().Trechos(0).St(), 0.05);
    QCOMPARE(principal->Canal().Z.Valor, 0.05);
    QCOMPARE(principal->Canal().Sm.Valor, 0.3);

    // Back to m/m: the shown values follow at once.
    principal->Unidades.SetDeclividade(1);
    principal->GerenteSys1->NomeProjeto = QStringLiteral("x.cdt");
    principal->AtualizarUnidadeDeclividade();
    QCOMPARE(j->eSt->text(), QStringLiteral("0,05"));
    QCOMPARE(j->em1->text(), QStringLiteral("0,05"));
    QCOMPARE(j->eSc->text(), QStringLiteral("0,00002"));
  }

  void comprimentoDoCanalNaoInteiro() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->eCanComp->setText(QStringLiteral("120,5"));
    j->bAvancar->click();
    QCOMPARE(
        Erros(),
        QStringList{QStringLiteral("'120,5' não é um valor inteiro válido para o comprimento do canal.")});
    QCOMPARE(principal->Canal().Comprimento(), 120);  // read (rounded) before the stop
    QCOMPARE(j->Notebook1->currentIndex(), 0);
  }

  // Switching tabs carries the regular fields into the last segment and back.
  void abasRegularIrregular() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->bAdicionar1->click();  // grid had no row: one row, one segment
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    QCOMPARE(j->tgEncosta1->Celula(0, kColComp), QStringLiteral("40"));
    QCOMPARE(principal->Encosta().Trechos(0).Comprimento(), 40);
    QCOMPARE(principal->Encosta().Trechos(0).St(), 0.08);
    principal->Encosta().Trechos(0).SetComprimento(55);
    j->pcEncosta->setCurrentWidget(j->TSRegular);
    QCOMPARE(j->eEncComp->text(), QStringLiteral("55"));
    QCOMPARE(j->eSt->text(), QStringLiteral("0,08"));
  }

  void perfilDaEncosta() {
    TFDadosCaudalente* j = Novo();
    Preencher(j);
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    j->bAdicionar1->click();
    j->tgEncosta1->clearSelection();
    j->bAdicionar1->click();
    const QStringList linhas[2] = {{"30", "0,1", "0,1", "10"}, {"40", "0,05", "0,1", "10"}};
    for (int k = 0; k < 2; ++k)
      for (int c = 0; c < 4; ++c) j->tgEncosta1->DefinirCelula(k, c, linhas[k].at(c));
    j->bVisualizar->click();
    QCOMPARE(j->Notebook1->currentIndex(), 1);
    QCOMPARE(j->windowTitle(), QStringLiteral("Entrada de dados - visualização da encosta"));
    const QList<QPointF> p = j->lsEncosta->points();
    QCOMPARE(p.size(), 3);
    const double pe = 30 / std::sqrt(1.01) + 40 / std::sqrt(1.0025);
    QVERIFY(std::abs(p[2].x() - pe) < 1e-9 && p[2].y() == 0);
    QVERIFY(std::abs(p[2].x() - 69.801) < 1e-3);
    QVERIFY(std::abs(p[1].x() - 29.851) < 1e-3 && std::abs(p[1].y() - 1.998) < 1e-3);
    QVERIFY(std::abs(p[0].x()) < 1e-9 && std::abs(p[0].y() - 4.983) < 1e-3);
    QVERIFY(std::abs(j->DesnivelTotal - 5.0) < 1e-9);
    QCOMPARE(j->ComprimentoTotal, 70);

    // The foot cannot be moved: the cursor stays the default one.
    j->lsEncostaClick(2);
    const QPoint pe2 = j->chEncosta->PosicaoDoValor(p[2]).toPoint();
    j->chEncostaMouseMove(pe2 - QPoint(20, 0));
    QCOMPARE(j->lsEncosta->points()[2], p[2]);
    QCOMPARE(j->chEncosta->viewport()->cursor().shape(), Qt::ArrowCursor);

    // The junction, picked by a click, follows the mouse within its neighbours' box.
    QTest::mouseClick(j->chEncosta->viewport(), Qt::LeftButton, {},
                      j->chEncosta->PosicaoDoValor(p[1]).toPoint());
    QVERIFY(j->MovendoPonto);
    QCOMPARE(j->PontoSelecionado, 1);
    const QPointF alvo(p[0].x() + 0.5 * (p[2].x() - p[0].x()) + 15.3, 1.0);
    j->chEncostaMouseMove(j->chEncosta->PosicaoDoValor(alvo).toPoint());
    QCOMPARE(j->chEncosta->viewport()->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(std::abs(j->lsEncosta->points()[1].x() - alvo.x()) < 0.3);
    QVERIFY(j->windowTitle().startsWith(QStringLiteral("Movendo o ponto para X = 50 e Y = 1")));
    // Outside the box nothing moves.
    const QPointF antes = j->lsEncosta->points()[1];
    j->chEncostaMouseMove(j->chEncosta->PosicaoDoValor(QPointF(alvo.x(), 6)).toPoint());
    QCOMPARE(j->lsEncosta->points()[1], antes);
    // A second click ends the move.
    j->lsEncostaClick(1);
    QVERIFY(!j->MovendoPonto);
    QCOMPARE(j->windowTitle(), QStringLiteral("Entrada de dados - visualização da encosta"));
  }

  void profundidadeDoPerfil() {
    TFDadosCaudalente* j = Novo();
    j->Zoom->setValue(5);
    QCOMPARE(j->chEncosta->Profundidade(), 5);
    QCOMPARE(j->lsEncosta->pen().width(), 2);
    j->Zoom->setValue(6);
    QCOMPARE(j->lsEncosta->pen().width(), 1);
  }

  // What the reference dialogs give lands in the fields, in the units shown.
  void dialogosDeReferencia() {
    TFDadosCaudalente* j = Novo();
    auto* refs = new TReferenciasFixas;
    j->DefinirReferencias(std::unique_ptr<IReferenciasDados>(refs));
    principal->Unidades.SetDeclividade(0);  // "%"
    principal->GerenteSys1->Alterado = false;
    j->cbCanal->setCurrentIndex(1);
    j->cbCanalClick();
    j->bSm->click();
    QCOMPARE(j->emSm->text(), QStringLiteral("21,3"));
    j->bnt->click();
    QCOMPARE(j->ent->text(), QStringLiteral("0,15"));
    QCOMPARE(principal->Encosta().Count(), 1);
    j->bnc->click();
    QCOMPARE(j->enc->text(), QStringLiteral("0,025"));
    j->bCoberVeg->click();
    QVERIFY(AbstracaoInicial(principal->Encosta().Trechos(0)) > 0);
    QCOMPARE(refs->execucoes, 4);
    QVERIFY(principal->GerenteSys1->Alterado);

    // The buttons in the grid cells act on their row's segment.
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    j->bAdicionar1->click();
    j->tgEncosta1->clearSelection();
    j->bAdicionar1->click();
    QCOMPARE(principal->Encosta().Count(), 2);
    emit j->tgEncosta1->BotaoClicado(1, kColNt);
    QCOMPARE(j->tgEncosta1->Celula(1, kColNt), QStringLiteral("0,15"));
    QCOMPARE(principal->Encosta().Trechos(1).nt.Valor, 0.15);
    emit j->tgEncosta1->BotaoClicado(1, kColCobertura);
    QVERIFY(AbstracaoInicial(principal->Encosta().Trechos(1)) > 0);
  }

  // Fechar takes the chart windows with it; closing stores the fields as
  // they stand, empty ones as zeros, without a message.
  void fecharGuardaOsCampos() {
    TFDadosCaudalente* j = Novo();
    for (int i = 0; i < 2; ++i) principal->Workspace->addSubWindow(new QLabel(QStringLiteral("x")))->show();
    j->eTr->setText(QStringLiteral("5"));
    j->bFechar->click();
    QVERIFY(Erros().isEmpty());
    QCOMPARE(principal->Workspace->subWindowList().size(), 0);
    QTRY_VERIFY(!FDadosCaudalente);
    QCOMPARE(principal->Nimbora1.Precipitacao().Tr(), 5.0);
    QCOMPARE(principal->Encosta().Count(), 1);
    QCOMPARE(principal->Encosta().Trechos(0).Comprimento(), 0);
    QVERIFY(principal->Encosta().Regular);
  }

  void moverPontoArredondaOsComprimentos() {
    TFDadosCaudalente* j = Novo();
    principal->Unidades.SetDeclividade(0);  // "%"
    j->lsEncosta->replace(QList<QPointF>{{0, 5}, {30, 4}, {45, 2}, {70, 0}});
    j->tgEncosta2->DefinirLinhas(3);
    j->MoverPonto(2, 50.2, 1.0);
    QCOMPARE(j->tgEncosta2->Celula(1, kColComp), QStringLiteral("20"));
    QCOMPARE(j->tgEncosta2->Celula(2, kColComp), QStringLiteral("20"));
    QCOMPARE(j->tgEncosta2->Celula(2, kColSt), QStringLiteral("5,0"));  // 1 m over 20 m in %
    QCOMPARE(j->tgEncosta2->Celula(1, kColSt), QStringLiteral("15,0"));
    QVERIFY(j->tgEncosta2->Celula(0, kColComp).isEmpty());
    // A point that would leave a segment of no length stays.
    j->MoverPonto(2, 30.3, 1.5);
    QCOMPARE(j->lsEncosta->points()[2], QPointF(50.2, 1.0));
  }

  void adicionarEDeletarTrechos() {
    TFDadosCaudalente* j = Novo();
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    TEncostaCinematicaSecoes& encosta = principal->Encosta();
    j->bAdicionar1->click();
    QCOMPARE(encosta.Count(), 1);
    QVERIFY(j->bDeletar1->isEnabled());
    // Deleting the only row empties the grid, not the list.
    j->tgEncosta1->selectRow(0);
    j->bDeletar1->click();
    QCOMPARE(j->tgEncosta1->Linhas(), 0);
    QCOMPARE(encosta.Count(), 1);
    QVERIFY(!j->bDeletar1->isEnabled());

    j->bAdicionar1->click();
    j->tgEncosta1->clearSelection();
    j->bAdicionar1->click();
    encosta.Trechos(0).SetComprimento(11);
    encosta.Trechos(1).SetComprimento(22);
    j->tgEncosta1->selectRow(1);
    j->bAdicionar1->click();  // above the selected row
    QCOMPARE(encosta.Count(), 3);
    QCOMPARE(encosta.Trechos(1).Comprimento(), 0);
    QCOMPARE(encosta.Trechos(2).Comprimento(), 22);
    j->tgEncosta1->selectRow(0);
    j->bDeletar1->click();
    QCOMPARE(encosta.Count(), 2);
    QCOMPARE(encosta.Trechos(1).Comprimento(), 22);
  }

  // A length typed into a cell is stored at once and shown whole when the
  // edit ends; a text that is no number empties the cell.
  void edicaoDeCelulas() {
    TFDadosCaudalente* j = Novo();
    j->pcEncosta->setCurrentWidget(j->tsIrregular);
    j->bAdicionar1->click();
    TGrade* g = j->tgEncosta1;
    g->setCurrentCell(0, kColComp);
    g->setFocus();
    QTest::keyClick(g, '1');  // a key typed on the grid opens the editor
    QVERIFY(g->EditorAberto());
    QTest::keyClicks(g->EditorAberto(), QStringLiteral("2.6"));
    QCOMPARE(g->EditorAberto()->text(), QStringLiteral("12,6"));
    QCOMPARE(principal->Encosta().Trechos(0).Comprimento(), 13);
    QTest::keyClick(g->EditorAberto(), Qt::Key_Return);
    QTRY_COMPARE(g->Celula(0, kColComp), QStringLiteral("13"));
    g->setCurrentCell(0, kColSt);
    QTest::keyClick(g, ',');
    QTest::keyClicks(g->EditorAberto(), QStringLiteral("5,"));
    QTest::keyClick(g->EditorAberto(), Qt::Key_Return);
    QTRY_COMPARE(g->Celula(0, kColSt), QStringLiteral(",5"));
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));  // Enter in a cell is no Avançar
    QCOMPARE(principal->Encosta().Trechos(0).St(), 0.5);
  }

  void projetosDeExemplo_data() {
    QTest::addColumn<QString>("exemplo");
    QTest::addColumn<bool>("ptBr");
    QTest::newRow("regular_virgula") << "encosta_regular" << true;
    QTest::newRow("regular_ponto") << "encosta_regular" << false;
    QTest::newRow("irregular_virgula") << "encosta_irregular" << true;
    QTest::newRow("irregular_ponto") << "encosta_irregular" << false;
  }
  void projetosDeExemplo() {
    QFETCH(QString, exemplo);
    QFETCH(bool, ptBr);
    const QString arquivo = pasta->filePath(exemplo + QStringLiteral(".cdt"));
    QVERIFY(QFile::copy(
        QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/exemplos/") + exemplo + QStringLiteral(".cdt"), arquivo));
    QFile::setPermissions(arquivo, QFile::ReadOwner | QFile::WriteOwner);
    // The examples are written with a decimal point.
    toolkit::DefinirRegional(toolkit::RegionalC());
    Novo();
    dialogos.escolhas = {{arquivo}};
    principal->MAbrir->trigger();
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    TFDadosCaudalente* j = FDadosCaudalente;
    QVERIFY(j);
    QVERIFY(!principal->GerenteSys1->Alterado);
    const bool irregular = exemplo == QStringLiteral("encosta_irregular");
    QCOMPARE(j->pcEncosta->currentWidget(), irregular ? j->tsIrregular : j->TSRegular);
    QCOMPARE(j->tgEncosta1->Linhas(), principal->Encosta().Count());
    const bool triangular = principal->Canal().TipoCanal.Tipo == 1;
    QCOMPARE(j->nbCanal->currentIndex(), int(principal->Canal().TipoCanal.Tipo));
    QVERIFY(!j->eTr->text().isEmpty());

    // The user's own separator from here on: the fields show the model in it.
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    principal->MEntradaDados->trigger();
    const QString sep = ptBr ? QStringLiteral(",") : QStringLiteral(".");
    j->eTr->setText(QStringLiteral("7"));
    j->enc->setText(QStringLiteral("0") + sep + QStringLiteral("031"));
    if (triangular)
      j->emSm->setText(QStringLiteral("0") + sep + QStringLiteral("45"));
    else
      j->eZ->setText(QStringLiteral("2") + sep + QStringLiteral("5"));
    if (irregular)
      j->tgEncosta1->DefinirCelula(1, kColVIB, QStringLiteral("12") + sep + QStringLiteral("5"));
    else
      j->eVIB->setText(QStringLiteral("12") + sep + QStringLiteral("5"));
    QVERIFY(principal->GerenteSys1->Alterado);
    principal->MSalvar->trigger();
    principal->MFechar->trigger();
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    QTRY_VERIFY(!FDadosCaudalente);

    dialogos.escolhas = {{arquivo}};
    principal->MAbrir->trigger();
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    j = FDadosCaudalente;
    QVERIFY(j);
    QCOMPARE(j->eTr->text(), QStringLiteral("7") + sep + QStringLiteral("0"));
    QCOMPARE(j->enc->text(), QStringLiteral("0") + sep + QStringLiteral("031"));
    if (triangular) {
      QCOMPARE(j->emSm->text(), QStringLiteral("0") + sep + QStringLiteral("45"));
      QCOMPARE(j->em1->text(), j->eSt->text());
    } else {
      QCOMPARE(j->eZ->text(), QStringLiteral("2") + sep + QStringLiteral("5"));
    }
    if (irregular)
      QCOMPARE(j->tgEncosta1->Celula(1, kColVIB), QStringLiteral("12") + sep + QStringLiteral("5"));
    else
      QCOMPARE(j->eVIB->text(), QStringLiteral("12") + sep + QStringLiteral("5"));
  }

  // C&onsulta: the station picked in the query window fills the storm
  // fields; saving and reopening keeps the station and its coefficients.
  void consultaPreencheAChuva() {
    TFDadosCaudalente* j = Novo();
    QVERIFY(j);
    TBDPrecipitacao banco;
    banco.LerEstados();
    const int minasGerais = 12;
    const TEstacao esperada = banco.Estacoes(minasGerais).at(1);
    principal->Nimbora1.IndEstado = minasGerais;
    principal->Nimbora1.IndEstacao = 0;
    bool respondeu = false;
    QTimer resposta;
    resposta.setInterval(10);
    connect(&resposta, &QTimer::timeout, this, [&] {
      auto* w = qobject_cast<TfrmFoConsulta*>(QApplication::activeModalWidget());
      if (!w || !w->Ativada() || respondeu) return;
      respondeu = true;
      w->LBEstacao->setCurrentRow(1);
      w->BtnOk->click();
    });
    resposta.start();
    j->bConsulta->click();
    resposta.stop();
    QVERIFY(respondeu);
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    // The fields show seven decimals.
    const auto mostra = [](const QLineEdit* e, double valor) {
      const double lido = e->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
      return std::abs(lido - valor) <= 1e-7 * std::max(1.0, std::abs(valor));
    };
    QVERIFY2(mostra(j->eK, esperada.K), qPrintable(j->eK->text()));
    QVERIFY2(mostra(j->eA, esperada.a), qPrintable(j->eA->text()));
    QCOMPARE(principal->Nimbora1.StrCidade, esperada.Nome);

    const QString arquivo = pasta->filePath(QStringLiteral("consulta.cdt"));
    dialogos.escolhas = {{arquivo}};
    principal->MSalvarComo->trigger();
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    principal->MFechar->trigger();
    QTRY_VERIFY(!FDadosCaudalente);
    dialogos.escolhas = {{arquivo}};
    principal->MAbrir->trigger();
    QVERIFY2(Erros().isEmpty(), qPrintable(Erros().join('|')));
    j = FDadosCaudalente;
    QVERIFY(j);
    QCOMPARE(principal->Nimbora1.IndEstacao, 1);
    QCOMPARE(principal->Nimbora1.StrCidade, esperada.Nome);
    QVERIFY2(mostra(j->eK, esperada.K), qPrintable(j->eK->text()));
    QVERIFY2(mostra(j->eC, esperada.c), qPrintable(j->eC->text()));
  }
};

QTEST_MAIN(TesteDadosCaudalente)
#include "tst_dadoscaudalente.moc"
