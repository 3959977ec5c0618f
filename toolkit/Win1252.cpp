#include "toolkit/Win1252.h"

#include <cstdint>

namespace toolkit {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char32_t kFaixa80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AcrescentarUtf8(std::string& saida, char32_t c) {
  if (c < 0x80) {
    saida += static_cast<char>(c);
  } else if (c < 0x800) {
    saida += static_cast<char>(0xC0 | (c >> 6));
    saida += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    saida += static_cast<char>(0xE0 | (c >> 12));
    saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    saida += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char ByteDe(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kFaixa80[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

std::string Win1252ParaUtf8(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size() + texto.size() / 8);
  for (unsigned char b : texto) {
    if (b < 0x80)
      saida += static_cast<char>(b);
    else if (b < 0xA0)
      AcrescentarUtf8(saida, kFaixa80[b - 0x80]);
    else
      AcrescentarUtf8(saida, b);
  }
  return saida;
}

std::string Utf8ParaWin1252(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  size_t i = 0;
  while (i < texto.size()) {
    const auto b = static_cast<unsigned char>(texto[i]);
    int extra = 0;
    char32_t c = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else {
      saida += '?';
      ++i;
      continue;
    }
    bool valido = i + extra < texto.size();
    for (int k = 1; valido && k <= extra; ++k) {
      const auto cont = static_cast<unsigned char>(texto[i + k]);
      if ((cont & 0xC0) != 0x80)
        valido = false;
      else
        c = (c << 6) | (cont & 0x3F);
    }
    if (!valido) {
      saida += '?';
      ++i;
      continue;
    }
    // Overlong forms and surrogates are not characters: an overlong NUL or
    // slash must not sneak through as a real one.
    constexpr char32_t kMinimo[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimo[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      saida += '?';
      i += extra + 1;
      continue;
    }
    saida += ByteDe(c);
    i += extra + 1;
  }
  return saida;
}

}  // namespace toolkit
