// Converged hillslope (equations in the header). Per step of dts seconds,
// with F the interface fluxes (m²/s) of the limited reconstruction and dE
// the excess depth of the step (m):
//   h*      = max(0, h − dts/dx·(F(h)[i+1] − F(h)[i]) + dE)
//   h_new   = max(0, h − dts/(2dx)·(ΔF(h) + ΔF(h*)) + dE)
// dE = (P(t+dt) − P(t) − VIB·dt/60) / 1000, P the storm's cumulative depth
// in mm and dt in min. What the last max() adds back is infiltration that
// found no water.
#include "model/hillslope/uEncostaConvergida.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>
#include <vector>

#include "model/uConvergencia.h"

namespace {

using mensagens_encosta::kContato;
using mensagens_encosta::kErroNoLaco;

constexpr double kCfl = 0.9;     // Courant number of a step
constexpr double kDxBase = 1.0;  // m, cell size of level 0 (at least 4 cells a segment)
// Most cells of a segment at level 0: the error follows the share of the
// segment a cell spans, so a long segment needs no more of them.
constexpr int kCelulasBaseMaximo = 128;
constexpr double kDtMaximoBase = 12;  // s, longest step of level 0
// Work of a step besides its cells (the storm's depth, the step's limit, the
// record), in cell updates.
constexpr double kCustoPasso = 40;

using convergencia::Pot53;

// A segment (or the first lines of the one holding the chosen line) on the grid.
struct TTrecho {
  double comprimento;  // m computed
  double alfa;
  double vib;  // mm/h
  double tia;  // min; +inf: never filled
  double tfe;  // min
  int inicio = 0, n = 0;
  double dx = 0;
  bool ativo = false;
};

class TGrade {
 public:
  TGrade(std::vector<TTrecho> trechos, int nivel, const TPrecipitacaoExponencialNegativa& chuva,
         convergencia::TOrcamento& orcamento)
      : t_(std::move(trechos)), chuva_(chuva), orcamento_(orcamento) {
    int total = 0;
    dxMin_ = std::numeric_limits<double>::infinity();
    for (TTrecho& s : t_) {
      const double porComprimento = std::ceil(s.comprimento / kDxBase - 1e-9);
      const int base = porComprimento >= kCelulasBaseMaximo ? kCelulasBaseMaximo
                                                            : std::max(4, static_cast<int>(porComprimento));
      s.n = base << nivel;
      s.dx = s.comprimento / s.n;
      s.inicio = total;
      total += s.n;
      dxMin_ = std::min(dxMin_, s.dx);
    }
    N_ = total;
    dtMaximo_ = kDtMaximoBase / (1 << nivel);
    h_.assign(N_, 0.0);
    hs_.assign(N_, 0.0);
    F0_.assign(N_ + 1, 0.0);
    F1_.assign(N_ + 1, 0.0);
  }

  convergencia::TRodada Rodar() {
    convergencia::TRodada r;
    r.Celulas = N_;
    r.DeltaXMin = dxMin_;
    r.DeltaXSaida = t_.back().dx;
    r.AlfaSaida = t_.back().alfa;
    r.ExpoenteSaida = 5.0 / 3.0;
    double t = std::numeric_limits<double>::infinity();
    for (const TTrecho& s : t_) t = std::min(t, s.tia);
    const double inicio = t;
    double P = chuva_.Altura(t);
    TBalancoMassa& b = r.Balanco;
    for (;;) {
      for (TTrecho& s : t_) s.ativo = s.tia <= t;
      Fluxos(h_.data(), F0_.data());
      r.Tempo.push_back(t);
      r.Vazao.push_back(1000 * F0_[N_]);
      if (Terminou(t)) {
        r.TempoFinal = t;
        break;
      }
      if (t - inicio > convergencia::kDuracaoMaxima || !std::isfinite(F0_[N_]))
        throw EEncostaCinematica(std::string(kErroNoLaco) + kContato);

      // Step: the Courant limit of the deepest water of each segment (or of
      // the water entering it), the longest step of the level, and no step
      // across the time a segment starts.
      double dtS = dtMaximo_;
      for (std::size_t k = 0; k < t_.size(); ++k) {
        const TTrecho& s = t_[k];
        double hMax = 0;
        for (int i = s.inicio; i < s.inicio + s.n; ++i) hMax = std::max(hMax, h_[i]);
        hMax = std::max(hMax, std::pow(F0_[s.inicio] / s.alfa, 0.6));
        const double c = 5.0 / 3.0 * s.alfa * convergencia::RaizCubica(hMax * hMax);
        if (c > 0) dtS = std::min(dtS, kCfl * s.dx / c);
        if (!s.ativo && std::isfinite(s.tia)) dtS = std::min(dtS, (s.tia - t) * 60);
      }
      const double t1 = t + dtS / 60;
      const double P1 = chuva_.Altura(t1);
      const double chuvaMm = P1 - P;

      // Predictor.
      for (const TTrecho& s : t_) {
        const int fim = s.inicio + s.n;
        if (!s.ativo) {
          for (int i = s.inicio; i < fim; ++i) hs_[i] = 0;
          continue;
        }
        const double dE = (chuvaMm - s.vib * dtS / 3600) / 1000;
        const double l = dtS / s.dx;
        for (int i = s.inicio; i < fim; ++i) {
          const double v = h_[i] - l * (F0_[i + 1] - F0_[i]) + dE;
          hs_[i] = v > 0 ? v : 0;
        }
      }
      Fluxos(hs_.data(), F1_.data());
      // Corrector.
      for (const TTrecho& s : t_) {
        const int fim = s.inicio + s.n;
        if (!s.ativo) {
          b.Abstracao += 1000 * dtS / 2 * (F0_[s.inicio] + F1_[s.inicio]);
          continue;
        }
        const double dE = (chuvaMm - s.vib * dtS / 3600) / 1000;
        const double l = dtS / (2 * s.dx);
        double semAgua = 0;  // m of infiltration that found no water
        for (int i = s.inicio; i < fim; ++i) {
          const double v = h_[i] - l * (F0_[i + 1] + F1_[i + 1] - F0_[i] - F1_[i]) + dE;
          if (v > 0) {
            h_[i] = v;
          } else {
            h_[i] = 0;
            semAgua -= v;
          }
        }
        b.Chuva += s.comprimento * chuvaMm;  // mm·m = L per metre
        b.Infiltracao += s.comprimento * s.vib * dtS / 3600 - 1000 * semAgua * s.dx;
      }
      b.Saida += 1000 * dtS / 2 * (F0_[N_] + F1_[N_]);
      t = t1;
      P = P1;
      ++r.Passos;
      orcamento_.Gastar(kCustoPasso + 2.0 * N_, t);
    }
    for (const TTrecho& s : t_)
      for (int i = s.inicio; i < s.inicio + s.n; ++i) b.Armazenado += 1000 * h_[i] * s.dx;
    return r;
  }

 private:
  // Fluxes of every interface: from the reconstructed depth on the upstream
  // side, with that segment's alfa. Slopes stop at segment boundaries, where
  // the depth jumps with alfa: the top cell of a segment looks up to the
  // depth of the water entering it, its outlet cell takes the slope from above.
  void Fluxos(const double* h, double* F) const {
    F[0] = 0;
    for (const TTrecho& s : t_) {
      const int a = s.inicio, z = s.inicio + s.n - 1;
      if (!s.ativo) {
        for (int i = a; i <= z; ++i) F[i + 1] = 0;
        continue;
      }
      if (z > a) {
        // The depth at the top edge is that of the water entering (none at
        // the top of the hillslope), half a cell from the centre.
        const double hTopo = F[a] > 0 ? std::pow(F[a] / s.alfa, 0.6) : 0;
        F[a + 1] = s.alfa * Pot53(h[a] + 0.5 * convergencia::Inclinacao(2 * (h[a] - hTopo), h[a + 1] - h[a]));
      } else {
        F[a + 1] = s.alfa * Pot53(h[a]);
      }
      for (int i = a + 1; i < z; ++i) {
        const double face = h[i] + 0.5 * convergencia::Inclinacao(h[i] - h[i - 1], h[i + 1] - h[i]);
        F[i + 1] = s.alfa * Pot53(face);
      }
      if (z > a) {
        const double face = h[z] + 0.5 * (h[z] - h[z - 1]);
        F[z + 1] = s.alfa * Pot53(face > 0 ? face : 0);
      }
    }
  }

  // Over once no segment has excess to come and the whole surface is dry.
  bool Terminou(double t) const {
    for (const TTrecho& s : t_)
      if (std::isfinite(s.tia) && s.tia < s.tfe && t < s.tfe) return false;
    for (double v : h_)
      if (v > 0) return false;
    return true;
  }

  std::vector<TTrecho> t_;
  const TPrecipitacaoExponencialNegativa& chuva_;
  convergencia::TOrcamento& orcamento_;
  int N_ = 0;
  double dxMin_ = 0, dtMaximo_ = 0;
  std::vector<double> h_, hs_, F0_, F1_;
};

}  // namespace

std::unique_ptr<TCaudalente> TEncostaConvergida::CalcularCaudalente(
    TEncostaCinematicaSecoes& Encosta, uint16_t Linha, const TPrecipitacaoExponencialNegativa& Chuva,
    IProgresso* ProgressoTempo, IProgresso* ProgressoTrecho) {
  FInfo = TInfoConvergencia{};
  auto serie = std::make_unique<TCaudalente>();
  serie->Local = 1;
  Encosta.LaminaEscoada = 0;

  // The segments down to the one holding the line, as the segment list
  // chooses them, with the original's checks and messages in its order.
  std::vector<TTrecho> trechos;
  double Lt = 0;  // m, contributing length
  double alfaSaida = 0;
  bool semEscoamento = false;
  Encosta.VerificarLinhas();
  const double imax = IntensidadeMaxima(Chuva);
  Encosta.PercorrerAteLinha(Linha, ProgressoTrecho, [&](TEncostaCinematica& e, int, double comprimento) {
    Lt += comprimento;
    if (e.Versao == "1" && imax < e.VIB()) {
      semEscoamento = true;
      MensagensDoModelo().Informar(mensagens_encosta::TieMaiorQueIntensidade(e.VIB()));
      return;
    }
    const double tfe = TempoFinalEscoamento(Chuva, e.Versao, e.VIB());
    const double tia = TempoAbstracaoInicial(e, Chuva);
    if (e.Versao == "1" && tia > tfe) {
      semEscoamento = true;
      MensagensDoModelo().Informar(mensagens_encosta::AbstracaoDepoisDoFim(e.VIB()));
      return;
    }
    if (e.Comprimento() <= 0) throw EEncostaCinematica(mensagens_encosta::Comprimento(e.Versao));
    const double alfa = e.Alfa();
    if (!(alfa > 0) || !std::isfinite(alfa)) throw EEncostaCinematica(mensagens_encosta::kAlfaInvalido);
    TTrecho s{};
    s.comprimento = comprimento;
    s.alfa = alfa;
    s.vib = e.VIB();
    s.tia = tia;
    s.tfe = tfe;
    trechos.push_back(s);
    alfaSaida = alfa;
  });

  // Without any segment that ever fills its abstraction there is nothing to run.
  bool algumAtivo = false;
  for (const TTrecho& s : trechos) algumAtivo = algumAtivo || std::isfinite(s.tia);
  if (!semEscoamento && algumAtivo) {
    convergencia::TRodada r;
    convergencia::TOrcamento orcamento(FParametros, ProgressoTempo);
    try {
      r = convergencia::Refinar(FParametros, FInfo, orcamento, [&](int nivel) {
        TGrade grade(trechos, nivel, Chuva, orcamento);
        return grade.Rodar();
      });
    } catch (const convergencia::EOrcamentoEsgotado&) {
      throw EEncostaCinematica(convergencia::kOrcamentoEsgotado);
    } catch (const EEncostaCinematica&) {
      throw;
    } catch (const std::exception& e) {
      throw EEncostaCinematica(kErroNoLaco + mensagens_encosta::MotivoDoErro(e) + kContato);
    }
    convergencia::Reamostrar(r, *serie);
  }

  if (serie->Count() < 3) {
    serie->Limpar();
  } else {
    serie->Alfa = alfaSaida;
    serie->Expoente = 5.0 / 3.0;
  }
  serie->Calcular(Lt > 0 ? Lt * 1000 : 1);
  Encosta.LaminaEscoada = serie->Lamina;
  return serie;
}
