#pragma once
// A UTF-8 text as a JSON string: quotes, backslashes and control characters
// escaped, everything else as it is.
#include <cstdio>
#include <string>

namespace toolkit {

inline std::string TextoJson(const std::string& texto) {
  std::string r = "\"";
  for (const char ch : texto) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      r += '\\';
      r += ch;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      r += buf;
    } else {
      r += ch;
    }
  }
  return r + '"';
}

}  // namespace toolkit
