#include "model/hillslope/uCaudalente.h"

#include <cmath>
#include <initializer_list>

#include "model/hillslope/uInterfaceUsuario.h"

void TCaudalente::Limpar() {
  // Drop the storage too: a series read from a small file should not keep
  // the memory of a long run.
  std::vector<TPonto>().swap(FPontos);
}

void TCaudalente::Adicionar(double Tempo, double Vazao) {
  if (Cheio())
    throw ECaudalente("O caudalente não pode ter mais de 65535 pontos. Reduza a duração da simulação.");
  FPontos.push_back({Tempo, Vazao});  // amortised growth
}

void TCaudalente::Assign(const TCaudalente& Origem) {
  FPontos = Origem.FPontos;
  Alfa = Origem.Alfa;
  Expoente = Origem.Expoente;
  Lamina = Origem.Lamina;
}

double TCaudalente::ProfundidadeDaVazao(double Vazao) const {
  if (!(Alfa > 0 && Expoente > 0 && Vazao > 0)) return 0;
  double s = std::pow(Vazao / (1000 * Alfa), 1 / Expoente);
  if (Local == 2 && s != 0 && FFuncaoProfundidade) s = FFuncaoProfundidade(s);
  return s;
}

void TCaudalente::Calcular(double Area) {
  if (Local == 0) throw ECaudalente("Local do caudalente não definido (canal ou encosta).");
  if (Local == 2 && !FFuncaoProfundidade)
    throw ECaudalente("Erro. Função de determinação da profundidade do canal não definida.");
  VazaoMaxima = TempoPico = Volume = Profundidade = Velocidade = Lamina = 0;
  const std::size_t n = FPontos.size();
  if (n < 3) return;

  // The first and last points are the run's boundaries, never its peak.
  for (std::size_t i = 1; i + 1 < n; ++i)
    if (FPontos[i].Vazao > VazaoMaxima) {
      VazaoMaxima = FPontos[i].Vazao;
      TempoPico = FPontos[i].Tempo;
    }

  if (Alfa > 0 && Expoente > 0 && VazaoMaxima > 0)
    Profundidade = std::pow(VazaoMaxima / (1000 * Alfa), 1 / Expoente);
  Velocidade = Profundidade > 0 ? VazaoMaxima / (1000 * Profundidade) : 0;
  // In a channel the flow section is an area; the channel knows its depth.
  if (Local == 2 && Profundidade != 0) Profundidade = FFuncaoProfundidade(Profundidade);

  Volume = CalcularVolume();
  Lamina = Volume / Area;
}

bool TCaudalente::Finita() const {
  for (double v : {Alfa, Expoente, VazaoMaxima, TempoPico, Volume, Lamina, Profundidade, Velocidade})
    if (!std::isfinite(v)) return false;
  for (const TPonto& p : FPontos)
    if (!std::isfinite(p.Tempo) || !std::isfinite(p.Vazao) || !std::isfinite(ProfundidadeDaVazao(p.Vazao)))
      return false;
  return true;
}

double TCaudalente::CalcularVolume() const {
  const std::size_t n = FPontos.size();
  if (n <= 3) return 0;
  double soma = 0;
  for (std::size_t i = 0; i + 1 < n; ++i)
    soma += (FPontos[i].Vazao + FPontos[i + 1].Vazao) * (FPontos[i + 1].Tempo - FPontos[i].Tempo);
  return soma * 30;  // half of 60 s per minute: L/s·min -> L
}

double TCaudalente::VazaoEm(double Tempo, double Intervalo) const {
  const std::size_t n = FPontos.size();
  if (n == 0 || Tempo >= FPontos[n - 1].Tempo || Tempo <= FPontos[0].Tempo) return 0;
  // The 0.4999 offset makes a time a hair before a point count as that point,
  // so rounding noise in the caller's clock never picks the previous interval.
  double k = std::nearbyint((Tempo - FPontos[0].Tempo) / Intervalo - 0.4999);
  if (!(k >= 0)) k = 0;
  if (k > static_cast<double>(n - 2)) k = static_cast<double>(n - 2);
  const std::size_t i = static_cast<std::size_t>(k);
  const TPonto& p = FPontos[i];
  if (Tempo == p.Tempo) return p.Vazao;
  return p.Vazao + (Tempo - p.Tempo) / Intervalo * (FPontos[i + 1].Vazao - p.Vazao);
}

void TCaudalente::SuavizarRecessao() {
  const std::size_t n = FPontos.size();
  if (n < 2) return;
  bool subindo = true;
  std::size_t k = 0;
  for (std::size_t i = 1; i < n && k == 0; ++i) {
    if (subindo) {
      if (FPontos[i].Vazao < FPontos[i - 1].Vazao) subindo = false;
    } else if (FPontos[i].Vazao > FPontos[i - 1].Vazao) {
      k = i;
    }
  }
  if (k == 0) return;
  const double tFinal = FPontos[n - 1].Tempo;
  const double inclinacao = FPontos[k - 1].Vazao / (tFinal - FPontos[k - 1].Tempo);
  for (std::size_t j = k; j + 1 < n; ++j) FPontos[j].Vazao = (tFinal - FPontos[j].Tempo) * inclinacao;
}

void TCaudalente::PreencherSerie(ISerieGrafico& Serie) const {
  Serie.Limpar();
  for (const TPonto& p : FPontos) Serie.Adicionar(p.Tempo, p.Vazao);
}
