#include <gtest/gtest.h>

#include "toolkit/Win1252.h"

using namespace toolkit;

TEST(Win1252, TodosOsBytesVoltamIguais) {
  std::string todos;
  for (int b = 0; b < 256; ++b) todos += static_cast<char>(b);
  EXPECT_EQ(Utf8ParaWin1252(Win1252ParaUtf8(todos)), todos);
}

TEST(Win1252, Conversoes) {
  struct Caso {
    const char* win;
    const char* utf8;
  };
  const Caso casos[] = {
      {"S\xE3o Jo\xE3o", "São João"},
      {"Vaz\xE3o (m\xB3)", "Vazão (m³)"},
      {"\x80 \x96 \x93x\x94", "€ – “x”"},
      {"\x8A\x9F", "ŠŸ"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(Win1252ParaUtf8(c.win), c.utf8);
    EXPECT_EQ(Utf8ParaWin1252(c.utf8), c.win);
  }
}

TEST(Win1252, ForaDaPaginaOuMalFormadoViraInterrogacao) {
  EXPECT_EQ(Utf8ParaWin1252("a→b"), "a?b");
  EXPECT_EQ(Utf8ParaWin1252("a\xC3"), "a?");                    // cut short
  EXPECT_EQ(Utf8ParaWin1252("\xFFz"), "?z");                    // not a lead byte
  EXPECT_EQ(Utf8ParaWin1252(std::string("\xC0\x80", 2)), "?");  // overlong NUL
  EXPECT_EQ(Utf8ParaWin1252("\xC0\xAF"), "?");                  // overlong slash
  EXPECT_EQ(Utf8ParaWin1252("\xED\xA0\x80"), "?");              // surrogate
}
