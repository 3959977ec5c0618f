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
// the converged solvers settled (always true for the original scheme).
std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso, bool SoUltimoTrecho = false,
                                              TMetodoNumerico Metodo = TMetodoNumerico::Original,
                                              bool* Convergiu = nullptr);

// What the user is told when the converged method stopped on its cost limit
// before the peak, its time and the volume settled (*Convergiu false).
inline constexpr const char* kMetodoNaoConvergiu =
    "O método convergido parou antes que o pico, o tempo de pico e o volume variassem menos de 0,1 % "
    "entre dois refinamentos, porque o refinamento seguinte demoraria demais. O resultado é o do "
    "último refinamento calculado.";
