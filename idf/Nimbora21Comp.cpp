#include "idf/Nimbora21Comp.h"

#include <cstdint>

#include "toolkit/ArquivoIni.h"

namespace {
const char* const kSecao = "NIMBORA";
const char* const kVersao = "1";

// The indexes are held in 16 bits: a value beyond them is a damaged file,
// never another station or state.
bool LerIndice(const toolkit::TArquivoIni& ini, const std::string& secao, const char* chave,
               int16_t& destino) {
  const int valor = ini.LerInteiro(secao, chave, -1);
  if (valor < INT16_MIN || valor > INT16_MAX) return false;
  destino = static_cast<int16_t>(valor);
  return true;
}
// Characters of a UTF-8 text: every byte but the continuation ones.
std::size_t Caracteres(const std::string& texto) {
  std::size_t n = 0;
  for (const char c : texto)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string LerTexto(const toolkit::TArquivoIni& ini, const std::string& secao, const char* chave,
                     const char* campo) {
  std::string texto = ini.LerString(secao, chave, "");
  const std::size_t n = Caracteres(texto);
  if (n > TNimbora21::TamanhoMaximoTexto)
    throw ENimbora21("O campo " + std::string(campo) + " do projeto tem " + std::to_string(n) +
                     " caracteres; o máximo é " + std::to_string(TNimbora21::TamanhoMaximoTexto) + ".");
  return texto;
}
}  // namespace

std::string TNimbora21::Cortado(const std::string& texto) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < texto.size(); ++i)
    if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80 && ++n > TamanhoMaximoTexto)
      return texto.substr(0, i);
  return texto;
}

TNimbora21::TNimbora21() : FPrecipitacao(std::make_unique<TPrecipitacaoExponencialNegativa>()) {
  Limpar();
}

void TNimbora21::Limpar() {
  FPrecipitacao->Limpar();
  Latitude.clear();
  Longitude.clear();
  StrCidade.clear();
  StrEstado.clear();
  Secao.clear();
  IndEstacao = 0;
  IndLocalidade = 0;
  IndEstado = -1;
  HelpContext = 0;
  ShowAbout = false;
  Estimativa = TEstimativa::Coeficientes;
}

bool TNimbora21::Execute() {
  if (!Consulta) throw ENimbora21("A consulta ao banco de dados de chuvas intensas não está disponível.");
  return Consulta(*this);
}

void TNimbora21::ExigirEstado() const {
  if (IndEstado < 0) throw ENimbora21("É necessário entrar com um índice para o estado");
}

bool TNimbora21::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TNimbora21::GravarArquivo(const std::string& NomeArquivo) {
  toolkit::TArquivoIni ini(NomeArquivo);
  GravarSecoes(ini);
  ini.SalvarOuErro();
  return true;
}

bool TNimbora21::LerSecoes(const toolkit::TArquivoIni& ini) {
  // The version is looked up in the component's own section, the one its
  // writer uses (the same as plain "NIMBORA" while Secao is empty).
  const std::string secao = kSecao + Secao;
  if (ini.LerString(secao, "Versao", "0") != kVersao) return false;
  // A storm that cannot be read would run as a storm of zeros.
  if (!FPrecipitacao->LerSecoes(ini)) return false;

  Latitude = LerTexto(ini, secao, "Latitude", "Latitude");
  Longitude = LerTexto(ini, secao, "Longitude", "Longitude");
  if (!LerIndice(ini, secao, "IndEstacao", IndEstacao) ||
      !LerIndice(ini, secao, "IndLocalidade", IndLocalidade))
    return false;
  StrCidade = LerTexto(ini, secao, "StrCidade", "Localidade");
  if (!LerIndice(ini, secao, "IndEstado", IndEstado)) return false;
  StrEstado = LerTexto(ini, secao, "StrEstado", "Estado");
  // Absent (older files) or unknown: the classic estimate.
  Estimativa =
      ini.LerInteiro(secao, "Estimativa", 0) == 1 ? TEstimativa::Intensidades : TEstimativa::Coeficientes;
  return true;
}

void TNimbora21::GravarSecoes(toolkit::TArquivoIni& ini) const {
  const std::string secao = kSecao + Secao;
  ini.EscreverString(secao, "Versao", kVersao);
  FPrecipitacao->GravarSecoes(ini);
  ini.EscreverString(secao, "Latitude", Latitude);
  ini.EscreverString(secao, "Longitude", Longitude);
  ini.EscreverInteiro(secao, "IndEstacao", IndEstacao);
  ini.EscreverInteiro(secao, "IndLocalidade", IndLocalidade);
  ini.EscreverString(secao, "StrCidade", StrCidade);
  ini.EscreverInteiro(secao, "IndEstado", IndEstado);
  ini.EscreverString(secao, "StrEstado", StrEstado);
  if (Estimativa == TEstimativa::Intensidades)
    ini.EscreverInteiro(secao, "Estimativa", 1);
  else
    ini.ApagarChave(secao, "Estimativa");
}
