#pragma once
// The built command-line calculator run as users run it, under a given locale,
// and the fields of its JSON output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "common/PastaTemporaria.h"

namespace teste {

inline const std::string& Calculadora() {
  static const std::string caminho = std::string(CAUDALENTE_BINARY_DIR) + "/bin/caudalente-calc";
  return caminho;
}

struct TExecucao {
  int codigo = -1;
  std::string saida, erro;
};

// A shell word: quotes inside it stay part of it.
inline std::string Aspas(const std::string& s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

inline TExecucao Executar(const std::vector<std::string>& args, const std::string& locale = "C.UTF-8") {
  TPastaTemporaria pasta;
  std::string cmd = "env -u LANG -u LC_NUMERIC LC_ALL=" + locale + " " + Aspas(Calculadora());
  for (const std::string& a : args) cmd += " " + Aspas(a);
  cmd += " > " + pasta.Arquivo("out") + " 2> " + pasta.Arquivo("err");
  TExecucao e;
  const int status = std::system(cmd.c_str());
  e.codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  e.saida = LerBytes(pasta.Arquivo("out"));
  e.erro = LerBytes(pasta.Arquivo("err"));
  return e;
}

// A number field of the JSON output; a missing one fails the test.
inline double Campo(const std::string& json, const std::string& nome) {
  std::smatch m;
  const std::regex re("\"" + nome + "\":([-+0-9.eE]+)");
  if (!std::regex_search(json, m, re)) {
    ADD_FAILURE() << "no field " << nome << " in " << json.substr(0, 200);
    return NAN;
  }
  return std::stod(m[1]);
}

inline std::vector<std::pair<double, double>> Pontos(const std::string& json) {
  std::vector<std::pair<double, double>> pontos;
  const std::regex re("\\[([-+0-9.eE]+),([-+0-9.eE]+)\\]");
  const std::string lista = json.substr(0, json.find("]]") + 2);
  for (auto it = std::sregex_iterator(lista.begin(), lista.end(), re); it != std::sregex_iterator(); ++it)
    pontos.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
  return pontos;
}

}  // namespace teste
