#include "idf/Nimbora21Comp.h"

#include "toolkit/ArquivoIni.h"

namespace {
const char* const kSecao = "NIMBORA";
const char* const kVersao = "1";
}  // namespace

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

bool TNimbora21::LerSecoes(const toolkit::TArquivoIni& Ini) {
  // The version is looked up in the component's own section, the one its
  // writer uses (the same as plain "NIMBORA" while Secao is empty).
  const std::string secao = kSecao + Secao;
  if (Ini.LerString(secao, "Versao", "0") != kVersao) return false;
  // A storm that cannot be read would run as a storm of zeros.
  if (!FPrecipitacao->LerSecoes(Ini)) return false;

  Latitude = Ini.LerString(secao, "Latitude", "");
  Longitude = Ini.LerString(secao, "Longitude", "");
  IndEstacao = static_cast<int16_t>(Ini.LerInteiro(secao, "IndEstacao", -1));
  IndLocalidade = static_cast<int16_t>(Ini.LerInteiro(secao, "IndLocalidade", -1));
  StrCidade = Ini.LerString(secao, "StrCidade", "");
  IndEstado = static_cast<int16_t>(Ini.LerInteiro(secao, "IndEstado", -1));
  StrEstado = Ini.LerString(secao, "StrEstado", "");
  return true;
}

void TNimbora21::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  const std::string secao = kSecao + Secao;
  Ini.EscreverString(secao, "Versao", kVersao);
  FPrecipitacao->GravarSecoes(Ini);
  Ini.EscreverString(secao, "Latitude", Latitude);
  Ini.EscreverString(secao, "Longitude", Longitude);
  Ini.EscreverInteiro(secao, "IndEstacao", IndEstacao);
  Ini.EscreverInteiro(secao, "IndLocalidade", IndLocalidade);
  Ini.EscreverString(secao, "StrCidade", StrCidade);
  Ini.EscreverInteiro(secao, "IndEstado", IndEstado);
  Ini.EscreverString(secao, "StrEstado", StrEstado);
}
