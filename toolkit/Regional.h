#pragma once
// Regional settings (decimal and thousands separators, short date format) read
// by every locale-dependent piece of code from this one place. The program sets
// them at start-up from the environment's locale; tests set them explicitly.
#include <string>

namespace toolkit {

struct TConfigRegional {
  char SeparadorDecimal = '.';
  char SeparadorMilhar = '\0';  // '\0': no thousands separator
  // Tokens: d, dd (day), M, MM (month), yy, yyyy (year); anything else is literal.
  std::string FormatoDataCurta = "MM/dd/yyyy";
};

TConfigRegional RegionalPtBr();  // "," "." "dd/MM/yyyy"
TConfigRegional RegionalC();     // "." none "MM/dd/yyyy"

// From LC_ALL, then LC_NUMERIC, then LANG (the first one set and non-empty):
// a name starting with "pt_BR" (or "pt-BR") gives RegionalPtBr(), anything else RegionalC().
TConfigRegional RegionalDoAmbiente();

// Current settings; until DefinirRegional is called they are RegionalDoAmbiente().
const TConfigRegional& Regional();
void DefinirRegional(const TConfigRegional& config);

// Sets the settings for the lifetime of the object and restores the previous ones.
class TRegionalTemporario {
 public:
  explicit TRegionalTemporario(const TConfigRegional& config);
  ~TRegionalTemporario();
  TRegionalTemporario(const TRegionalTemporario&) = delete;
  TRegionalTemporario& operator=(const TRegionalTemporario&) = delete;

 private:
  TConfigRegional anterior_;
};

// Date in the current (or the given) short date format, e.g. "05/03/2024" for
// 5 March 2024 under pt-BR. mes 1..12, dia 1..31.
std::string FormatarDataCurta(int ano, int mes, int dia);
std::string FormatarDataCurta(int ano, int mes, int dia, const std::string& formato);
// Today's date (local time) in the current short date format.
std::string DataCurtaDeHoje();

}  // namespace toolkit
