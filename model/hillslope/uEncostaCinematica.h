#pragma once
// Kinematic wave on a strip 1 m wide: q = alfa * h^(5/3), alfa = sqrt(St) / nt,
// dh/dt + dq/dx = e, e = I(t) - VIB (rainfall excess), after the initial
// abstraction has been filled. Depths in m, q in m2/s and e in m/s inside the
// loop; t in min; intensities in mm/h; the result series is in L/s per metre
// of width. An irregular hillslope is a chain of such planes, each fed at its
// top by the outflow of the one above.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uPrecipitacao.h"
#include "model/hillslope/uTerreno.h"

namespace toolkit {
class TArquivoIni;
}

// Errors of the hillslope computation and of its project-file sections, with
// the message the user sees.
class EEncostaCinematica : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// I(0) = K·Tr^A / B^C, mm/h, the storm's peak intensity (0^x counts as 0; a
// zero B makes it unbounded, +inf).
double IntensidadeMaxima(const TPrecipitacaoExponencialNegativa& Chuva);

// Texts both hillslope solvers (original and converged) give.
namespace mensagens_encosta {
// Appended to the messages of failures the user cannot fix by editing data.
extern const char* const kContato;
extern const char* const kErroNoLaco;  // "Ocorreu um erro quando calculando o caudalente na encosta."
extern const char* const kAlfaInvalido;
const char* Comprimento(const std::string& Versao);  // a length <= 0
// No runoff on a one-segment hillslope (Versao "1"): the storm's peak is below
// VIB, or the abstraction fills after the end of excess.
std::string TieMaiorQueIntensidade(double VIB);
std::string AbstracaoDepoisDoFim(double VIB);
// What a failure inside a solver's time loop tells the user besides
// kErroNoLaco: the model's own texts name the value or step that failed; a
// library's text (English, internal) never reaches the user.
std::string MotivoDoErro(const std::exception& e);
}  // namespace mensagens_encosta

// Time (min) at which the instantaneous intensity falls to Tie (mm/h): the end
// of rainfall excess. When the storm's peak is not above Tie, Versao "1"
// throws the no-runoff message and any other Versao returns 0. Throws the
// convergence message when Newton does not settle within 200 steps.
double TempoFinalEscoamento(const TPrecipitacaoExponencialNegativa& Chuva, const std::string& Versao,
                            double Tie);

// Time (min) at which the cumulative rain reaches the terrain's initial
// abstraction; 0 when Newton does not settle, +inf when the storm never fills
// it. Throws EErroAritmetico (with the storm's message) when the storm cannot
// be evaluated at all.
double TempoAbstracaoInicial(const TTerreno& Terreno, const TPrecipitacaoExponencialNegativa& Chuva);

// A plane hillslope or one segment of an irregular hillslope: the ground plus
// its length. Project-file sections: those of TTerreno and "Encosta" + Sufixo.
class TEncostaCinematicaCustom : public TTerreno {
 public:
  TEncostaCinematicaCustom();
  explicit TEncostaCinematicaCustom(const std::string& Sufixo);

  // The terrain's Limpar, then LaminaEscoada = 0, Comprimento = 0, Versao "1".
  void Limpar();
  // Also copies Comprimento and Versao when Origem is a hillslope piece;
  // never Sufixo or LaminaEscoada.
  void Assign(const TTerreno& Origem) override;

  // Terrain first, then "Comprimento" of "Encosta" + Sufixo (a negative length
  // fails). The writer stores Versao and Comprimento.
  bool LerArquivo(const std::string& NomeArquivo);
  bool GravarArquivo(const std::string& NomeArquivo);  // false when the file cannot be written
  // The same on a file the owner holds open; nothing is saved.
  bool LerSecoes(const toolkit::TArquivoIni& Ini);
  void GravarSecoes(toolkit::TArquivoIni& Ini) const;

  int Comprimento() const { return FComprimento; }  // m along the slope
  // Throws EEncostaCinematica (message by Versao) for n < 0; 0 is stored.
  void SetComprimento(int n);

  // Grid of a run: N cells of DeltaX m, N * DeltaX = Comprimento. Counted in
  // 64 bits: the longest piece has 2 * 2^31 lines, beyond what a run accepts.
  int64_t NumeroLinhas() const;  // 100 up to 50 m, else 2 * Comprimento
  double DeltaX() const;         // Comprimento / 100, at most 0.5 m
  double DeltaT() const;         // min, by VIB: 0.35 (<= 10) ... 0.10 (> 120)
  double Alfa() const;           // sqrt(St) / nt, s^-1 m^(1/3)

  // "1": a hillslope of the older single-piece layout (no-runoff messages, dry
  // outlet ends the run); "2": a piece of the segment list.
  std::string Versao = "1";
  double LaminaEscoada = 0;  // m, runoff depth of the last run

 private:
  int FComprimento = 0;
};

class TEncostaCinematica : public TEncostaCinematicaCustom {
 public:
  using TEncostaCinematicaCustom::TEncostaCinematicaCustom;

  // Hydrograph at the lower end of cell Linhas (1 <= Linhas <= NumeroLinhas),
  // always with Local = 1 (SemEscoamento set when a Versao "1" piece finds no
  // runoff and has told the user). Entrada is the hydrograph entering at the top
  // (nullptr or empty: none); its Alfa and Expoente are set to this piece's.
  // Progresso (may be nullptr) shows the simulated time every 23 steps. The
  // points are one step apart, from the time the initial abstraction is
  // filled to a closing zero; the series is empty when there is no runoff or
  // it has fewer than 3 points.
  // Throws EEncostaCinematica when the run fails or would pass the 65,535
  // points a series can hold. The storm is only read, so runs on other
  // threads may share it.
  std::unique_ptr<TCaudalente> CalcularCaudalente(const TPrecipitacaoExponencialNegativa& Chuva,
                                                  TCaudalente* Entrada, IProgresso* Progresso, int Linhas);
};

// The hillslope as a chain of at most 255 planes, index 0 at the top. A regular
// hillslope is a list of one. Positions keep their objects: Inserir and Excluir
// move values, only the last object is created or freed.
class TEncostaCinematicaSecoes {
 public:
  static constexpr int MaximoTrechos = 255;
  // Lines a computation accepts: the line selector and the series count in 16 bits.
  static constexpr int64_t MaximoLinhas = 65535;

  TEncostaCinematicaSecoes() = default;
  explicit TEncostaCinematicaSecoes(const std::string& sufixo) : Sufixo(sufixo) {}
  TEncostaCinematicaSecoes(const TEncostaCinematicaSecoes&) = delete;
  TEncostaCinematicaSecoes& operator=(const TEncostaCinematicaSecoes&) = delete;

  int Count() const { return static_cast<int>(FTrechos.size()); }
  TEncostaCinematica& Trechos(int i) { return *FTrechos.at(static_cast<std::size_t>(i)); }
  const TEncostaCinematica& Trechos(int i) const { return *FTrechos.at(static_cast<std::size_t>(i)); }

  // Frees every segment, Regular := false; Sufixo and LaminaEscoada stay.
  void Limpar();
  // New segments get the list's Sufixo and Versao "2"; surplus ones are freed.
  // n outside 0..255 throws EEncostaCinematica.
  void SetCount(int n);
  // Sum of the segments' NumeroLinhas, in 64 bits so that no length wraps it;
  // at most MaximoLinhas for a hillslope that can be computed.
  int64_t SomaLinhas() const;
  // Throws EEncostaCinematica, naming the segment, when SomaLinhas exceeds
  // MaximoLinhas. CalcularCaudalente checks it first.
  void VerificarLinhas() const;
  // Removes position Indice (0-based); nothing on an empty list.
  void Excluir(int Indice);
  // Copies Trecho's values into a new position Indice (0..Count); sets
  // Trecho.Versao to "2". The caller keeps Trecho.
  void Inserir(TEncostaCinematica& Trecho, int Indice);

  // Section "Encosta" + Sufixo holds the layout marker and Count; segment k
  // (1-based) uses the suffix Sufixo + ": Trecho " + k. Reading the older
  // layout ("Versao" = "1") gives one segment read from the list's own
  // sections. Reading throws EEncostaCinematica for an unknown layout (list
  // unchanged) or an unreadable segment (list emptied), and is false (list
  // emptied) when Count is missing or outside 0..255: a damaged file, never a
  // count taken modulo anything. Writing returns false when anything could
  // not be stored.
  bool LerArquivo(const std::string& NomeArquivo);
  bool GravarArquivo(const std::string& NomeArquivo);
  // The same on a file its owner holds open (nothing is saved). Writing sets
  // every segment's Versao to "2".
  bool LerSecoes(const toolkit::TArquivoIni& Ini);
  void GravarSecoes(toolkit::TArquivoIni& Ini);

  // Hydrograph at line Linha (1..SomaLinhas) of the whole hillslope: the
  // segments run from the top, each fed by the outflow of the one above.
  // Lamina of the result and LaminaEscoada are volume per metre of width over
  // the contributing length (m). ProgressoTrecho shows the segment number.
  // The result's SemEscoamento tells that a Versao "1" piece found no runoff
  // (the series is then empty).
  std::unique_ptr<TCaudalente> CalcularCaudalente(uint16_t Linha,
                                                  const TPrecipitacaoExponencialNegativa& Chuva,
                                                  IProgresso* ProgressoTempo, IProgresso* ProgressoTrecho);

  // The segments down to line Linha, top first, as both hillslope solvers
  // walk them: ProgressoTrecho shows each one's number, then
  // visita(trecho, linhas, comprimento) gets the lines of it down to Linha
  // and their length (m; in the grid's own terms, 0.5-m lines above 50 m).
  template <class FVisita>
  void PercorrerAteLinha(uint16_t Linha, IProgresso* ProgressoTrecho, FVisita visita) {
    int d = Linha;  // line still to reach, counted from the top of the current segment
    const int64_t soma = SomaLinhas();
    for (int i = 0; i < Count(); ++i) {
      if (ProgressoTrecho) {
        ProgressoTrecho->Mostrar(std::to_string(i + 1));
        ProgressoTrecho->ProcessarMensagens();
      }
      if (d == 0 || d > soma) break;
      TEncostaCinematica& trecho = *FTrechos[static_cast<std::size_t>(i)];
      // Within the limit VerificarLinhas has checked.
      const int n = static_cast<int>(trecho.NumeroLinhas());
      if (n < d) {
        visita(trecho, n, trecho.Comprimento());
        d -= n;
      } else {
        visita(trecho, d, trecho.Comprimento() > 50 ? d * 0.5 : d * trecho.Comprimento() / 100.0);
        d = 0;
      }
    }
  }

  std::string Sufixo;
  double LaminaEscoada = 0;  // m
  bool Regular = false;      // set by the data-entry window, read by the report

 private:
  std::vector<std::unique_ptr<TEncostaCinematica>> FTrechos;
};
