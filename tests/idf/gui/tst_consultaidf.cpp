// The IDF query window and the component's query over the delivered
// database: what the component takes back on "&Fechar" and "&Cancelar", the
// map pages, the typed and clicked points against the calculator's
// interpolation, the source button, the missing-map message and the report.
#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>
#include <sstream>

#include "idf/CitacoesIdf.h"
#include "idf/ConsultaLinhaComando.h"
#include "idf/MapasEstados.h"
#include "idf/UnBD.h"
#include "idf/gui/ConsultaNimbora.h"
#include "idf/gui/FoAutor.h"
#include "idf/gui/FoConsulta.h"
#include "idf/gui/FoRelatNimbora.h"
#include "idf/gui/FoSobreNimbora.h"
#include "project/ArquivoProjeto.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/gui/MensagensRoteiro.h"

namespace {

constexpr int kMinasGerais = 12;
constexpr int kBahia = 4;
constexpr int kGoias = 8;
constexpr int kAmapa = 2;
constexpr int kMatoGrosso = 10;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Runs `acao` once `pronto` holds, polling from the event loop (a modal
// window's own loop included).
void QuandoPronto(std::function<bool()> pronto, std::function<void()> acao) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, pronto, acao] {
    if (!pronto()) return;
    timer->stop();
    timer->deleteLater();
    acao();
  });
  timer->start();
}

TfrmFoConsulta* ConsultaAberta() {
  auto* janela = qobject_cast<TfrmFoConsulta*>(QApplication::activeModalWidget());
  return janela && janela->Ativada() ? janela : nullptr;
}

// Answers the query window with `acao` once its activation has run.
void ResponderConsulta(std::function<void(TfrmFoConsulta&)> acao) {
  QuandoPronto([] { return ConsultaAberta() != nullptr; }, [acao] { acao(*ConsultaAberta()); });
}

// The window on a state, shown and activated as the component shows it.
void Abrir(TfrmFoConsulta& w, int estado, int estacao, int localidade) {
  w.Estado.SetIndice(static_cast<int16_t>(estado));
  w.IndEstacao = static_cast<int16_t>(estacao);
  w.IndLocalidade = static_cast<int16_t>(localidade);
  w.show();
  QTRY_VERIFY(w.Ativada());
}

// A pixel of pure blue near the middle of a map (a map state, or Minas
// Gerais on the Brazil map).
QPoint PixelAzul(const QImage& img) {
  for (int r = 0; r < 225; ++r)
    for (int d = -r; d <= r; ++d)
      for (const QPoint& p : {QPoint(225 + d, 225 - r), QPoint(225 + d, 225 + r)})
        if (img.valid(p) && (img.pixel(p) & 0xFFFFFF) == 0x0000FF) return p;
  return {-1, -1};
}

QJsonObject InterpolacaoDaCalculadora(const QString& latitude, const QString& longitude) {
  std::ostringstream out, err;
  const int codigo =
      ExecutarConsultaIdf({"--idf-interpolar", latitude.toStdString(), longitude.toStdString()}, out, err);
  if (codigo != 0) return {};
  return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
}

QJsonArray EstacoesDaCalculadora(const char* estado) {
  std::ostringstream out, err;
  if (ExecutarConsultaIdf({"--idf-estacoes", estado}, out, err) != 0) return {};
  return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).array();
}

// A user's click on a row: the row is scrolled into view, then pressed and
// released at the middle of its rectangle in the list's viewport.
void ClicarLinha(QListWidget* lista, int linha) {
  QListWidgetItem* item = lista->item(linha);
  QVERIFY(item);
  lista->scrollToItem(item);
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::NoModifier, lista->visualItemRect(item).center());
}

QStringList Coeficientes(const TfrmFoConsulta& w) {
  return {w.PrecK->text(), w.PrecA->text(), w.PrecB->text(), w.PrecC->text()};
}

QStringList CoeficientesGerais(const QJsonObject& e) {
  QStringList r;
  for (const char* chave : {"K", "a", "b", "c"}) r << Q(toolkit::FormatoGeral(e[chave].toDouble()));
  return r;
}

// The window shows station `linha` of the calculator's list `estacoes`: its
// coefficients, name, source and coordinates, and on a state map the dot and
// cross-hair at its place.
void ConferirEstacaoMostrada(const TfrmFoConsulta& w, const QJsonArray& estacoes, int linha) {
  const QJsonObject e = estacoes.at(linha).toObject();
  const QString nome = e["Nome"].toString();
  QCOMPARE(w.LBEstacao->currentRow(), linha);
  QCOMPARE(Coeficientes(w), CoeficientesGerais(e));
  QCOMPARE(Q(w.NomeLocal()), nome);
  QCOMPARE(Q(w.LegendaAutor()), e["Autoria"].toString());
  QCOMPARE(Q(w.LatitudeTexto()), e["Latitude"].toString());
  QCOMPARE(Q(w.LongitudeTexto()), e["Longitude"].toString());
  if (!w.MapaVisivel()) {
    QCOMPARE(w.NomeCid->text(), nome);
    QCOMPARE(w.LabelLatitude->text(), e["Latitude"].toString());
    QCOMPARE(w.LabelLongitude->text(), e["Longitude"].toString());
    return;
  }
  QCOMPARE(w.PrecLaAux->text(), e["Latitude"].toString());
  QCOMPARE(w.PrecLoAux->text(), e["Longitude"].toString());
  QCOMPARE(w.EstadoBMP->Destacado(), linha);
  const TMolduraMapa* m = w.Moldura();
  const QPoint pixel(qRound(m->XDaLongitude(TextoParaGraus(e["Longitude"].toString().toStdString()))),
                     qRound(m->YDaLatitude(TextoParaGraus(e["Latitude"].toString().toStdString()))));
  if (w.EixoX->isHidden()) return;  // a gauge just off the state's blue
  QCOMPARE(QPoint(w.EixoY->x(), w.EixoX->y()), pixel);
  QCOMPARE(w.LabelLat->text(), e["Latitude"].toString());
}

}  // namespace

class TesteConsultaIdf : public QObject {
  Q_OBJECT

  toolkit::gui::TMensagensRoteiro mensagens;

 private slots:
  void init() {
    mensagens = toolkit::gui::TMensagensRoteiro();
    toolkit::gui::DefinirMensagens(&mensagens);
    toolkit::DefinirRegional(toolkit::RegionalC());
  }
  void cleanup() {
    toolkit::gui::DefinirMensagens(nullptr);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
  }

  void componenteNovoRecusaConsulta() {
    TNimbora21 n;
    InstalarConsultaNimbora(n, nullptr);
    try {
      n.Execute();
      QFAIL("a consulta abriu sem estado");
    } catch (const std::exception& e) {
      QCOMPARE(QString::fromUtf8(e.what()),
               QStringLiteral("É necessário entrar com um índice para o estado"));
    }
    // The window was created and is gone again.
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TfrmFoConsulta*>(w));
  }

  // Accepting at once returns the first station of the state as stored.
  void primeiraEstacaoDoEstado() {
    TBDPrecipitacao leitor;
    leitor.LerEstados();
    const TEstacao esperada = leitor.Estacoes(kMinasGerais).front();

    TNimbora21 n;
    InstalarConsultaNimbora(n, nullptr);
    n.IndEstado = kMinasGerais;
    n.IndEstacao = 0;
    n.IndLocalidade = 0;
    n.Precipitacao().SetTr(10);
    ResponderConsulta([](TfrmFoConsulta& w) { w.BtnOkClick(); });
    QVERIFY(n.Execute());

    QCOMPARE(n.StrEstado, std::string("Minas Gerais"));
    QCOMPARE(n.StrCidade, esperada.Nome);
    QCOMPARE(n.Autoria(), esperada.Fonte);
    QCOMPARE(n.Latitude, esperada.Latitude);
    QCOMPARE(n.Longitude, esperada.Longitude);
    QCOMPARE(n.IndEstacao, int16_t(0));
    QCOMPARE(n.IndLocalidade, int16_t(-1));
    QCOMPARE(n.Precipitacao().K(), esperada.K);
    QCOMPARE(n.Precipitacao().A(), esperada.a);
    QCOMPARE(n.Precipitacao().B(), esperada.b);
    QCOMPARE(n.Precipitacao().C(), esperada.c);
    QCOMPARE(n.Precipitacao().Tr(), 10.0);  // the query never touches Tr
  }

  // Rows picked with the mouse and with the arrow keys show their own
  // station, whatever row was shown before (a click on a map state and on
  // one shown on the Brazil page).
  void estacaoClicadaMostraOsSeusValores_data() {
    QTest::addColumn<int>("estado");
    QTest::addColumn<int>("inicial");
    QTest::addColumn<QList<int>>("cliques");
    QTest::newRow("minas_gerais") << kMinasGerais << 3 << QList<int>{4, 5, 1, 1, 40, 0};
    QTest::newRow("goias") << kGoias << 0 << QList<int>{2, 0, 1};
    QTest::newRow("mato_grosso") << kMatoGrosso << 0 << QList<int>{1, 0};
  }
  void estacaoClicadaMostraOsSeusValores() {
    QFETCH(int, estado);
    QFETCH(int, inicial);
    QFETCH(QList<int>, cliques);
    const QJsonArray estacoes = EstacoesDaCalculadora(NomesEstados[static_cast<size_t>(estado)]);
    QVERIFY(estacoes.size() >= 3);
    TfrmFoConsulta w;
    Abrir(w, estado, inicial, -1);
    ConferirEstacaoMostrada(w, estacoes, inicial);
    for (int linha : cliques) {
      if (linha >= estacoes.size()) linha = int(estacoes.size()) - 1;
      ClicarLinha(w.LBEstacao, linha);
      ConferirEstacaoMostrada(w, estacoes, linha);
      QCOMPARE(w.LBLocalidade->currentRow(), -1);
    }
    const int ultima = w.LBEstacao->currentRow();
    QTest::keyClick(w.LBEstacao, Qt::Key_Down);
    ConferirEstacaoMostrada(w, estacoes, ultima + 1);
    QTest::keyClick(w.LBEstacao, Qt::Key_Up);
    ConferirEstacaoMostrada(w, estacoes, ultima);
    QVERIFY(mensagens.caixas.empty());
  }

  // What the user clicked is what "&Fechar" hands over and the project file
  // keeps: a station, then (first click in its list) a locality.
  void fecharLevaOQueFoiClicado_data() {
    QTest::addColumn<bool>("localidade");
    QTest::newRow("estacao") << false;
    QTest::newRow("localidade") << true;
  }
  void fecharLevaOQueFoiClicado() {
    QFETCH(bool, localidade);
    const QJsonArray estacoes = EstacoesDaCalculadora("Minas Gerais");
    constexpr int kEstacao = 4;  // after station 3, as the project opens
    constexpr int kLocalidade = 7;
    TBDPrecipitacao leitor;
    leitor.LerLocalidades(kMinasGerais);
    const TLocalidade local = leitor.Localidades().at(kLocalidade);

    TProjeto p;
    p.Limpar();
    InstalarConsultaNimbora(p.Nimbora, nullptr);
    p.Nimbora.IndEstado = kMinasGerais;
    p.Nimbora.IndEstacao = 3;
    p.Nimbora.IndLocalidade = -1;
    p.Nimbora.Precipitacao().SetTr(10);
    QStringList mostrados;
    ResponderConsulta([&](TfrmFoConsulta& w) {
      if (localidade)
        ClicarLinha(w.LBLocalidade, kLocalidade);
      else
        ClicarLinha(w.LBEstacao, kEstacao);
      mostrados = Coeficientes(w);
      QTest::mouseClick(w.BtnOk, Qt::LeftButton);
    });
    QVERIFY(p.Nimbora.Execute());
    QVERIFY(mensagens.caixas.empty());

    QJsonObject esperado;
    if (localidade) {
      esperado = InterpolacaoDaCalculadora(Q(local.Latitude), Q(local.Longitude));
      const auto tres = [](double v) { return std::round(v * 1000) / 1000; };
      for (const char* chave : {"K", "a", "b", "c"}) esperado[chave] = tres(esperado[chave].toDouble());
      esperado["Nome"] = Q(local.Nome);
      esperado["Latitude"] = Q(local.Latitude);
      esperado["Longitude"] = Q(local.Longitude);
    } else {
      esperado = estacoes.at(kEstacao).toObject();
      QCOMPARE(mostrados, CoeficientesGerais(esperado));
    }

    QCOMPARE(Q(p.Nimbora.Autoria()), esperado["Autoria"].toString());

    QTemporaryDir pasta;
    const std::string arquivo = pasta.filePath(QStringLiteral("consulta.cdt")).toStdString();
    GravarProjeto(arquivo, p);
    TProjeto lido;
    QVERIFY(LerProjeto(arquivo, lido));
    for (const TNimbora21* n : {&p.Nimbora, &lido.Nimbora}) {
      QCOMPARE(n->IndEstacao, int16_t(localidade ? -1 : kEstacao));
      QCOMPARE(n->IndLocalidade, int16_t(localidade ? kLocalidade : -1));
      QCOMPARE(Q(n->StrCidade), esperado["Nome"].toString());
      QCOMPARE(Q(n->Latitude), esperado["Latitude"].toString());
      QCOMPARE(Q(n->Longitude), esperado["Longitude"].toString());
      const TPrecipitacaoExponencialNegativa& chuva = n->Precipitacao();
      QCOMPARE(chuva.K(), esperado["K"].toDouble());
      QCOMPARE(chuva.A(), esperado["a"].toDouble());
      QCOMPARE(chuva.B(), esperado["b"].toDouble());
      QCOMPARE(chuva.C(), esperado["c"].toDouble());
    }
  }

  // A clicked map point offers both estimates; the one picked goes to the
  // storm and the project, and the window opens on it again. A station has
  // one equation: the choice is off and the classic estimate is stored.
  void duasEstimativasNoPonto() {
    TProjeto p;
    p.Limpar();
    InstalarConsultaNimbora(p.Nimbora, nullptr);
    p.Nimbora.IndEstado = kMinasGerais;
    p.Nimbora.IndEstacao = 0;
    p.Nimbora.IndLocalidade = -1;
    QString lat, lon;
    QStringList classicos, ajustados;
    ResponderConsulta([&](TfrmFoConsulta& w) {
      QVERIFY(!w.GrupoEstimativa->isEnabled());
      const QPoint azul = PixelAzul(w.EstadoBMP->Imagem());
      QTest::mouseMove(w.EstadoBMP, azul);
      QTest::mouseClick(w.EstadoBMP, Qt::LeftButton, Qt::NoModifier, azul);
      QVERIFY(w.GrupoEstimativa->isEnabled());
      QVERIFY(w.rbCoeficientes->isChecked());
      lat = Q(w.LatitudeTexto());
      lon = Q(w.LongitudeTexto());
      classicos = Coeficientes(w);
      QTest::mouseClick(w.rbIntensidades, Qt::LeftButton, Qt::NoModifier,
                        QPoint(6, w.rbIntensidades->height() / 2));
      ajustados = Coeficientes(w);
      QTest::mouseClick(w.BtnOk, Qt::LeftButton);
    });
    QVERIFY(p.Nimbora.Execute());
    QVERIFY(mensagens.caixas.empty());
    const QJsonObject calc = InterpolacaoDaCalculadora(lat, lon);
    const QJsonObject ajuste = calc["Ajuste"].toObject();
    QCOMPARE(classicos.at(0), Q(toolkit::FormatarNumero("###0.000", calc["K"].toDouble())));
    QCOMPARE(ajustados, (QStringList{Q(toolkit::FormatarNumero("###0.000", ajuste["K"].toDouble())),
                                     Q(toolkit::FormatarNumero("0.000", ajuste["a"].toDouble())),
                                     Q(toolkit::FormatarNumero("#0.000", ajuste["b"].toDouble())),
                                     Q(toolkit::FormatarNumero("0.000", ajuste["c"].toDouble()))}));
    QVERIFY(classicos != ajustados);
    QCOMPARE(p.Nimbora.Estimativa, TNimbora21::TEstimativa::Intensidades);
    QCOMPARE(p.Nimbora.Precipitacao().K(), std::round(ajuste["K"].toDouble() * 1000) / 1000);

    QTemporaryDir pasta;
    const std::string arquivo = pasta.filePath(QStringLiteral("ajuste.cdt")).toStdString();
    GravarProjeto(arquivo, p);
    TProjeto lido;
    QVERIFY(LerProjeto(arquivo, lido));
    QCOMPARE(lido.Nimbora.Estimativa, TNimbora21::TEstimativa::Intensidades);

    // Opened again on the stored point: the fitted estimate; then a station.
    QStringList reaberto;
    bool escolhaDesligada = false;
    ResponderConsulta([&](TfrmFoConsulta& w) {
      reaberto = Coeficientes(w);
      QVERIFY(w.rbIntensidades->isChecked());
      ClicarLinha(w.LBEstacao, 2);
      escolhaDesligada = !w.GrupoEstimativa->isEnabled();
      QTest::mouseClick(w.BtnOk, Qt::LeftButton);
    });
    QVERIFY(p.Nimbora.Execute());
    QCOMPARE(reaberto, ajustados);
    QVERIFY(escolhaDesligada);
    QCOMPARE(p.Nimbora.Estimativa, TNimbora21::TEstimativa::Coeficientes);
  }

  // A screen reader reads the place, its coordinates and the source shown,
  // not the captions, which are the descriptions.
  void leitorDeTelaLeOsValores() {
    const auto texto = [](QWidget* w, QAccessible::Text t) {
      return QAccessible::queryAccessibleInterface(w)->text(t);
    };
    TfrmFoConsulta brasil;
    Abrir(brasil, kGoias, 1, -1);
    const struct {
      QWidget* controle;
      QString valor, legenda;
    } casos[] = {
        {brasil.NomeCid, brasil.NomeCid->text(), QStringLiteral("Localidade")},
        {brasil.LabelLatitude, brasil.LabelLatitude->text(), QStringLiteral("Latitude da localidade")},
        {brasil.LabelLongitude, brasil.LabelLongitude->text(), QStringLiteral("Longitude da localidade")},
        {brasil.lAviso, brasil.lAviso->text(), QStringLiteral("Aviso")},
        {brasil.Autor, Q(brasil.LegendaAutor()), QStringLiteral("Fonte da equação")},
    };
    for (const auto& c : casos) {
      QVERIFY(!c.valor.isEmpty());
      QCOMPARE(texto(c.controle, QAccessible::Name), c.valor);
      QCOMPARE(texto(c.controle, QAccessible::Description), c.legenda);
    }
    QCOMPARE(brasil.NomeCid->text(), Q(brasil.BancoDados().Estacoes(kGoias).at(1).Nome));

    TfrmFoConsulta mapa;
    Abrir(mapa, kMinasGerais, 0, -1);
    ClicarLinha(mapa.LBEstacao, 4);
    QVERIFY(!mapa.LabelLat->isHidden());
    QCOMPARE(texto(mapa.LabelLat, QAccessible::Name), Q(mapa.LatitudeTexto()));
    QCOMPARE(texto(mapa.LabelLon, QAccessible::Name), Q(mapa.LongitudeTexto()));
    QCOMPARE(texto(mapa.LabelLat, QAccessible::Description), QStringLiteral("Latitude do ponto"));

    TfrmFoAutor autor;
    autor.Preencher(QStringLiteral("Autores A & B"), QStringLiteral("Título"),
                    QStringLiteral("Revista, 2001"));
    QCOMPARE(texto(autor.Autor, QAccessible::Name), QStringLiteral("Autores A & B"));
    QCOMPARE(texto(autor.Autor, QAccessible::Description), QStringLiteral("Autores"));
    QCOMPARE(texto(autor.Pagina, QAccessible::Name), QStringLiteral("Revista, 2001"));
  }

  // Stored coordinates without a station or locality: the interpolation is
  // computed again there and comes back rounded to three decimals, read
  // under a decimal comma.
  void coordenadasGuardadasInterpoladas() {
    const toolkit::TRegionalTemporario virgula(toolkit::RegionalPtBr());
    const std::string lat = "19°55'00\"", lon = "43°56'00\"";  // Belo Horizonte
    TBDPrecipitacao leitor;
    leitor.LerEstados();
    const TEstacao r = leitor.Interpolar(lat, lon);
    QCOMPARE(r.Fonte, std::string(FonteInterpolacao));

    TNimbora21 n;
    InstalarConsultaNimbora(n, nullptr);
    n.IndEstado = kMinasGerais;
    n.IndEstacao = -1;
    n.IndLocalidade = -1;
    n.Latitude = lat;
    n.Longitude = lon;
    QString textoK;
    bool miraVisivel = false;
    ResponderConsulta([&](TfrmFoConsulta& w) {
      textoK = w.PrecK->text();
      miraVisivel = !w.EixoX->isHidden();
      w.BtnOkClick();
    });
    QVERIFY(n.Execute());
    QVERIFY(miraVisivel);
    QVERIFY2(textoK.contains(QLatin1Char(',')), qPrintable(textoK));
    QCOMPARE(n.Autoria(), std::string("Interpolação"));
    QCOMPARE(n.StrCidade, std::string("Não definida"));
    QCOMPARE(n.Latitude, lat);
    QCOMPARE(n.Longitude, lon);
    QCOMPARE(n.IndEstacao, int16_t(-1));
    QCOMPARE(n.IndLocalidade, int16_t(-1));
    const auto tres = [](double v) { return std::round(v * 1000) / 1000; };
    QCOMPARE(n.Precipitacao().K(), tres(r.K));
    QCOMPARE(n.Precipitacao().A(), tres(r.a));
    QCOMPARE(n.Precipitacao().B(), tres(r.b));
    QCOMPARE(n.Precipitacao().C(), tres(r.c));
  }

  void cancelarNaoMudaNada() {
    TNimbora21 n;
    InstalarConsultaNimbora(n, nullptr);
    n.IndEstado = kBahia;
    n.StrEstado = "Bahia";
    n.IndEstacao = 1;
    n.IndLocalidade = 2;
    n.StrCidade = "Salvador";
    n.Latitude = "12°58'00\"";
    n.Longitude = "38°30'00\"";
    n.DefinirAutoria("Alguém (2000)");
    n.Precipitacao().SetK(1000);
    n.Precipitacao().SetA(0.1);
    n.Precipitacao().SetB(10);
    n.Precipitacao().SetC(0.7);
    ResponderConsulta([](TfrmFoConsulta& w) {
      w.Estados->setCurrentIndex(kMinasGerais);
      w.EstadosClick();  // a new choice, then cancelled
      w.BtnCancelClick();
    });
    QVERIFY(!n.Execute());
    QCOMPARE(n.IndEstado, int16_t(kBahia));
    QCOMPARE(n.StrEstado, std::string("Bahia"));
    QCOMPARE(n.IndEstacao, int16_t(1));
    QCOMPARE(n.IndLocalidade, int16_t(2));
    QCOMPARE(n.StrCidade, std::string("Salvador"));
    QCOMPARE(n.Latitude, std::string("12°58'00\""));
    QCOMPARE(n.Longitude, std::string("38°30'00\""));
    QCOMPARE(n.Autoria(), std::string("Alguém (2000)"));
    QCOMPARE(n.Precipitacao().K(), 1000.0);
    QCOMPARE(n.Precipitacao().A(), 0.1);
    QCOMPARE(n.Precipitacao().B(), 10.0);
    QCOMPARE(n.Precipitacao().C(), 0.7);
  }

  // A typed point outside the state's blue clears the coefficients; "&Fechar"
  // then fails on the empty K, with the state already taken and nothing else.
  void pontoForaDoEstadoFalhaAoAceitar() {
    TNimbora21 n;
    InstalarConsultaNimbora(n, nullptr);
    n.IndEstado = kBahia;
    n.StrCidade = "antes";
    n.Precipitacao().SetK(500);
    QString textoK = QStringLiteral("não lido");
    bool miraEscondida = false;
    ResponderConsulta([&](TfrmFoConsulta& w) {
      w.Estados->setCurrentIndex(kMinasGerais);
      w.EstadosClick();
      // Inside the Minas Gerais frame, in the top-left corner (Goiás).
      w.PrecLaAux->setText(QStringLiteral("14°30'00\""));
      w.PrecLoAux->setText(QStringLiteral("50°30'00\""));
      w.CalculalaloClick();
      textoK = w.PrecK->text();
      miraEscondida = w.EixoX->isHidden();
      w.BtnOkClick();
    });
    QVERIFY_THROWS_EXCEPTION(toolkit::EConversaoInvalida, n.Execute());
    QCOMPARE(textoK, QString());
    QVERIFY(miraEscondida);
    QVERIFY(mensagens.caixas.empty());
    QCOMPARE(n.IndEstado, int16_t(kMinasGerais));
    QCOMPARE(n.StrEstado, std::string("Minas Gerais"));
    QCOMPARE(n.Precipitacao().K(), 500.0);
    QCOMPARE(n.StrCidade, std::string("antes"));
  }

  // The frame's corners through a click: the edge pixels give the edge
  // coordinates (up to the truncated seconds of the texts).
  void molduraDaBahiaNasBordas() {
    TfrmFoConsulta w;
    Abrir(w, kBahia, -1, -1);
    QCOMPARE(w.Moldura()->Sigla, "BA");
    const struct {
      QPoint pixel;
      double lat, lon;
    } casos[] = {{{430, 441}, 18.349041, 37.339722}, {{16, 5}, 8.532272, 46.629028}};
    for (const auto& c : casos) {
      w.EstadoBMP->setCursor(Qt::CrossCursor);
      w.EstadoBMPMouseUp(c.pixel.x(), c.pixel.y());
      QVERIFY(std::abs(w.Latitude() - c.lat) < 1e-9);
      QVERIFY(std::abs(w.Longitude() - c.lon) < 1e-9);
      QCOMPARE(w.LatitudeTexto(), GrausParaTexto(c.lat));
      QCOMPARE(w.LongitudeTexto(), GrausParaTexto(c.lon));
      QCOMPARE(w.EixoY->x(), c.pixel.x());
      QCOMPARE(w.EixoX->y(), c.pixel.y());
    }
    QCOMPARE(w.LatitudeTexto(), std::string("08°31'56\""));
  }

  void estadoSemDadosMantemMapa() {
    TfrmFoConsulta w;
    Abrir(w, kMinasGerais, 0, -1);
    QVERIFY(w.Autor->isEnabled());
    w.Estados->setCurrentIndex(kAmapa);
    w.EstadosClick();
    QCOMPARE(w.Moldura()->Sigla, "MG");
    QVERIFY(w.MapaVisivel());
    QCOMPARE(w.Notebook1->currentIndex(), 1);
    QVERIFY(w.PrecLaAux->isEnabled());
    QVERIFY(w.Calculalalo->isEnabled());
    QVERIFY(!w.Autor->isEnabled());
    QCOMPARE(w.LegendaAutor(), std::string());
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Nimbóra 2.1 - Estado: Amapá     ")));
    // A state of the other group goes back to Brazil.
    w.Estados->setCurrentIndex(0);
    w.EstadosClick();
    QCOMPARE(w.Notebook1->currentIndex(), 0);
    QVERIFY(!w.MapaVisivel());
    QVERIFY(!w.Calculalalo->isEnabled());
    QVERIFY(w.LBLocalidade->isHidden());
  }

  // A click, then the same point typed: both give the calculator's
  // interpolation at the point's texts, rounded to three decimals.
  void pontoDigitadoIgualAoCliqueEACalculadora() {
    TfrmFoConsulta w;
    Abrir(w, kMinasGerais, 0, -1);
    const QPoint p = PixelAzul(w.EstadoBMP->Imagem());
    QVERIFY(p.x() >= 0);
    w.EstadoBMPMouseMove(p.x(), p.y());
    QCOMPARE(w.EstadoBMP->cursor().shape(), Qt::CrossCursor);
    w.EstadoBMPMouseUp(p.x(), p.y());
    const QString lat = Q(w.LatitudeTexto()), lon = Q(w.LongitudeTexto());
    const QStringList clique = {w.PrecK->text(), w.PrecA->text(), w.PrecB->text(), w.PrecC->text()};
    QCOMPARE(w.LegendaAutor(), std::string("Interpolação"));
    QCOMPARE(w.NomeLocal(), std::string("Não definida"));
    QCOMPARE(w.LBEstacao->selectedItems().size(), 0);
    QCOMPARE(w.LabelLat->text(), lat);

    const QJsonObject calc = InterpolacaoDaCalculadora(lat, lon);
    QVERIFY(!calc.isEmpty());
    const QStringList esperado = {Q(toolkit::FormatarNumero("###0.000", calc["K"].toDouble())),
                                  Q(toolkit::FormatarNumero("0.000", calc["a"].toDouble())),
                                  Q(toolkit::FormatarNumero("#0.000", calc["b"].toDouble())),
                                  Q(toolkit::FormatarNumero("0.000", calc["c"].toDouble()))};
    QCOMPARE(clique, esperado);

    // Typing in a coordinate takes the cross-hair away; moving on does not.
    QTest::keyClick(w.PrecLaAux, Qt::Key_Tab);
    QVERIFY(!w.EixoX->isHidden());
    QTest::keyClick(w.PrecLaAux, Qt::Key_1);
    QVERIFY(w.EixoX->isHidden());
    QVERIFY(w.LabelLat->isHidden());

    // Away, then typed back: the texts stay as typed.
    w.LBEstacao->setCurrentRow(0);
    w.LBEstacaoClick();
    w.PrecLaAux->setText(lat);
    w.PrecLoAux->setText(lon);
    w.CalculalaloClick();
    QCOMPARE(Q(w.LatitudeTexto()), lat);
    QCOMPARE(Q(w.LongitudeTexto()), lon);
    QCOMPARE((QStringList{w.PrecK->text(), w.PrecA->text(), w.PrecB->text(), w.PrecC->text()}), esperado);
    QVERIFY(!w.EixoX->isHidden());
    QVERIFY(std::abs(w.EixoY->x() - p.x()) <= 1);
    QVERIFY(std::abs(w.EixoX->y() - p.y()) <= 1);
  }

  void coordenadaDigitadaForaDoMapa_data() {
    QTest::addColumn<QString>("latitude");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("latitude_ao_norte") << "05°00'00\""
                                       << "45°00'00\""
                                       << "Latitude 05°00'00\" não definida.";
    QTest::newRow("longitude_a_leste") << "20°00'00\""
                                       << "35°00'00\""
                                       << "Longitude 35°00'00\" não definida.";
    // Texts that are no coordinate give the whole-text check's reason.
    const auto motivo = [](const char* texto) {
      return QString::fromStdString(VerificarCoordenada(texto, TEixoCoordenada::Latitude));
    };
    QTest::newRow("em_branco") << "__°__'__\""
                               << "45°00'00\""
                               << "A latitude \"  °  '  \"\" não está na forma GG°MM'SS\" (graus, minutos e "
                                  "segundos com dois algarismos cada, seguidos de °, ' e \").";
    QTest::newRow("minutos_60") << "20°60'00\""
                                << "45°00'00\"" << motivo("20°60'00\"");
  }
  void coordenadaDigitadaForaDoMapa() {
    QFETCH(QString, latitude);
    QFETCH(QString, longitude);
    QFETCH(QString, mensagem);
    TfrmFoConsulta w;
    Abrir(w, kMinasGerais, 0, -1);
    const QString kAntes = w.PrecK->text();
    w.PrecLaAux->setText(latitude);
    w.PrecLoAux->setText(longitude);
    QTest::mouseClick(w.Calculalalo, Qt::LeftButton);
    QCOMPARE(mensagens.Textos(), QStringList{mensagem});
    QCOMPARE(w.PrecK->text(), kAntes);
    QVERIFY(!w.EixoX->isHidden());
  }

  // A state whose map file is missing: the message, and the previous state
  // chosen again.
  void mapaAusente() {
    QTemporaryDir pasta;
    const QString origem = Q(PastaBancoDados());
    for (const char* nome : {"Estados_Nim21.bin", "Localidades_Nim21.bin", "BA.bmp"})
      QVERIFY(QFile::copy(origem + QLatin1String(nome), pasta.filePath(QLatin1String(nome))));
    TfrmFoConsulta w(nullptr, pasta.path().toStdString() + "/");
    Abrir(w, kBahia, 0, -1);
    w.Estados->setCurrentIndex(kMinasGerais);
    w.Estados->activated(kMinasGerais);
    QCOMPARE(mensagens.Textos(),
             QStringList{QStringLiteral(
                 "Erro. Não foi possível localizar o arquivo BMP do estado selecinado (Minas Gerais).")});
    QCOMPARE(int(w.Estado.Indice()), kBahia);
    QCOMPARE(w.Estados->currentIndex(), kBahia);
    QCOMPARE(w.Moldura()->Sigla, "BA");
    QVERIFY(w.MapaVisivel());
    QCOMPARE(w.LBEstacao->item(0)->text(), Q(w.BancoDados().Estacoes(kBahia).front().Nome));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  // The source button: the reference dialog for a citation key, the
  // information box for an interpolation.
  void botaoAutor() {
    TfrmFoConsulta w;
    Abrir(w, kMinasGerais, 0, -1);
    const std::string chave = w.BancoDados().Estacoes(kMinasGerais).front().Fonte;
    const TCitacao* citacao = ProcurarCitacao(chave);
    QVERIFY(citacao);
    QCOMPARE(w.Autor->text(), Q(chave));
    QStringList textos;
    QSize tamanho;
    QuandoPronto(
        [] { return qobject_cast<TfrmFoAutor*>(QApplication::activeModalWidget()) != nullptr; },
        [&] {
          auto* d = qobject_cast<TfrmFoAutor*>(QApplication::activeModalWidget());
          textos = QStringList{d->windowTitle(), d->Autor->text(), d->Livro->text(), d->Pagina->text()};
          tamanho = d->size();
          d->OK->click();
        });
    w.AutorClick();
    QCOMPARE(textos, (QStringList{QStringLiteral("Autor"), Q(citacao->Autores), Q(citacao->Titulo),
                                  Q(citacao->Publicacao)}));
    QCOMPARE(tamanho.width(), TfrmFoAutor::kLargura);
    QVERIFY(tamanho.height() >= TfrmFoAutor::kAltura);
    QVERIFY(mensagens.caixas.empty());

    w.LBLocalidade->setCurrentRow(0);
    w.LBLocalidadeClick();
    QCOMPARE(w.LegendaAutor(), std::string("Interpolação"));
    QCOMPARE(w.NomeLocal(), w.LBLocalidade->item(0)->text().toStdString());
    w.AutorClick();
    QCOMPARE(mensagens.caixas.size(), std::size_t(1));
    QCOMPARE(mensagens.caixas[0].titulo, QStringLiteral("Informação"));
    QVERIFY(mensagens.caixas[0].texto.startsWith(
        QStringLiteral("Interpolação realizada utilizando o Método do Inverso da Quinta Potência")));

    // "&Fechar" with the caption still "Autor" gives no authorship.
    TfrmFoConsulta nova;
    nova.BtnOkClick();
    QCOMPARE(nova.Autoria, std::string());
  }

  // The state's stations are dots over the map; the bitmap that colour
  // picking reads stays the map file as it is.
  void pontosDasEstacoes() {
    TfrmFoConsulta w;
    Abrir(w, kMinasGerais, 3, -1);
    QCOMPARE(w.EstadoBMP->Pontos().size(), int(w.BancoDados().Estacoes(kMinasGerais).size()));
    QCOMPARE(w.EstadoBMP->Destacado(), 3);
    const QImage arquivo =
        QImage(Q(PastaBancoDados()) + QStringLiteral("MG.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(w.EstadoBMP->Imagem(), arquivo);
    // Drawn on screen: the pixel of a dot is no longer the map's colour.
    const QPoint ponto = w.EstadoBMP->Pontos().at(0);
    const QImage tela = w.EstadoBMP->grab().toImage();
    QVERIFY(tela.pixel(ponto) != arquivo.pixel(ponto));

    // A point picked on the map rings no station.
    const QPoint p = PixelAzul(w.EstadoBMP->Imagem());
    w.EstadoBMPMouseMove(p.x(), p.y());
    w.EstadoBMPMouseUp(p.x(), p.y());
    QCOMPARE(w.EstadoBMP->Destacado(), -1);
  }

  void mapaDoBrasil() {
    TfrmFoConsulta w;
    Abrir(w, kMatoGrosso, 0, -1);
    QCOMPARE(w.Notebook1->currentIndex(), 0);
    QVERIFY(!w.NomeCid->isHidden());
    QCOMPARE(w.NomeCid->text(), Q(w.BancoDados().Estacoes(kMatoGrosso).front().Nome));
    QCOMPARE(w.LabelLatitude->text(), Q(w.BancoDados().Estacoes(kMatoGrosso).front().Latitude));
    const QPoint azul = PixelAzul(w.BrasilBMP->Imagem());
    QVERIFY(azul.x() >= 0);
    w.BrasilBMPMouseMove(0, 0);  // background
    QCOMPARE(w.BrasilBMP->cursor().shape(), Qt::ArrowCursor);
    w.BrasilBMPMouseMove(azul.x(), azul.y());
    QCOMPARE(w.BrasilBMP->cursor().shape(), Qt::PointingHandCursor);
    w.BrasilBMPMouseUp(azul.x(), azul.y());
    QCOMPARE(w.Estados->currentIndex(), kMinasGerais);
    QCOMPARE(w.Notebook1->currentIndex(), 1);
    QVERIFY(!w.LBLocalidade->isHidden());
    // Back to Brazil: the first state, on the Brazil page.
    w.MapadoBrasil1Click();
    QCOMPARE(w.Estados->currentIndex(), 0);
    QCOMPARE(w.Notebook1->currentIndex(), 0);
  }

  void relatorio() {
    TfrmFoConsulta w;
    Abrir(w, kGoias, 0, -1);
    QString texto = TfrmFoRelatNimbora::MontarTexto(w, TfrmFoRelatNimbora::ArquivoMapa());
    QVERIFY(!texto.contains(QStringLiteral("MAPA DE LOCALIZAÇÃO:")));
    const std::string estacao = w.BancoDados().Estacoes(kGoias).front().Nome;
    QVERIFY(texto.contains(
        QStringLiteral("<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Estado: </B>Goiás</TD>")));
    QVERIFY(texto.contains(QStringLiteral("<B>Localidade: </B>") + Q(estacao) + QStringLiteral("</TD>")));
    QVERIFY(
        texto.contains(QStringLiteral("<B>K: </B>") + w.PrecK->text() + QStringLiteral("</TD></TR><TR>")));
    QVERIFY(texto.contains(QStringLiteral("<B>c: </B>") + w.PrecC->text() +
                           QStringLiteral("</TD></TABLE><P><P></BODY></HTML>")));
    QVERIFY(texto.startsWith(QStringLiteral("<HTML><HEAD><META ")));
    // A text the page did not write is text on it, never markup.
    const QString k = w.PrecK->text();
    w.PrecK->setText(QStringLiteral("<b>1</b> & \"2\""));
    QVERIFY(TfrmFoRelatNimbora::MontarTexto(w, TfrmFoRelatNimbora::ArquivoMapa())
                .contains(QStringLiteral("<B>K: </B>&lt;b&gt;1&lt;/b&gt; &amp; \"2\"</TD>")));
    w.PrecK->setText(k);
    QVERIFY(texto.contains(Q(PastaBancoDados()) +
                           QStringLiteral("Cabecalho_Nimbora21.jpg\" HEIGHT=73 WIDTH=550></CENTER><HR>")));
    QVERIFY(QImage(Q(PastaBancoDados()) + QStringLiteral("Cabecalho_Nimbora21.jpg")).size() ==
            QSize(550, 73));

    // With the state map: the map section and the picture, a black dot at
    // the cross-hair; rebuilt at every activation; the picture goes with the window.
    w.Estados->setCurrentIndex(kMinasGerais);
    w.EstadosClick();
    const QString arquivo = TfrmFoRelatNimbora::ArquivoMapa();
    {
      TfrmFoRelatNimbora r(&w);
      r.FormActivate();
      QVERIFY(r.Texto().contains(QStringLiteral("<B>Estado: </B>Minas Gerais</TD>")));
      QVERIFY(r.Texto().endsWith(QStringLiteral(
          "<FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3><TR><TD><CENTER><IMG "
          "SRC=\"Bit.bmp\" HEIGHT=450 WIDTH=450></CENTER></TD></TR></TABLE></TD></BODY></HTML>")));
      const QImage bit(arquivo);
      QCOMPARE(bit.size(), QSize(450, 450));
      QCOMPARE(bit.pixel(w.EixoY->x(), w.EixoX->y()) & 0xFFFFFF, 0u);
      const QPoint p = PixelAzul(w.EstadoBMP->Imagem());
      w.EstadoBMPMouseMove(p.x(), p.y());
      w.EstadoBMPMouseUp(p.x(), p.y());
      r.FormActivate();
      QVERIFY(r.Texto().contains(QStringLiteral("<B>Localidade: </B>Não definida</TD>")));
      // A map point: both estimates, the one taken marked.
      QVERIFY(r.Texto().contains(QStringLiteral("<B>Coeficientes interpolados (usada): </B>") +
                                 w.lCoeficientes->text() + QStringLiteral("</TD>")));
      QVERIFY(r.Texto().contains(QStringLiteral("<B>Intensidades interpoladas (ajuste): </B>") +
                                 w.lIntensidades->text().toHtmlEscaped() + QStringLiteral("</TD>")));
      QCOMPARE(QImage(arquivo).pixel(p) & 0xFFFFFF, 0u);
      r.resize(900, 700);

      QTemporaryDir pasta;
      QPrinter impressora(QPrinter::HighResolution);
      impressora.setOutputFormat(QPrinter::PdfFormat);
      impressora.setOutputFileName(pasta.filePath(QStringLiteral("relatorio.pdf")));
      r.Imprimir(impressora);
      QVERIFY(QFileInfo(impressora.outputFileName()).size() > 1000);
    }
    QVERIFY(!QFile::exists(arquivo));
  }

  void sobre() {
    TfrmFoConsulta w;
    TfrmFoSobreNimbora s(&w);
    QCOMPARE(s.size(), QSize(559, 340));
    QCOMPARE(s.imgSplash->pixmap().size(), QSize(559, 340));
    QVERIFY(s.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(s.windowTitle(), QStringLiteral("Sobre"));
    s.show();
    QTest::keyClick(&s, Qt::Key_A);
    QVERIFY(s.isHidden());
  }
};

QTEST_MAIN(TesteConsultaIdf)
#include "tst_consultaidf.moc"
