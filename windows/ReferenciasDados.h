#pragma once
// The reference-value dialogs as the data-entry window runs them: the cover of
// a hillslope segment, the roughness of the terrain and of the channel, the
// slope Sm of the triangle's second wall and the side slope Z. Each returns
// true when the user accepted; the chosen value is then in the model object.
// The window owns one set for its lifetime, so each dialog preselects the row
// accepted last.
#include <functional>
#include <memory>

class QWidget;
class TCobertura;
class TReal;

class IReferenciasDados {
 public:
  virtual ~IReferenciasDados() = default;
  virtual bool Cobertura(TCobertura& cobertura) = 0;  // help context 2310
  virtual bool RugTer(TReal& nt) = 0;                 // 2320
  virtual bool RugCan(TReal& nc) = 0;                 // 2210
  virtual bool Sm(TReal& sm) = 0;                     // 2220, unit "m/m", factor 1
  virtual bool Z(TReal& z) = 0;                       // 0
  // The cover accepted last (use of land, treatment, hydrologic condition),
  // which the regular tab hands to its segment; the other way round when the
  // regular tab takes a segment's values.
  virtual void CoberturaAtual(TCobertura& destino) const = 0;
  virtual void DefinirCoberturaAtual(const TCobertura& origem) = 0;
};

// Makes the set a new data-entry window uses. The program installs the
// dialogs of reports/ here; until one is installed, a set whose dialogs
// are never accepted.
using TFabricaReferencias = std::function<std::unique_ptr<IReferenciasDados>(QWidget* pai)>;
void DefinirFabricaReferencias(TFabricaReferencias fabrica);
std::unique_ptr<IReferenciasDados> CriarReferenciasDados(QWidget* pai);
