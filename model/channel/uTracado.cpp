#include "model/channel/uTracado.h"

#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso, bool SoUltimoTrecho,
                                              TMetodoNumerico Metodo) {
  TEncostaCinematicaSecoes soUltimo(Encosta.Sufixo);
  TEncostaCinematicaSecoes* encosta = &Encosta;
  if (SoUltimoTrecho && Encosta.Count() > 1) {
    TEncostaCinematica ultimo;
    ultimo.Assign(Encosta.Trechos(Encosta.Count() - 1));
    soUltimo.Inserir(ultimo, 0);
    encosta = &soUltimo;
  }
  const bool convergido = Metodo == TMetodoNumerico::Convergido;
  std::unique_ptr<TCaudalente> resultado =
      convergido ? TEncostaConvergida().CalcularCaudalente(*encosta, Linha, Chuva, Progresso.TempoEncosta,
                                                           Progresso.Trecho)
                 : encosta->CalcularCaudalente(Linha, Chuva, Progresso.TempoEncosta, Progresso.Trecho);
  if (encosta != &Encosta) Encosta.LaminaEscoada = soUltimo.LaminaEscoada;
  if (Coluna > 0) {
    const double tie = Encosta.Trechos(Encosta.Count() - 1).VIB();
    resultado = convergido ? TCanalConvergido().CalcularCaudalente(Canal, Coluna, Chuva, *resultado, tie,
                                                                   ComprimentoEncosta, Progresso.TempoCanal)
                           : Canal.CalcularCaudalente(Coluna, Chuva, *resultado, tie, ComprimentoEncosta,
                                                      Progresso.TempoCanal);
  }
  // The straightening is for the original scheme's wiggles. A converged
  // recession that rises again does so for real (a second wave reaching the
  // foot), and a straight line from there to the last trickle would swell
  // the volume several times over.
  if (!convergido) resultado->SuavizarRecessao();
  return resultado;
}
