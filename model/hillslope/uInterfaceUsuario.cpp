#include "model/hillslope/uInterfaceUsuario.h"

#include <atomic>

namespace {

class TDescartarMensagens : public IMensagens {
 public:
  void Informar(const std::string&) override {}
};

TDescartarMensagens descarte;
// Set by the program, the calculator or a test; atomic so that computations
// on other threads read it safely while it is swapped.
std::atomic<IMensagens*> receptorAtual{&descarte};

}  // namespace

IMensagens& MensagensDoModelo() {
  return *receptorAtual.load();
}

void DefinirMensagensDoModelo(IMensagens* receptor) {
  receptorAtual.store(receptor ? receptor : &descarte);
}
