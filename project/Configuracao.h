#pragma once
// The application settings file "Caudalente.ini": section "CAUDALENTE" with
// the file's Versao, the unit settings in "UNIDADES" (as in a project file)
// and the four most recent projects as "path1".."path4" of "PRINCIPAL", most
// recent first; the numerical method of traces as "MetodoNumerico" of
// "CAUDALENTE". Other sections and keys of the file (chart settings) are kept.
#include <array>
#include <string>

#include "model/hillslope/uMetodoNumerico.h"
#include "project/Unidades.h"

class TConfiguracao {
 public:
  using TRecentes = std::array<std::string, 4>;

  explicit TConfiguracao(std::string Caminho) : caminho_(std::move(Caminho)) {}

  const std::string& Caminho() const { return caminho_; }

  // Start-up. A file whose Versao is "0" is ignored: default units, the list
  // left as it is, false. Otherwise (a missing file too) the units are read
  // (a missing or invalid section gives the defaults) and the list replaced
  // by the file's entries (missing ones empty); true.
  bool Ler(TUnidades& Unidades, TRecentes& Recentes) const;

  // After the units dialog: the units alone. Throws toolkit::EArquivoIni when
  // the file cannot be written.
  void GravarUnidades(const TUnidades& Unidades) const;

  // When the program closes: Versao "1", the units and the list. Throws
  // toolkit::EArquivoIni when the file cannot be written.
  void Gravar(const TUnidades& Unidades, const TRecentes& Recentes) const;

  // The method of the window's traces: "original" (also a missing key, an
  // unknown value and a file set aside by Versao "0", so old settings keep
  // their results) or "convergido". Gravar leaves the key as it is;
  // GravarMetodo throws toolkit::EArquivoIni when the file cannot be written.
  TMetodoNumerico LerMetodo() const;
  void GravarMetodo(TMetodoNumerico Metodo) const;

 private:
  std::string caminho_;
};

// The look of a chart as the settings section "TCHART" + suffix keeps it.
// Colours are Windows colour values (0x00BBGGRR; a high byte FF marks a
// system colour, 536870912 the chart's own default colour).
struct TFonteGrafico {
  int Cor = 0;
  std::string Nome = "Arial";
  int Tamanho = 8;
  bool Negrito = false, Italico = false, Sublinhado = false, Riscado = false;
};

struct TEixoGrafico {
  std::string Titulo;
  std::string Formato;
  bool Grade = false;
  bool Automatico = true;
  double Maximo = 100;
  double Minimo = 0;
  // The title's font, while the window lasts (not kept in the file).
  bool FonteDefinida = false;
  TFonteGrafico Fonte{};
};

struct TConfigGrafico {
  bool TituloVisivel = false;
  TFonteGrafico FonteTitulo{16711680};
  std::string Titulo;  // not kept in the file: each window sets its own
  bool GradienteVisivel = true;
  int GradienteFim = 13750691;     // RGB (163, 209, 209)
  int GradienteInicio = 16777215;  // white
  int CorGrafico = -16777201;      // the system's button face
  bool ParedeSolida = true;
  int CorParede = 536870912;
  TEixoGrafico EixoX{"Tempo (min)", "0"};
  TEixoGrafico EixoY{"Vazão (L/s)", "0.0#"};
  bool Visao3D = false;
  int Zoom = 100, Rotacao = 100, Elevacao = 100, Profundidade = 100;
  bool LegendaVisivel = false;
  TFonteGrafico FonteLegenda;
  int PosicaoLegenda = 3;  // 0 top, 1 bottom, 2 left, 3 right
};

// Reads the section "TCHART" + Sufixo of the file into Config, key by key;
// a missing file, section or key leaves the default of that key. The axis
// limits are read only for a scale that is not automatic, and a legend
// position other than 0..3 leaves the one Config had.
void CarregarGrafico(const std::string& Arquivo, const std::string& Sufixo, TConfigGrafico& Config);
// Writes every key of the section. Throws toolkit::EArquivoIni when the file
// cannot be written.
void SalvarGrafico(const std::string& Arquivo, const std::string& Sufixo, const TConfigGrafico& Config);
