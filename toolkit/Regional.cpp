#include "toolkit/Regional.h"

#include <cstdlib>
#include <ctime>

namespace toolkit {
namespace {

TConfigRegional& Atual() {
  static TConfigRegional config = RegionalDoAmbiente();
  return config;
}

std::string DoisDigitos(int v) {
  std::string s = std::to_string(v % 100);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

TConfigRegional RegionalPtBr() {
  return {',', '.', "dd/MM/yyyy"};
}

TConfigRegional RegionalC() {
  return {'.', '\0', "MM/dd/yyyy"};
}

TConfigRegional RegionalDoAmbiente() {
  for (const char* nome : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* valor = std::getenv(nome);
    if (valor == nullptr || *valor == '\0') continue;
    const std::string v(valor);
    if (v.rfind("pt_BR", 0) == 0 || v.rfind("pt-BR", 0) == 0) return RegionalPtBr();
    return RegionalC();
  }
  return RegionalC();
}

const TConfigRegional& Regional() {
  return Atual();
}

void DefinirRegional(const TConfigRegional& config) {
  Atual() = config;
}

TRegionalTemporario::TRegionalTemporario(const TConfigRegional& config) : anterior_(Regional()) {
  DefinirRegional(config);
}

TRegionalTemporario::~TRegionalTemporario() {
  DefinirRegional(anterior_);
}

std::string FormatarDataCurta(int ano, int mes, int dia) {
  return FormatarDataCurta(ano, mes, dia, Regional().FormatoDataCurta);
}

std::string FormatarDataCurta(int ano, int mes, int dia, const std::string& formato) {
  std::string saida;
  size_t i = 0;
  while (i < formato.size()) {
    const char c = formato[i];
    size_t n = 1;
    while (i + n < formato.size() && formato[i + n] == c) ++n;
    if (c == 'd' || c == 'D') {
      saida += n >= 2 ? DoisDigitos(dia) : std::to_string(dia);
    } else if (c == 'M' || c == 'm') {
      saida += n >= 2 ? DoisDigitos(mes) : std::to_string(mes);
    } else if (c == 'y' || c == 'Y') {
      if (n >= 3) {
        std::string s = std::to_string(ano);
        while (s.size() < 4) s = "0" + s;
        saida += s;
      } else {
        saida += DoisDigitos(ano);
      }
    } else {
      saida.append(n, c);
    }
    i += n;
  }
  return saida;
}

std::string DataCurtaDeHoje() {
  const std::time_t agora = std::time(nullptr);
  std::tm local{};
  localtime_r(&agora, &local);
  return FormatarDataCurta(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace toolkit
