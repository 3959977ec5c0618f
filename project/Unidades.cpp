#include "project/Unidades.h"

#include "toolkit/ArquivoIni.h"

namespace {

const char* const kSecao = "UNIDADES";

const std::int32_t kFatoresDeclividade[] = {100, 1};
const double kFatoresVI[] = {0.001, 1.0, 0.024, 2.4};
const double kFatoresComprimento[] = {0.01, 0.001, 1.0, 1000.0};

}  // namespace

const std::vector<std::string>& TUnidadesCustom::UnidadesDeclividade() {
  static const std::vector<std::string> t{"%", "m/m"};
  return t;
}

const std::vector<std::string>& TUnidadesCustom::UnidadesVI() {
  static const std::vector<std::string> t{"m/h", "mm/h", "m/dia", "cm/dia"};
  return t;
}

const std::vector<std::string>& TUnidadesCustom::UnidadesComprimento() {
  static const std::vector<std::string> t{"cm", "mm", "m", "km"};
  return t;
}

const std::vector<std::string>& TUnidadesCustom::Estados() {
  static const std::vector<std::string> t{
      "Acre", "Alagoas", "Amazonas", "Bahia", "Ceará", "Espírito Santo", "Goiás", "Maranhão", "Mato Grosso",
      "Mato Grosso do Sul", "Minas Gerais", "Pará", "Paraíba", "Paraná", "Pernambuco", "Piauí",
      "Rio de Janeiro", "Rio Grande do Norte", "Rio Grande do Sul", "Rondônia", "Santa Catarina", "São Paulo",
      // added at the end
      "Amapá", "Distrito Federal", "Roraima", "Sergipe", "Tocantins"};
  return t;
}

int TUnidadesCustom::IndiceEstado(const std::string& nome) {
  const std::vector<std::string>& t = Estados();
  for (std::size_t i = 0; i < t.size(); ++i)
    if (t[i] == nome) return static_cast<int>(i);
  return -1;
}

TUnidadesCustom::TUnidadesCustom() : UnidadeVI("mm/h"), UnidadeDeclividade("m/m"), UnidadeComprimento("m") {}

void TUnidadesCustom::SetDeclividade(std::uint8_t i) {
  if (i == IndDeclividade) return;
  IndDeclividade = i;
  if (i < UnidadesDeclividade().size()) {
    UnidadeDeclividade = UnidadesDeclividade()[i];
    FatorDeclividade = kFatoresDeclividade[i];
  }
}

void TUnidadesCustom::SetComprimento(std::uint8_t i) {
  if (i == IndComprimento) return;
  IndComprimento = i;
  if (i < UnidadesComprimento().size()) {
    UnidadeComprimento = UnidadesComprimento()[i];
    FatorComprimento = kFatoresComprimento[i];
  }
}

void TUnidadesCustom::SetVI(std::uint8_t i) {
  if (i == IndVI) return;
  IndVI = i;
  if (i < UnidadesVI().size()) {
    UnidadeVI = UnidadesVI()[i];
    FatorVI = kFatoresVI[i];
  }
}

void TUnidadesCustom::Padrao() {
  SetDeclividade(1);
  SetComprimento(2);
  SetVI(1);
  Estado = 1;
}

bool TUnidadesCustom::LerArquivo(const std::string& caminho) {
  const toolkit::TArquivoIni ini(caminho);
  return LerSecoes(ini);
}

bool TUnidadesCustom::LerSecoes(const toolkit::TArquivoIni& ini) {
  if (ini.LerString(kSecao, "Versao", "") != "1") {
    Padrao();
    return false;
  }
  // Each index is applied as soon as it passes its check, so a later failure
  // leaves the earlier ones in place.
  const int comprimento = ini.LerInteiro(kSecao, "Comprimento", 0);
  if (comprimento < 0 || comprimento > 4) return false;
  SetComprimento(static_cast<std::uint8_t>(comprimento));
  const int declividade = ini.LerInteiro(kSecao, "Declividade", 0);
  if (declividade < 0 || declividade > 2) return false;
  SetDeclividade(static_cast<std::uint8_t>(declividade));
  const int vi = ini.LerInteiro(kSecao, "VI", 0);
  if (vi < 0 || vi > 4) return false;
  SetVI(static_cast<std::uint8_t>(vi));
  Estado = ini.LerInteiro(kSecao, "Estado", 1);
  return true;
}

bool TUnidadesCustom::GravarArquivo(const std::string& caminho) const {
  toolkit::TArquivoIni ini(caminho);
  GravarSecoes(ini);
  ini.SalvarOuErro();
  return true;
}

void TUnidadesCustom::GravarSecoes(toolkit::TArquivoIni& ini) const {
  ini.EscreverString(kSecao, "Versao", "1");
  ini.EscreverInteiro(kSecao, "Declividade", IndDeclividade);
  ini.EscreverInteiro(kSecao, "Comprimento", IndComprimento);
  ini.EscreverInteiro(kSecao, "VI", IndVI);
  ini.EscreverInteiro(kSecao, "Estado", Estado);
}
