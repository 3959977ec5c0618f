#include "windows/ReferenciasDados.h"

#include "model/hillslope/uTerreno.h"

namespace {

// Keeps the cover the regular tab hands over; no dialog to show.
class TSemDialogos : public IReferenciasDados {
 public:
  bool Cobertura(TCobertura&) override { return false; }
  bool RugTer(TReal&) override { return false; }
  bool RugCan(TReal&) override { return false; }
  bool Sm(TReal&) override { return false; }
  bool Z(TReal&) override { return false; }
  void CoberturaAtual(TCobertura& destino) const override { destino.Assign(atual_); }
  void DefinirCoberturaAtual(const TCobertura& origem) override { atual_.Assign(origem); }

 private:
  TCobertura atual_;
};

TFabricaReferencias& Fabrica() {
  static TFabricaReferencias fabrica;
  return fabrica;
}

}  // namespace

void DefinirFabricaReferencias(TFabricaReferencias fabrica) {
  Fabrica() = std::move(fabrica);
}

std::unique_ptr<IReferenciasDados> CriarReferenciasDados(QWidget* pai) {
  if (Fabrica()) return Fabrica()(pai);
  return std::make_unique<TSemDialogos>();
}
