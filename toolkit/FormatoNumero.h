#pragma once
// Number texts as the program shows and stores them.
//
// Patterns: '0' a required digit, '#' an optional digit, '.' the place of the
// decimal separator (written as the current or the given separator), ';'
// separates positive;negative;zero sections, text in quotes is literal.
// Rounding is half away from zero on the decimal value of the double (its
// shortest round-trip digits), so 2.675 with "0.00" gives "2.68".
// No digit grouping. A pattern with no '0' before the point omits a zero
// integer part ("#.0######" of 0.5 gives ".5"). A value that rounds to zero is
// written without a sign.
#include <stdexcept>
#include <string>
#include <string_view>

namespace toolkit {

std::string FormatarNumero(std::string_view padrao, double valor);
std::string FormatarNumero(std::string_view padrao, double valor, char separadorDecimal);

// Decimal comma rule of the chart statistics and reports: format in the current
// settings, then every '.' becomes ','.
std::string FormatarComVirgula(std::string_view padrao, double valor);

// Shortest general form: up to 15 significant digits, trailing zeros dropped;
// fixed notation when 1E-5 <= |valor| and the integer digits fit in 15,
// otherwise mantissa + "E" + exponent ("1E-6", "1,5E-7", "1E15", "-2,5E20").
std::string FormatoGeral(double valor);
std::string FormatoGeral(double valor, char separadorDecimal);

// Reads a real: surrounding blanks ignored, optional sign, digits with at most
// one decimal separator (the current or the given one), optional exponent
// (E or e, optional sign, digits). No thousands separators. The whole text must
// be consumed; overflow, NaN and infinity fail. On failure valor is untouched.
bool TextoParaReal(std::string_view texto, double& valor);
bool TextoParaReal(std::string_view texto, double& valor, char separadorDecimal);

// Reals stored in files (projects, settings, text hydrographs): the given
// separator (the current one by default) first; a text that does not parse
// with it but parses whole with the other one ('.' or ',') is read with that
// one, so a file written under other regional settings keeps its values.
bool TextoParaRealDeArquivo(std::string_view texto, double& valor);
bool TextoParaRealDeArquivo(std::string_view texto, double& valor, char separadorDecimal);

class EConversaoInvalida : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// As TextoParaReal; throws EConversaoInvalida with
// "'<texto>' não é um valor numérico válido" on failure.
double TextoParaRealOuErro(std::string_view texto);
double TextoParaRealOuErro(std::string_view texto, char separadorDecimal);

}  // namespace toolkit
