#include "model/channel/uTracado.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include "model/channel/uCanalConvergido.h"
#include "model/hillslope/uEncostaConvergida.h"
#include "toolkit/FormatoNumero.h"

namespace {

const char* const kOQueMudar =
    " Aumente a taxa de infiltração estável (Tie) ou reduza a intensidade da chuva (K ou o tempo de"
    " retorno) para que o escoamento termine num tempo razoável.";

// "de t = 0,39 a t = 25000 min": when an excess starts and ends.
std::string Intervalo(double inicio, double fim) {
  using toolkit::FormatoGeral;
  return "de t = " + FormatoGeral(std::round(inicio * 100) / 100) +
         " a t = " + FormatoGeral(std::round(fim)) + " min";
}

}  // namespace

double VerificarDuracao(const TEncostaCinematicaSecoes& Encosta,
                        const TPrecipitacaoExponencialNegativa& Chuva, uint16_t Linha, int Coluna,
                        TMetodoNumerico Metodo) {
  using toolkit::FormatoGeral;
  // Two steps of margin for the clock's rounding: only a series certain to
  // overflow is refused.
  constexpr double kMaximo = TCaudalente::MaximoPontos + 2;
  const double inf = std::numeric_limits<double>::infinity();
  const double imax = IntensidadeMaxima(Chuva);
  // The converged run starts when the first abstraction is filled and goes
  // on at least until the last excess ends.
  double inicio = inf, fim = -inf;
  // What the progress boxes expect: the latest end of excess, whether or not
  // the abstraction is ever filled there.
  double previsto = std::numeric_limits<double>::quiet_NaN();
  // The segments down to the one holding the line, as the solvers walk them.
  const int64_t soma = Encosta.SomaLinhas();
  int64_t d = Linha;
  for (int i = 0; i < Encosta.Count() && d > 0 && d <= soma; ++i) {
    const TEncostaCinematica& trecho = Encosta.Trechos(i);
    const int64_t n = trecho.NumeroLinhas();
    d = n < d ? d - n : 0;
    if (trecho.Versao == "1" && imax < trecho.VIB()) continue;
    double tfe, tia;
    try {
      tfe = TempoFinalEscoamento(Chuva, trecho.Versao, trecho.VIB());
    } catch (const std::exception&) {
      continue;
    }
    if (std::isfinite(tfe) && tfe > 0 && (std::isnan(previsto) || tfe > previsto)) previsto = tfe;
    try {
      tia = TempoAbstracaoInicial(trecho, Chuva);
    } catch (const std::exception&) {
      continue;
    }
    inicio = std::min(inicio, tia);
    if (!std::isfinite(tia) || !(tfe > tia)) continue;
    fim = std::max(fim, tfe);
    const std::string excesso =
        "a chuva excedente " +
        (Encosta.Count() == 1 ? std::string("da encosta")
                              : "do trecho " + std::to_string(i + 1) + " da encosta") +
        " vai " + Intervalo(tia, tfe);
    if (Metodo != TMetodoNumerico::Original) continue;
    const double dt = trecho.DeltaT();
    if ((tfe - tia) / dt > kMaximo)
      throw EEncostaCinematica(
          "O caudalente na encosta teria mais de 65535 pontos e não pode ser calculado: " + excesso +
          ", e cada ponto é um passo de " + FormatoGeral(dt) + " min." + kOQueMudar);
    // The channel is fed by the segment holding the line; column 1 only
    // copies that series.
    if (d == 0 && Coluna > 1) {
      const double dtCanal = TCanalCinematico::PassoDeTempo(Encosta.Trechos(Encosta.Count() - 1).VIB());
      if ((tfe - tia) / dtCanal > kMaximo)
        throw ECanal("O caudalente no canal teria mais de 65535 pontos e não pode ser calculado: " + excesso +
                     ", e cada ponto do canal é um passo de " + FormatoGeral(dtCanal) + " min." + kOQueMudar);
    }
  }
  // A margin of a few of the longest steps, so that only a run the solver
  // would certainly give up is refused.
  if (Metodo == TMetodoNumerico::Convergido && fim - inicio > convergencia::kDuracaoMaxima + 1)
    throw EEncostaCinematica(
        "O caudalente na encosta não pode ser calculado pelo método convergido: a chuva"
        " excedente vai " +
        Intervalo(inicio, fim) + ", mais do que os " + FormatoGeral(convergencia::kDuracaoMaxima) +
        " min que o método acompanha." + kOQueMudar);
  return previsto;
}

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
  const double fim = VerificarDuracao(*encosta, Chuva, Linha, Coluna, Metodo);
  for (IProgresso* caixa : {Progresso.TempoEncosta, Progresso.TempoCanal})
    if (caixa) caixa->Previsto(fim);
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
  // Whatever the data checks let through, no output carries an infinity or
  // a non-number: the run is refused instead.
  if (!resultado->Finita()) {
    const std::string mensagem =
        "O caudalente calculado contém valores que não são números finitos. Verifique os valores extremos"
        " dos dados da chuva, da encosta e do canal.";
    if (Coluna > 0) throw ECanal(mensagem);
    throw EEncostaCinematica(mensagem);
  }
  return resultado;
}
