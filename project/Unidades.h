#pragma once
// Unit settings: in which units the windows show slopes and infiltration
// rates. The model always holds slopes in m/m and rates in mm/h;
// shown slope = slope (m/m) * FatorDeclividade, shown rate = rate (mm/h) * FatorVI;
// FatorComprimento is metres per unit of length (stored and loaded only).
// Kept in section "UNIDADES" of both the settings file and every project file.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace toolkit {
class TArquivoIni;
}

class TUnidadesCustom {
 public:
  TUnidadesCustom();
  virtual ~TUnidadesCustom() = default;

  std::string UnidadeVI;
  std::string UnidadeDeclividade;
  std::string UnidadeComprimento;
  std::int32_t FatorDeclividade = 1;
  double FatorVI = 1.0;
  double FatorComprimento = 1.0;
  std::uint8_t IndDeclividade = 1;
  std::uint8_t IndComprimento = 2;
  std::uint8_t IndVI = 1;
  std::int32_t Estado = 1;

  // An index outside its table is kept while label and factor stay as they were.
  void SetDeclividade(std::uint8_t i);
  void SetComprimento(std::uint8_t i);
  void SetVI(std::uint8_t i);
  // m/m, m, mm/h, state 1.
  void Padrao();

  // Reads section "UNIDADES" of the INI file. Versao other than "1": defaults
  // and false. An index out of range stops the reading with false (the
  // indexes read before it stay applied).
  bool LerArquivo(const std::string& caminho);
  // Writes Versao "1", Declividade, Comprimento, VI and Estado in place.
  // Throws toolkit::EArquivoIni when the file cannot be written.
  bool GravarArquivo(const std::string& caminho) const;
  // The same on a file its owner holds open (nothing is saved).
  bool LerSecoes(const toolkit::TArquivoIni& ini);
  void GravarSecoes(toolkit::TArquivoIni& ini) const;

  // Unit tables: labels by index.
  static const std::vector<std::string>& UnidadesDeclividade();
  static const std::vector<std::string>& UnidadesVI();
  static const std::vector<std::string>& UnidadesComprimento();

  // The default states Estado indexes (UTF-8 names): the 22 states of the
  // first list, alphabetical, then the five added later at its end, so that
  // the indexes stored by earlier versions keep their state.
  static const std::vector<std::string>& Estados();
  // The position of a state name in Estados(), -1 when it is not there.
  static int IndiceEstado(const std::string& nome);
};

class TUnidades : public TUnidadesCustom {
 public:
  // Raised when the slope (infiltration) unit changes in the units dialog or
  // is restored when the dialog is cancelled.
  std::function<void()> OnMudarDeclividade;
  std::function<void()> OnMudarVI;
  int HelpContext = 0;

  void MudouDeclividade() const {
    if (OnMudarDeclividade) OnMudarDeclividade();
  }
  void MudouVI() const {
    if (OnMudarVI) OnMudarVI();
  }
};
