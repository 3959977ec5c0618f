// Hydrograph text and binary files: exact bytes, round trips, and the files
// that are not hydrographs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "common/PastaTemporaria.h"
#include "common/Tolerancia.h"
#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "toolkit/Regional.h"

namespace {

namespace fs = std::filesystem;

class TRegistroMensagens : public IMensagens {
 public:
  void Informar(const std::string& texto) override { mensagens.push_back(texto); }
  std::vector<std::string> mensagens;
};

void U16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

void F64(std::string& s, double v) {
  unsigned char b[8];
  std::memcpy(b, &v, 8);  // the test machine is little-endian, like the format
  s.append(reinterpret_cast<const char*>(b), 8);
}

std::string CabecalhoBinario(uint16_t versao, double alfa, double expoente, uint16_t n) {
  std::string s =
      "\x0A"
      "Caudalente";
  U16(s, versao);
  F64(s, alfa);
  F64(s, expoente);
  U16(s, n);
  return s;
}

class ArquivosCaudalente : public ::testing::Test {
 protected:
  void SetUp() override { DefinirMensagensDoModelo(&registro_); }
  void TearDown() override { DefinirMensagensDoModelo(nullptr); }
  std::string Caminho(const std::string& nome) const { return temporaria_.Arquivo(nome); }
  void Escrever(const std::string& nome, const std::string& bytes) const {
    temporaria_.Escrever(nome, bytes);
  }
  std::string Ler(const std::string& nome) const { return temporaria_.Ler(nome); }
  // The exception message of a call, or "" when it raised nothing.
  template <class F>
  static std::string Erro(F chamada) {
    try {
      chamada();
    } catch (const ECaudalente& e) {
      return e.what();
    }
    return "";
  }

  teste::TPastaTemporaria temporaria_;
  const fs::path pasta_ = temporaria_.Caminho();
  TRegistroMensagens registro_;
};

const char kCabecalhoTexto[] = "         Tempo (min)             Vaz\xE3o (L/s)\r\n";

TEST_F(ArquivosCaudalente, BytesDoArquivoTexto) {
  // The program's regional settings (decimal comma) never reach this format.
  toolkit::TRegionalTemporario ptbr(toolkit::RegionalPtBr());
  TCaudalente c;
  c.Adicionar(2.5, 0.125);
  c.Adicionar(-1, 1234.5678901);
  c.Adicionar(1e15, 0);
  c.SalvarTexto(Caminho("h.txt"));
  EXPECT_EQ(std::strlen(kCabecalhoTexto), 44u + 2);
  EXPECT_EQ(Ler("h.txt"), std::string(kCabecalhoTexto) +
                              "            2.500000\t            0.125000\r\n"
                              "           -1.000000\t         1234.567890\r\n"
                              "1000000000000000.000000\t            0.000000\r\n");

  TCaudalente vazio;
  vazio.SalvarTexto(Caminho("v.txt"));
  EXPECT_EQ(Ler("v.txt"), kCabecalhoTexto);
}

TEST_F(ArquivosCaudalente, IdaEVoltaEmTexto) {
  TCaudalente c;
  c.Local = 2;
  c.Alfa = 3;
  for (int i = 0; i < 200; ++i) c.Adicionar(i * 0.25, 10 * std::sin(i * 0.05) + 10);
  c.SalvarTexto(Caminho("h.txt"));

  TCaudalente lido;
  lido.Alfa = 7;
  ASSERT_TRUE(lido.LerTexto(Caminho("h.txt")));
  EXPECT_EQ(lido.Local, 1);
  EXPECT_EQ(lido.Alfa, 7);  // the text format has no flow law
  ASSERT_EQ(lido.Count(), c.Count());
  for (std::size_t i = 0; i < c.Count(); ++i) {
    EXPECT_NEAR(lido.Ponto(i).Tempo, c.Ponto(i).Tempo, 5e-7);
    EXPECT_NEAR(lido.Ponto(i).Vazao, c.Ponto(i).Vazao, 5e-7);
  }
  EXPECT_GT(lido.VazaoMaxima, 19);  // statistics computed on reading
  // Written again, the file is byte for byte the same.
  lido.SalvarTexto(Caminho("h2.txt"));
  EXPECT_EQ(Ler("h2.txt"), Ler("h.txt"));
}

TEST_F(ArquivosCaudalente, LeitorDeTextoToleraODiagrama) {
  struct Caso {
    const char* nome;
    std::string corpo;
    std::vector<TPonto> pontos;
  };
  const Caso casos[] = {
      {"header only", "", {}},
      {"header without line end", "", {}},
      {"LF ends, blanks and a trailing blank line", "  1 2\n3\t4   \n\n  \n", {{1, 2}, {3, 4}}},
      {"numbers across a line break, extra columns",
       "1\n2\n3 4 0.02 comentario\n5 6",
       {{1, 2}, {3, 4}, {5, 6}}},
      {"signs and exponents", "-1.5 +2e-3\r\n1E2 .5\r\n", {{-1.5, 0.002}, {100, 0.5}}},
      // As a spreadsheet under Brazilian settings writes them.
      {"decimal comma", "1,5\t2,0\r\n2,5\t1E-3\r\n", {{1.5, 2.0}, {2.5, 0.001}}},
  };
  for (const Caso& caso : casos) {
    const std::string cabecalho = std::string(caso.nome) == "header without line end"
                                      ? "         Tempo (min)             Vaz\xE3o (L/s)"
                                      : kCabecalhoTexto;
    Escrever("t.txt", cabecalho + caso.corpo);
    TCaudalente c;
    ASSERT_TRUE(c.LerTexto(Caminho("t.txt"))) << caso.nome;
    ASSERT_EQ(c.Count(), caso.pontos.size()) << caso.nome;
    for (std::size_t i = 0; i < caso.pontos.size(); ++i) {
      EXPECT_EQ(c.Ponto(i).Tempo, caso.pontos[i].Tempo) << caso.nome;
      EXPECT_EQ(c.Ponto(i).Vazao, caso.pontos[i].Vazao) << caso.nome;
    }
    if (caso.pontos.empty()) {
      EXPECT_EQ(c.VazaoMaxima, 0);
      EXPECT_EQ(c.Volume, 0);
      EXPECT_EQ(c.Local, 1);
    }
  }
}

TEST_F(ArquivosCaudalente, TextoQueNaoEhHidrograma) {
  struct Caso {
    const char* nome;
    std::string corpo;
    std::size_t pontosMantidos;
  };
  const Caso casos[] = {
      {"both separators", "1,5.0\t2\r\n", 0},
      {"word after good lines", "0 0\r\n1 2\r\n2 abc\r\n3 0\r\n", 2},
      {"odd count of numbers", "0 0\r\n1 2\r\n2\r\n", 2},
      {"infinity", "0 0\r\ninf 1\r\n", 1},
      {"not a number", "nan 1\r\n", 0},
      {"two signs", "+-1 1\r\n", 0},
      {"out of range", "1e400 1\r\n", 0},
      {"binary garbage", std::string("\x00\x01\xFF\xFE", 4), 0},
  };
  for (const Caso& caso : casos) {
    Escrever("t.txt", kCabecalhoTexto + caso.corpo);
    TCaudalente c;
    c.Local = 2;  // replaced by the reader
    const std::string erro = Erro([&] { c.LerTexto(Caminho("t.txt")); });
    EXPECT_EQ(erro, "O arquivo " + Caminho("t.txt") +
                        " não contém valores de tempo e vazão correspondentes a um caudalente.")
        << caso.nome;
    // The points before the bad number stay, with their statistics.
    EXPECT_EQ(c.Count(), caso.pontosMantidos) << caso.nome;
    EXPECT_EQ(c.Local, 1);
  }
  Escrever("t.txt", std::string(kCabecalhoTexto) + "0 0\r\n1 5\r\n2 x\r\n");
  TCaudalente c;
  EXPECT_NE(Erro([&] { c.LerTexto(Caminho("t.txt")); }), "");
  EXPECT_EQ(c.Count(), 2);
}

// Numbers a hydrograph cannot hold: its users would get an infinite volume or
// depth, or a non-number. Nothing of such a file is kept.
TEST_F(ArquivosCaudalente, ValoresForaDaFaixaSaoRecusados) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  struct Caso {
    const char* nome;
    std::string bytes;
    const char* arquivo;
  };
  auto binario = [](double alfa, double expoente, std::vector<double> valores) {
    std::string s = CabecalhoBinario(1, alfa, expoente, static_cast<uint16_t>(valores.size() / 2));
    for (double v : valores) F64(s, v);
    return s;
  };
  const Caso casos[] = {
      {"text whose volume overflows", std::string(kCabecalhoTexto) + "0 0\r\n1 1e308\r\n2 1e308\r\n3 0\r\n",
       "t.txt"},
      {"binary non-number discharge", binario(1, 1, {0, 0, 1, nan, 2, 1, 3, 0}), "b.bin"},
      {"binary infinite time", binario(1, 1, {0, 0, inf, 1, 2, 1, 3, 0}), "b.bin"},
      {"binary non-number flow law", binario(nan, 1, {0, 0, 1, 1, 2, 1, 3, 0}), "b.bin"},
      {"binary depth that overflows", binario(1e-300, 1e-300, {0, 0, 1, 5, 2, 1, 3, 0}), "b.bin"},
  };
  for (const Caso& caso : casos) {
    Escrever(caso.arquivo, caso.bytes);
    TCaudalente c;
    c.Adicionar(7, 7);
    const std::string caminho = Caminho(caso.arquivo);
    const bool texto = std::string(caso.arquivo) == "t.txt";
    EXPECT_EQ(Erro([&] { texto ? c.LerTexto(caminho) : c.LerBinario(caminho); }),
              "O arquivo " + caminho + " contém valores fora do alcance de um caudalente.")
        << caso.nome;
    EXPECT_EQ(c.Count(), 0) << caso.nome;
    for (double v : {c.Alfa, c.Expoente, c.VazaoMaxima, c.Volume, c.Profundidade, c.Velocidade})
      EXPECT_TRUE(std::isfinite(v)) << caso.nome;
  }
}

// Times that go back or discharges below zero would give a negative volume:
// the file is refused whole, in either format. A negative within the text
// file's last decimal is rounding: read as zero, and the user is told.
TEST_F(ArquivosCaudalente, SeriesImpossiveisSaoRecusadas) {
  auto texto = [](std::vector<TPonto> pontos) {
    std::string s = kCabecalhoTexto;
    for (const TPonto& p : pontos) s += std::to_string(p.Tempo) + "\t" + std::to_string(p.Vazao) + "\r\n";
    return s;
  };
  auto binario = [](std::vector<TPonto> pontos) {
    std::string s = CabecalhoBinario(2, 2, 5.0 / 3, static_cast<uint16_t>(pontos.size()));
    for (const TPonto& p : pontos) {
      F64(s, p.Tempo);
      F64(s, p.Vazao);
      F64(s, 0);
    }
    return s;
  };
  struct Caso {
    const char* nome;
    std::vector<TPonto> pontos;
    const char* erro;  // after "O arquivo NAME contém "
  };
  const Caso casos[] = {
      {"time goes back",
       {{0, 0}, {2, 5}, {1, 3}, {3, 0}},
       "tempos fora de ordem: o ponto 3 (1 min) vem depois do ponto 2 (2 min). Os tempos de um caudalente "
       "devem "
       "ser crescentes."},
      {"negative discharge",
       {{0, 0}, {1, 5}, {2, -3}, {3, 0}},
       "uma vazão negativa no ponto 3 (-3 L/s em 2 min). As vazões de um caudalente não podem ser "
       "negativas."},
      {"negative just beyond rounding",
       {{0, 0}, {1, -0.00001}, {2, 1}, {3, 0}},
       "uma vazão negativa no ponto 2 (-0.00001 L/s em 1 min). As vazões de um caudalente não podem ser "
       "negativas."},
  };
  for (const Caso& caso : casos) {
    for (const char* arquivo : {"t.txt", "b.bin"}) {
      const bool ehTexto = arquivo[0] == 't';
      Escrever(arquivo, ehTexto ? texto(caso.pontos) : binario(caso.pontos));
      TCaudalente c;
      c.Adicionar(7, 7);
      const std::string caminho = Caminho(arquivo);
      EXPECT_EQ(Erro([&] { ehTexto ? c.LerTexto(caminho) : c.LerBinario(caminho); }),
                "O arquivo " + caminho + " contém " + caso.erro)
          << caso.nome << " " << arquivo;
      EXPECT_EQ(c.Count(), 0) << caso.nome;
      EXPECT_EQ(c.Volume, 0) << caso.nome;
    }
  }

  // Equal times are a vertical jump, not a fault.
  Escrever("t.txt", texto({{0, 0}, {1, 2}, {1, 4}, {2, 0}}));
  TCaudalente salto;
  ASSERT_TRUE(salto.LerTexto(Caminho("t.txt")));
  EXPECT_EQ(salto.Volume, 30 * (2 + 0 + 4));

  for (const char* arquivo : {"t.txt", "b.bin"}) {
    const bool ehTexto = arquivo[0] == 't';
    const std::vector<TPonto> pontos = {{0, 0}, {1, 4}, {2, -1e-6}, {3, 2}, {4, -4e-7}};
    Escrever(arquivo, ehTexto ? texto(pontos) : binario(pontos));
    registro_.mensagens.clear();
    TCaudalente c;
    const std::string caminho = Caminho(arquivo);
    ASSERT_TRUE(ehTexto ? c.LerTexto(caminho) : c.LerBinario(caminho)) << arquivo;
    ASSERT_EQ(c.Count(), 5);
    EXPECT_EQ(c.Ponto(2).Vazao, 0);
    EXPECT_EQ(c.Volume, 30 * (4 + 4 + 2 + 2));
    ASSERT_EQ(registro_.mensagens.size(), 1u) << arquivo;
    // The text file's six decimals turn -4e-7 into -0, which is no negative.
    EXPECT_EQ(registro_.mensagens[0],
              "O arquivo " + caminho + " contém " + (ehTexto ? "1 vazão negativa" : "2 vazões negativas") +
                  " de arredondamento (até -1E-6 L/s), " + (ehTexto ? "tomada" : "tomadas") + " como zero.");
  }
}

// Random series in both formats: each file is either refused with the
// program's own error or gives a hydrograph whose statistics are finite and
// whose volume is not negative. Fixed seed and count: the same files on every run.
TEST_F(ArquivosCaudalente, SeriesAleatoriasSaoRecusadasOuDaoEstatisticasFinitas) {
  std::mt19937_64 gerador(20261211);
  auto uniforme = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(gerador); };
  auto inteiro = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gerador); };
  const double extremos[] = {0, -0.0, 1e-300, -1e-7, 1e308, -1e308, HUGE_VAL, std::nan(""), 4.9e-324, -5};
  auto valor = [&](double tipico) {
    switch (inteiro(0, 9)) {
      case 0:
        return extremos[inteiro(0, 9)];
      case 1:
        return -uniforme(0, tipico);
      default:
        return uniforme(0, tipico);
    }
  };
  int aceitos = 0, recusados = 0;
  for (int iteracao = 0; iteracao < 800; ++iteracao) {
    const int n = inteiro(0, 40);
    std::vector<TPonto> pontos;
    double t = uniforme(-10, 10);
    for (int i = 0; i < n; ++i) {
      t += inteiro(0, 19) == 0 ? -uniforme(0, 5) : uniforme(0, 5);
      pontos.push_back({inteiro(0, 49) == 0 ? valor(1e6) : t, valor(100)});
    }
    const bool ehTexto = iteracao % 2 == 0;
    std::string bytes;
    if (ehTexto) {
      bytes = kCabecalhoTexto;
      char linha[800];
      for (const TPonto& p : pontos) {
        std::snprintf(linha, sizeof linha, inteiro(0, 1) ? "%.17g %.17g\r\n" : "%20.6f\t%20.6f\r\n", p.Tempo,
                      p.Vazao);
        bytes += linha;
      }
    } else {
      const double alfa = inteiro(0, 3) == 0 ? valor(1e3) : uniforme(0, 50);
      const double expoente = inteiro(0, 3) == 0 ? valor(3) : uniforme(1, 2);
      bytes = CabecalhoBinario(static_cast<uint16_t>(inteiro(1, 2)), alfa, expoente,
                               static_cast<uint16_t>(pontos.size()));
      const bool versao2 = bytes[11] == 2;
      for (const TPonto& p : pontos) {
        F64(bytes, p.Tempo);
        F64(bytes, p.Vazao);
        if (versao2) F64(bytes, uniforme(0, 1));
      }
    }
    const char* arquivo = ehTexto ? "f.txt" : "f.bin";
    Escrever(arquivo, bytes);
    TCaudalente c;
    const std::string caminho = Caminho(arquivo);
    try {
      ASSERT_TRUE(ehTexto ? c.LerTexto(caminho) : c.LerBinario(caminho)) << iteracao;
      ++aceitos;
    } catch (const ECaudalente& e) {
      EXPECT_EQ(std::string(e.what()).rfind("O arquivo " + caminho + " ", 0), 0u) << e.what();
      ++recusados;
    }
    // What a refused text file keeps (the points before a bad number) is held
    // to the same rules.
    for (double v : {c.VazaoMaxima, c.TempoPico, c.Volume, c.Lamina, c.Profundidade, c.Velocidade})
      ASSERT_TRUE(std::isfinite(v)) << iteracao;
    EXPECT_GE(c.Volume, 0) << iteracao;
    EXPECT_GE(c.VazaoMaxima, 0) << iteracao;
    for (std::size_t i = 0; i < c.Count(); ++i) {
      EXPECT_GE(c.Ponto(i).Vazao, 0) << iteracao;
      if (i > 0) {
        EXPECT_GE(c.Ponto(i).Tempo, c.Ponto(i - 1).Tempo) << iteracao;
      }
    }
  }
  // Both outcomes occur, or the loop would be exercising one path only.
  EXPECT_GT(aceitos, 50);
  EXPECT_GT(recusados, 50);
}

TEST_F(ArquivosCaudalente, TextoComMaisDe65535PontosEhRecusado) {
  std::string corpo = kCabecalhoTexto;
  for (int i = 0; i < 65536; ++i) corpo += std::to_string(i) + " 1\r\n";
  Escrever("grande.txt", corpo);
  TCaudalente c;
  EXPECT_EQ(
      Erro([&] { c.LerTexto(Caminho("grande.txt")); }),
      "O arquivo " + Caminho("grande.txt") + " contém mais de 65535 pontos, o máximo de um caudalente.");
  EXPECT_EQ(c.Count(), 65535);
  EXPECT_EQ(c.Ponto(65534).Tempo, 65534);
}

TEST_F(ArquivosCaudalente, BytesDoArquivoBinarioEIdaEVolta) {
  TCaudalente c;
  c.Local = 1;
  c.Alfa = 2;
  c.Expoente = 5.0 / 3;
  c.Adicionar(0, 0);
  c.Adicionar(0.5, 3);
  c.Adicionar(1, 0.75);
  c.SalvarBinario(Caminho("h.bin"));

  const std::string bytes = Ler("h.bin");
  ASSERT_EQ(bytes.size(), 31u + 3 * 24);
  std::string esperado = CabecalhoBinario(2, 2, 5.0 / 3, 3);
  F64(esperado, 0);
  F64(esperado, 0);
  F64(esperado, 0);
  F64(esperado, 0.5);
  F64(esperado, 3);
  F64(esperado, std::pow(3 / 2000.0, 0.6));
  F64(esperado, 1);
  F64(esperado, 0.75);
  F64(esperado, std::pow(0.75 / 2000.0, 0.6));
  EXPECT_EQ(bytes.substr(0, 31 + 48), esperado.substr(0, 31 + 48));
  double profundidade;
  std::memcpy(&profundidade, bytes.data() + 31 + 24 + 16, 8);
  EXPECT_REL_NEAR(profundidade, 0.020214116, 1e-8);
  std::memcpy(&profundidade, bytes.data() + 31 + 48 + 16, 8);
  EXPECT_REL_NEAR(profundidade, std::pow(0.75 / 2000.0, 0.6), 1e-14);

  TCaudalente lido;
  ASSERT_TRUE(lido.LerBinario(Caminho("h.bin")));
  EXPECT_EQ(lido.Pontos().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(lido.Ponto(i).Tempo, c.Ponto(i).Tempo);
    EXPECT_EQ(lido.Ponto(i).Vazao, c.Ponto(i).Vazao);
  }
  EXPECT_EQ(lido.Alfa, 2);
  EXPECT_EQ(lido.Expoente, 5.0 / 3);
  EXPECT_EQ(lido.Local, 1);
  EXPECT_EQ(lido.VazaoMaxima, 3);
  lido.SalvarBinario(Caminho("h2.bin"));
  EXPECT_EQ(Ler("h2.bin"), bytes);

  TCaudalente vazio;
  vazio.SalvarBinario(Caminho("v.bin"));
  EXPECT_EQ(Ler("v.bin"), CabecalhoBinario(2, 0, 0, 0));
}

TEST_F(ArquivosCaudalente, BinarioProfundidadeDeSerieDoCanalESemLeiDeEscoamento) {
  TCaudalente canal([](double area) { return area * 10; });
  canal.Local = 2;
  canal.Alfa = 2;
  canal.Expoente = 5.0 / 3;
  canal.Adicionar(0, 3);
  canal.Adicionar(1, 0);
  canal.SalvarBinario(Caminho("c.bin"));
  const std::string bytes = Ler("c.bin");
  double d0, d1;
  std::memcpy(&d0, bytes.data() + 31 + 16, 8);
  std::memcpy(&d1, bytes.data() + 31 + 24 + 16, 8);
  EXPECT_REL_NEAR(d0, 0.20214116, 1e-8);
  EXPECT_EQ(d1, 0);

  canal.Alfa = 0;
  canal.SalvarBinario(Caminho("c.bin"));
  std::memcpy(&d0, Ler("c.bin").data() + 31 + 16, 8);
  EXPECT_EQ(d0, 0);
}

TEST_F(ArquivosCaudalente, VersoesDoBinario) {
  // Version 1: two doubles per point.
  std::string v1 = CabecalhoBinario(1, 1.5, 1.25, 4);
  for (double x : {0.0, 0.0, 1.0, 2.0, 2.0, 4.0, 3.0, 0.0}) F64(v1, x);
  Escrever("v1.bin", v1);
  TCaudalente c;
  ASSERT_TRUE(c.LerBinario(Caminho("v1.bin")));
  ASSERT_EQ(c.Count(), 4);
  EXPECT_EQ(c.Ponto(2).Tempo, 2);
  EXPECT_EQ(c.Ponto(2).Vazao, 4);
  EXPECT_EQ(c.Alfa, 1.5);
  EXPECT_EQ(c.Expoente, 1.25);
  EXPECT_EQ(c.VazaoMaxima, 4);
  EXPECT_EQ(c.Volume, 30 * (2 + 6 + 4));

  // Version 3 carries no points: an empty series, statistics untouched.
  Escrever("v3.bin", CabecalhoBinario(3, 9, 9, 2));
  c.VazaoMaxima = 11;
  ASSERT_TRUE(c.LerBinario(Caminho("v3.bin")));
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.VazaoMaxima, 11);
  EXPECT_EQ(c.Alfa, 1.5);

  // Unknown versions are refused before the series is touched.
  ASSERT_TRUE(c.LerBinario(Caminho("v1.bin")));
  for (uint16_t versao : {0, 4, 65535}) {
    Escrever("vx.bin", CabecalhoBinario(versao, 1, 1, 0));
    EXPECT_EQ(Erro([&] { c.LerBinario(Caminho("vx.bin")); }),
              "O arquivo " + Caminho("vx.bin") +
                  " não contém valores de tempo e vazão correspondentes a um caudalente.");
    EXPECT_EQ(c.Count(), 4);
  }
}

TEST_F(ArquivosCaudalente, BinarioQueNaoEhHidrograma) {
  std::string bom = CabecalhoBinario(2, 1, 1, 2);
  for (int i = 0; i < 6; ++i) F64(bom, i);
  const std::string assinatura =
      "O arquivo " + Caminho("x.bin") + " não possui valores referentes a um caudalente.";
  const std::string semValores = "O arquivo " + Caminho("x.bin") +
                                 " não contém valores de tempo e vazão correspondentes a um caudalente.";
  struct Caso {
    const char* nome;
    std::string bytes;
    std::string erro;
    bool serieIntacta;
  };
  std::string primeiroByte = bom;
  primeiroByte[0] = 'X';
  std::string maiusculas = bom;
  maiusculas[1] = 'c';
  const Caso casos[] = {
      {"empty file", "", assinatura, true},
      {"first byte not 10", primeiroByte, assinatura, true},
      {"signature in other case", maiusculas, assinatura, true},
      {"cut inside the signature", bom.substr(0, 7), assinatura, true},
      {"cut inside the version", bom.substr(0, 12), semValores, true},
      {"cut inside the header", bom.substr(0, 25), semValores, false},
      {"count larger than the data", bom.substr(0, bom.size() - 1), semValores, false},
      {"count of a full file, one point", CabecalhoBinario(2, 1, 1, 65535) + bom.substr(31, 24), semValores,
       false},
  };
  for (const Caso& caso : casos) {
    Escrever("x.bin", caso.bytes);
    TCaudalente c;
    c.Adicionar(7, 7);
    EXPECT_EQ(Erro([&] { c.LerBinario(Caminho("x.bin")); }), caso.erro) << caso.nome;
    // Never a partial series from a damaged file: either untouched or empty.
    EXPECT_EQ(c.Count(), caso.serieIntacta ? 1 : 0) << caso.nome;
  }
}

TEST_F(ArquivosCaudalente, ArquivoAusenteEhMensagemDeInformacao) {
  for (const std::string nome : {"nao/existe.txt", "falta.bin"}) {
    TCaudalente c;
    c.Adicionar(1, 2);
    const std::string caminho = Caminho(nome);
    registro_.mensagens.clear();
    EXPECT_FALSE(nome.back() == 't' ? c.LerTexto(caminho) : c.LerBinario(caminho));
    ASSERT_EQ(registro_.mensagens.size(), 1u);
    EXPECT_EQ(registro_.mensagens[0], "O arquivo " + caminho + " não existe.");
    EXPECT_EQ(c.Count(), 1);
  }
  // A folder is not a hydrograph file either.
  TCaudalente c;
  EXPECT_FALSE(c.LerTexto(pasta_.string()));
}

TEST_F(ArquivosCaudalente, FalhaDeGravacaoDizOMotivo) {
  TCaudalente c;
  const std::string semPasta = Caminho("nao/ha/pasta.txt");
  EXPECT_EQ(Erro([&] { c.SalvarTexto(semPasta); }),
            "Não foi possível gravar o arquivo " + semPasta + " (pasta inexistente).");
  EXPECT_NE(Erro([&] { c.SalvarBinario(Caminho("nao/ha/pasta.bin")); }), "");
  // A device takes the bytes where it is; when it refuses them, the save
  // says so instead of passing for done.
  if (fs::exists("/dev/full")) {
    EXPECT_EQ(Erro([&] { c.SalvarTexto("/dev/full"); }),
              "Não foi possível gravar o arquivo /dev/full (disco cheio).");
  }
  EXPECT_EQ(Erro([&] { c.SalvarTexto("/dev/null"); }), "");
}

TEST_F(ArquivosCaudalente, GravarSubstituiOArquivoInteiroPorUmLink) {
  TCaudalente c;
  c.Local = 1;
  c.Adicionar(0, 0);
  c.Adicionar(1, 2.5);
  c.Adicionar(2, 0);
  Escrever("antigo.txt", std::string(100000, 'x'));
  fs::permissions(pasta_ / "antigo.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(pasta_ / "antigo.txt", pasta_ / "atalho.txt");
  c.SalvarTexto(Caminho("atalho.txt"));

  // The link still points at the file, which now holds exactly the new
  // hydrograph (no tail of the longer old one), with its permissions kept.
  EXPECT_TRUE(fs::is_symlink(pasta_ / "atalho.txt"));
  EXPECT_EQ(Ler("antigo.txt"), Ler("atalho.txt"));
  TCaudalente lido;
  ASSERT_TRUE(lido.LerTexto(Caminho("antigo.txt")));
  EXPECT_EQ(lido.Count(), 3u);
  EXPECT_EQ(fs::status(pasta_ / "antigo.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(pasta_), fs::directory_iterator{}), 2);
}

}  // namespace
