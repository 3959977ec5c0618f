// State table, coordinate texts, the two database readers and the
// inverse-fifth-power interpolation, on fixture files written from the layout.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "idf/ArquivosIdf.h"
#include "idf/UnBD.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Win1252.h"

namespace fs = std::filesystem;
using teste_idf::Estacao;
using teste_idf::Localidade;

namespace {

std::string W(const std::string& utf8) {
  return toolkit::Utf8ParaWin1252(utf8);
}

// A coordinate text in UTF-8 from its three numbers.
std::string Coord(int d, int m, int s) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d\xC2\xB0%02d'%02d\"", d, m, s);
  return buf;
}

Estacao Est(const std::string& nome, double K, const std::string& lat, const std::string& lon,
            const std::string& fonte = "Autor (2000)") {
  return {W(nome), K, 0.1 * K / 1000, 10 * K / 1000, 0.7 * K / 1000, W(fonte), W(lat), W(lon)};
}

class BancoDeChuvas : public ::testing::Test {
 protected:
  std::string Pasta() const { return pasta_.string() + "/"; }
  void GravarEstacoes(const std::array<std::vector<Estacao>, 27>& e, unsigned char ench = 0) {
    teste_idf::Gravar(pasta_ / ArquivoEstados, teste_idf::ArquivoEstacoes(e, ench));
  }
  void GravarLocalidades(const std::array<std::vector<Localidade>, 27>& l) {
    teste_idf::Gravar(pasta_ / ArquivoLocalidades, teste_idf::ArquivoLocalidades(l));
  }
  TBDPrecipitacao Ler(const std::array<std::vector<Estacao>, 27>& e) {
    GravarEstacoes(e);
    TBDPrecipitacao bd(Pasta());
    bd.LerEstados();
    return bd;
  }

  teste::TPastaTemporaria temporaria_;
  const fs::path pasta_ = temporaria_.Caminho();
};

}  // namespace

TEST(TEstado, IndiceNomeEForaDaFaixa) {
  TEstado e;
  EXPECT_EQ(e.Indice(), 0);
  EXPECT_EQ(e.Nome(), "Acre");
  const std::pair<int16_t, const char*> casos[] = {
      {4, "Bahia"}, {12, "Minas Gerais"}, {23, "Santa Catarina"}, {24, "São Paulo"}, {26, "Tocantins"}};
  for (const auto& [i, nome] : casos) {
    e.SetIndice(i);
    EXPECT_EQ(e.Nome(), nome);
  }
  for (const int16_t ruim : {int16_t{27}, int16_t{-1}}) {
    try {
      e.SetIndice(ruim);
      ADD_FAILURE() << "index " << ruim << " accepted";
    } catch (const ENumeroEstado& x) {
      EXPECT_EQ(std::string(x.what()), " Não existe estado com índice igual a " + std::to_string(ruim));
    }
    EXPECT_EQ(e.Indice(), 26) << "index must be kept after a refused value";
  }
}

TEST(CoordenadaTexto, GrausParaTextoTruncaCadaParte) {
  const std::pair<double, std::string> casos[] = {
      {20.7539, Coord(20, 45, 14)},  // 14.04 s truncated
      {0.0, Coord(0, 0, 0)},          {5.5, Coord(5, 30, 0)},
      {45.999999, Coord(45, 59, 59)},  // no rounding up into the next minute
      {18.349041, Coord(18, 20, 56)},  // 56.55 s
  };
  for (const auto& [v, texto] : casos) EXPECT_EQ(GrausParaTexto(v), texto) << v;
  EXPECT_EQ(toolkit::Utf8ParaWin1252(GrausParaTexto(20.7539)).size(), 9u);
}

TEST(CoordenadaTexto, TextoParaGraus) {
  EXPECT_REL_NEAR(TextoParaGraus(Coord(20, 45, 14)), 20 + (45 + 14 / 60.0) / 60, 1e-15);
  EXPECT_REL_NEAR(TextoParaGraus(Coord(20, 45, 14)), 20.7538888889, 1e-10);
  EXPECT_EQ(TextoParaGraus(Coord(0, 0, 0)), 0.0);
  EXPECT_EQ(TextoParaGraus(Coord(89, 30, 0)), 89.5);
}

TEST(CoordenadaTexto, ParNaoNumericoFalhaComErroDeConversao) {
  const std::pair<std::string, std::string> casos[] = {
      {"  \xC2\xB0  '  \"", "'  ' não é um valor inteiro válido"},  // the empty coordinate
      {"", "'' não é um valor inteiro válido"},
      {"2a\xC2\xB0"
       "00'00\"",
       "'2a' não é um valor inteiro válido"},
      {"20\xC2\xB0"
       "4",
       "'' não é um valor inteiro válido"},  // no seconds at all
      {"20\xC2\xB0"
       "45'",
       "'' não é um valor inteiro válido"},
      {"20\xC2\xB0-5'00\"", "'-5' não é um valor inteiro válido"},
  };
  for (const auto& [texto, mensagem] : casos) {
    try {
      TextoParaGraus(texto);
      ADD_FAILURE() << texto << " accepted";
    } catch (const toolkit::EConversaoInvalida& e) {
      EXPECT_EQ(std::string(e.what()), mensagem);
    }
  }
}

// Typed coordinates are checked whole; what the check accepts converts.
TEST(CoordenadaTexto, VerificarCoordenadaConfereOTextoInteiro) {
  const auto lat = TEixoCoordenada::Latitude;
  const auto lon = TEixoCoordenada::Longitude;
  const struct {
    std::string texto;
    TEixoCoordenada eixo;
    const char* motivo;  // part of the reason; nullptr: valid
  } casos[] = {
      {Coord(20, 45, 14), lat, nullptr},
      {Coord(0, 0, 0), lon, nullptr},
      {Coord(90, 0, 0), lat, nullptr},
      {Coord(99, 59, 59), lon, nullptr},
      {"20\xC2\xBA"
       "45'14\"",
       lat, nullptr},  // the ordinal sign of Brazilian keyboards
      {Coord(99, 99, 99), lat, "passa de 90 graus"},
      {Coord(90, 0, 1), lat, "passa de 90 graus"},
      {Coord(91, 0, 0), lat, "passa de 90 graus"},
      {Coord(20, 60, 0), lat, "tem 60 minutos"},
      {Coord(20, 45, 60), lon, "tem 60 segundos"},
      {"20x45y14z", lat, "não está na forma GG°MM'SS\""},
      {Coord(20, 45, 14) + "abc", lat, "tem texto depois do sinal dos segundos"},
      {Coord(20, 45, 14) + " ", lon, "tem texto depois do sinal dos segundos"},
      {"20\xC2\xB0"
       "45'14",
       lat, "não está na forma"},  // no seconds mark
      {" 5\xC2\xB0"
       "45'14\"",
       lat, "não está na forma"},  // blanks are not digits
      {"2-\xC2\xB0"
       "45'14\"",
       lat, "não está na forma"},
      {"", lat, "não está na forma"},
      {"  \xC2\xB0  '  \"", lon, "A longitude"},         // the empty coordinate is no place
      {"20\x01\x1B[2J", lat, "A latitude \"20??[2J\""},  // control bytes are not echoed
      {"\xFF\xFE", lat, "A latitude \"??\""},            // nor bytes that are not UTF-8
  };
  for (const auto& c : casos) {
    const std::string motivo = VerificarCoordenada(c.texto, c.eixo);
    if (!c.motivo) {
      EXPECT_EQ(motivo, "") << c.texto;
      EXPECT_NO_THROW(TextoParaGraus(c.texto)) << c.texto;
      continue;
    }
    EXPECT_NE(motivo.find(c.motivo), std::string::npos) << c.texto << " -> " << motivo;
    for (const char ch : motivo) EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20) << motivo;
  }
}

TEST(NomeAntes, OrdemSemCaixaNemAcento) {
  const std::vector<std::string> ordem = {"abaeté", "Abaetetuba", "Água Boa", "Aguaí",   "Ilhéus",
                                          "ilhota", "São Paulo",  "Sapucaí",  "Sapucaia"};
  for (std::size_t i = 0; i + 1 < ordem.size(); ++i) {
    EXPECT_TRUE(NomeAntes(ordem[i], ordem[i + 1])) << ordem[i] << " < " << ordem[i + 1];
    EXPECT_FALSE(NomeAntes(ordem[i + 1], ordem[i])) << ordem[i + 1] << " < " << ordem[i];
  }
  EXPECT_FALSE(NomeAntes("Itu", "Itu"));
  EXPECT_TRUE(NomeAntes("ITU", "Itu"));  // ties by the bytes keep the order strict
}

TEST_F(BancoDeChuvas, LerEstadosLeCadaEstadoComTextosWin1252) {
  std::array<std::vector<Estacao>, 27> e;
  e[0] = {Est("Rio Branco", 1500, Coord(9, 58, 0), Coord(67, 48, 0))};
  e[12] = {Est("Belo Horizonte", 1447.9, Coord(19, 55, 0), Coord(43, 56, 0)),
           Est("São João del-Rei", 1200.5, Coord(21, 8, 0), Coord(44, 15, 0), "Pinto et al. (1999)")};
  e[26] = {Est("Palmas", 1000.25, Coord(10, 10, 0), Coord(48, 20, 0))};
  GravarEstacoes(e, 0xEE);  // bytes after each text are garbage and must be ignored
  TBDPrecipitacao bd(Pasta());
  bd.LerEstados();
  for (int i = 0; i < NumeroEstados; ++i)
    EXPECT_EQ(bd.Estacoes(i).size(), e[static_cast<std::size_t>(i)].size()) << i;
  const TEstacao& sj = bd.Estacoes(12)[1];
  EXPECT_EQ(sj.Nome, "São João del-Rei");
  EXPECT_EQ(sj.K, 1200.5);
  EXPECT_EQ(sj.a, 0.1 * 1200.5 / 1000);
  EXPECT_EQ(sj.b, 10 * 1200.5 / 1000);
  EXPECT_EQ(sj.c, 0.7 * 1200.5 / 1000);
  EXPECT_EQ(sj.Fonte, "Pinto et al. (1999)");
  EXPECT_EQ(sj.Latitude, Coord(21, 8, 0));
  EXPECT_EQ(sj.Longitude, Coord(44, 15, 0));
  EXPECT_EQ(bd.Estacoes(26)[0].Nome, "Palmas");
  EXPECT_THROW(bd.Estacoes(27), ENumeroEstado);
}

TEST_F(BancoDeChuvas, LerLocalidadesPulaAsListasAnteriores) {
  std::array<std::vector<Localidade>, 27> l;
  for (int i = 0; i < 27; ++i)
    for (int k = 0; k <= i % 3; ++k)
      l[static_cast<std::size_t>(i)].push_back(
          {W("Local " + std::to_string(i) + "-" + std::to_string(k) + " ç"), W(Coord(i, k, 0)),
           W(Coord(40, i, k))});
  GravarLocalidades(l);
  TBDPrecipitacao bd(Pasta());
  for (const int estado : {0, 13, 26, 1}) {
    bd.LerLocalidades(estado);
    const auto& esperado = l[static_cast<std::size_t>(estado)];
    ASSERT_EQ(bd.Localidades().size(), esperado.size()) << estado;
    for (std::size_t k = 0; k < esperado.size(); ++k) {
      EXPECT_EQ(bd.Localidades()[k].Nome, "Local " + std::to_string(estado) + "-" + std::to_string(k) + " ç");
      EXPECT_EQ(bd.Localidades()[k].Latitude, Coord(estado, static_cast<int>(k), 0));
      EXPECT_EQ(bd.Localidades()[k].Longitude, Coord(40, estado, static_cast<int>(k)));
    }
  }
  EXPECT_THROW(bd.LerLocalidades(27), ENumeroEstado);
  EXPECT_TRUE(bd.Localidades().empty());
}

TEST_F(BancoDeChuvas, ArquivoAusenteNomeiaOCaminho) {
  TBDPrecipitacao bd(Pasta());
  try {
    bd.LerEstados();
    ADD_FAILURE();
  } catch (const EArquivoNaoExiste& e) {
    EXPECT_EQ(std::string(e.what()), "O arquivo " + Pasta() + "Estados_Nim21.bin não existe.");
  }
  try {
    bd.LerLocalidades(3);
    ADD_FAILURE();
  } catch (const EArquivoNaoExiste& e) {
    EXPECT_EQ(std::string(e.what()), "O arquivo " + Pasta() + "Localidades_Nim21.bin não existe.");
  }
}

TEST_F(BancoDeChuvas, LocalizarBancoDadosNaOrdemDasVerificacoes) {
  const std::string semPasta = Pasta() + "nada/";
  const auto mensagem = [](const std::string& pasta) {
    try {
      LocalizarBancoDados(pasta);
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("ok");
  };
  EXPECT_EQ(mensagem(semPasta), "Erro. Não foi possível localizar a pasta contendo o banco de dados.");
  GravarLocalidades({});
  EXPECT_EQ(mensagem(Pasta()), "Erro. Não foi possível localizar o banco de dados contendo os estados.");
  fs::remove(pasta_ / ArquivoLocalidades);
  GravarEstacoes({});
  EXPECT_EQ(mensagem(Pasta()), "Erro. Não foi possível localizar o banco de dados contendo as localidades.");
  GravarLocalidades({});
  EXPECT_EQ(mensagem(Pasta()), "ok");
}

TEST_F(BancoDeChuvas, ArquivoIncoerenteDaErroClaroSemLerAlemDoFim) {
  std::array<std::vector<Estacao>, 27> e;
  e[4] = {Est("Salvador", 1000, Coord(12, 58, 0), Coord(38, 30, 0))};
  const teste_idf::Bytes bom = teste_idf::ArquivoEstacoes(e);
  // 1 skipped byte, 4 counts of 2 bytes, then Bahia's count and record.
  const std::size_t contagemBahia = 1 + 4 * 2, registro = contagemBahia + 2;
  struct Caso {
    const char* nome;
    teste_idf::Bytes bytes;
  };
  std::vector<Caso> casos;
  casos.push_back({"empty", {}});
  casos.push_back({"cut in a record", teste_idf::Bytes(bom.begin(), bom.begin() + registro + 100)});
  casos.push_back({"cut before the last count", teste_idf::Bytes(bom.begin(), bom.end() - 1)});
  teste_idf::Bytes contagem = bom;
  contagem[contagemBahia] = 0xFF;  // 255 records announced, one present
  casos.push_back({"count beyond the data", contagem});
  teste_idf::Bytes nome = bom;
  nome[registro] = 69;  // name longer than its 68-byte field
  casos.push_back({"name over capacity", nome});
  teste_idf::Bytes coord = bom;
  coord[registro + 132] = 10;  // latitude longer than 9
  casos.push_back({"coordinate over capacity", coord});

  for (const Caso& c : casos) {
    teste_idf::Gravar(pasta_ / ArquivoEstados, c.bytes);
    TBDPrecipitacao bd(Pasta());
    try {
      bd.LerEstados();
      ADD_FAILURE() << c.nome << ": accepted";
    } catch (const EArquivoCorrompido& x) {
      const std::string m = x.what();
      EXPECT_EQ(m.rfind("O arquivo " + Pasta() + "Estados_Nim21.bin está corrompido: ", 0), 0u)
          << c.nome << ": " << m;
    }
    EXPECT_TRUE(bd.Estacoes(4).empty()) << c.nome;
  }
}

// A record that would put a non-number into a list or the interpolation is
// refused with the file, the state and the station named, and no raw byte of
// the damaged texts in the message.
TEST_F(BancoDeChuvas, RegistroEstragadoEhRecusadoNomeandoArquivoEEstacao) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::string boa = Coord(20, 0, 0);
  const struct {
    Estacao estacao;
    const char* defeito;
  } casos[] = {
      {{W("Viçosa"), nan, 0.2, 10, 0.8, "A", W(boa), W(boa)}, "o coeficiente K não é um número finito"},
      {{W("Viçosa"), 1000, inf, 10, 0.8, "A", W(boa), W(boa)}, "o coeficiente a não é um número finito"},
      {{W("Viçosa"), 1000, 0.2, -inf, 0.8, "A", W(boa), W(boa)}, "o coeficiente b não é um número finito"},
      {{W("Viçosa"), 1000, 0.2, 10, nan, "A", W(boa), W(boa)}, "o coeficiente c não é um número finito"},
      {{W("Viçosa"), 1000, 0.2, 10, 0.8, "A",
        W("ab\xC2\xB0"
          "00'00\""),
        W(boa)},
       "a latitude \"ab°00'00\"\" não pode ser lida"},
      {{W("Viçosa"), 1000, 0.2, 10, 0.8, "A", W(boa), "\x01\x02\xB0\x1B[2J\r\n"},
       "a longitude \"??°?[2J??\" não pode ser lida"},
  };
  for (const auto& c : casos) {
    std::array<std::vector<Estacao>, 27> e;
    e[12] = {Est("Belo Horizonte", 1500, Coord(19, 55, 0), Coord(43, 56, 0)), c.estacao};
    GravarEstacoes(e);
    TBDPrecipitacao bd(Pasta());
    try {
      bd.LerEstados();
      ADD_FAILURE() << c.defeito;
    } catch (const EArquivoCorrompido& x) {
      EXPECT_EQ(std::string(x.what()),
                "O arquivo " + Pasta() + ArquivoEstados +
                    " está corrompido: na estação \"Viçosa\" (número 2 de Minas Gerais), " + c.defeito + ".");
    }
    EXPECT_TRUE(bd.Estacoes(12).empty());
  }

  // A locality: the same for the state whose list is read.
  std::array<std::vector<Localidade>, 27> l;
  l[4] = {{W("Ilhéus"), W(Coord(14, 47, 0)),
           "1x\xB0"
           "00'00\""}};
  GravarLocalidades(l);
  TBDPrecipitacao bd(Pasta());
  EXPECT_NO_THROW(bd.LerLocalidades(3));
  try {
    bd.LerLocalidades(4);
    ADD_FAILURE() << "locality accepted";
  } catch (const EArquivoCorrompido& x) {
    EXPECT_NE(std::string(x.what()).find(std::string(ArquivoLocalidades) +
                                         " está corrompido: na localidade \"Ilhéus\" (número 1 de Bahia), a "
                                         "longitude \"1x°00'00\"\" não pode ser lida."),
              std::string::npos)
        << x.what();
  }
}

// The empty coordinate is a station without a place: listed, and left out of
// the interpolation instead of making it fail.
TEST_F(BancoDeChuvas, EstacaoSemCoordenadasFicaForaDaInterpolacao) {
  const std::string vazia = "  \xC2\xB0  '  \"";
  std::array<std::vector<Estacao>, 27> e;
  e[4] = {Est("Sem lugar", 9000, vazia, vazia), Est("Salvador", 1000, Coord(12, 58, 0), Coord(38, 30, 0))};
  e[7] = {Est("Sem latitude", 9000, vazia, Coord(40, 0, 0))};
  const TBDPrecipitacao bd = Ler(e);
  EXPECT_EQ(bd.Estacoes(4).size(), 2u);
  const TEstacao r = bd.Interpolar(Coord(13, 0, 0), Coord(39, 0, 0));
  EXPECT_EQ(r.Fonte, FonteInterpolacao);
  EXPECT_REL_NEAR(r.K, 1000, 1e-12);  // Salvador alone
}

TEST_F(BancoDeChuvas, InterpolarRegistroExatoDeMinasGerais) {
  std::array<std::vector<Estacao>, 27> e;
  e[4] = {Est("Salvador", 1000, Coord(12, 58, 0), Coord(38, 30, 0))};
  e[12] = {Est("Lavras", 1800, Coord(21, 14, 43), Coord(44, 59, 59), "Pinto et al. (1999)")};
  const TBDPrecipitacao bd = Ler(e);
  const TEstacao r = bd.Interpolar(Coord(21, 14, 43), Coord(44, 59, 59));
  EXPECT_EQ(r.Nome, "Lavras");
  EXPECT_EQ(r.Fonte, "Pinto et al. (1999)");
  EXPECT_EQ(r.K, 1800);
  EXPECT_EQ(r.c, 0.7 * 1.8);
}

TEST_F(BancoDeChuvas, InterpolarPesosUmEUmTrintaEDoisAvos) {
  // Query at 20°S 45°W; São Paulo station 1° south, Bahia station 2° north.
  // Santa Catarina's station sits on the query point but takes no part.
  std::array<std::vector<Estacao>, 27> e;
  e[4] = {Est("Norte", 2000, Coord(18, 0, 0), Coord(45, 0, 0))};
  e[23] = {Est("Catarinense", 9999, Coord(20, 0, 0), Coord(45, 0, 0))};
  e[24] = {Est("Sul", 1000, Coord(21, 0, 0), Coord(45, 0, 0))};
  const TBDPrecipitacao bd = Ler(e);
  const TEstacao r = bd.Interpolar(Coord(20, 0, 0), Coord(45, 0, 0));
  const double w1 = 1.0, w2 = 1.0 / 32.0;
  EXPECT_REL_NEAR(r.K, (1000 * w1 + 2000 * w2) / (w1 + w2), 1e-14);
  EXPECT_NEAR(r.K, 1030.3, 0.05);
  EXPECT_REL_NEAR(r.a, (0.1 * w1 + 0.2 * w2) / (w1 + w2), 1e-14);
  EXPECT_REL_NEAR(r.b, (10 * w1 + 20 * w2) / (w1 + w2), 1e-14);
  EXPECT_REL_NEAR(r.c, (0.7 * w1 + 1.4 * w2) / (w1 + w2), 1e-14);
  EXPECT_EQ(r.Nome, "");
  EXPECT_EQ(r.Fonte, "Interpolação");
  EXPECT_EQ(r.Latitude, Coord(20, 0, 0));
  EXPECT_EQ(r.Longitude, Coord(45, 0, 0));
}

TEST_F(BancoDeChuvas, InterpolarDistanciaZeroComTextoDiferenteEhOProprioPosto) {
  // Bahia comes first in the order and has a station on Vitória's point, its
  // latitude written with a blank in place of a leading zero.
  const std::string latBranco =
      "20\xC2\xB0"
      "19' 0\"";
  std::array<std::vector<Estacao>, 27> e;
  e[4] = {Est("Mesmo ponto", 1700, latBranco, Coord(40, 20, 0))};
  e[7] = {Est("Vitória", 1500, Coord(20, 19, 0), Coord(40, 20, 0))};
  e[24] = {Est("Longe", 900, Coord(23, 0, 0), Coord(47, 0, 0))};
  const TBDPrecipitacao bd = Ler(e);
  const std::pair<std::string, const char*> casos[] = {
      {Coord(20, 19, 0), "Vitória"},       // the very texts win over an earlier zero distance
      {latBranco, "Mesmo ponto"},          // the very texts
      {Coord(20, 18, 60), "Mesmo ponto"},  // no station has these texts: the first at distance zero
  };
  for (const auto& [lat, nome] : casos) {
    const TEstacao r = bd.Interpolar(lat, Coord(40, 20, 0));
    EXPECT_EQ(r.Nome, nome) << lat;
    EXPECT_EQ(r.Fonte, "Autor (2000)") << lat;
    EXPECT_TRUE(std::isfinite(r.K) && std::isfinite(r.a)) << lat;
  }
}

TEST_F(BancoDeChuvas, InterpolarSemEstacoesNosOitoEstadosEhErro) {
  std::array<std::vector<Estacao>, 27> e;
  e[23] = {Est("Florianópolis", 1000, Coord(27, 35, 0), Coord(48, 33, 0))};
  e[20] = {Est("Porto Alegre", 1200, Coord(30, 1, 0), Coord(51, 13, 0))};
  const TBDPrecipitacao bd = Ler(e);
  EXPECT_THROW(bd.Interpolar(Coord(27, 35, 0), Coord(48, 33, 0)), EInterpolacao);
}

TEST_F(BancoDeChuvas, InterpolarCortaOsTextosEmNoveCaracteres) {
  std::array<std::vector<Estacao>, 27> e;
  e[26] = {Est("Palmas", 1000, Coord(10, 10, 0), Coord(48, 20, 0))};
  const TBDPrecipitacao bd = Ler(e);
  const TEstacao r = bd.Interpolar(Coord(11, 0, 0) + "xyz", Coord(49, 0, 0) + " ");
  EXPECT_EQ(r.Latitude, Coord(11, 0, 0));
  EXPECT_EQ(r.Longitude, Coord(49, 0, 0));
  EXPECT_EQ(r.K, 1000);  // one station: its whole weight
}

// Truncated and mutated files and random texts: every outcome is a value or
// one of the documented errors; run under AddressSanitizer to catch overreads.
TEST_F(BancoDeChuvas, EntradasDanificadasNaoDerrubamOLeitor) {
  std::array<std::vector<Estacao>, 27> e;
  std::array<std::vector<Localidade>, 27> l;
  for (int i = 0; i < 27; i += 3) {
    e[static_cast<std::size_t>(i)] = {
        Est("Posto " + std::to_string(i), 1000 + i, Coord(i, 1, 2), Coord(40, i, 3))};
    l[static_cast<std::size_t>(i)] = {{W("Cidade"), W(Coord(i, 0, 0)), W(Coord(41, 0, 0))},
                                      {W("Vila"), W(Coord(i, 5, 0)), W(Coord(42, 0, 0))}};
  }
  const teste_idf::Bytes estacoes = teste_idf::ArquivoEstacoes(e);
  const teste_idf::Bytes localidades = teste_idf::ArquivoLocalidades(l);
  std::mt19937 gerador(20250101);
  auto aleatorio = [&](std::size_t n) {
    return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(gerador));
  };
  int aceitos = 0, recusados = 0;
  for (int volta = 0; volta < 400; ++volta) {
    teste_idf::Bytes a = estacoes, b = localidades;
    if (volta % 2 == 0) {
      a.resize(aleatorio(a.size() + 1));
      b.resize(aleatorio(b.size() + 1));
    } else {
      for (int k = 0; k < 1 + volta % 7; ++k) {
        a[aleatorio(a.size())] = static_cast<unsigned char>(aleatorio(256));
        b[aleatorio(b.size())] = static_cast<unsigned char>(aleatorio(256));
      }
    }
    teste_idf::Gravar(pasta_ / ArquivoEstados, a);
    teste_idf::Gravar(pasta_ / ArquivoLocalidades, b);
    TBDPrecipitacao bd(Pasta());
    try {
      bd.LerEstados();
      ++aceitos;
      // What the reader accepts interpolates to numbers: a damaged
      // coefficient or coordinate text was refused above.
      for (int estado = 0; estado < NumeroEstados; ++estado)
        for (const TEstacao& x : bd.Estacoes(estado))
          EXPECT_TRUE(std::isfinite(x.K) && std::isfinite(x.a) && std::isfinite(x.b) && std::isfinite(x.c));
      try {
        const TEstacao r = bd.Interpolar(Coord(15, 0, 0), Coord(45, 0, 0));
        EXPECT_TRUE(std::isfinite(r.K) && std::isfinite(r.a) && std::isfinite(r.b) && std::isfinite(r.c))
            << r.Nome;
      } catch (const EInterpolacao&) {
      }
    } catch (const EArquivoCorrompido&) {
      ++recusados;
    }
    try {
      bd.LerLocalidades(static_cast<int>(aleatorio(27)));
    } catch (const EArquivoCorrompido&) {
    }
  }
  EXPECT_GT(aceitos, 0);
  EXPECT_GT(recusados, 0);

  for (int volta = 0; volta < 2000; ++volta) {
    std::string t(aleatorio(13), ' ');
    for (char& ch : t) ch = static_cast<char>(" 0123456789\xC2\xB0'\"-+x\xFF"[aleatorio(17)]);
    try {
      const double g = TextoParaGraus(t);
      EXPECT_TRUE(g >= 0 && g < 100 + 100 / 60.0 + 100 / 3600.0) << t;
    } catch (const toolkit::EConversaoInvalida&) {
    }
    const double v = std::uniform_real_distribution<double>(-1e20, 1e20)(gerador) /
                     std::pow(10.0, static_cast<double>(aleatorio(20)));
    EXPECT_LE(toolkit::Utf8ParaWin1252(GrausParaTexto(v)).size(), 9u) << v;
  }
}
