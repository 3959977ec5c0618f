#include "model/channel/uTracado.h"

#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"

std::unique_ptr<TCaudalente> TracarCaudalente(TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                                              TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha,
                                              int Coluna, double ComprimentoEncosta,
                                              const TProgressoTracado& Progresso, bool SoUltimoTrecho,
                                              TMetodoNumerico Metodo, bool* Convergiu, TErroEstimado* Erro) {
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
  if (Erro) *Erro = TErroEstimado{};
  TEncostaConvergida encostaConvergida;
  std::unique_ptr<TCaudalente> resultado =
      convergido ? encostaConvergida.CalcularCaudalente(*encosta, Linha, Chuva, Progresso.TempoEncosta,
                                                        Progresso.Trecho)
                 : encosta->CalcularCaudalente(Linha, Chuva, Progresso.TempoEncosta, Progresso.Trecho);
  // A hillslope with no runoff runs no solver: nothing to settle.
  const TInfoConvergencia& infoEncosta = encostaConvergida.Info();
  if (convergido && infoEncosta.Nivel >= 0) {
    if (Convergiu) *Convergiu = infoEncosta.Convergiu;
    if (Erro) *Erro = infoEncosta.Erro;
  }
  if (encosta != &Encosta) Encosta.LaminaEscoada = soUltimo.LaminaEscoada;
  if (Coluna > 0) {
    const double tie = Encosta.Trechos(Encosta.Count() - 1).VIB();
    TCanalConvergido canalConvergido;
    resultado = convergido ? canalConvergido.CalcularCaudalente(Canal, Coluna, Chuva, *resultado, tie,
                                                                ComprimentoEncosta, Progresso.TempoCanal)
                           : Canal.CalcularCaudalente(Coluna, Chuva, *resultado, tie, ComprimentoEncosta,
                                                      Progresso.TempoCanal);
    const TInfoConvergencia& info = canalConvergido.Info();
    if (convergido && info.Nivel >= 0) {
      if (Convergiu) *Convergiu = *Convergiu && info.Convergiu;
      if (Erro) {
        // The channel carries the hillslope's relative errors of peak and
        // volume, and its error of time, on top of its own.
        auto relativo = [](double erro, double valor) { return valor > 0 ? erro / valor : 0.0; };
        const bool daEncosta = infoEncosta.Nivel >= 0;
        Erro->Pico =
            info.Erro.Pico + (daEncosta ? relativo(infoEncosta.Erro.Pico, infoEncosta.Pico) : 0) * info.Pico;
        Erro->Volume = info.Erro.Volume +
                       (daEncosta ? relativo(infoEncosta.Erro.Volume, infoEncosta.Volume) : 0) * info.Volume;
        Erro->TempoPico = info.Erro.TempoPico + (daEncosta ? infoEncosta.Erro.TempoPico : 0);
      }
    }
  }
  // The straightening is for the original scheme's wiggles. A converged
  // recession that rises again does so for real (a second wave reaching the
  // foot), and a straight line from there to the last trickle would swell
  // the volume several times over.
  if (!convergido) resultado->SuavizarRecessao();
  return resultado;
}
