#pragma once
// The HTML results report of a traced hydrograph: the storm's IDF
// coefficients and location, the channel, the hillslope segments, the five
// results of the chart window and the chart picture. The page is one line of
// Windows-1252 text that declares no character set; the pictures are
// referenced by their paths, percent-encoded. Names and coordinates are text,
// never markup.
#include <QImage>
#include <QString>
#include <string>
#include <string_view>

class TNimbora21;
class TEncostaCinematicaSecoes;
class TCanalGradienteCustom;
class TUnidadesCustom;

// The live model objects the report reads.
struct TModeloRelatorio {
  const TNimbora21& Nimbora;
  const TEncostaCinematicaSecoes& Encosta;
  const TCanalGradienteCustom& Canal;
  const TUnidadesCustom& Unidades;
};

// The chart window's kept values.
struct TResultadosRelatorio {
  double VazaoMaxima = 0;   // L/s (per metre of width on the hillslope)
  double TempoPico = 0;     // min
  double Volume = 0;        // L
  double Profundidade = 0;  // cm
  double Velocidade = 0;    // cm/s
  // A hillslope trace: discharge and volume per metre of width (L/s.m, L/m).
  bool PorMetro = false;
};

// The chart picture as the page refers to it.
struct TFiguraRelatorio {
  std::string Arquivo;  // path, UTF-8: absolute, or relative to the page's folder
  int Altura = 0;       // pixels
  int Largura = 0;
  std::string Legenda;  // caption of the chart window, UTF-8
};

extern const char* const TituloRelatorio;  // "Caudalente do escoamento superficial em áreas agrícolas"
extern const char* const EnderecoProduto;  // web address in the page header

// Pattern text of the value with a decimal comma whatever the locale.
std::string FormatarValor(std::string_view padrao, double valor);
// Appends n + 1 row openings.
void PularLinhas(std::string& texto, int n);

// The whole page in Windows-1252. `cabecalho` is the banner's absolute path
// (UTF-8); `data` today's date in the short date format.
std::string MontarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& resultados,
                            const TFiguraRelatorio& figura, const std::string& cabecalho,
                            const std::string& data);

// The chart picture as a BMP file holds it; empty when it cannot be encoded.
std::string BytesDaFigura(const QImage& figura);

// "Cabecalho.jpg" in the program's folder (the build tree), else in the
// installed data folder when it is there.
QString ArquivoCabecalho();
// "Bit2.bmp" in the program's folder, or in the user's data folder when the
// program's folder cannot be written.
QString ArquivoFiguraRelatorio();
// The 550 × 67 banner of the page.
QImage DesenharCabecalho();

// Saves the chart picture as "Bit2.bmp" and builds the page into `texto`.
// False (texto untouched, no message) when the picture is empty or cannot be
// written, or anything else fails on the way.
bool GerarRelatorio(const TModeloRelatorio& modelo, const TResultadosRelatorio& resultados,
                    const QImage& figura, const QString& legenda, std::string& texto);
