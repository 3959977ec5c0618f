#pragma once
// Hydrograph: discharge Q (L/s; per metre of width on a hillslope) against
// time t (min), with its statistics. Flow law q = Alfa·s^Expoente, q in m³/s,
// s the flow section (depth in m on a hillslope, area in m² in a channel).
//   Volume (L) = 30·Σ (Q_i + Q_i+1)·(t_i+1 − t_i)       (trapezoid rule, 60 s/min)
//   depth at the peak s = (Qmax / (1000·Alfa))^(1/Expoente), velocity = Qmax / (1000·s)
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/hillslope/uSerieGrafico.h"

// Errors of a hydrograph and of its files, with the message the user sees.
class ECaudalente : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TPonto {
  double Tempo;  // min
  double Vazao;  // L/s
};

class TCaudalente {
 public:
  // Turns a channel flow-section area (m²) into a flow depth (m).
  using TFuncaoProfundidade = std::function<double(double)>;

  static constexpr uint32_t MaximoPontos = 65535;  // the files hold the count in 16 bits

  TCaudalente() = default;
  explicit TCaudalente(TFuncaoProfundidade funcaoProfundidade)
      : FFuncaoProfundidade(std::move(funcaoProfundidade)) {}
  virtual ~TCaudalente() = default;

  // Releases the points; statistics, Local, Alfa, Expoente and the depth
  // function are kept.
  void Limpar();
  // Appends a point (no ordering check). Throws ECaudalente when the series
  // already holds MaximoPontos points.
  void Adicionar(double Tempo, double Vazao);
  // Room for n points, so a run with a known number of steps never reallocates.
  void Reservar(std::size_t n) { FPontos.reserve(n); }
  bool Cheio() const { return FPontos.size() >= MaximoPontos; }

  // Copies the points, Alfa, Expoente and Lamina; keeps Local, the depth
  // function and the other statistics of the target.
  void Assign(const TCaudalente& Origem);

  // All statistics. Area divides the volume into Lamina (1 gives the volume
  // itself); it must not be 0. Throws ECaudalente when Local is undefined, or
  // a channel series has no depth function.
  void Calcular(double Area);
  // Runoff volume in L; 0 with fewer than four points.
  double CalcularVolume() const;
  // Discharge at Tempo by linear interpolation on an evenly spaced series
  // whose spacing is Intervalo; 0 outside (first, last).
  double VazaoEm(double Tempo, double Intervalo) const;
  // A renewed rise during the recession is replaced by a straight decline
  // that reaches zero at the last time.
  void SuavizarRecessao();
  void PreencherSerie(ISerieGrafico& Serie) const;

  // Hydrograph files. Text: Windows-1252, CR LF, a header line and one
  // "%20.6f<TAB>%20.6f" line per point, always written with a full stop (a
  // decimal comma is read too). Binary: 0x0A "Caudalente", version, Alfa,
  // Expoente, Count, points.
  // The readers return false (after telling the user through
  // MensagensDoModelo) when the file does not exist, true when read; a file
  // that is not a hydrograph throws ECaudalente, and so does one whose values
  // are no numbers or whose statistics overflow, or whose times go back or
  // discharges are negative (no points are kept then). A negative discharge
  // within the text file's last decimal (1e-6 L/s) is rounding: it is read
  // as zero and the user is told through MensagensDoModelo.
  // Both set Local := 1 and compute the statistics with Calcular(1).
  void SalvarTexto(const std::string& NomeArquivo) const;
  std::string Texto() const;  // the text file's bytes
  bool LerTexto(const std::string& NomeArquivo);
  void SalvarBinario(const std::string& NomeArquivo) const;
  bool LerBinario(const std::string& NomeArquivo);

  uint16_t Count() const { return static_cast<uint16_t>(FPontos.size()); }
  const std::vector<TPonto>& Pontos() const { return FPontos; }
  const TPonto& Ponto(std::size_t i) const { return FPontos[i]; }
  TPonto& Ponto(std::size_t i) { return FPontos[i]; }
  bool TemFuncaoProfundidade() const { return static_cast<bool>(FFuncaoProfundidade); }
  const TFuncaoProfundidade& FuncaoProfundidade() const { return FFuncaoProfundidade; }

  // Every value the series gives its users is a number: the points, the flow
  // law, the statistics and the depth of every point (what a binary file
  // stores). Valid after Calcular.
  bool Finita() const;

  // Flow section (m on a hillslope) for a discharge in L/s by the flow law,
  // turned into a channel depth by the depth function when Local = 2; 0 when
  // Alfa, Expoente or the discharge is not positive.
  double ProfundidadeDaVazao(double Vazao) const;

  // Statistics (valid after Calcular).
  double VazaoMaxima = 0;   // L/s
  double TempoPico = 0;     // min
  double Profundidade = 0;  // m
  double Velocidade = 0;    // m/s
  double Lamina = 0;        // Volume / Area; the hillslope solvers store the runoff depth in m
  double Volume = 0;        // L

  double Alfa = 0;
  double Expoente = 0;
  uint8_t Local = 0;  // 0 undefined, 1 hillslope, 2 channel

  // Set by the hillslope solvers when a piece of the older single-piece layout
  // (Versao "1") found no runoff and has told the user so; the series is then
  // empty. Part of the result so that runs on other threads never share it.
  // Assign and Limpar leave it alone.
  bool SemEscoamento = false;

 private:
  std::vector<TPonto> FPontos;
  TFuncaoProfundidade FFuncaoProfundidade;
};
