#pragma once
// The IDF component: owns the program's design storm (i = K·Tr^a/(t+b)^c,
// i in mm/h, Tr in years, t and b in min) and remembers where its
// coefficients came from (state, station or locality, coordinates, source).
// Project-file section "NIMBORA" + Secao; the storm keeps its own sections.
//
// The query window is Qt code: it plugs itself in through Consulta, so this
// class stays free of any window.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "model/hillslope/uPrecipitacao.h"

// Errors of the component with the message the user sees.
class ENimbora21 : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TNimbora21 {
 public:
  // Runs the query on the component: true when the user accepted (the
  // function has then stored the new coefficients and location), false when
  // cancelled (nothing changed). Errors propagate.
  using TConsulta = std::function<bool(TNimbora21&)>;

  TNimbora21();
  virtual ~TNimbora21() = default;
  TNimbora21(const TNimbora21&) = delete;
  TNimbora21& operator=(const TNimbora21&) = delete;

  // The storm is reset; Latitude, Longitude, StrCidade, StrEstado and Secao
  // emptied; IndEstacao = IndLocalidade = 0, IndEstado = -1, HelpContext = 0,
  // ShowAbout = false. Autoria is kept.
  void Limpar();

  // The query. Throws ENimbora21 when no query is installed.
  virtual bool Execute();
  TConsulta Consulta;

  // Throws "É necessário entrar com um índice para o estado" while IndEstado
  // is negative (the query calls it once the database has been found).
  void ExigirEstado() const;

  // Section "NIMBORA" + Secao: false when its Versao is not "1" (nothing else
  // is read then), when the storm cannot be read (its values stay in the file
  // for a later look) or an index does not fit its 16 bits. Reading never writes: an old project's
  // storm keys move to the storm's sections when the project is saved.
  // A name or coordinate text beyond TamanhoMaximoTexto throws ENimbora21,
  // naming the field.
  bool LerArquivo(const std::string& NomeArquivo);
  // Versao, the storm's sections, then the location keys. Throws
  // toolkit::EArquivoIni when the file cannot be written.
  bool GravarArquivo(const std::string& NomeArquivo);
  // The same on a file its owner holds open (nothing is saved).
  bool LerSecoes(const toolkit::TArquivoIni& ini);
  void GravarSecoes(toolkit::TArquivoIni& ini) const;

  // Names and coordinate texts (StrEstado, StrCidade, Latitude, Longitude)
  // longer than this are refused on reading: the database's are a few dozen
  // characters, and a page lays out a longer one at great cost.
  static constexpr std::size_t TamanhoMaximoTexto = 256;  // characters
  // The text cut to TamanhoMaximoTexto characters (UTF-8), whole characters.
  static std::string Cortado(const std::string& texto);

  // The program's one design storm; created with the component, never replaced.
  TPrecipitacaoExponencialNegativa& Precipitacao() { return *FPrecipitacao; }
  const TPrecipitacaoExponencialNegativa& Precipitacao() const { return *FPrecipitacao; }

  // Source of the coefficients: a citation key of the database,
  // "Interpolação", or empty. Only the query sets it.
  const std::string& Autoria() const { return FAutoria; }
  void DefinirAutoria(const std::string& autoria) { FAutoria = autoria; }

  int16_t IndEstado = -1;  // 0..26 in the state table
  std::string StrEstado;
  int16_t IndEstacao = 0;     // position in the state's sorted station list, -1 none
  int16_t IndLocalidade = 0;  // position in the state's sorted locality list, -1 none
  std::string StrCidade;      // station or locality, "Não definida" for a map point
  std::string Latitude;       // coordinate texts: DD°MM'SS"
  std::string Longitude;
  // Which estimate of an interpolated point the storm took: the coefficients
  // interpolated one by one (the default) or the equation fitted to the
  // interpolated intensities. Stored as "Estimativa=1" only for the latter,
  // so files of the default read and save as before.
  enum class TEstimativa : int16_t { Coeficientes = 0, Intensidades = 1 };
  TEstimativa Estimativa = TEstimativa::Coeficientes;
  bool ShowAbout = false;
  int HelpContext = 0;
  std::string Secao;  // suffix of the section name; empty in the program

 private:
  std::unique_ptr<TPrecipitacaoExponencialNegativa> FPrecipitacao;
  std::string FAutoria;
};
