#pragma once
// One trace of a hydrograph, as the tracing page and the calculator run it:
// the hillslope at line Linha (segments chained from the top), and for a
// channel column the channel fed laterally by that hillslope hydrograph; the
// original scheme's recession is then smoothed (SuavizarRecessao). Both
// callers share this so their numbers cannot drift apart.
// Time in min, discharge in L/s (per metre of width on the hillslope).
#include <cstdint>
#include <memory>

#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "model/hillslope/uMetodoNumerico.h"
#include "model/hillslope/uPrecipitacao.h"
#include "model/uConvergencia.h"

// Progress boxes of a trace; any of them may be nullptr.
struct TProgressoTracado {
  IProgresso* TempoEncosta = nullptr;
  IProgresso* Trecho = nullptr;
  IProgresso* TempoCanal = nullptr;
};

// Coluna 0 traces the hillslope itself; Coluna >= 1 the channel, with Tie the
// infiltration rate of the last segment and ComprimentoEncosta (m) the whole
// hillslope length. SoUltimoTrecho computes the last segment alone, as a
// regular hillslope: the segments above it may be left over from an
// irregular one while the regular form is the one in use. Errors of the
// solvers pass through unchanged; a result with fewer than 3 points means
// there was no runoff at that place. Convergiu, when given, tells whether
// the converged solvers settled (always true for the original scheme); Erro,
// when given, gets their estimated error (infinite with the original
// scheme); in the channel it adds the hillslope's, in proportion.
std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso, bool SoUltimoTrecho = false,
                                              TMetodoNumerico Metodo = TMetodoNumerico::Original,
                                              bool* Convergiu = nullptr, TErroEstimado* Erro = nullptr);

// Refuses, before anything is computed, a trace that cannot finish: one of
// the original scheme's series (a point per time step, on the hillslope and
// in the channel) would pass the 65,535 points a series holds, or the
// converged method's run would outlast convergencia::kDuracaoMaxima. The rainfall
// excess alone decides it: the outlet stays wet from the time the initial
// abstraction is filled to the end of excess, so a point a step is the
// least a run adds. Throws EEncostaCinematica (ECanal for the channel's
// series) with a message that says what to change. A segment whose times
// cannot be told (no runoff, a storm that cannot be evaluated) passes: its
// solver reports it as before. TracarCaudalente calls it first. Returns the
// latest end of rainfall excess (min) over those segments, which the
// progress boxes expect; NaN when no segment has runoff.
double VerificarDuracao(const TEncostaCinematicaSecoes& Encosta,
                        const TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha, int Coluna,
                        TMetodoNumerico Metodo);

// What the user is told when the converged method stopped on its CPU budget
// before the estimated errors of the peak, its time and the volume fell
// below the tolerances (*Convergiu false).
inline constexpr const char* kMetodoNaoConvergiu =
    "O método convergido parou antes que os erros estimados do pico, do tempo de pico e do volume "
    "ficassem abaixo de 0,1 % (0,01 min para o tempo), porque o refinamento seguinte passaria do "
    "limite de 2 s de processamento. O resultado é o do último refinamento calculado.";
