#include "app/ReferenciasPrograma.h"

#include "reports/Cobertura.h"
#include "reports/RugCan.h"
#include "reports/RugTer.h"
#include "reports/Sm.h"
#include "reports/Z.h"

namespace {

// One set per data-entry window, so each dialog opens on the row accepted last.
class TReferenciasPrograma : public IReferenciasDados {
 public:
  explicit TReferenciasPrograma(QWidget* pai) : pai_(pai) {}

  bool Cobertura(TCobertura& cobertura) override { return cobertura_.Executar(cobertura, pai_); }
  bool RugTer(TReal& nt) override { return rugTer_.Executar(nt, pai_); }
  bool RugCan(TReal& nc) override { return rugCan_.Executar(nc, pai_); }
  // The window shows Sm in m/m through the dialog and converts it itself.
  bool Sm(TReal& sm) override { return sm_.Executar(sm, pai_); }
  bool Z(TReal& z) override { return z_.Executar(z, pai_); }

  void CoberturaAtual(TCobertura& destino) const override {
    destino.UsoTerra = cobertura_.UsoTerra;
    destino.Tratamento = cobertura_.Tratamento;
    destino.CondicaoHidrologica = cobertura_.CondicaoHidrologica;
  }
  void DefinirCoberturaAtual(const TCobertura& origem) override {
    cobertura_.UsoTerra = origem.UsoTerra;
    cobertura_.Tratamento = origem.Tratamento;
    cobertura_.CondicaoHidrologica = origem.CondicaoHidrologica;
  }

 private:
  QWidget* pai_;
  reports::TCobertura cobertura_;
  reports::TRugTer rugTer_;
  reports::TRugCan rugCan_;
  reports::TSm sm_;
  reports::TZ z_;
};

}  // namespace

std::unique_ptr<IReferenciasDados> CriarReferenciasPrograma(QWidget* pai) {
  return std::make_unique<TReferenciasPrograma>(pai);
}
