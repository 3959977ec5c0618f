#include "model/channel/uTracado.h"

std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso) {
  std::unique_ptr<TCaudalente> resultado =
      Encosta.CalcularCaudalente(Linha, Chuva, Progresso.TempoEncosta, Progresso.Trecho);
  if (Coluna > 0) {
    const double tie = Encosta.Trechos(Encosta.Count() - 1).VIB();
    resultado =
        Canal.CalcularCaudalente(Coluna, Chuva, *resultado, tie, ComprimentoEncosta, Progresso.TempoCanal);
  }
  resultado->SuavizarRecessao();
  return resultado;
}
