#include "reports/uRelatorioCaudalente.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <exception>

#include "idf/Nimbora21Comp.h"
#include "idf/UnBD.h"
#include "model/channel/uCanal.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "project/Unidades.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Regional.h"
#include "toolkit/TextoHtml.h"
#include "toolkit/Versao.h"
#include "toolkit/Win1252.h"
#include "toolkit/gui/PastaGravavel.h"

const char* const TituloRelatorio = "Caudalente do escoamento superficial em áreas agrícolas";
const char* const EnderecoProduto = "caudalente.invalid";

namespace {

const char* const kRecuo = "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; <B>";
const char* const kResultado = "<TD COLSPAN=\"3\"><FONT FACE=\"Arial\" SIZE=2>&nbsp;&nbsp;&nbsp; <B>";

// Picture sizes are written with at most four characters.
std::string Dimensao(int n) {
  return std::to_string(n).substr(0, 4);
}

// A name or coordinate from the project or the database: shown as text, never
// read as markup, and no longer than a reader lets it be, whoever filled it.
std::string Dado(const std::string& texto) {
  return toolkit::EscaparHtml(TNimbora21::Cortado(texto));
}

// Without a query the component holds no coordinates; the page shows the
// empty coordinate text with its three marks.
std::string Coordenada(const std::string& texto) {
  return texto.empty() ? "  °  '  \"" : Dado(texto);
}

}  // namespace

std::string FormatarValor(std::string_view padrao, double valor) {
  return toolkit::FormatarNumero(padrao, valor, ',');
}

void PularLinhas(std::string& texto, int n) {
  for (int i = 0; i <= n; ++i) texto += "<TR>";
}

std::string MontarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& r,
                            const TFiguraRelatorio& figura, const std::string& cabecalho,
                            const std::string& data) {
  const TPrecipitacaoExponencialNegativa& chuva = modelo.Nimbora.Precipitacao();
  const TUnidadesCustom& u = modelo.Unidades;
  const std::string titulo = TituloRelatorio;
  const auto declividade = [&](double mm) { return FormatarValor("0.0######", mm * u.FatorDeclividade); };

  std::string t;
  // Header
  t += "<HTML>";
  t += "<HEAD>";
  t += "<META NAME=\"Author\" CONTENT=\"Equipe Caudalente\">";
  t += "<TITLE>" + titulo + "</TITLE>";
  t += "</HEAD>";
  t += "<TABLE COLS=2 WIDTH=\"100%\" >";
  t += "<TD><FONT FACE=\"Arial\" COLOR=\"#000099\" SIZE=-2>Relatório emitido em " +
       toolkit::EscaparHtml(data) + " </FONT></TD>";
  t += "<TD align=\"right\"><FONT FACE=\"Arial\" COLOR=\"#000099\" SIZE=-2>" + std::string(EnderecoProduto) +
       "</FONT></TD>";
  t += "</TABLE>";
  t += "<P>";
  t += "<CENTER><IMG SRC=\"" + toolkit::EnderecoDeArquivo(cabecalho) + "\" HEIGHT=67 WIDTH=550></CENTER>";
  t += "<HR>";
  t += "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">";
  t += "<CENTER><FONT FACE=\"Arial\" SIZE=3><B>RELATÓRIO</B></FONT></CENTER>";
  t += "<CENTER><FONT FACE=\"Arial\" SIZE=3><B>" + titulo + "</B></FONT></CENTER>";
  t += "<HR>";
  t += "<P>";
  t += "<FONT FACE=\"Arial\" SIZE=2><B>I. DADOS DE ENTRADA</B></FONT>";

  // 1. Storm and location; this table stays open until the footer.
  t += "<TABLE COLS=3 WIDTH=\"100%\" ><FONT FACE=\"Arial\" SIZE=2>";
  t += "<TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>1. Parâmetros da equação de chuvas intensas</B></TD>";
  t += "</TR>";
  PularLinhas(t, 1);
  t += std::string(kRecuo) + "K: </B>" + FormatarValor("#.0######", chuva.K()) + "</TD>";
  t += "<TD><B>a: </B>" + FormatarValor("#0.0######", chuva.A()) + "</TD>";
  t += "<TD><B>b: </B>" + FormatarValor("#0.0#####", chuva.B()) + "</TD>";
  t += "</TR>";
  PularLinhas(t, 1);
  t += std::string(kRecuo) + "c: </B>" + FormatarValor("#0.0######", chuva.C()) + "</TD>";
  t += "<TD><B>T: </B>" + FormatarValor("0.0#", chuva.Tr()) + " anos</TD>";
  t += "<TD><B>Latitude: </B>" + Coordenada(modelo.Nimbora.Latitude) + "</TD>";
  t += "</TR>";
  PularLinhas(t, 1);
  t += std::string(kRecuo) + "Estado: </B>" + Dado(modelo.Nimbora.StrEstado) + "</TD>";
  t += "<TD><B>Localidade: </B>" + Dado(modelo.Nimbora.StrCidade) + "</TD>";
  t += "<TD><B>Longitude: </B>" + Coordenada(modelo.Nimbora.Longitude) + "</TD>";
  t += "</TR>";

  // 2. Channel
  PularLinhas(t, 3);
  t += "<TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>2. Canal</B></TD>";
  t += "</TR>";
  PularLinhas(t, 1);
  t += std::string(kRecuo) + "Declividade: </B>" + declividade(modelo.Canal.Sc()) + " " +
       u.UnidadeDeclividade + "</TD>";
  t += "<TD><B>Sm: </B>" + declividade(modelo.Canal.Sm.Valor) + "  " + u.UnidadeDeclividade + "</TD>";
  t += "<TD><B>Rugosidade: </B>" + FormatarValor("0.0######", modelo.Canal.nc.Valor) + "</TD>";
  t += "</TR>";

  // 3. Hillslope: a regular one shows its one segment.
  const TEncostaCinematicaSecoes& encosta = modelo.Encosta;
  PularLinhas(t, 3);
  if (encosta.Regular)
    t += "<TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>3. Encosta: regular</B></TD>";
  else
    t += "<TD COLSPAN=\"3\">&nbsp;&nbsp;&nbsp; <B>3. Encosta: " + std::to_string(encosta.Count()) +
         " trechos</B></TD>";
  t += "</TR>";
  const int trechos = encosta.Regular ? std::min(1, encosta.Count()) : encosta.Count();
  for (int i = 0; i < trechos; ++i) {
    const TEncostaCinematica& trecho = encosta.Trechos(i);
    PularLinhas(t, 1);
    t += std::string(kRecuo) + std::to_string(i + 1) + ") Declividade: </B>" + declividade(trecho.St()) +
         " " + u.UnidadeDeclividade + "</TD>";
    t += "<TD><B>Comprimento: </B>" + std::to_string(trecho.Comprimento()) + " m</TD>";
    t += "<TD><B>Rugosidade: </B>" + FormatarValor("0.0######", trecho.nt.Valor) + "</TD>";
    t += "<TD><B>Tie: </B>" + FormatarValor("0", trecho.VIB() * u.FatorVI) + " " + u.UnidadeVI + "</TD>";
    t += "</TR>";
  }

  // Results
  PularLinhas(t, 5);
  t += "<TD><FONT FACE=\"Arial\" SIZE=3><B>II. RESULTADOS</B></FONT></TD>";
  PularLinhas(t, 1);
  t += std::string(kResultado) + "1. Vazão máxima: </B>" + FormatarValor("0.0#", r.VazaoMaxima) +
       (r.PorMetro ? " L/s.m" : " L/s") + "</FONT></TD>";
  t += "</TR>";
  PularLinhas(t, 2);
  t += std::string(kResultado) + "2. Tempo de ocorrência: </B>" + FormatarValor("0.0#", r.TempoPico) +
       " min</FONT></TD>";
  t += "</TR>";
  PularLinhas(t, 2);
  t += std::string(kResultado) + "3. Volume de escoamento superficial: </B>" +
       FormatarValor("0.0#", r.Volume) + (r.PorMetro ? " L/m" : " L") + "</FONT></TD>";
  t += "</TR>";
  PularLinhas(t, 2);
  t += std::string(kResultado) + "4. Profundidade máxima: </B>" + FormatarValor("0.0", r.Profundidade) +
       " cm</FONT></TD>";
  t += "</TR>";
  PularLinhas(t, 2);
  t += std::string(kResultado) + "5. Velocidade máxima: </B>" + FormatarValor("0.0", r.Velocidade) +
       " cm/s</FONT></TD>";
  t += "</TR>";

  // Footer with the chart
  t += "<TD COLSPAN=\"3\"><CENTER>&nbsp;</CENTER></TD></TR></TABLE></FONT>&nbsp;";
  t += "<TABLE WIDTH=\"100%\" ><FONT FACE=\"Arial\" SIZE=2>";
  PularLinhas(t, 1);
  t += "<TD VALIGN=TOP>";
  t += "<CENTER><B>" + toolkit::EscaparHtml(figura.Legenda) + "</B></CENTER>";
  t += "<CENTER><IMG SRC=\"" + toolkit::EnderecoDeArquivo(figura.Arquivo) +
       "\" HEIGHT=" + Dimensao(figura.Altura) + " WIDTH=" + Dimensao(figura.Largura) + "></CENTER>";
  t += "</TD></TR></TABLE></FONT><P><HR></BODY></HTML>";
  return toolkit::Utf8ParaWin1252(t);
}

std::string BytesDaFigura(const QImage& figura) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  if (!figura.save(&bytes, "BMP")) return {};
  return bytes.data().toStdString();
}

QString ArquivoCabecalho() {
  const QDir programa(QString::fromStdString(PastaDoPrograma()));
  const QString aoLado = programa.filePath(QStringLiteral("Cabecalho.jpg"));
  const QString instalado = programa.filePath(QStringLiteral(CAUDALENTE_DADOS_INSTALADOS "/Cabecalho.jpg"));
  return QFileInfo::exists(aoLado) || !QFileInfo::exists(instalado) ? aoLado : QDir::cleanPath(instalado);
}

QString ArquivoFiguraRelatorio() {
  const QString pasta = toolkit::gui::PastaParaGravar(QString::fromStdString(PastaDoPrograma()));
  return QDir(pasta).filePath(QStringLiteral("Bit2.bmp"));
}

bool GerarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& resultados,
                    const QImage& figura, const QString& legenda, std::string& texto) {
  try {
    if (figura.isNull()) return false;
    const QString arquivo = ArquivoFiguraRelatorio();
    const std::string bmp = BytesDaFigura(figura);
    if (bmp.empty() || toolkit::SubstituirArquivo(arquivo.toStdString(), bmp) != 0) return false;
    const TFiguraRelatorio f{QFileInfo(arquivo).absoluteFilePath().toStdString(), figura.height(),
                             figura.width(), legenda.toStdString()};
    texto =
        MontarRelatorio(modelo, resultados, f, ArquivoCabecalho().toStdString(), toolkit::DataCurtaDeHoje());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
