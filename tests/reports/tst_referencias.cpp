// The reference-value dialogs driven as a user does: picking rows, typing
// values, the rows returned, the refusals, and what the components write
// into the model.
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "project/ArquivoProjeto.h"
#include "project/Unidades.h"
#include "reports/Cobertura.h"
#include "reports/RugCan.h"
#include "reports/RugTer.h"
#include "reports/Sm.h"
#include "reports/Z.h"
#include "reports/uCobertura.h"
#include "reports/uRugCan.h"
#include "reports/uRugTer.h"
#include "reports/uSm.h"
#include "reports/uZ.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/Ajuda.h"
#include "toolkit/gui/MensagensRoteiro.h"

using reports::TFCober;
using reports::TFRugCan;
using reports::TFRugTer;
using reports::TFSm;
using reports::TFZ;
using toolkit::gui::TMensagensRoteiro;

namespace {

// Runs `acao` on the dialog of type D once it is up.
template <class D>
void QuandoAbrir(std::function<void(D&)> acao) {
  QTimer::singleShot(0, [acao] {
    auto* dialogo = qobject_cast<D*>(QApplication::activeModalWidget());
    QVERIFY(dialogo);
    QVERIFY(QTest::qWaitForWindowActive(dialogo));
    acao(*dialogo);
    // A failed check leaves the dialog open: close it so the test goes on.
    if (dialogo->isVisible()) dialogo->reject();
  });
}

void Clicar(QAbstractButton* b) {
  QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2));
}

void Digitar(QLineEdit* e, const QString& texto) {
  e->setFocus();
  QTest::keyClicks(e, texto);
}

// The name a screen reader gets for every control of the window.
QStringList ControlesSemNome(QWidget& janela) {
  QStringList sem;
  const auto controles = janela.findChildren<QWidget*>();
  for (QWidget* w : controles) {
    if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QGroupBox*>(w))
      continue;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    if (!i || i->text(QAccessible::Name).trimmed().isEmpty())
      sem << w->objectName() + w->metaObject()->className();
  }
  return sem;
}

}  // namespace

class TesteReferencias : public QObject {
  Q_OBJECT

  TMensagensRoteiro roteiro;

 private slots:
  void init() {
    roteiro = TMensagensRoteiro();
    toolkit::gui::DefinirMensagens(&roteiro);
    toolkit::DefinirRegional(toolkit::RegionalPtBr());
  }
  void cleanup() {
    toolkit::gui::DefinirMensagens(nullptr);
    toolkit::DefinirRegional(toolkit::RegionalC());
  }

  // ---- Cover ----

  void coberturaFloresta() {
    ::TCobertura cobertura;
    cobertura.UsoTerra.Indice = 1;
    cobertura.Tratamento.Indice = 2;
    cobertura.CondicaoHidrologica.Indice = 3;
    reports::TCobertura componente;
    QuandoAbrir<TFCober>([](TFCober& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("Definição da Cobertura Vegetal"));
      Clicar(d.rbUsoTerra[5]);
      for (QRadioButton* rb : d.rbTratamento) {
        QVERIFY(!rb->isEnabled());
        QVERIFY(!rb->isChecked());
      }
      QVERIFY(d.rbCondicao[0]->isChecked());
      QVERIFY(d.rbCondicao[1]->isEnabled());
      d.bOk->click();
    });
    QVERIFY(componente.Executar(cobertura));
    QCOMPARE(int(cobertura.UsoTerra.Indice), 5);
    QCOMPARE(int(cobertura.Tratamento.Indice), 0);
    QCOMPARE(int(cobertura.CondicaoHidrologica.Indice), 1);
    QCOMPARE(int(componente.UsoTerra.Indice), 5);
    QCOMPARE(int(componente.CondicaoHidrologica.Indice), 1);
  }

  void coberturaSemCultivo() {
    ::TCobertura cobertura;
    cobertura.UsoTerra.Indice = 4;
    cobertura.Tratamento.Indice = 2;
    cobertura.CondicaoHidrologica.Indice = 3;
    reports::TCobertura componente;
    QuandoAbrir<TFCober>([](TFCober& d) {
      QVERIFY(d.rbTratamento[1]->isChecked());  // the stored cover
      Clicar(d.rbUsoTerra[0]);
      QVERIFY(d.rbTratamento[0]->isChecked());
      QVERIFY(!d.rbTratamento[1]->isEnabled());
      for (QRadioButton* rb : d.rbCondicao) QVERIFY(!rb->isEnabled() && !rb->isChecked());
      d.bOk->click();
    });
    QVERIFY(componente.Executar(cobertura));
    QCOMPARE(int(cobertura.UsoTerra.Indice), 0);
    QCOMPARE(int(cobertura.Tratamento.Indice), 1);
    QCOMPARE(int(cobertura.CondicaoHidrologica.Indice), 0);
  }

  // A stored cover shows as saved, even a condition its use does not offer;
  // Cancel changes nothing.
  void coberturaGuardadaECancelar() {
    ::TCobertura cobertura;
    cobertura.UsoTerra.Indice = 1;
    cobertura.Tratamento.Indice = 3;
    cobertura.CondicaoHidrologica.Indice = 2;
    reports::TCobertura componente;
    componente.UsoTerra.Indice = 4;
    QuandoAbrir<TFCober>([](TFCober& d) {
      QVERIFY(d.rbUsoTerra[1]->isChecked());
      QVERIFY(d.rbTratamento[2]->isChecked());
      QVERIFY(d.rbCondicao[1]->isChecked());
      QVERIFY(!d.rbCondicao[1]->isEnabled());
      Clicar(d.rbUsoTerra[4]);
      d.bCancelar->click();
    });
    QVERIFY(!componente.Executar(cobertura));
    QCOMPARE(int(cobertura.UsoTerra.Indice), 1);
    QCOMPARE(int(cobertura.Tratamento.Indice), 3);
    QCOMPARE(int(cobertura.CondicaoHidrologica.Indice), 2);
    QCOMPARE(int(componente.UsoTerra.Indice), 4);
  }

  // ---- Terrain roughness ----

  void ntLinhaDaTabelaEDigitado() {
    TReal nt{0, 0};
    reports::TRugTer rugTer;
    QuandoAbrir<TFRugTer>([](TFRugTer& d) {
      QVERIFY(!d.bOk->isEnabled());
      Clicar(d.rbLinhas[11]);
      QCOMPARE(d.eValor->text(), QStringLiteral("0,150"));
      QVERIFY(d.bOk->isEnabled());
      d.bOk->click();
    });
    QVERIFY(rugTer.Executar(nt));
    QCOMPARE(int(nt.Indice), 12);
    QCOMPARE(nt.Valor, 0.15);
    QCOMPARE(int(rugTer.Indice), 12);

    QuandoAbrir<TFRugTer>([](TFRugTer& d) {
      QVERIFY(d.rbLinhas[11]->isChecked());
      QCOMPARE(d.eValor->text(), QStringLiteral("0,15"));  // the stored value, general format
      Digitar(d.eValor, QStringLiteral("5"));
      d.bOk->click();
    });
    QVERIFY(rugTer.Executar(nt));
    QCOMPARE(int(nt.Indice), 0);
    QCOMPARE(nt.Valor, 0.155);
    QCOMPARE(rugTer.Valor, 0.155);
  }

  // Deleting a digit is typing a value of one's own too.
  void ntApagarTambemEDigitar() {
    TReal nt{0, 0};
    reports::TRugTer rugTer;
    QuandoAbrir<TFRugTer>([](TFRugTer& d) {
      Clicar(d.rbLinhas[0]);
      d.eValor->setFocus();
      d.eValor->end(false);
      QTest::keyClick(d.eValor, Qt::Key_Backspace);
      QCOMPARE(d.LinhaAtual(), 0);
      d.bOk->click();
    });
    QVERIFY(rugTer.Executar(nt));
    QCOMPARE(int(nt.Indice), 0);
    QCOMPARE(nt.Valor, 0.08);
  }

  void ntReabertoNaLinhaEValorGuardados() {
    TReal nt{0.13, 5};
    reports::TRugTer rugTer;
    QuandoAbrir<TFRugTer>([](TFRugTer& d) {
      QVERIFY(d.rbLinhas[4]->isChecked());
      QCOMPARE(d.eValor->text(), QStringLiteral("0,13"));
      d.bOk->click();
    });
    QVERIFY(rugTer.Executar(nt));
    QCOMPARE(int(nt.Indice), 5);
    QCOMPARE(nt.Valor, 0.13);
  }

  void filtroDeTeclas_data() {
    QTest::addColumn<bool>("ptBr");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("texto");
    QTest::newRow("ponto_vira_virgula") << true << "1.5"
                                        << "1,5";
    QTest::newRow("segundo_separador") << true << "1,5,2.3"
                                       << "1,523";
    QTest::newRow("letras_e_sinais") << true << "a-1e+2 "
                                     << "12";
    QTest::newRow("sob_C_ponto") << false << "0.25"
                                 << "0.25";
    QTest::newRow("sob_C_virgula_vira_ponto") << false << "0,25"
                                              << "0.25";
    QTest::newRow("sob_C_segundo_separador") << false << "1.5,2"
                                             << "1.52";
  }
  void filtroDeTeclas() {
    QFETCH(bool, ptBr);
    QFETCH(QString, teclas);
    QFETCH(QString, texto);
    toolkit::DefinirRegional(ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
    TFRugTer d;
    d.show();
    Digitar(d.eValor, teclas);
    QCOMPARE(d.eValor->text(), texto);
  }

  // A lone separator is no number: the conversion error, and the dialog
  // stays open.
  void ntValorQueNaoENumero() {
    TReal nt{0.1, 3};
    reports::TRugTer rugTer;
    bool aberto = false;
    QuandoAbrir<TFRugTer>([&](TFRugTer& d) {
      d.eValor->clear();
      Digitar(d.eValor, QStringLiteral(","));
      d.bOk->click();
      aberto = d.isVisible();
      d.bCancelar->click();
    });
    QVERIFY(!rugTer.Executar(nt));
    QVERIFY(aberto);
    QCOMPARE(roteiro.caixas.size(), size_t(1));
    QCOMPARE(roteiro.caixas[0].tipo, QStringLiteral("erro"));
    QCOMPARE(roteiro.caixas[0].texto, QStringLiteral("',' não é um valor numérico válido."));
    QCOMPARE(nt.Valor, 0.1);
    QCOMPARE(int(nt.Indice), 3);
  }

  // ---- Channel roughness ----

  void ncDigitarLimpaAEscolha() {
    TReal nc{0, 0};
    reports::TRugCan rugCan;
    QuandoAbrir<TFRugCan>([](TFRugCan& d) {
      QCOMPARE(d.lValores[2][1]->text(), QStringLiteral("0,025"));
      Clicar(d.rbLinhas[2]);
      QCOMPARE(d.eValor->text(), QStringLiteral("0,025"));
      d.bOk->click();
    });
    QVERIFY(rugCan.Executar(nc));
    QCOMPARE(int(nc.Indice), 3);
    QCOMPARE(nc.Valor, 0.025);

    QuandoAbrir<TFRugCan>([](TFRugCan& d) {
      QVERIFY(d.rbLinhas[2]->isChecked());
      Digitar(d.eValor, QStringLiteral("1"));
      for (QRadioButton* rb : d.rbLinhas) QVERIFY(!rb->isChecked());
      d.bOk->click();
    });
    QVERIFY(rugCan.Executar(nc));
    QCOMPARE(int(nc.Indice), 0);
    QCOMPARE(nc.Valor, 0.0251);
  }

  // ---- Sm ----

  void smRotulosNaUnidade_data() {
    QTest::addColumn<QString>("unidade");
    QTest::addColumn<int>("multiplicador");
    QTest::addColumn<QString>("linha1");
    QTest::addColumn<QString>("linha7");
    QTest::newRow("m_por_m") << "m/m" << 1 << " 0,721"
                             << " 0,186 a 0,221";
    QTest::newRow("porcento") << "%" << 100 << " 72,1"
                              << " 18,6 a 22,1";
  }
  void smRotulosNaUnidade() {
    QFETCH(QString, unidade);
    QFETCH(int, multiplicador);
    QFETCH(QString, linha1);
    QFETCH(QString, linha7);
    TFSm d;
    d.DefinirUnidade(unidade, multiplicador);
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QCOMPARE(d.lValores[0][0]->text(), linha1);
    QCOMPARE(d.lValores[6][0]->text(), linha7);
    QCOMPARE(d.lValores[5][0]->text(),
             multiplicador == 1 ? QStringLiteral(" 0,164") : QStringLiteral(" 16,4"));
    QCOMPARE(d.eValor, QApplication::focusWidget());
  }

  void smFaixaDaLinha7_data() {
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<bool>("aceito");
    QTest::newRow("dentro") << "0,2" << true;
    QTest::newRow("seis_caracteres") << "0,2000" << false;
    QTest::newRow("fora_da_faixa") << "0,3" << false;
  }
  void smFaixaDaLinha7() {
    QFETCH(QString, digitado);
    QFETCH(bool, aceito);
    TReal sm{0, -1};
    reports::TSm componente;
    QuandoAbrir<TFSm>([&](TFSm& d) {
      Clicar(d.rbLinhas[6]);
      QCOMPARE(d.eValor->text(), QStringLiteral(" 0,186 a 0,221"));
      QVERIFY(!d.bOk->isEnabled());
      d.eValor->setFocus();
      QCoreApplication::processEvents();  // entering the edit selects its text
      QTest::keyClicks(d.eValor, digitado);
      QCOMPARE(d.eValor->text(), digitado);
      QCOMPARE(d.LinhaAtual(), 7);
      d.bOk->click();
    });
    QCOMPARE(componente.Executar(sm), aceito);
    if (aceito) {
      QCOMPARE(int(sm.Indice), 7);
      QCOMPARE(sm.Valor, 0.2);
      QVERIFY(roteiro.caixas.empty());
    } else {
      QCOMPARE(int(sm.Indice), -1);
      QCOMPARE(roteiro.caixas.size(), size_t(1));
      QCOMPARE(roteiro.caixas[0].tipo, QStringLiteral("aviso"));
      QCOMPARE(
          roteiro.caixas[0].texto,
          QStringLiteral("Valor de Sm inconsistente. Forneça um valor compreendido entre:[0,186 .. 0,221]."));
    }
  }

  // In "%" the dialog speaks %, the channel keeps m/m; a typed value returns row -1.
  void smEmPorcento() {
    TReal sm{0.05, -1};
    reports::TSm componente;
    TUnidades unidades;
    unidades.SetDeclividade(0);
    componente.DefinirUnidade(unidades);
    QCOMPARE(componente.UDeclive, QStringLiteral("%"));
    QuandoAbrir<TFSm>([](TFSm& d) {
      QCOMPARE(d.eValor->text(), QStringLiteral("5"));
      Clicar(d.rbLinhas[0]);
      QCOMPARE(d.eValor->text(), QStringLiteral(" 72,1"));
      d.bOk->click();
    });
    QVERIFY(componente.Executar(sm));
    QCOMPARE(int(sm.Indice), 1);
    QCOMPARE(sm.Valor, 0.721);
    QCOMPARE(componente.Valor, 72.1);

    QuandoAbrir<TFSm>([](TFSm& d) {
      QVERIFY(d.rbLinhas[0]->isChecked());
      Digitar(d.eValor, QStringLiteral("x"));  // any key leaves the table's row
      QCOMPARE(d.LinhaAtual(), -1);
      d.eValor->selectAll();
      QTest::keyClicks(d.eValor, QStringLiteral("40"));
      d.bOk->click();
    });
    QVERIFY(componente.Executar(sm));
    QCOMPARE(int(sm.Indice), -1);
    QCOMPARE(sm.Valor, 0.4);
  }

  void smUnidadeInvalida_data() {
    QTest::addColumn<QString>("unidade");
    QTest::addColumn<int>("multiplicador");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("unidade") << "cm" << 1 << "É necessário entrar com uma unidade de declividade (% ou m/m)";
    QTest::newRow("multiplicador")
        << "%" << 10 << "É necessário entrar com um multiplicador de unidade de declividade (1 ou 100)";
  }
  void smUnidadeInvalida() {
    QFETCH(QString, unidade);
    QFETCH(int, multiplicador);
    QFETCH(QString, mensagem);
    TReal sm{0.3, 2};
    reports::TSm componente;
    componente.UDeclive = unidade;
    componente.KDeclive = multiplicador;
    QString erro;
    try {
      componente.Executar(sm);
    } catch (const reports::EUnidadeSm& e) {
      erro = QString::fromUtf8(e.what());
    }
    QCOMPARE(erro, mensagem);
    QCOMPARE(sm.Valor, 0.3);
    QCOMPARE(int(sm.Indice), 2);
  }

  // ---- Z ----

  // Typing selects " Ou&tros"; the next opening, on another project's
  // channel, shows that choice and writes it there.
  void zDigitarEMemoria() {
    TReal z{0, -1};
    reports::TZ componente;
    QuandoAbrir<TFZ>([](TFZ& d) {
      for (QRadioButton* rb : d.rbLinhas) QVERIFY(!rb->isChecked());
      QVERIFY(!d.bOk->isEnabled());
      QCOMPARE(d.lValores[1][0]->text(), QStringLiteral(" 0,50"));
      QCOMPARE(d.lValores[5][0]->text(), QStringLiteral("---"));
      Digitar(d.eValor, QStringLiteral("0.8"));
      QVERIFY(d.rbLinhas[5]->isChecked());
      QCOMPARE(d.rbLinhas[5]->text(), QStringLiteral(" Ou&tros"));
      d.bOk->click();
    });
    QVERIFY(componente.Executar(z));
    QCOMPARE(int(z.Indice), 6);
    QCOMPARE(z.Valor, 0.8);

    TReal outroProjeto{0.25, 1};
    QuandoAbrir<TFZ>([](TFZ& d) {
      QVERIFY(d.rbLinhas[5]->isChecked());
      QCOMPARE(d.eValor->text(), QStringLiteral("0,8"));
      d.bOk->click();
    });
    QVERIFY(componente.Executar(outroProjeto));
    QCOMPARE(int(outroProjeto.Indice), 6);
    QCOMPARE(outroProjeto.Valor, 0.8);
  }

  void zOutrosMantemOValor() {
    TReal z{0, -1};
    reports::TZ componente;
    QuandoAbrir<TFZ>([](TFZ& d) {
      Clicar(d.rbLinhas[1]);
      QCOMPARE(d.eValor->text(), QStringLiteral("0,50"));
      Clicar(d.rbLinhas[5]);
      QCOMPARE(d.eValor->text(), QStringLiteral("0,50"));
      QCOMPARE(QApplication::focusWidget(), d.eValor);
      d.bOk->click();
    });
    QVERIFY(componente.Executar(z));
    QCOMPARE(int(z.Indice), 6);
    QCOMPARE(z.Valor, 0.5);
  }

  // ---- All value dialogs ----

  // The row a dialog opens on follows the field's value: a row of that value
  // (the stored one among rows of equal value), else the stored row when its
  // range still holds the value, else none. Enter accepts what is shown.
  void linhaDeEntrada_data() {
    QTest::addColumn<QString>("dialogo");
    QTest::addColumn<int>("indice");
    QTest::addColumn<double>("valor");
    QTest::addColumn<int>("linha");  // 0: none
    QTest::newRow("nt_outra_linha_guardada") << "nt" << 8 << 0.12 << 4;
    QTest::newRow("nt_guardada_entre_iguais") << "nt" << 9 << 0.12 << 9;
    QTest::newRow("nt_no_intervalo_guardado") << "nt" << 5 << 0.13 << 5;
    QTest::newRow("nt_fora_de_tudo") << "nt" << 5 << 0.16 << 0;
    QTest::newRow("nt_sem_linha_guardada") << "nt" << 0 << 0.035 << 14;
    QTest::newRow("nt_sem_valor") << "nt" << 3 << 0.0 << 3;
    QTest::newRow("nc_outra_linha_guardada") << "nc" << 3 << 0.027 << 4;
    QTest::newRow("nc_no_intervalo_guardado") << "nc" << 3 << 0.028 << 3;
    QTest::newRow("sm_outra_linha_guardada") << "sm" << 3 << 0.213 << 4;
    QTest::newRow("sm_faixa_guardada") << "sm" << 7 << 0.2 << 7;
    QTest::newRow("sm_valor_de_linha_antes_da_faixa") << "sm" << 7 << 0.213 << 4;
    QTest::newRow("sm_fora_de_tudo") << "sm" << 3 << 0.5 << 0;
    QTest::newRow("z_outra_linha_guardada") << "z" << 3 << 1.5 << 4;
    QTest::newRow("z_outros_guardado") << "z" << 6 << 0.75 << 6;
    QTest::newRow("z_fora_de_tudo") << "z" << 2 << 0.75 << 0;
  }
  void linhaDeEntrada() {
    QFETCH(QString, dialogo);
    QFETCH(int, indice);
    QFETCH(double, valor);
    QFETCH(int, linha);
    std::unique_ptr<reports::TFValorReferencia> d;
    int nenhuma = 0;
    if (dialogo == QLatin1String("nt")) d = std::make_unique<TFRugTer>();
    if (dialogo == QLatin1String("nc")) d = std::make_unique<TFRugCan>();
    if (dialogo == QLatin1String("z")) d = std::make_unique<TFZ>();
    if (dialogo == QLatin1String("sm")) {
      d = std::make_unique<TFSm>();
      nenhuma = -1;
    }
    d->DefinirEscolha(indice, valor);
    d->show();
    QVERIFY(QTest::qWaitForWindowActive(d.get()));
    QList<int> marcadas;
    for (int i = 0; i < d->rbLinhas.size(); ++i)
      if (d->rbLinhas[i]->isChecked()) marcadas << i + 1;
    QCOMPARE(marcadas, linha ? QList<int>{linha} : QList<int>{});
    if (valor == 0) return;
    QTest::keyClick(d->eValor, Qt::Key_Return);
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(d->Indice(), linha ? linha : nenhuma);
    QCOMPARE(d->Valor(), valor);
  }

  // The example projects keep, with each tabulated value, the row it came
  // from: their dialogs open on that row.
  void exemplosGuardamALinhaDoValor() {
    for (const char* nome : {"encosta_regular.cdt", "encosta_irregular.cdt"}) {
      TProjeto p;
      QVERIFY(LerProjeto(std::string(CAUDALENTE_SOURCE_DIR "/data/exemplos/") + nome, p));
      std::vector<std::pair<std::unique_ptr<reports::TFValorReferencia>, TReal>> casos;
      for (int i = 0; i < p.Encosta.Count(); ++i)
        casos.emplace_back(std::make_unique<TFRugTer>(), p.Encosta.Trechos(i).nt);
      casos.emplace_back(std::make_unique<TFRugCan>(), p.Canal.nc);
      if (p.Canal.TipoCanal.Tipo == 1)
        casos.emplace_back(std::make_unique<TFSm>(), p.Canal.Sm);
      else
        casos.emplace_back(std::make_unique<TFZ>(), p.Canal.Z);
      for (auto& [d, guardado] : casos) {
        QVERIFY(guardado.Indice >= 1);
        d->DefinirEscolha(guardado.Indice, guardado.Valor);
        d->show();
        QVERIFY2(d->rbLinhas[guardado.Indice - 1]->isChecked(),
                 qPrintable(QStringLiteral("%1 %2: %3").arg(nome, d->objectName()).arg(guardado.Valor)));
        d->hide();
      }
    }
  }

  // An '&' of a table text is shown as such, not taken as an access key;
  // the row's own key still picks it.
  void smEComercialNoTexto() {
    TFSm d;
    d.show();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QRadioButton* rb = d.rbLinhas[7];
    QVERIFY(reports::SemAtalho(rb->text()).endsWith(QStringLiteral("de esteiras FIAT AD& B")));
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(rb);
    QVERIFY(i->text(QAccessible::Name).endsWith(QStringLiteral("de esteiras FIAT AD& B")));
    QTest::keyClick(&d, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(rb->isChecked());  // a button's access key clicks it after a short delay
    QCOMPARE(d.eValor->text(), QStringLiteral(" 0,418"));
  }

  // ---- All dialogs ----

  void nomesAcessiveisEAjuda() {
    TFCober cober;
    TFRugTer rugTer;
    TFRugCan rugCan;
    TFSm sm;
    TFZ z;
    for (QDialog* d : std::initializer_list<QDialog*>{&cober, &rugTer, &rugCan, &sm, &z}) {
      d->show();
      QVERIFY2(ControlesSemNome(*d).isEmpty(), qPrintable(ControlesSemNome(*d).join(", ")));
      // The source line reads as its text; its caption is the description.
      auto* fonte = d->findChild<QLabel*>(QStringLiteral("lFonte"));
      QVERIFY(!fonte->text().isEmpty());
      QAccessibleInterface* i = QAccessible::queryAccessibleInterface(fonte);
      QCOMPARE(i->text(QAccessible::Name), fonte->text());
      QCOMPARE(i->text(QAccessible::Description), QStringLiteral("Fonte da tabela"));
      d->hide();
    }
    toolkit::gui::DefinirPastaAjuda(QStringLiteral(CAUDALENTE_SOURCE_DIR "/data/ajuda"));
    TReal nt{0, 0};
    reports::TRugTer componente;
    int contexto = -1;
    QuandoAbrir<TFRugTer>([&](TFRugTer& d) {
      d.bAjuda->click();
      contexto = toolkit::gui::ContextoAjudaMostrado();
      d.bCancelar->click();
    });
    QVERIFY(!componente.Executar(nt));
    QCOMPARE(contexto, 2320);
    toolkit::gui::FecharAjuda();
  }
};

QTEST_MAIN(TesteReferencias)
#include "tst_referencias.moc"
