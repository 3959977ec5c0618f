#include "toolkit/TextoHtml.h"

namespace toolkit {
namespace {

std::string Escapar(std::string_view texto, bool aspas) {
  std::string r;
  r.reserve(texto.size());
  for (const char c : texto) {
    switch (c) {
      case '&':
        r += "&amp;";
        break;
      case '<':
        r += "&lt;";
        break;
      case '>':
        r += "&gt;";
        break;
      case '"':
        r += aspas ? "&quot;" : "\"";
        break;
      default:
        r += c;
    }
  }
  return r;
}

int ValorHexadecimal(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EscaparHtml(std::string_view texto) {
  return Escapar(texto, false);
}

std::string EscaparAtributo(std::string_view texto) {
  return Escapar(texto, true);
}

std::string EnderecoDeArquivo(std::string_view caminho) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string r;
  r.reserve(caminho.size());
  for (const char c : caminho) {
    const auto b = static_cast<unsigned char>(c);
    const bool codificar = b < 0x20 || b >= 0x7F || c == '%' || c == '"' || c == '<' || c == '>' ||
                           c == '&' || c == '#' || c == '?';
    if (codificar) {
      r += '%';
      r += kHex[b >> 4];
      r += kHex[b & 0xF];
    } else {
      r += c;
    }
  }
  return r;
}

std::string CaminhoDoEndereco(std::string_view endereco) {
  std::string r;
  r.reserve(endereco.size());
  for (std::size_t i = 0; i < endereco.size(); ++i) {
    if (endereco[i] == '%' && i + 2 < endereco.size()) {
      const int alto = ValorHexadecimal(endereco[i + 1]), baixo = ValorHexadecimal(endereco[i + 2]);
      if (alto >= 0 && baixo >= 0) {
        r += static_cast<char>(alto * 16 + baixo);
        i += 2;
        continue;
      }
    }
    r += endereco[i];
  }
  return r;
}

}  // namespace toolkit
