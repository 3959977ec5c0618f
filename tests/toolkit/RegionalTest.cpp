#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Regional.h"

using namespace toolkit;

namespace {

// Sets the three locale variables for one scope and puts the old ones back.
class Ambiente {
 public:
  Ambiente(const char* lcAll, const char* lcNumeric, const char* lang) {
    Trocar("LC_ALL", lcAll);
    Trocar("LC_NUMERIC", lcNumeric);
    Trocar("LANG", lang);
  }
  ~Ambiente() {
    for (auto& [nome, valor] : antigos_) {
      if (valor.first)
        setenv(nome.c_str(), valor.second.c_str(), 1);
      else
        unsetenv(nome.c_str());
    }
  }

 private:
  void Trocar(const std::string& nome, const char* novo) {
    const char* atual = std::getenv(nome.c_str());
    antigos_.push_back({nome, {atual != nullptr, atual ? atual : ""}});
    if (novo)
      setenv(nome.c_str(), novo, 1);
    else
      unsetenv(nome.c_str());
  }
  std::vector<std::pair<std::string, std::pair<bool, std::string>>> antigos_;
};

TEST(Regional, AmbienteEscolhePreset) {
  struct Caso {
    const char *lcAll, *lcNumeric, *lang;
    char decimal;
  };
  const Caso casos[] = {
      {nullptr, nullptr, "pt_BR.UTF-8", ','}, {nullptr, nullptr, "en_US.UTF-8", '.'},
      {nullptr, "pt_BR", "en_US.UTF-8", ','}, {"C", "pt_BR", "pt_BR.UTF-8", '.'},
      {"", "", "pt_BR.ISO-8859-1", ','},      {nullptr, nullptr, nullptr, '.'},
      {nullptr, nullptr, "pt_PT.UTF-8", '.'},
  };
  for (const Caso& c : casos) {
    Ambiente a(c.lcAll, c.lcNumeric, c.lang);
    const TConfigRegional r = RegionalDoAmbiente();
    EXPECT_EQ(r.SeparadorDecimal, c.decimal) << (c.lang ? c.lang : "-");
    EXPECT_EQ(r.SeparadorMilhar, c.decimal == ',' ? '.' : '\0');
  }
}

TEST(Regional, DefinirEDesfazer) {
  TRegionalTemporario externo(RegionalC());
  {
    TRegionalTemporario pt(RegionalPtBr());
    EXPECT_EQ(Regional().SeparadorDecimal, ',');
    EXPECT_EQ(Regional().FormatoDataCurta, "dd/MM/yyyy");
  }
  EXPECT_EQ(Regional().SeparadorDecimal, '.');
}

TEST(Regional, DataCurta) {
  EXPECT_EQ(FormatarDataCurta(2024, 3, 5, "dd/MM/yyyy"), "05/03/2024");
  EXPECT_EQ(FormatarDataCurta(2024, 3, 5, "MM/dd/yyyy"), "03/05/2024");
  EXPECT_EQ(FormatarDataCurta(2024, 12, 25, "d/M/yy"), "25/12/24");
  EXPECT_EQ(FormatarDataCurta(2009, 1, 7, "d-M-yyyy"), "7-1-2009");
  TRegionalTemporario pt(RegionalPtBr());
  EXPECT_EQ(FormatarDataCurta(1999, 11, 30), "30/11/1999");
  EXPECT_EQ(DataCurtaDeHoje().size(), 10u);
}

}  // namespace
