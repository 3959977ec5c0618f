// The results report: the page text for fixed models, the report window with
// its pictures, the chart picture's removal and the PDF.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>
#include <iterator>
#include <memory>
#include <random>

#include "idf/Nimbora21Comp.h"
#include "model/channel/uCanal.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "project/Unidades.h"
#include "reports/RelatorioCaudalente.h"
#include "reports/uRelatorioCaudalente.h"
#include "toolkit/Regional.h"
#include "toolkit/Win1252.h"

namespace {

struct TModeloFixo {
  TNimbora21 Nimbora;
  TEncostaCinematicaSecoes Encosta;
  TCanalGradienteCustom Canal;
  TUnidadesCustom Unidades;

  // A plane hillslope under a Lavras-like storm, units m/m and mm/h.
  TModeloFixo() {
    auto& chuva = Nimbora.Precipitacao();
    chuva.SetK(1234.5);
    chuva.SetA(0.16);
    chuva.SetB(12);
    chuva.SetC(0.8);
    chuva.SetTr(10);
    Nimbora.Latitude = "21°14'43\"";
    Nimbora.Longitude = "44°59'59\"";
    Nimbora.StrEstado = "Minas Gerais";
    Nimbora.StrCidade = "Lavras";
    Canal.SetSc(0.005);
    Canal.Sm.Valor = 0.5;
    Canal.nc.Valor = 0.025;
    Unidades.Padrao();
    Encosta.SetCount(1);
    Encosta.Regular = true;
    Trecho(0, 0.08, 50, 0.03, 12.6);
  }
  void Trecho(int i, double st, int comprimento, double nt, double vib) {
    TEncostaCinematica& t = Encosta.Trechos(i);
    t.SetSt(st);
    t.SetComprimento(comprimento);
    t.nt.Valor = nt;
    t.SetVIB(vib);
  }
  std::string Pagina(bool porMetro = false) const {
    const TResultadosRelatorio r{12.346, 31.5, 4567.891, 1.25, 0.44, porMetro};
    const TFiguraRelatorio f{"/p/Bit2.bmp", 300, 12345, "Caudalente na encosta para um comprimento de 50 m"};
    return MontarRelatorio({Nimbora, Encosta, Canal, Unidades}, r, f, "/p/Cabecalho.jpg", "10/12/2026");
  }
};

std::string W(const std::string& utf8) {
  return toolkit::Utf8ParaWin1252(utf8);
}

// The text between two markers of the page (markers excluded).
std::string Entre(const std::string& pagina, const std::string& inicio, const std::string& fim) {
  const auto a = pagina.find(inicio);
  if (a == std::string::npos) return "<sem " + inicio + ">";
  const auto b = pagina.find(fim, a + inicio.size());
  return pagina.substr(a + inicio.size(), b == std::string::npos ? std::string::npos : b - a - inicio.size());
}

// The page's markup in order: every tag, any stray bracket, and any
// ampersand that starts no entity of the page's own few.
QStringList Marcacao(const std::string& pagina) {
  static const QRegularExpression marca(QStringLiteral("<[^<>]*>|[<>]|&(?!(?:amp|lt|gt|quot|nbsp);)"));
  QStringList marcas;
  const QString html = QString::fromStdString(toolkit::Win1252ParaUtf8(pagina));
  for (auto it = marca.globalMatch(html); it.hasNext();) marcas << it.next().captured();
  return marcas;
}

// A page laid out as the report window lays it out; pictures from pasta.
std::unique_ptr<QTextDocument> Documento(const std::string& pagina, const QString& pasta = QString()) {
  auto documento = std::make_unique<QTextDocument>();
  CarregarPagina(*documento, pagina, pasta);
  return documento;
}

int Figuras(const QTextDocument& documento) {
  int n = 0;
  for (QTextBlock bloco = documento.begin(); bloco.isValid(); bloco = bloco.next())
    for (auto it = bloco.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat()) ++n;
  return n;
}

// Text as a page shows it: what Windows-1252 holds, without blanks (the
// layout folds them).
QString SemBrancos(const std::string& utf8) {
  QString t = QString::fromStdString(toolkit::Win1252ParaUtf8(toolkit::Utf8ParaWin1252(utf8)));
  t.remove(QRegularExpression(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}]")));
  return t;
}

#define COMPARAR_TEXTO(a, b)                                    \
  QCOMPARE(QString::fromStdString(toolkit::Win1252ParaUtf8(a)), \
           QString::fromStdString(toolkit::Win1252ParaUtf8(b)))

}  // namespace

class TesteRelatorio : public QObject {
  Q_OBJECT

 private slots:
  void formatarValor_data();
  void formatarValor();
  void pularLinhas();
  void paginaDeEncostaRegular();
  void encostaDeQuatroTrechos();
  void unidades_data();
  void unidades();
  void vazaoEVolumePorMetro_data();
  void vazaoEVolumePorMetro();
  void coeficienteK_data();
  void coeficienteK();
  void semConsulta();
  void textosDoProjetoSaoTexto_data();
  void textosDoProjetoSaoTexto();
  void textosAleatorios();
  void figuraPorEnderecoRelativo();
  void janelaMostraAsFigurasEApagaBit2();
  void pdfComAsFiguras();
};

void TesteRelatorio::formatarValor_data() {
  QTest::addColumn<QString>("padrao");
  QTest::addColumn<double>("valor");
  QTest::addColumn<QString>("esperado");
  QTest::newRow("12.5") << "0.0#" << 12.5 << "12,5";
  QTest::newRow("12.346") << "0.0#" << 12.346 << "12,35";
  QTest::newRow("3") << "0.0#" << 3.0 << "3,0";
  QTest::newRow("12.6 inteiro") << "0" << 12.6 << "13";
  QTest::newRow("12.5 metade") << "0" << 12.5 << "13";
  QTest::newRow("-12.5 metade") << "0" << -12.5 << "-13";
  QTest::newRow("0.5 sem zero") << "#.0######" << 0.5 << ",5";
  QTest::newRow("0.44") << "0.0" << 0.44 << "0,4";
  QTest::newRow("sem agrupamento") << "0.0#" << 1234567.891 << "1234567,89";
}

void TesteRelatorio::formatarValor() {
  QFETCH(QString, padrao);
  QFETCH(double, valor);
  QFETCH(QString, esperado);
  // A full stop in the regional settings must not reach the page.
  for (const char separador : {'.', ','}) {
    toolkit::TConfigRegional config;
    config.SeparadorDecimal = separador;
    toolkit::TRegionalTemporario regional(config);
    QCOMPARE(QString::fromStdString(FormatarValor(padrao.toStdString(), valor)), esperado);
  }
}

void TesteRelatorio::pularLinhas() {
  for (const auto& [n, esperado] :
       {std::pair{0, "<TR>"}, std::pair{1, "<TR><TR>"}, std::pair{3, "<TR><TR><TR><TR>"},
        std::pair{5, "<TR><TR><TR><TR><TR><TR>"}}) {
    std::string t = "x";
    PularLinhas(t, n);
    QCOMPARE(t, std::string("x") + esperado);
  }
}

// Every piece of the page, written out by hand from the page's layout.
void TesteRelatorio::paginaDeEncostaRegular() {
  const std::string pagina = TModeloFixo().Pagina();
  const std::string td = "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <B>";
  const std::string res = "<TD COLSPAN=\"3\"><FONT FACE=\"Arial\" SIZE=2>&nbsp;&nbsp;&nbsp; <B>";
  const std::string titulo = "Caudalente do escoamento superficial em áreas agrícolas";
  const std::string esperado =
      "<HTML><HEAD><META NAME=\"Author\" CONTENT=\"Equipe Caudalente\"><TITLE>" + titulo + "</TITLE></HEAD>" +
      "<TABLE COLS=2 WIDTH=\"100%\" >" +
      "<TD><FONT FACE=\"Arial\" COLOR=\"#000099\" SIZE=-2>Relatório emitido em 10/12/2026 </FONT></TD>" +
      "<TD align=\"right\"><FONT FACE=\"Arial\" COLOR=\"#000099\" SIZE=-2>" + EnderecoProduto +
      "</FONT></TD></TABLE><P>" + "<CENTER><IMG SRC=\"/p/Cabecalho.jpg\" HEIGHT=67 WIDTH=550></CENTER><HR>" +
      "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">" +
      "<CENTER><FONT FACE=\"Arial\" SIZE=3><B>RELATÓRIO</B></FONT></CENTER>" +
      "<CENTER><FONT FACE=\"Arial\" SIZE=3><B>" + titulo + "</B></FONT></CENTER><HR><P>" +
      "<FONT FACE=\"Arial\" SIZE=2><B>I. DADOS DE ENTRADA</B></FONT>" +
      "<TABLE COLS=3 WIDTH=\"100%\" ><FONT FACE=\"Arial\" SIZE=2>" +
      "<TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>1. Parâmetros da equação de chuvas intensas</B></TD></TR>" +
      "<TR><TR>" + td + "K: </B>1234,5</TD><TD><B>a: </B>0,16</TD><TD><B>b: </B>12,0</TD></TR>" + "<TR><TR>" +
      td + "c: </B>0,8</TD><TD><B>T: </B>10,0 anos</TD><TD><B>Latitude: </B>21°14'43\"</TD></TR>" +
      "<TR><TR>" + td +
      "Estado: </B>Minas Gerais</TD><TD><B>Localidade: </B>Lavras</TD><TD><B>Longitude: "
      "</B>44°59'59\"</TD></TR>" +
      "<TR><TR><TR><TR><TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>2. Canal</B></TD></TR>" + "<TR><TR>" + td +
      "Declividade: </B>0,005 m/m</TD><TD><B>Sm: </B>0,5  m/m</TD><TD><B>Rugosidade: </B>0,025</TD></TR>" +
      "<TR><TR><TR><TR><TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>3. Encosta: regular</B></TD></TR>" +
      "<TR><TR>" + td + "1) Declividade: </B>0,08 m/m</TD><TD><B>Comprimento: </B>50 m</TD>" +
      "<TD><B>Rugosidade: </B>0,03</TD><TD><B>Tie: </B>13 mm/h</TD></TR>" +
      "<TR><TR><TR><TR><TR><TR><TD><FONT FACE=\"Arial\" SIZE=3><B>II. RESULTADOS</B></FONT></TD><TR><TR>" +
      res + "1. Vazão máxima: </B>12,35 L/s</FONT></TD></TR><TR><TR><TR>" + res +
      "2. Tempo de ocorrência: </B>31,5 min</FONT></TD></TR><TR><TR><TR>" + res +
      "3. Volume de escoamento superficial: </B>4567,89 L</FONT></TD></TR><TR><TR><TR>" + res +
      "4. Profundidade máxima: </B>1,3 cm</FONT></TD></TR><TR><TR><TR>" + res +
      "5. Velocidade máxima: </B>0,4 cm/s</FONT></TD></TR>" +
      "<TD COLSPAN=\"3\"><CENTER>&nbsp;</CENTER></TD></TR></TABLE></FONT>&nbsp;" +
      "<TABLE WIDTH=\"100%\" ><FONT FACE=\"Arial\" SIZE=2><TR><TR><TD VALIGN=TOP>" +
      "<CENTER><B>Caudalente na encosta para um comprimento de 50 m</B></CENTER>" +
      "<CENTER><IMG SRC=\"/p/Bit2.bmp\" HEIGHT=300 WIDTH=1234></CENTER>" +
      "</TD></TR></TABLE></FONT><P><HR></BODY></HTML>";
  COMPARAR_TEXTO(pagina, W(esperado));
  // One byte per accented letter, no line break anywhere.
  QVERIFY(pagina.find("RELAT\xD3RIO") != std::string::npos);
  QVERIFY(pagina.find('\n') == std::string::npos);
}

void TesteRelatorio::encostaDeQuatroTrechos() {
  TModeloFixo m;
  m.Encosta.Regular = false;
  m.Encosta.SetCount(4);
  for (int i = 0; i < 4; ++i) m.Trecho(i, 0.01 * (i + 1), 10 * (i + 1), 0.03, 5.0 * (i + 1));
  const std::string pagina = m.Pagina();
  const std::string secao = Entre(pagina, "3. Encosta: ", "<TD><FONT FACE=\"Arial\" SIZE=3><B>II.");
  const std::string td = "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <B>";
  std::string esperado = "4 trechos</B></TD></TR>";
  const char* const linhas[4][4] = {{"1", "0,01", "10", "5"},
                                    {"2", "0,02", "20", "10"},
                                    {"3", "0,03", "30", "15"},
                                    {"4", "0,04", "40", "20"}};
  for (const auto& l : linhas)
    esperado += "<TR><TR>" + td + l[0] + ") Declividade: </B>" + l[1] + " m/m</TD><TD><B>Comprimento: </B>" +
                l[2] + " m</TD><TD><B>Rugosidade: </B>0,03</TD><TD><B>Tie: </B>" + l[3] + " mm/h</TD></TR>";
  esperado += "<TR><TR><TR><TR><TR><TR>";
  COMPARAR_TEXTO(secao, esperado);
}

void TesteRelatorio::unidades_data() {
  QTest::addColumn<int>("declividade");
  QTest::addColumn<int>("vi");
  QTest::addColumn<QString>("canal");
  QTest::addColumn<QString>("tie");
  // Index 0 of the slope table is "%", 1 "m/m"; of the rate table 0 "m/h", 1 "mm/h", 3 "cm/dia".
  QTest::newRow("% e mm/h") << 0 << 1 << "Declividade: </B>5,0 %</TD><TD><B>Sm: </B>5,0  %</TD>"
                            << "Tie: </B>13 mm/h</TD>";
  QTest::newRow("m/m e cm/dia") << 1 << 3 << "Declividade: </B>0,05 m/m</TD><TD><B>Sm: </B>0,05  m/m</TD>"
                                << "Tie: </B>30 cm/dia</TD>";
  QTest::newRow("m/h arredonda a zero")
      << 1 << 0 << "Declividade: </B>0,05 m/m</TD><TD><B>Sm: </B>0,05  m/m</TD>"
      << "Tie: </B>0 m/h</TD>";
}

void TesteRelatorio::unidades() {
  QFETCH(int, declividade);
  QFETCH(int, vi);
  QFETCH(QString, canal);
  QFETCH(QString, tie);
  TModeloFixo m;
  m.Unidades.SetDeclividade(static_cast<uint8_t>(declividade));
  m.Unidades.SetVI(static_cast<uint8_t>(vi));
  m.Canal.SetSc(0.05);
  m.Canal.Sm.Valor = 0.05;
  const QString pagina = QString::fromStdString(toolkit::Win1252ParaUtf8(m.Pagina()));
  QVERIFY2(pagina.contains(canal), qPrintable(canal));
  QVERIFY2(pagina.contains(tie), qPrintable(tie));
}

// A hillslope trace is per metre of width; a channel's is the whole flow.
void TesteRelatorio::vazaoEVolumePorMetro_data() {
  QTest::addColumn<bool>("porMetro");
  QTest::addColumn<QString>("vazao");
  QTest::addColumn<QString>("volume");
  QTest::newRow("encosta") << true << "1. Vazão máxima: </B>12,35 L/s.m</FONT>"
                           << "superficial: </B>4567,89 L/m</FONT>";
  QTest::newRow("canal") << false << "1. Vazão máxima: </B>12,35 L/s</FONT>"
                         << "superficial: </B>4567,89 L</FONT>";
}

void TesteRelatorio::vazaoEVolumePorMetro() {
  QFETCH(bool, porMetro);
  QFETCH(QString, vazao);
  QFETCH(QString, volume);
  const QString pagina = QString::fromStdString(toolkit::Win1252ParaUtf8(TModeloFixo().Pagina(porMetro)));
  QVERIFY2(pagina.contains(vazao), qPrintable(vazao));
  QVERIFY2(pagina.contains(volume), qPrintable(volume));
}

void TesteRelatorio::coeficienteK_data() {
  QTest::addColumn<double>("k");
  QTest::addColumn<QString>("esperado");
  QTest::newRow("0,5") << 0.5 << ",5";
  QTest::newRow("1234,5") << 1234.5 << "1234,5";
}

void TesteRelatorio::coeficienteK() {
  QFETCH(double, k);
  QFETCH(QString, esperado);
  TModeloFixo m;
  m.Nimbora.Precipitacao().SetK(k);
  QCOMPARE(QString::fromStdString(Entre(m.Pagina(), "K: </B>", "</TD>")), esperado);
}

void TesteRelatorio::semConsulta() {
  TModeloFixo m;
  m.Nimbora.Limpar();
  const std::string pagina = m.Pagina();
  COMPARAR_TEXTO(Entre(pagina, "Latitude: </B>", "</TD>"), W("  °  '  \""));
  COMPARAR_TEXTO(Entre(pagina, "Longitude: </B>", "</TD>"), W("  °  '  \""));
  COMPARAR_TEXTO(Entre(pagina, "Estado: </B>", "</TD>"), std::string());
  COMPARAR_TEXTO(Entre(pagina, "Localidade: </B>", "</TD>"), std::string());
}

void TesteRelatorio::textosDoProjetoSaoTexto_data() {
  QTest::addColumn<QString>("texto");
  QTest::newRow("script") << "<script>alert(1)</script>";
  QTest::newRow("atributo") << "\"><img src=x onerror=alert(1)>";
  QTest::newRow("figura local") << "<IMG SRC=\"/some/local/picture.png\">";
  QTest::newRow("entidade") << "Lavras &amp; Perdões &lt;MG&gt;";
  QTest::newRow("fim de celula") << "x</TD></TR></TABLE><TABLE><TD>y";
}

// A project's texts show as typed; the page keeps its own markup and its two
// pictures only.
void TesteRelatorio::textosDoProjetoSaoTexto() {
  QFETCH(QString, texto);
  const std::string t = texto.toStdString();
  TModeloFixo m;
  const QStringList esperada = Marcacao(m.Pagina());
  m.Nimbora.StrCidade = t;
  m.Nimbora.StrEstado = t + "E";
  m.Nimbora.Latitude = t + "S";
  m.Nimbora.Longitude = t + "O";
  const std::string pagina = m.Pagina();
  QCOMPARE(Marcacao(pagina), esperada);
  const auto documento = Documento(pagina);
  QCOMPARE(Figuras(*documento), 2);
  const QString visivel = SemBrancos(documento->toPlainText().toStdString());
  for (const char* sufixo : {"", "E", "S", "O"}) QVERIFY2(visivel.contains(SemBrancos(t + sufixo)), sufixo);
}

// Random texts of markup characters, entities, accents and blanks in every
// field the project fills: the page's markup never changes, every text
// shows as written (cut to the length a reader allows), and the layout holds
// the page's two pictures only. A fixed seed makes every run the same.
void TesteRelatorio::textosAleatorios() {
  const char* const pedacos[] = {
      "<",     ">",     "&",        "\"",    "'",    "/",   "=",         ";",   "#",    "%",
      " ",     "a",     "Z",        "0",     "ç",    "é",   "日",        "\n",  "\t",   "<IMG SRC=\"x.png\">",
      "&amp;", "&#60;", "<script>", "</TD>", "<!--", "-->", "<![CDATA[", "]]>", "\xC3", "&nbsp"};
  std::mt19937 sorteio(20261211);
  const auto aleatorio = [&] {
    // One text in twenty is far longer than any reader lets through.
    const int n = std::uniform_int_distribution<int>(0, sorteio() % 20 == 0 ? 1500 : 40)(sorteio);
    std::string t;
    for (int i = 0; i < n; ++i)
      t += pedacos[std::uniform_int_distribution<std::size_t>(0, std::size(pedacos) - 1)(sorteio)];
    return t;
  };
  TModeloFixo m;
  const QStringList esperada = Marcacao(m.Pagina());
  for (int rodada = 0; rodada < 150; ++rodada) {
    std::string* const campos[] = {&m.Nimbora.StrCidade, &m.Nimbora.StrEstado, &m.Nimbora.Latitude,
                                   &m.Nimbora.Longitude};
    for (std::string* campo : campos) *campo = aleatorio();
    const std::string pagina = m.Pagina();
    QCOMPARE(Marcacao(pagina), esperada);
    const auto documento = Documento(pagina);
    QCOMPARE(Figuras(*documento), 2);
    const QString visivel = SemBrancos(documento->toPlainText().toStdString());
    for (const std::string* campo : campos)
      QVERIFY2(visivel.contains(SemBrancos(TNimbora21::Cortado(*campo))), campo->c_str());
  }
  m.Nimbora.StrCidade = std::string(5000, 'x');
  QCOMPARE(Entre(m.Pagina(), "Localidade: </B>", "</TD>"), std::string(TNimbora21::TamanhoMaximoTexto, 'x'));
}

// A picture named by a path relative to the page's folder, outside ASCII and
// with characters an address reads otherwise, is found from the folder the
// page is laid out from, on screen and in the PDF.
void TesteRelatorio::figuraPorEnderecoRelativo() {
  QTemporaryDir pasta;
  const QString nome = QStringLiteral("日本 #1&%.bmp");
  QImage figura(40, 30, QImage::Format_RGB32);
  figura.fill(Qt::green);
  QVERIFY(figura.save(pasta.filePath(nome), "BMP"));
  TModeloFixo m;
  const TResultadosRelatorio r{1, 2, 3, 4, 5};
  const TFiguraRelatorio f{nome.toStdString(), 30, 40, "x"};
  const std::string pagina =
      MontarRelatorio({m.Nimbora, m.Encosta, m.Canal, m.Unidades}, r, f, "/p/Cabecalho.jpg", "10/12/2026");
  const std::string endereco = "%E6%97%A5%E6%9C%AC %231%26%25.bmp";
  QVERIFY(pagina.find("<IMG SRC=\"" + endereco + "\" HEIGHT=30 WIDTH=40>") != std::string::npos);
  const auto documento = Documento(pagina, pasta.path());
  const QImage lida =
      documento->resource(QTextDocument::ImageResource, QUrl(QString::fromStdString(endereco)))
          .value<QImage>();
  QCOMPARE(lida.size(), QSize(40, 30));
  const QByteArray pdf = PdfDaPagina(*documento);
  QVERIFY(pdf.startsWith("%PDF"));
  QVERIFY(pdf.contains("/Width 40\n/Height 30"));
}

void TesteRelatorio::janelaMostraAsFigurasEApagaBit2() {
  TModeloFixo m;
  QImage figura(400, 250, QImage::Format_RGB32);
  figura.fill(Qt::red);
  std::string texto;
  QVERIFY(GerarRelatorio({m.Nimbora, m.Encosta, m.Canal, m.Unidades}, {1, 2, 3, 4, 5}, figura,
                         QStringLiteral("Caudalente no canal para um comprimento de 100 m"), texto));
  const QString bit2 = ArquivoFiguraRelatorio();
  QVERIFY(QFile::exists(bit2));
  QVERIFY(texto.find(("<IMG SRC=\"" + QFileInfo(bit2).absoluteFilePath() + "\" HEIGHT=250 WIDTH=400>")
                         .toStdString()) != std::string::npos);
  QVERIFY(!GerarRelatorio({m.Nimbora, m.Encosta, m.Canal, m.Unidades}, {}, QImage(), QString(), texto));
  {
    TFRelatorioCaudalente janela(texto);
    QCOMPARE(janela.windowTitle(), QStringLiteral("Relatório"));
    if (QScreen* tela = janela.screen()) {
      QCOMPARE(janela.maximumSize(), tela->size());
      QCOMPARE(janela.minimumWidth(), qRound(0.75 * tela->size().width()));
    }
    janela.show();
    QVERIFY(janela.Carregado());
    QTextDocument* doc = janela.Viewer2->document();
    QVERIFY(doc->toPlainText().contains(QStringLiteral("RELATÓRIO")));
    QVERIFY(doc->toPlainText().contains(QStringLiteral("Caudalente no canal para um comprimento de 100 m")));
    const QImage chart =
        doc->resource(QTextDocument::ImageResource, QUrl(QFileInfo(bit2).absoluteFilePath())).value<QImage>();
    QCOMPARE(chart.size(), QSize(400, 250));
    const QImage banner =
        doc->resource(QTextDocument::ImageResource, QUrl(ArquivoCabecalho())).value<QImage>();
    QCOMPARE(banner.size(), QSize(550, 67));
    // The header's two cells make one row of their own table; the rest of the
    // page follows the table instead of sitting in its last cell.
    auto* cabecalho = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
    QVERIFY(cabecalho);
    QCOMPARE(cabecalho->rows(), 1);
    QCOMPARE(cabecalho->columns(), 2);
    QVERIFY(doc->find(QStringLiteral("RELATÓRIO"), 0, QTextDocument::FindCaseSensitively).position() >
            cabecalho->lastPosition());
  }
  QVERIFY(!QFile::exists(bit2));
  QVERIFY(QFile::exists(ArquivoCabecalho()));
}

void TesteRelatorio::pdfComAsFiguras() {
  TModeloFixo m;
  QImage figura(400, 250, QImage::Format_RGB32);
  figura.fill(Qt::blue);
  std::string texto;
  QVERIFY(GerarRelatorio({m.Nimbora, m.Encosta, m.Canal, m.Unidades}, {1, 2, 3, 4, 5}, figura,
                         QStringLiteral("x"), texto));
  TFRelatorioCaudalente janela(texto);
  janela.show();
  QTemporaryDir pasta;
  const QString pdf = pasta.filePath(QStringLiteral("relatorio.pdf"));
  QVERIFY(janela.SalvarPdf(pdf));
  QFile arquivo(pdf);
  QVERIFY(arquivo.open(QIODevice::ReadOnly));
  const QByteArray bytes = arquivo.readAll();
  QVERIFY(bytes.startsWith("%PDF"));
  // Both pictures are embedded as image objects.
  QVERIFY2(bytes.count("/Subtype /Image") >= 2, QByteArray::number(bytes.count("/Subtype /Image")));
  // A folder is not replaced by the PDF.
  QVERIFY(!janela.SalvarPdf(pasta.path()));
  QVERIFY(QFileInfo(pasta.path()).isDir());
}

QTEST_MAIN(TesteRelatorio)
#include "tst_relatorio.moc"
