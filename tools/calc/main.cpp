// caudalente-calc: the hydrograph of a project without the windows.
#include <iostream>
#include <string>
#include <vector>

#include "tools/calc/Calculadora.h"
#ifdef CAUDALENTE_CALC_RELATORIO
#include "tools/calc/gui/RelatorioCalc.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << TextoDeUso();
    return kCalcUso;
  }
  std::ios::sync_with_stdio(true);
#ifdef CAUDALENTE_CALC_RELATORIO
  const int codigo = ExecutarCalculadora(args, std::cout, std::cerr, EscreverRelatorioCalc);
#else
  const int codigo = ExecutarCalculadora(args, std::cout, std::cerr);
#endif
  std::cout.flush();
  return codigo;
}
