#include "model/hillslope/uPrecipitacao.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "toolkit/ArquivoIni.h"
#include "toolkit/FormatoNumero.h"

namespace {

const char* const kSecaoBase = "PRECIPITACAO";
const char* const kSecaoIdf = "PREC_EXPONENCIAL_NEGATIVA";
const char* const kSecaoAntiga = "NIMBORA";  // where projects before version 2 kept the storm
const char* const kVersao = "2";

// A real key of a storm section: a missing key reads as 0, a text that is
// no number fails (the caller then reports the project as not read, rather
// than running a storm of zeros).
bool LerReal(const toolkit::TArquivoIni& ini, const std::string& secao, const char* chave, double& valor) {
  valor = 0;
  if (!ini.ExisteChave(secao, chave)) return true;
  return toolkit::TextoParaRealDeArquivo(ini.LerString(secao, chave, ""), valor);
}

// Reads the real keys of one storm section. Version "2" reads them in place.
// A missing version or "1" means an old project: the keys are still in the
// old section and are read there; the file itself changes only when the
// project is saved. A section that holds storm keys without its version mark
// is damaged, not old, and fails like any other version.
bool LerSecao(const toolkit::TArquivoIni& ini, const std::string& secao, const std::string& secaoAntiga,
              const std::vector<std::pair<const char*, double*>>& chaves) {
  const std::string versao = ini.LerString(secao, "Versao", kSecaoAntiga);
  std::string origem = secao;
  if (versao != kVersao) {
    if (versao != kSecaoAntiga && versao != "1") return false;
    for (const auto& par : chaves)
      if (ini.ExisteChave(secao, par.first)) return false;
    origem = secaoAntiga;
  }
  bool lido = true;
  for (const auto& [chave, valor] : chaves) lido = LerReal(ini, origem, chave, *valor) && lido;
  return lido;
}

// Saving an old project completes its move: the storm keys it has just
// written into their own section leave the old one.
void ApagarChavesAntigas(toolkit::TArquivoIni& ini, const std::string& sufixo,
                         std::initializer_list<const char*> chaves) {
  for (const char* chave : chaves) ini.ApagarChave(kSecaoAntiga + sufixo, chave);
}

}  // namespace

// ---------------------------------------------------------------- TPrecipitacao

TPrecipitacao::TPrecipitacao() {
  Inicializar("");
}

TPrecipitacao::TPrecipitacao(const std::string& sufixo) {
  Inicializar(sufixo);
}

void TPrecipitacao::Inicializar(const std::string& sufixo) {
  Sufixo = sufixo;
  Limpar();
}

void TPrecipitacao::Limpar() {
  Duracao = 0;
  PrecipitacaoTotal = 0;
}

bool TPrecipitacao::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TPrecipitacao::GravarArquivo(const std::string& NomeArquivo) {
  return toolkit::GravarIni(NomeArquivo, [this](toolkit::TArquivoIni& ini) { GravarSecoes(ini); });
}

bool TPrecipitacao::LerSecoes(const toolkit::TArquivoIni& Ini) {
  TPrecipitacao::Limpar();
  return LerSecaoPrecipitacao(Ini);
}

void TPrecipitacao::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  GravarSecaoPrecipitacao(Ini);
}

bool TPrecipitacao::LerSecaoPrecipitacao(const toolkit::TArquivoIni& Ini) {
  return LerSecao(Ini, kSecaoBase + Sufixo, kSecaoAntiga + Sufixo,
                  {{"Duracao", &Duracao}, {"PrecipitacaoTotal", &PrecipitacaoTotal}});
}

void TPrecipitacao::GravarSecaoPrecipitacao(toolkit::TArquivoIni& Ini) const {
  const std::string secao = kSecaoBase + Sufixo;
  Ini.EscreverString(secao, "Versao", kVersao);
  Ini.EscreverReal(secao, "Duracao", Duracao);
  Ini.EscreverReal(secao, "PrecipitacaoTotal", PrecipitacaoTotal);
  ApagarChavesAntigas(Ini, Sufixo, {"Duracao", "PrecipitacaoTotal"});
}

// ---------------------------------------------- TPrecipitacaoExponencialNegativa

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa() : TPrecipitacao("") {
  Limpar();
}

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa(const std::string& sufixo)
    : TPrecipitacao(sufixo) {
  Limpar();
}

void TPrecipitacaoExponencialNegativa::Limpar() {
  TPrecipitacao::Limpar();
  FTr = FK = FA = FB = FC = 0;
  FKTrA = -1;
}

void TPrecipitacaoExponencialNegativa::Assign(const TPrecipitacaoExponencialNegativa& Origem) {
  Duracao = Origem.Duracao;
  PrecipitacaoTotal = Origem.PrecipitacaoTotal;
  FTr = Origem.FTr;
  FK = Origem.FK;
  FA = Origem.FA;
  FB = Origem.FB;
  FC = Origem.FC;
  CalcularKTrA();
}

void TPrecipitacaoExponencialNegativa::CalcularKTrA() {
  FKTrA = (FK > 0 && FTr > 0 && FA > 0) ? std::pow(FTr, FA) * FK : -1;
}

void TPrecipitacaoExponencialNegativa::SetTr(double x) {
  if (x < 0) throw EPrecipitacao("O valor do tempo de retorno (Tr) deve ser maior que zero.");
  FTr = x;
  CalcularKTrA();
}

void TPrecipitacaoExponencialNegativa::SetK(double x) {
  if (x < 0) throw EPrecipitacao("O valor do parâmetro \"K\" deve ser maior que zero.");
  FK = x;
  CalcularKTrA();
}

void TPrecipitacaoExponencialNegativa::SetA(double x) {
  if (x < 0) throw EPrecipitacao("O valor do parâmetro \"a\" deve ser maior que zero.");
  FA = x;
  CalcularKTrA();
}

void TPrecipitacaoExponencialNegativa::SetB(double x) {
  if (x < 0) throw EPrecipitacao("O valor do parâmetro \"b\" deve ser maior que zero.");
  FB = x;
}

void TPrecipitacaoExponencialNegativa::SetC(double x) {
  if (x < 0) throw EPrecipitacao("O valor do parâmetro \"c\" deve ser maior que zero.");
  FC = x;
}

void TPrecipitacaoExponencialNegativa::FalhaIntensidade(double t, const char* causa) const {
  using toolkit::FormatoGeral;
  throw EErroAritmetico("A intensidade da chuva não pode ser calculada no tempo t = " + FormatoGeral(t) +
                        " min: " + causa + " (K = " + FormatoGeral(FK) + ", Tr = " + FormatoGeral(FTr) +
                        ", a = " + FormatoGeral(FA) + ", b = " + FormatoGeral(FB) +
                        ", c = " + FormatoGeral(FC) + "). Verifique os parâmetros da chuva.");
}

double TPrecipitacaoExponencialNegativa::IntensidadeMedia(double t) const {
  const double base = t + FB;
  // ln of a non-positive number has no value: the caller gets an arithmetic error.
  if (!(base > 0)) FalhaIntensidade(t, "t + b não é maior que zero");
  const double divisor = std::exp(FC * std::log(base));
  if (divisor == 0 || !std::isfinite(divisor))
    FalhaIntensidade(t, "(t + b) elevado a c ultrapassa os números que o programa representa");
  return FKTrA / divisor;
}

double TPrecipitacaoExponencialNegativa::IntensidadeInstantanea(double t) const {
  return IntensidadeMedia(t) * (1 - FC * t / (t + FB));
}

double TPrecipitacaoExponencialNegativa::Altura(double t) const {
  return IntensidadeMedia(t) * t / 60;
}

double TPrecipitacaoExponencialNegativa::AlturaEntre(double t1, double t2) const {
  return (t2 * IntensidadeMedia(t2) - t1 * IntensidadeMedia(t1)) / 60;
}

double TPrecipitacaoExponencialNegativa::TempoDaIntensidade(double x, TIteracaoInversa* Trabalho) const {
  // The starting guess follows how early a storm of typical coefficients
  // reaches such an intensity: the stronger x, the closer to t = 0.
  double t0;
  if (x < 100)
    t0 = 20;
  else if (x < 200)
    t0 = 5;
  else if (x < 300)
    t0 = 1;
  else if (x < 400)
    t0 = 0.1;
  else if (x < 500)
    t0 = 0.05;
  else
    t0 = 0.001;

  const auto newton = raiz::Newton(
      [this, x](double t) {
        const double i = IntensidadeMedia(t);
        const double residuo = IntensidadeInstantanea(t) - x;
        const double derivada = -FC * i / (t + FB) * (2 - (FC + 1) * t / (t + FB));
        return raiz::TAvaliacao{residuo, derivada};
      },
      t0, 1e-7, 100, true);
  TIteracaoInversa w;
  w.Iteracoes = newton.iteracoes;
  w.Residuo = newton.residuo;
  w.Derivada = newton.derivada;
  w.Passo = newton.passo;
  double t = newton.x;

  if (w.Iteracoes > 100) {
    // I(t) falls with t: a positive residual means the root lies later.
    const auto b = raiz::Bisseccao([this, x](double tm) { return IntensidadeInstantanea(tm) - x; }, 0, 100000,
                                   1e-7, false);
    w.LimiteInferior = b.inferior;
    w.LimiteSuperior = b.superior;
    w.Residuo = b.residuo;
    t = b.x;
  }
  if (Trabalho) *Trabalho = w;
  return t >= 0 ? t : 0;
}

double TPrecipitacaoExponencialNegativa::DuracaoDaAltura(double P, TIteracaoInversa* Trabalho) const {
  const auto newton = raiz::Newton(
      [this, P](double t) {
        return raiz::TAvaliacao{IntensidadeMedia(t) * t - 60 * P, IntensidadeInstantanea(t)};
      },
      1, 1e-10, 100, false);
  TIteracaoInversa w;
  w.Iteracoes = newton.iteracoes;
  w.Residuo = newton.residuo;
  w.Derivada = newton.derivada;
  w.Passo = newton.passo;
  double t = newton.x;

  if (w.Iteracoes > 100) {
    const auto b = raiz::Bisseccao([this, P](double tm) { return IntensidadeMedia(tm) * tm - 60 * P; }, 0,
                                   1000, 1e-7, true);
    w.LimiteInferior = b.inferior;
    w.LimiteSuperior = b.superior;
    w.Residuo = b.residuo;
    t = b.x;
  }
  if (Trabalho) *Trabalho = w;
  return t >= 0 ? t : 0;
}

void TPrecipitacaoExponencialNegativa::PreencherSerie(ISerieGrafico& Serie) const {
  Serie.Limpar();
  // nearbyint rounds a half to the even neighbour.
  const long n = Duracao > 0 ? static_cast<long>(std::nearbyint(Duracao)) : 50;
  for (long t = 1; t <= n; ++t) Serie.Adicionar(t, IntensidadeInstantanea(t));
}

bool TPrecipitacaoExponencialNegativa::LerSecoes(const toolkit::TArquivoIni& Ini) {
  Limpar();
  bool lido = LerSecaoPrecipitacao(Ini);
  lido = LerSecao(Ini, kSecaoIdf + Sufixo, kSecaoAntiga + Sufixo,
                  {{"Tr", &FTr}, {"K", &FK}, {"A", &FA}, {"B", &FB}, {"C", &FC}}) &&
         lido;
  // The values went straight into the fields: only the cache needs refreshing.
  CalcularKTrA();
  return lido;
}

void TPrecipitacaoExponencialNegativa::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  GravarSecaoPrecipitacao(Ini);
  const std::string secao = kSecaoIdf + Sufixo;
  Ini.EscreverString(secao, "Versao", kVersao);
  Ini.EscreverReal(secao, "Tr", FTr);
  Ini.EscreverReal(secao, "K", FK);
  Ini.EscreverReal(secao, "A", FA);
  Ini.EscreverReal(secao, "B", FB);
  Ini.EscreverReal(secao, "C", FC);
  ApagarChavesAntigas(Ini, Sufixo, {"Tr", "K", "A", "B", "C"});
}
