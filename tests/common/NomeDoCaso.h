#pragma once
// Names of value-parameterised cases, as ctest and --gtest_filter show them.
// Without a generator GoogleTest names a case by its index and prints the
// parameter's bytes; these turn a case's own description into a name.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace teste {

// Letters and digits kept (Portuguese accents dropped), every other run of
// characters made one '_': "St NaN" -> "St_NaN", "vazão máxima" -> "vazao_maxima".
inline std::string NomeDeTeste(std::string_view texto) {
  static constexpr std::string_view acentuadas[][2] = {
      {"á", "a"}, {"à", "a"}, {"â", "a"}, {"ã", "a"}, {"é", "e"}, {"ê", "e"}, {"í", "i"},
      {"ó", "o"}, {"ô", "o"}, {"õ", "o"}, {"ú", "u"}, {"ü", "u"}, {"ç", "c"}, {"Á", "A"},
      {"À", "A"}, {"Â", "A"}, {"Ã", "A"}, {"É", "E"}, {"Ê", "E"}, {"Í", "I"}, {"Ó", "O"},
      {"Ô", "O"}, {"Õ", "O"}, {"Ú", "U"}, {"Ç", "C"}};
  std::string nome;
  bool separar = false;
  for (size_t i = 0; i < texto.size();) {
    std::string_view letra;
    size_t passo = 1;
    const char c = texto[i];
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      letra = texto.substr(i, 1);
    } else {
      for (const auto& par : acentuadas)
        if (texto.substr(i, par[0].size()) == par[0]) {
          letra = par[1];
          passo = par[0].size();
          break;
        }
    }
    if (letra.empty()) {
      separar = true;
    } else {
      if (separar && !nome.empty()) nome += '_';
      separar = false;
      nome += letra;
    }
    i += passo;
  }
  return nome;
}

// For tables whose cases carry a `nome`.
struct PeloNome {
  template <class Caso>
  std::string operator()(const ::testing::TestParamInfo<Caso>& info) const {
    return NomeDeTeste(info.param.nome);
  }
};

// For tables of values with no name: the position (which keeps names unique)
// and what the case holds, "c07_2_68".
inline std::string NomeNumerado(size_t indice, std::string_view texto) {
  std::string nome = (indice < 10 ? "c0" : "c") + std::to_string(indice);
  const std::string resto = NomeDeTeste(texto);
  if (!resto.empty()) nome += "_" + resto;
  return nome;
}

}  // namespace teste
