#pragma once
// Rainfall IDF database: the 27-state table, the station and locality files,
// coordinate texts and the inverse-distance interpolation of the equation
// i = K * Tr^a / (t + b)^c (i in mm/h, Tr in years, t in min).
//
// Coordinate text: "DD°MM'SS\"" (nine characters on disk, Windows-1252),
// degrees south and west written as positive numbers.
// Interpolation: w_i = 1 / d_i^5, d_i = sqrt(dLon^2 + dLat^2) in plain degrees.
//
// On disk every text is Windows-1252; in memory every text is UTF-8.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "idf/AjusteIdf.h"

// A database file is missing.
class EArquivoNaoExiste : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A state index outside 0..26.
class ENumeroEstado : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A database file that is shorter than its counts, holds a text longer than
// its field, a coefficient that is not a finite number or a coordinate text
// that cannot be read: reported, naming the file and the record, instead of
// reading past the data or letting a non-number into lists and interpolation.
class EArquivoCorrompido : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Interpolation without any station with coordinates in the eight states.
class EInterpolacao : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int NumeroEstados = 27;

// The 27 federative units in alphabetical order; the index is the state's
// number in the files, in the query window's list and in projects.
extern const std::array<const char*, NumeroEstados> NomesEstados;

// Two-letter codes in the same order ("AC" ... "TO").
extern const std::array<const char*, NumeroEstados> SiglasEstados;

// States whose stations take part in the interpolation, in visiting order:
// Bahia, Espírito Santo, Goiás, Minas Gerais, Paraná, Rio de Janeiro,
// São Paulo, Tocantins.
extern const std::array<int, 8> EstadosInterpolacao;

class TEstado {
 public:
  TEstado() = default;
  int16_t Indice() const { return indice_; }
  // Throws ENumeroEstado outside 0..26 and keeps the previous index.
  void SetIndice(int16_t i);
  std::string Nome() const { return NomesEstados[static_cast<std::size_t>(indice_)]; }

 private:
  int16_t indice_ = 0;
};

// Station record: 152 bytes on disk (name 68, four doubles, source 30,
// latitude 9, longitude 9; capacities of the short strings).
struct TEstacao {
  std::string Nome;
  double K = 0.0;
  double a = 0.0;
  double b = 0.0;
  double c = 0.0;
  std::string Fonte;
  std::string Latitude;
  std::string Longitude;
};

// Locality record: 89 bytes on disk (name 68, latitude 9, longitude 9).
struct TLocalidade {
  std::string Nome;
  std::string Latitude;
  std::string Longitude;
};

// Sizes and capacities of the packed records.
constexpr std::size_t TamanhoEstacao = 152;
constexpr std::size_t TamanhoLocalidade = 89;
constexpr std::size_t CapacidadeNome = 68;
constexpr std::size_t CapacidadeFonte = 30;
constexpr std::size_t CapacidadeCoordenada = 9;

extern const char* const ArquivoEstados;      // "Estados_Nim21.bin"
extern const char* const ArquivoLocalidades;  // "Localidades_Nim21.bin"
extern const char* const FonteInterpolacao;   // "Interpolação"

// Folder of the running program, from /proc/self/exe, ending with '/'.
std::string PastaDoPrograma();

// The database folder, without resolving the "..": the program's folder +
// "../Arquivos Comuns/" (the build tree), or + "../share/caudalente/Arquivos
// Comuns/" once installed. The state maps live there too.
std::string PastaBancoDados();

// The three checks made before the query window opens, in order: the folder,
// the station file, the locality file. Each failure throws std::runtime_error
// with its own message.
void LocalizarBancoDados(const std::string& pasta = PastaBancoDados());

// Decimal degrees of a coordinate text: D + (M + S/60)/60 from characters
// 1-2, 4-5 and 7-8. A pair that is not a number throws
// toolkit::EConversaoInvalida ("'xx' não é um valor inteiro válido").
double TextoParaGraus(const std::string& texto);

// Whether a coordinate text is the empty coordinate (blanks in place of the
// digits, the three marks kept): a record without coordinates.
bool CoordenadaVazia(const std::string& texto);

enum class TEixoCoordenada { Latitude, Longitude };

// Checks a coordinate text typed by the user, whole: two digits of degrees,
// the degree sign ("°", or "º" as Brazilian keyboards type it), two digits of
// minutes, "'", two digits of seconds, the seconds mark """ and nothing
// after it; degrees up to 90 (latitude) or 180 (longitude), the whole angle
// included, minutes and seconds below 60. Returns an empty text when the
// coordinate is valid, otherwise the reason as a Portuguese sentence that
// quotes the text with its control characters replaced. A text it accepts
// always converts with TextoParaGraus.
std::string VerificarCoordenada(const std::string& texto, TEixoCoordenada eixo);

// The inverse by truncation (seconds are cut, not rounded); each part written
// with at least two digits and cut to two. Meant for 0 <= valor < 100.
std::string GrausParaTexto(double valor);

// Order of names in the files and in the query window's lists: letters
// compared without case and accents, ties broken by the plain bytes.
bool NomeAntes(const std::string& a, const std::string& b);

class TBDPrecipitacao {
 public:
  // pasta: the database folder, ending with '/'.
  explicit TBDPrecipitacao(std::string pasta = PastaBancoDados());

  const std::string& Pasta() const { return pasta_; }

  // Reads the station file whole. Throws EArquivoNaoExiste when it is missing
  // and EArquivoCorrompido when it is shorter than its counts, a text is
  // longer than its field, or a station has a K, a, b or c that is not a
  // finite number or a coordinate text that is neither readable nor the empty
  // coordinate (the message names the file, the state and the station); the
  // lists are left empty then. Positions in the lists stay those of the
  // file, which projects store.
  void LerEstados();

  // Replaces the locality list with the list of one state. Throws
  // ENumeroEstado, EArquivoNaoExiste or EArquivoCorrompido (list left empty;
  // an unreadable coordinate text of the state's localities is named too).
  void LerLocalidades(int estado);

  // Throws ENumeroEstado outside 0..26.
  const std::vector<TEstacao>& Estacoes(int estado) const;
  const std::vector<TLocalidade>& Localidades() const { return localidades_; }

  // The station with exactly these coordinate texts (or at distance zero) of
  // the eight interpolation states, or the inverse-fifth-power mean over
  // their stations with coordinates (the empty coordinate takes no part):
  // empty name, source "Interpolação", the query texts. Throws EInterpolacao
  // when those states hold no such station.
  TEstacao Interpolar(const std::string& latitude, const std::string& longitude) const;

  // The stations Interpolar uses at a point and their weights (not
  // normalised): the one station at that very place with weight 1, or every
  // station with coordinates of the eight states with 1/d^5. `excluida`
  // takes no part (leave-one-out checks). Throws EInterpolacao as Interpolar.
  std::vector<std::pair<const TEstacao*, double>> PesosInterpolacao(const std::string& latitude,
                                                                    const std::string& longitude,
                                                                    const TEstacao* excluida = nullptr) const;
  // The second estimate: the intensities of those stations' equations
  // averaged with the same weights on the fit's grid, and the equation
  // fitted to them with the fit's error. At a station, its own equation.
  TAjusteIdf InterpolarIntensidades(const std::string& latitude, const std::string& longitude,
                                    const TEstacao* excluida = nullptr) const;

 private:
  std::string pasta_;
  std::array<std::vector<TEstacao>, NumeroEstados> estacoes_;
  std::vector<TLocalidade> localidades_;
};
