#include "model/channel/uTracado.h"

#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso, bool SoUltimoTrecho,
                                              TMetodoNumerico Metodo, bool* Convergiu) {
  TEncostaCinematicaSecoes soUltimo(Encosta.Sufixo);
  TEncostaCinematicaSecoes* encosta = &Encosta;
  if (SoUltimoTrecho && Encosta.Count() > 1) {
    TEncostaCinematica ultimo;
    ultimo.Assign(Encosta.Trechos(Encosta.Count() - 1));
    soUltimo.Inserir(ultimo, 0);
    encosta = &soUltimo;
  }
  const bool convergido = Metodo == TMetodoNumerico::Convergido;
  if (Convergiu) *Convergiu = true;
  TEncostaConvergida encostaConvergida;
  std::unique_ptr<TCaudalente> resultado =
      convergido ? encostaConvergida.CalcularCaudalente(*encosta, Linha, Chuva, Progresso.TempoEncosta,
                                                        Progresso.Trecho)
                 : encosta->CalcularCaudalente(Linha, Chuva, Progresso.TempoEncosta, Progresso.Trecho);
  // A hillslope with no runoff runs no solver: nothing to settle.
  if (Convergiu && convergido && encostaConvergida.Info().Nivel >= 0)
    *Convergiu = encostaConvergida.Info().Convergiu;
  if (encosta != &Encosta) Encosta.LaminaEscoada = soUltimo.LaminaEscoada;
  if (Coluna > 0) {
    const double tie = Encosta.Trechos(Encosta.Count() - 1).VIB();
    TCanalConvergido canalConvergido;
    resultado = convergido ? canalConvergido.CalcularCaudalente(Canal, Coluna, Chuva, *resultado, tie,
                                                                ComprimentoEncosta, Progresso.TempoCanal)
                           : Canal.CalcularCaudalente(Coluna, Chuva, *resultado, tie, ComprimentoEncosta,
                                                      Progresso.TempoCanal);
    if (Convergiu && convergido && canalConvergido.Info().Nivel >= 0)
      *Convergiu = *Convergiu && canalConvergido.Info().Convergiu;
  }
  // The straightening is for the original scheme's wiggles. A converged
  // recession that rises again does so for real (a second wave reaching the
  // foot), and a straight line from there to the last trickle would swell
  // the volume several times over.
  if (!convergido) resultado->SuavizarRecessao();
  return resultado;
}
