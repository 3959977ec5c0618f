#include "model/hillslope/uInterfaceUsuario.h"

namespace {

class TDescartarMensagens : public IMensagens {
 public:
  void Informar(const std::string&) override {}
};

TDescartarMensagens descarte;
IMensagens* receptorAtual = &descarte;

}  // namespace

IMensagens& MensagensDoModelo() { return *receptorAtual; }

void DefinirMensagensDoModelo(IMensagens* receptor) { receptorAtual = receptor ? receptor : &descarte; }
