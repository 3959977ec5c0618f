// The delivered database: read by an independent byte-offset reader, checked
// against the source tables, against the maps, and against the reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "common/Tolerancia.h"
#include "idf/ArquivosIdf.h"
#include "idf/CitacoesIdf.h"
#include "idf/MapasEstados.h"
#include "idf/UnBD.h"
#include "toolkit/Win1252.h"

namespace fs = std::filesystem;

namespace {

const fs::path Entregues = fs::path(CAUDALENTE_SOURCE_DIR) / "data" / "Arquivos Comuns";

struct Dados {
  std::array<std::vector<teste_idf::Estacao>, 27> estacoes;
  std::array<std::vector<teste_idf::Localidade>, 27> localidades;
};

const Dados& Entregue() {
  static const Dados d{
      teste_idf::Independente::Estacoes(teste_idf::Ler(Entregues / "Estados_Nim21.bin")),
      teste_idf::Independente::Localidades(teste_idf::Ler(Entregues / "Localidades_Nim21.bin"))};
  return d;
}

std::string U(const std::string& w1252) {
  return toolkit::Win1252ParaUtf8(w1252);
}

const std::regex FormatoCoordenada("^\\d\\d\xB0\\d\\d'\\d\\d\"$");

}  // namespace

TEST(BancoEntregue, LeitorIndependenteEOLeitorConcordam) {
  const Dados& d = Entregue();
  TBDPrecipitacao bd(Entregues.string() + "/");
  bd.LerEstados();
  for (int i = 0; i < NumeroEstados; ++i) {
    const auto& esperado = d.estacoes[static_cast<std::size_t>(i)];
    const auto& lido = bd.Estacoes(i);
    ASSERT_EQ(lido.size(), esperado.size()) << NomesEstados[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < lido.size(); ++k) {
      EXPECT_EQ(lido[k].Nome, U(esperado[k].nome));
      EXPECT_EQ(lido[k].K, esperado[k].K);
      EXPECT_EQ(lido[k].c, esperado[k].c);
      EXPECT_EQ(lido[k].Fonte, U(esperado[k].fonte));
      EXPECT_EQ(lido[k].Longitude, U(esperado[k].lon));
    }
    bd.LerLocalidades(i);
    const auto& locais = d.localidades[static_cast<std::size_t>(i)];
    ASSERT_EQ(bd.Localidades().size(), locais.size());
    if (!locais.empty()) {
      EXPECT_EQ(bd.Localidades().back().Latitude, U(locais.back().lat));
    }
  }
}

TEST(BancoEntregue, RegistrosBemFormadosEOrdenados) {
  const Dados& d = Entregue();
  std::size_t oito = 0;
  for (const int i : EstadosInterpolacao) oito += d.estacoes[static_cast<std::size_t>(i)].size();
  EXPECT_GT(oito, 300u) << "stations of the eight interpolation states";

  for (int i = 0; i < NumeroEstados; ++i) {
    const auto& lista = d.estacoes[static_cast<std::size_t>(i)];
    std::set<std::string> nomes;
    for (std::size_t k = 0; k < lista.size(); ++k) {
      const auto& e = lista[k];
      EXPECT_TRUE(nomes.insert(e.nome).second) << "repeated name " << U(e.nome);
      EXPECT_TRUE(std::regex_match(e.lat, FormatoCoordenada)) << U(e.nome);
      EXPECT_TRUE(std::regex_match(e.lon, FormatoCoordenada)) << U(e.nome);
      EXPECT_NE(ProcurarCitacao(U(e.fonte)), nullptr) << U(e.fonte);
      // i(Tr = 10 years, t = 10 min) of a real equation: tens to a few hundred mm/h.
      const double i10 = e.K * std::pow(10.0, e.a) / std::pow(10.0 + e.b, e.c);
      EXPECT_TRUE(i10 > 40 && i10 < 350) << U(e.nome) << " i10 = " << i10;
      if (k > 0) {
        EXPECT_TRUE(NomeAntes(U(lista[k - 1].nome), U(e.nome))) << U(e.nome);
      }
    }
    const auto& locais = d.localidades[static_cast<std::size_t>(i)];
    for (std::size_t k = 0; k < locais.size(); ++k) {
      EXPECT_TRUE(std::regex_match(locais[k].lat, FormatoCoordenada)) << U(locais[k].nome);
      if (k > 0) {
        EXPECT_TRUE(NomeAntes(U(locais[k - 1].nome), U(locais[k].nome))) << U(locais[k].nome);
      }
    }
  }
  // Full town lists for the map states (853 municipalities in Minas Gerais, 645 in São Paulo).
  EXPECT_GE(d.localidades[12].size(), 800u);
  EXPECT_GE(d.localidades[24].size(), 600u);
  EXPECT_GE(d.localidades[26].size(), 130u);
}

// Every compiled station is delivered with its coefficients unchanged and its
// coordinates truncated to whole seconds from the source's decimal degrees.
TEST(BancoEntregue, CoeficientesIguaisAosDaTabelaFonte) {
  std::ifstream f(fs::path(CAUDALENTE_SOURCE_DIR) / "data" / "idf" / "torres2025_raw.csv");
  ASSERT_TRUE(f);
  std::string linha;
  std::getline(f, linha);
  std::map<std::string, int> sigla;
  for (int i = 0; i < NumeroEstados; ++i) sigla[SiglasEstados[static_cast<std::size_t>(i)]] = i;
  const Dados& d = Entregue();
  int achadas = 0;
  while (std::getline(f, linha)) {
    std::vector<std::string> c;
    std::stringstream s(linha);
    for (std::string campo; std::getline(s, campo, ',');) c.push_back(campo);
    ASSERT_EQ(c.size(), 14u) << linha;
    const double lat = std::strtod(c[4].c_str(), nullptr), lon = std::strtod(c[5].c_str(), nullptr);
    if (lat > 0) continue;  // a northern latitude cannot be written
    const double K = std::strtod(c[10].c_str(), nullptr);
    for (const auto& e : d.estacoes[static_cast<std::size_t>(sigla.at(c[0]))]) {
      if (e.K != K || U(e.lat) != GrausParaTexto(-lat) || U(e.lon) != GrausParaTexto(-lon)) continue;
      EXPECT_EQ(e.a, std::strtod(c[11].c_str(), nullptr)) << linha;
      EXPECT_EQ(e.b, std::strtod(c[12].c_str(), nullptr)) << linha;
      EXPECT_EQ(e.c, std::strtod(c[13].c_str(), nullptr)) << linha;
      EXPECT_EQ(U(e.fonte), "Torres et al. (2025)");
      EXPECT_EQ(U(e.nome).rfind(c[3], 0), 0u) << "name kept, maybe with a suffix: " << linha;
      ++achadas;
      break;
    }
  }
  // 449 rows less Caracaraí (north) and the three implausible rows.
  EXPECT_EQ(achadas, 449 - 1 - 3);
}

TEST(BancoEntregue, MoldurasLevamOsCantosAosGrausDaTabela) {
  const TMolduraMapa* ba = MolduraDoEstado(4);
  ASSERT_NE(ba, nullptr);
  EXPECT_REL_NEAR(ba->LatitudeDoPixel(441), 18.349041, 1e-12);
  EXPECT_REL_NEAR(ba->LongitudeDoPixel(430), 37.339722, 1e-12);
  EXPECT_REL_NEAR(ba->LatitudeDoPixel(5), 8.532272, 1e-12);
  EXPECT_REL_NEAR(ba->LongitudeDoPixel(16), 46.629028, 1e-12);
  for (const TMolduraMapa& m : MoldurasMapas) {
    EXPECT_NEAR(m.XDaLongitude(m.LongitudeDoPixel(123)), 123, 1e-9) << m.Sigla;
    EXPECT_NEAR(m.YDaLatitude(m.LatitudeDoPixel(321)), 321, 1e-9) << m.Sigla;
  }
  EXPECT_EQ(MolduraDoEstado(23), nullptr);
}

// The pixel of nearly every station and town of a map state is state blue; a
// gauge on the coast or a border may fall one pixel outside.
TEST(BancoEntregue, PostosELocalidadesCaemNoAzulDoEstado) {
  const Dados& d = Entregue();
  for (const TMolduraMapa& m : MoldurasMapas) {
    const teste_idf::Bitmap mapa(Entregues / (std::string(m.Sigla) + ".bmp"));
    ASSERT_EQ(mapa.largura, 450);
    ASSERT_EQ(mapa.altura, 450);
    std::vector<std::pair<std::string, std::string>> pontos;
    for (const auto& e : d.estacoes[static_cast<std::size_t>(m.Estado)]) pontos.push_back({e.lat, e.lon});
    for (const auto& l : d.localidades[static_cast<std::size_t>(m.Estado)]) pontos.push_back({l.lat, l.lon});
    std::size_t fora = 0, azul = 0;
    for (const auto& [lat, lon] : pontos) {
      const int x = static_cast<int>(std::lround(m.XDaLongitude(TextoParaGraus(U(lon)))));
      const int y = static_cast<int>(std::lround(m.YDaLatitude(TextoParaGraus(U(lat)))));
      if (x < 0 || y < 0 || x >= 450 || y >= 450 || mapa.Rgb(x, y) != std::array<int, 3>{0, 0, 255}) ++fora;
    }
    for (int y = 0; y < 450; ++y)
      for (int x = 0; x < 450; ++x) azul += mapa.Rgb(x, y) == std::array<int, 3>{0, 0, 255};
    EXPECT_GT(pontos.size(), 50u) << m.Sigla;
    EXPECT_LE(fora, std::max<std::size_t>(1, pontos.size() / 20)) << m.Sigla;
    EXPECT_GT(azul, 450u * 450u / 10) << m.Sigla << ": the state fills a good part of its frame";
  }
}

TEST(BancoEntregue, MapaDoBrasilSoTemCoresDaTabela) {
  const teste_idf::Bitmap mapa(Entregues / ArquivoMapaBrasil);
  ASSERT_EQ(mapa.largura, 450);
  ASSERT_EQ(mapa.altura, 450);
  std::set<int> estados;
  for (int y = 0; y < 450; ++y)
    for (int x = 0; x < 450; ++x) {
      const auto [r, g, b] = mapa.Rgb(x, y);
      const int e = EstadoDaCor(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
      if (e >= 0) {
        estados.insert(e);
        continue;
      }
      bool semEstado = false;
      for (const auto& c : CoresSemEstado)
        semEstado |= c == std::array<uint8_t, 3>{uint8_t(r), uint8_t(g), uint8_t(b)};
      ASSERT_TRUE(semEstado) << "pixel " << x << "," << y << " = " << r << "," << g << "," << b;
    }
  EXPECT_EQ(estados.size(), CoresMapaBrasil.size()) << "every state of the colour table is drawn";
}

TEST(BancoEntregue, InterpolarNumaEstacaoDeMinasDevolveOProprioRegistro) {
  TBDPrecipitacao bd(Entregues.string() + "/");
  bd.LerEstados();
  const TEstacao& mg = bd.Estacoes(12).at(bd.Estacoes(12).size() / 2);
  const TEstacao r = bd.Interpolar(mg.Latitude, mg.Longitude);
  EXPECT_EQ(r.Nome, mg.Nome);
  EXPECT_EQ(r.Fonte, mg.Fonte);
  EXPECT_EQ(r.K, mg.K);
  // Santa Catarina takes no part: its own station's point is interpolated.
  ASSERT_FALSE(bd.Estacoes(23).empty());
  const TEstacao& sc = bd.Estacoes(23).front();
  const TEstacao i = bd.Interpolar(sc.Latitude, sc.Longitude);
  EXPECT_EQ(i.Fonte, "Interpolação");
  EXPECT_EQ(i.Nome, "");
  EXPECT_NE(i.K, sc.K);
}

TEST(BancoEntregue, PastaDoProgramaLevaAoBancoCopiadoNaConstrucao) {
  // Test programs live in build/bin like the program and the calculator.
  const std::string pasta = PastaBancoDados();
  EXPECT_NE(pasta.find("/../Arquivos Comuns/"), std::string::npos) << pasta;
  EXPECT_NO_THROW(LocalizarBancoDados(pasta)) << pasta;
  for (const TMolduraMapa& m : MoldurasMapas) EXPECT_TRUE(fs::exists(pasta + m.Sigla + ".bmp")) << m.Sigla;
}

TEST(Citacoes, ChavesCabemNoCampoEAsTresLinhasExistem) {
  ASSERT_FALSE(CitacoesIdf().empty());
  for (const TCitacao& c : CitacoesIdf()) {
    EXPECT_LE(toolkit::Utf8ParaWin1252(c.Chave).size(), CapacidadeFonte) << c.Chave;
    EXPECT_FALSE(c.Autores.empty() || c.Titulo.empty() || c.Publicacao.empty()) << c.Chave;
    // The dialog shows the reference, not where the data was read.
    for (const std::string& texto : {c.Autores, c.Titulo, c.Publicacao})
      for (const char* nota : {"commit", ".csv", ".js", "inferred", "read from"})
        EXPECT_EQ(texto.find(nota), std::string::npos) << c.Chave << ": " << texto;
    EXPECT_EQ(ProcurarCitacao(c.Chave), &c);
  }
  EXPECT_EQ(ProcurarCitacao("Interpolação"), nullptr);
  EXPECT_EQ(ProcurarCitacao(ChaveCitacaoAviso), nullptr) << "no delivered study carries the warning";
}
