// The calculator's database mode, on the delivered files: usage errors, the
// stations of a state and the interpolation against an independent sum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iterator>
#include <limits>
#include <regex>
#include <sstream>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "idf/ArquivosIdf.h"
#include "idf/ConsultaLinhaComando.h"
#include "toolkit/Win1252.h"

namespace fs = std::filesystem;

namespace {

const std::string Pasta = (fs::path(CAUDALENTE_SOURCE_DIR) / "data" / "Arquivos Comuns").string() + "/";

struct Saida {
  int codigo;
  std::string out, err;
};

Saida Executar(const std::vector<std::string>& args, const std::string& pasta = Pasta) {
  std::ostringstream out, err;
  const int codigo = ExecutarConsultaIdf(args, out, err, pasta);
  return {codigo, out.str(), err.str()};
}

double Numero(const std::string& json, const std::string& chave) {
  std::smatch m;
  const std::regex padrao("\"" + chave + "\": ([-0-9.eE+]+)");
  if (!std::regex_search(json, m, padrao)) return NAN;
  return std::stod(m[1]);
}

// Degrees of a Windows-1252 coordinate text, computed here from its digits.
double Graus(const std::string& w) {
  return std::stoi(w.substr(0, 2)) + (std::stoi(w.substr(3, 2)) + std::stoi(w.substr(6, 2)) / 60.0) / 60.0;
}

}  // namespace

TEST(ConsultaLinhaComando, UsoErradoSaiComDois) {
  const std::vector<std::vector<std::string>> casos = {
      {},
      {"--idf-estacoes"},
      {"--idf-estacoes", "Atlântida"},
      {"--idf-estacoes", "27"},
      {"--idf-estacoes", "-1"},
      {"--idf-interpolar",
       "20\xC2\xB0"
       "00'00\""},
      {"--idf-interpolar", "abc",
       "45\xC2\xB0"
       "00'00\""},
      {"--idf-interpolar", "  \xC2\xB0  '  \"",
       "45\xC2\xB0"
       "00'00\""},
      {"--idf-qualquer", "x"},
      // Typed coordinates are checked whole, ranges included.
      {"--idf-interpolar",
       "99\xC2\xB0"
       "99'99\"",
       "45\xC2\xB0"
       "00'00\""},
      {"--idf-interpolar", "20x45y14z",
       "45\xC2\xB0"
       "00'00\""},
      {"--idf-interpolar",
       "20\xC2\xB0"
       "00'00\"",
       "45\xC2\xB0"
       "00'00\"x"},
      {"--idf-interpolar",
       "20\xC2\xB0"
       "00'00\"",
       "45\xC2\xB0"
       "60'00\""},
  };
  for (const auto& args : casos) {
    const Saida s = Executar(args);
    EXPECT_EQ(s.codigo, 2) << (args.empty() ? "(none)" : args[0]) << " " << args.size();
    EXPECT_TRUE(s.out.empty());
    EXPECT_NE(s.err.find("uso: caudalente-calc --idf-estacoes ESTADO"), std::string::npos) << s.err;
  }
}

TEST(ConsultaLinhaComando, BancoAusenteSaiComUm) {
  const Saida s = Executar({"--idf-estacoes", "Bahia"}, "/nao/existe/");
  EXPECT_EQ(s.codigo, 1);
  EXPECT_EQ(s.err, "O arquivo /nao/existe/Estados_Nim21.bin não existe.\n");
  EXPECT_EQ(Executar({"--idf-interpolar",
                      "20\xC2\xB0"
                      "00'00\"",
                      "45\xC2\xB0"
                      "00'00\""},
                     "/nao/existe/")
                .codigo,
            1);
}

// A damaged station never reaches the output as a non-number: the database
// is refused naming the file and the station (exit 1), for lists and
// interpolation alike.
TEST(ConsultaLinhaComando, EstacaoEstragadaNaoViraNull) {
  const teste::TPastaTemporaria pasta;
  const std::string c =
      "20\xB0"
      "00'00\"";
  std::array<std::vector<teste_idf::Estacao>, 27> e;
  e[12] = {{"Vi\xE7osa", std::numeric_limits<double>::quiet_NaN(), 0.2, 10, 0.8, "A", c, c}};
  e[24] = {{"Campinas", 1000, 0.2, 10, 0.8, "A", c, c}};
  teste_idf::Gravar(pasta.Arquivo("Estados_Nim21.bin"), teste_idf::ArquivoEstacoes(e));
  const std::string p = pasta.Caminho() + "/";
  for (const auto& args : std::vector<std::vector<std::string>>{{"--idf-estacoes", "Minas Gerais"},
                                                                {"--idf-interpolar",
                                                                 "21\xC2\xB0"
                                                                 "00'00\"",
                                                                 "45\xC2\xB0"
                                                                 "00'00\""}}) {
    const Saida s = Executar(args, p);
    EXPECT_EQ(s.codigo, 1) << args[0];
    EXPECT_TRUE(s.out.empty()) << s.out;
    EXPECT_EQ(s.err, "O arquivo " + p +
                         "Estados_Nim21.bin está corrompido: na estação \"Viçosa\" (número 1 de"
                         " Minas Gerais), o coeficiente K não é um número finito.\n");
  }
}

TEST(ConsultaLinhaComando, EstacoesPorNomeOuIndice) {
  const auto estacoes = teste_idf::Independente::Estacoes(teste_idf::Ler(Pasta + "Estados_Nim21.bin"));
  const Saida porNome = Executar({"--idf-estacoes", "Tocantins"});
  const Saida porIndice = Executar({"--idf-estacoes", "26"});
  ASSERT_EQ(porNome.codigo, 0) << porNome.err;
  EXPECT_EQ(porNome.out, porIndice.out);
  const std::string& json = porNome.out;
  // Every object has the same keys in this order; the source is "Autoria", as
  // in the interpolation's output.
  const std::string texto = "\"(?:[^\"\\\\]|\\\\.)*\"", numero = "[-0-9.eE+]+";
  const std::regex objeto("\\{\"Nome\": " + texto + ", \"K\": " + numero + ", \"a\": " + numero +
                          ", \"b\": " + numero + ", \"c\": " + numero + ", \"Autoria\": " + texto +
                          ", \"Latitude\": " + texto + ", \"Longitude\": " + texto + "\\}");
  const auto objetos =
      std::distance(std::sregex_iterator(json.begin(), json.end(), objeto), std::sregex_iterator());
  EXPECT_EQ(static_cast<std::size_t>(objetos), estacoes[26].size()) << json;
  EXPECT_EQ(std::count(json.begin(), json.end(), '{'), objetos);
  const auto& primeira = estacoes[26].front();
  // Seconds mark escaped inside the JSON string; numbers round-trip exactly.
  const std::string lat = toolkit::Win1252ParaUtf8(primeira.lat);
  EXPECT_NE(json.find("\"Latitude\": \"" + lat.substr(0, lat.size() - 1) + "\\\"\""), std::string::npos)
      << json;
  EXPECT_EQ(Numero(json, "K"), primeira.K);
  EXPECT_EQ(Numero(json, "c"), primeira.c);
  EXPECT_NE(json.find("\"Autoria\": \"" + toolkit::Win1252ParaUtf8(primeira.fonte) + "\""),
            std::string::npos);
  EXPECT_EQ(json.front(), '[');
  EXPECT_EQ(Executar({"--idf-estacoes", "Amapá"}).out, "[]\n");
}

// The inverse-fifth-power mean over the eight states, summed here from the
// file read by offsets, at points between stations and at a station itself.
TEST(ConsultaLinhaComando, InterpolarConcordaComASomaIndependente) {
  const auto estacoes = teste_idf::Independente::Estacoes(teste_idf::Ler(Pasta + "Estados_Nim21.bin"));
  const std::pair<const char*, const char*> pontos[] = {
      {"20\xC2\xB0"
       "00'00\"",
       "45\xC2\xB0"
       "00'00\""},
      {"12\xC2\xB0"
       "30'15\"",
       "40\xC2\xB0"
       "10'05\""},
      {"24\xC2\xB0"
       "59'59\"",
       "51\xC2\xB0"
       "00'01\""},
  };
  for (const auto& [lat, lon] : pontos) {
    const double phi0 = Graus(toolkit::Utf8ParaWin1252(lat)), lambda0 = Graus(toolkit::Utf8ParaWin1252(lon));
    long double W = 0, K = 0, a = 0, b = 0, c = 0;
    for (const int estado : {4, 7, 8, 12, 15, 18, 24, 26})
      for (const auto& e : estacoes[static_cast<std::size_t>(estado)]) {
        const long double d = std::hypot(static_cast<long double>(Graus(e.lon) - lambda0),
                                         static_cast<long double>(Graus(e.lat) - phi0));
        const long double w = 1 / std::pow(d, 5.0L);
        W += w;
        K += w * e.K;
        a += w * e.a;
        b += w * e.b;
        c += w * e.c;
      }
    const Saida s = Executar({"--idf-interpolar", lat, lon});
    ASSERT_EQ(s.codigo, 0) << s.err;
    EXPECT_REL_NEAR(Numero(s.out, "K"), static_cast<double>(K / W), 1e-12);
    EXPECT_REL_NEAR(Numero(s.out, "a"), static_cast<double>(a / W), 1e-12);
    EXPECT_REL_NEAR(Numero(s.out, "b"), static_cast<double>(b / W), 1e-12);
    EXPECT_REL_NEAR(Numero(s.out, "c"), static_cast<double>(c / W), 1e-12);
    EXPECT_NE(s.out.find("\"Autoria\": \"Interpolação\""), std::string::npos) << s.out;
  }
  const auto& rj = estacoes[18].front();
  const Saida s =
      Executar({"--idf-interpolar", toolkit::Win1252ParaUtf8(rj.lat), toolkit::Win1252ParaUtf8(rj.lon)});
  ASSERT_EQ(s.codigo, 0) << s.err;
  EXPECT_EQ(Numero(s.out, "K"), rj.K);
  EXPECT_EQ(Numero(s.out, "b"), rj.b);
  EXPECT_NE(s.out.find("\"Autoria\": \"" + toolkit::Win1252ParaUtf8(rj.fonte) + "\""), std::string::npos);
}
