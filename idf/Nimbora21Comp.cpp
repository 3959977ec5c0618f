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
  toolkit::TArquivoIni ini(NomeArquivo);
  // The version is looked up in the component's own section, the one its
  // writer uses (the same as plain "NIMBORA" while Secao is empty).
  const std::string secao = kSecao + Secao;
  if (ini.LerString(secao, "Versao", "0") != kVersao) return false;

  FPrecipitacao->LerSecoes(ini);
  // An old project has just had its storm keys moved; a read-only file still reads.
  if (ini.Alterado()) ini.Salvar();

  Latitude = ini.LerString(secao, "Latitude", "");
  Longitude = ini.LerString(secao, "Longitude", "");
  IndEstacao = static_cast<int16_t>(ini.LerInteiro(secao, "IndEstacao", -1));
  IndLocalidade = static_cast<int16_t>(ini.LerInteiro(secao, "IndLocalidade", -1));
  StrCidade = ini.LerString(secao, "StrCidade", "");
  IndEstado = static_cast<int16_t>(ini.LerInteiro(secao, "IndEstado", -1));
  StrEstado = ini.LerString(secao, "StrEstado", "");
  return true;
}

bool TNimbora21::GravarArquivo(const std::string& NomeArquivo) {
  toolkit::TArquivoIni ini(NomeArquivo);
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
  ini.SalvarOuErro();
  return true;
}
