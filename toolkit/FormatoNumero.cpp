#include "toolkit/FormatoNumero.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "toolkit/Regional.h"

namespace toolkit {
namespace {

// |value| = 0.d1d2d3... x 10^expoente; digitos empty for zero.
struct Decimal {
  bool negativo = false;
  std::string digitos;
  int expoente = 0;
};

// The shortest digits that read back as the same double: rounding from them
// instead of from the binary expansion makes 2.675 behave as the 2.675 the user typed.
Decimal DecimalDe(double valor) {
  Decimal d;
  d.negativo = std::signbit(valor);
  if (valor == 0.0) return d;
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(valor), std::chars_format::scientific);
  const std::string s(buf, r.ptr);
  const size_t e = s.find('e');
  for (size_t i = 0; i < e; ++i)
    if (s[i] != '.') d.digitos += s[i];
  d.expoente = std::stoi(s.substr(e + 1)) + 1;
  while (!d.digitos.empty() && d.digitos.back() == '0') d.digitos.pop_back();
  return d;
}

// Keeps the first `manter` digits, half away from zero on the magnitude.
void ArredondarDigitos(Decimal& d, int manter) {
  if (manter >= static_cast<int>(d.digitos.size())) return;
  if (manter < 0) {
    d.digitos.clear();
    return;
  }
  const bool sobe = d.digitos[manter] >= '5';
  d.digitos.resize(manter);
  if (sobe) {
    int i = manter - 1;
    while (i >= 0 && d.digitos[i] == '9') {
      d.digitos[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++d.digitos[i];
    } else {
      d.digitos.insert(d.digitos.begin(), '1');
      ++d.expoente;
    }
  }
  while (!d.digitos.empty() && d.digitos.back() == '0') d.digitos.pop_back();
}

// Digit of the integer/fraction at decimal position p (p = 1 is the first
// digit after the point, p = 0 the units, p = -1 the tens...).
char DigitoNaPosicao(const Decimal& d, int p) {
  const int indice = d.expoente + p - 1;
  if (indice < 0 || indice >= static_cast<int>(d.digitos.size())) return '0';
  return d.digitos[indice];
}

std::vector<std::string> Secoes(std::string_view padrao) {
  std::vector<std::string> secoes(1);
  char aspas = 0;
  for (char c : padrao) {
    if (aspas) {
      if (c == aspas) aspas = 0;
    } else if (c == '"' || c == '\'') {
      aspas = c;
    } else if (c == ';') {
      secoes.emplace_back();
      continue;
    }
    secoes.back() += c;
  }
  return secoes;
}

struct Padrao {
  std::string prefixo, sufixo;
  int minInteiros = 0;
  int minDecimais = 0;
  int maxDecimais = 0;
  bool temDigitos = false;
};

Padrao AnalisarPadrao(const std::string& secao) {
  Padrao p;
  bool depoisDoPonto = false;
  bool depoisDosDigitos = false;
  int posDecimal = 0;
  char aspas = 0;
  for (char c : secao) {
    std::string* literal = depoisDosDigitos || p.temDigitos ? &p.sufixo : &p.prefixo;
    if (aspas) {
      if (c == aspas)
        aspas = 0;
      else
        *literal += c;
      continue;
    }
    const bool marcador = c == '0' || c == '#' || c == '.' || c == ',';
    if (marcador && !depoisDosDigitos) {
      if (c == '.') {
        depoisDoPonto = true;
      } else if (c == '0' || c == '#') {
        p.temDigitos = true;
        if (depoisDoPonto) {
          ++posDecimal;
          p.maxDecimais = posDecimal;
          if (c == '0') p.minDecimais = posDecimal;
        } else if (c == '0') {
          ++p.minInteiros;
        }
      }
      // ',' would ask for digit grouping, which the program never shows.
      continue;
    }
    if (p.temDigitos) depoisDosDigitos = true;
    if (c == '"' || c == '\'')
      aspas = c;
    else
      *literal += c;
  }
  return p;
}

std::string Formatar(const Padrao& p, double valorAbs, bool negativo, char sep) {
  if (!p.temDigitos) return p.prefixo + p.sufixo;
  Decimal d = DecimalDe(valorAbs);
  ArredondarDigitos(d, d.expoente + p.maxDecimais);
  std::string inteiros;
  for (int pos = d.expoente; pos >= 1; --pos) inteiros += DigitoNaPosicao(d, 1 - pos);
  if (static_cast<int>(inteiros.size()) < p.minInteiros)
    inteiros.insert(0, p.minInteiros - inteiros.size(), '0');
  std::string decimais;
  for (int pos = 1; pos <= p.maxDecimais; ++pos) decimais += DigitoNaPosicao(d, pos);
  while (static_cast<int>(decimais.size()) > p.minDecimais && decimais.back() == '0') decimais.pop_back();
  std::string numero = inteiros;
  if (!decimais.empty()) numero += sep + decimais;
  if (numero.empty()) numero = "0";
  const bool zero = d.digitos.empty();
  return (negativo && !zero ? "-" : "") + p.prefixo + numero + p.sufixo;
}

bool ApenasDigitos(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string FormatarNumero(std::string_view padrao, double valor) {
  return FormatarNumero(padrao, valor, Regional().SeparadorDecimal);
}

std::string FormatarNumero(std::string_view padrao, double valor, char separadorDecimal) {
  if (!std::isfinite(valor)) return valor != valor ? "NAN" : (valor > 0 ? "INF" : "-INF");
  const std::vector<std::string> secoes = Secoes(padrao);
  // Beyond 18 integer digits a fixed pattern says nothing useful.
  if (padrao.empty() || std::fabs(valor) >= 1e18) return FormatoGeral(valor, separadorDecimal);
  const Padrao positivo = AnalisarPadrao(secoes[0]);
  if (valor == 0.0 && secoes.size() >= 3 && !secoes[2].empty())
    return Formatar(AnalisarPadrao(secoes[2]), 0.0, false, separadorDecimal);
  if (valor < 0 && secoes.size() >= 2 && !secoes[1].empty())
    return Formatar(AnalisarPadrao(secoes[1]), -valor, false, separadorDecimal);
  return Formatar(positivo, std::fabs(valor), valor < 0, separadorDecimal);
}

std::string FormatarComVirgula(std::string_view padrao, double valor) {
  std::string texto = FormatarNumero(padrao, valor);
  for (char& c : texto)
    if (c == '.') c = ',';
  return texto;
}

std::string FormatoGeral(double valor) {
  return FormatoGeral(valor, Regional().SeparadorDecimal);
}

std::string FormatoGeral(double valor, char separadorDecimal) {
  if (!std::isfinite(valor)) return valor != valor ? "NAN" : (valor > 0 ? "INF" : "-INF");
  Decimal d = DecimalDe(valor);
  ArredondarDigitos(d, 15);
  if (d.digitos.empty()) return "0";
  std::string texto = d.negativo ? "-" : "";
  // 0.1E-4 is 1E-5, the smallest magnitude still written in fixed notation.
  if (d.expoente >= -4 && d.expoente <= 15) {
    std::string inteiros, decimais;
    for (int pos = d.expoente; pos >= 1; --pos) inteiros += DigitoNaPosicao(d, 1 - pos);
    for (int pos = 1; d.expoente + pos - 1 < static_cast<int>(d.digitos.size()); ++pos)
      decimais += DigitoNaPosicao(d, pos);
    texto += inteiros.empty() ? "0" : inteiros;
    if (!decimais.empty()) texto += separadorDecimal + decimais;
  } else {
    texto += d.digitos[0];
    if (d.digitos.size() > 1) texto += separadorDecimal + d.digitos.substr(1);
    texto += "E" + std::to_string(d.expoente - 1);
  }
  return texto;
}

bool TextoParaReal(std::string_view texto, double& valor) {
  return TextoParaReal(texto, valor, Regional().SeparadorDecimal);
}

bool TextoParaReal(std::string_view texto, double& valor, char separadorDecimal) {
  while (!texto.empty() && static_cast<unsigned char>(texto.front()) <= ' ') texto.remove_prefix(1);
  while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= ' ') texto.remove_suffix(1);
  bool negativo = false;
  if (!texto.empty() && (texto.front() == '+' || texto.front() == '-')) {
    negativo = texto.front() == '-';
    texto.remove_prefix(1);
  }
  std::string_view mantissa = texto, expoente;
  const size_t e = texto.find_first_of("eE");
  if (e != std::string_view::npos) {
    mantissa = texto.substr(0, e);
    expoente = texto.substr(e + 1);
    if (!expoente.empty() && (expoente.front() == '+' || expoente.front() == '-')) {
      if (expoente.size() == 1) return false;
      if (!ApenasDigitos(expoente.substr(1))) return false;
    } else if (expoente.empty() || !ApenasDigitos(expoente)) {
      return false;
    }
  }
  const size_t ponto = mantissa.find(separadorDecimal);
  std::string_view inteiros = mantissa.substr(0, ponto), decimais;
  if (ponto != std::string_view::npos) decimais = mantissa.substr(ponto + 1);
  if (inteiros.empty() && decimais.empty()) return false;
  if (!ApenasDigitos(inteiros) || !ApenasDigitos(decimais)) return false;

  std::string normal(inteiros);
  normal += '.';
  normal += decimais;
  if (!expoente.empty()) {
    normal += 'e';
    normal += expoente;
  }
  double resultado = 0.0;
  const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), resultado);
  if (r.ptr != normal.data() + normal.size()) return false;
  if (r.ec == std::errc::result_out_of_range) {
    // Too small for a double reads as zero; too large fails.
    const size_t primeiro = normal.find_first_of("123456789");
    if (primeiro == std::string::npos) {
      resultado = 0.0;
    } else {
      long exp10 = 0;
      if (!expoente.empty()) {
        const auto re = std::from_chars(expoente.data() + (expoente.front() == '+'),
                                        expoente.data() + expoente.size(), exp10);
        if (re.ec != std::errc()) exp10 = expoente.front() == '-' ? -100000 : 100000;
      }
      const long ordem = static_cast<long>(inteiros.size()) - static_cast<long>(primeiro) + exp10;
      if (ordem > 0) return false;
      resultado = 0.0;
    }
  } else if (r.ec != std::errc()) {
    return false;
  }
  if (!std::isfinite(resultado)) return false;
  valor = negativo ? -resultado : resultado;
  return true;
}

bool TextoParaRealDeArquivo(std::string_view texto, double& valor) {
  return TextoParaRealDeArquivo(texto, valor, Regional().SeparadorDecimal);
}

bool TextoParaRealDeArquivo(std::string_view texto, double& valor, char separadorDecimal) {
  if (TextoParaReal(texto, valor, separadorDecimal)) return true;
  const char outro = separadorDecimal == ',' ? '.' : ',';
  return TextoParaReal(texto, valor, outro);
}

double TextoParaRealOuErro(std::string_view texto) {
  return TextoParaRealOuErro(texto, Regional().SeparadorDecimal);
}

double TextoParaRealOuErro(std::string_view texto, char separadorDecimal) {
  double valor = 0.0;
  if (!TextoParaReal(texto, valor, separadorDecimal))
    throw EConversaoInvalida("'" + std::string(texto) + "' não é um valor numérico válido");
  return valor;
}

}  // namespace toolkit
