// Every reader of the program's files against damaged copies of real files:
// the delivered example projects, hydrograph files as the program writes
// them, and the delivered IDF database. Each input is a deterministic
// mutation (truncation, flipped bytes, huge and non-finite numbers, removed
// keys, lines and sections, a lone CR). For every input: no crash, only a
// result or a documented error, the file unchanged, and no non-number in
// anything read.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "idf/UnBD.h"
#include "model/hillslope/uCaudalente.h"
#include "project/ArquivoProjeto.h"
#include "project/ProjetoExemplo.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"

namespace {

using teste::GravarBytes;
using teste::LerBytes;

class TMutador {
 public:
  explicit TMutador(uint32_t semente) : gerador_(semente) {}

  std::size_t Ate(std::size_t n) { return n == 0 ? 0 : gerador_() % n; }

  std::string Especial() {
    static const char* const textos[] = {"nan",         "inf",        "-inf",
                                         "1e308",       "-1e308",     "1.7976931348623157e308",
                                         "1e309",       "1E-400",     "99999999999",
                                         "-2147483649", "2147483648", "4294967297",
                                         "257",         "-253",       "",
                                         "0x10",        "1,5.5",      "\xC3\x28",
                                         "-0",          "  ",         "1,7976931348623157E308",
                                         "-1"};
    return textos[Ate(sizeof textos / sizeof textos[0])];
  }

  double RealEspecial() {
    static const double valores[] = {std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::max(),
                                     -std::numeric_limits<double>::max(),
                                     std::numeric_limits<double>::denorm_min(),
                                     1e300,
                                     -1.0,
                                     0.0};
    return valores[Ate(sizeof valores / sizeof valores[0])];
  }

  // Bytes common to every file kind.
  void Truncar(std::string& s) { s.resize(Ate(s.size() + 1)); }
  void Virar(std::string& s) {
    if (s.empty()) return;
    for (std::size_t n = 1 + Ate(4); n > 0; --n) s[Ate(s.size())] = static_cast<char>(gerador_());
  }

  // Text files, line by line (CR LF or LF).
  std::string Texto(const std::string& original) {
    std::string s = original;
    for (std::size_t passos = 1 + Ate(3); passos > 0; --passos) {
      std::vector<std::string> linhas = Linhas(s);
      switch (Ate(7)) {
        case 0:
          Truncar(s);
          continue;
        case 1:
          Virar(s);
          continue;
        case 2: {  // a value (or a number) replaced
          if (linhas.empty()) break;
          std::string& l = linhas[Ate(linhas.size())];
          const std::size_t igual = l.find('=');
          const std::size_t corte = igual != std::string::npos ? igual + 1 : l.find_first_of(" \t") + 1;
          l = (corte == 0 ? std::string() : l.substr(0, corte)) + Especial();
          break;
        }
        case 3:  // a key or a line gone
          if (!linhas.empty()) linhas.erase(linhas.begin() + static_cast<long>(Ate(linhas.size())));
          break;
        case 4: {  // a section gone
          std::vector<std::size_t> cabecalhos;
          for (std::size_t i = 0; i < linhas.size(); ++i)
            if (!linhas[i].empty() && linhas[i][0] == '[') cabecalhos.push_back(i);
          if (cabecalhos.empty()) break;
          const std::size_t k = Ate(cabecalhos.size());
          const std::size_t fim = k + 1 < cabecalhos.size() ? cabecalhos[k + 1] : linhas.size();
          linhas.erase(linhas.begin() + static_cast<long>(cabecalhos[k]),
                       linhas.begin() + static_cast<long>(fim));
          break;
        }
        case 5:  // a lone CR glues two lines together
          if (linhas.size() >= 2) {
            const std::size_t i = Ate(linhas.size() - 1);
            linhas[i] += "\r" + linhas[i + 1];
            linhas.erase(linhas.begin() + static_cast<long>(i) + 1);
          }
          break;
        default:  // a line twice
          if (!linhas.empty()) {
            const std::string l = linhas[Ate(linhas.size())];
            linhas.insert(linhas.begin() + static_cast<long>(Ate(linhas.size() + 1)), l);
          }
          break;
      }
      s.clear();
      for (const std::string& l : linhas) s += l + "\r\n";
    }
    return s;
  }

  // Binary files: an 8-byte slot at one of the given offsets becomes a
  // special number, a 16-bit count or version becomes another, bytes flip,
  // the file is cut.
  std::string Binario(const std::string& original, const std::vector<std::size_t>& reais,
                      const std::vector<std::size_t>& contagens) {
    std::string s = original;
    for (std::size_t passos = 1 + Ate(2); passos > 0; --passos) {
      switch (Ate(4)) {
        case 0:
          Truncar(s);
          break;
        case 1:
          Virar(s);
          break;
        case 2:
          if (!reais.empty()) {
            const std::size_t pos = reais[Ate(reais.size())];
            const double v = RealEspecial();
            if (pos + 8 <= s.size()) std::memcpy(&s[pos], &v, 8);
          }
          break;
        default:
          if (!contagens.empty()) {
            const std::size_t pos = contagens[Ate(contagens.size())];
            const uint16_t v = Ate(2) == 0 ? 0xFFFF : static_cast<uint16_t>(gerador_());
            if (pos + 2 <= s.size()) {
              s[pos] = static_cast<char>(v & 0xFF);
              s[pos + 1] = static_cast<char>(v >> 8);
            }
          }
          break;
      }
    }
    return s;
  }

 private:
  static std::vector<std::string> Linhas(const std::string& s) {
    std::vector<std::string> linhas;
    std::size_t i = 0;
    while (i < s.size()) {
      std::size_t fim = s.find('\n', i);
      if (fim == std::string::npos) fim = s.size();
      std::string l = s.substr(i, fim - i);
      if (!l.empty() && l.back() == '\r') l.pop_back();
      linhas.push_back(l);
      i = fim + 1;
    }
    return linhas;
  }

  std::mt19937 gerador_;
};

bool TemControle(const std::string& texto) {
  for (const char c : texto)
    if (static_cast<unsigned char>(c) < 0x20) return true;
  return false;
}

// A refusal is a sentence for the user: some text, no raw control bytes.
void EsperarMensagem(const std::exception& e, const std::string& entrada) {
  const std::string texto = e.what();
  EXPECT_FALSE(texto.empty()) << entrada;
  EXPECT_FALSE(TemControle(texto)) << texto;
}

int EntradasNaPasta(const std::string& pasta) {
  int n = 0;
  DIR* d = opendir(pasta.c_str());
  if (d == nullptr) return -1;
  while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
  closedir(d);
  return n;
}

void EsperarFinitos(std::initializer_list<double> valores, const std::string& onde) {
  for (const double v : valores) EXPECT_TRUE(std::isfinite(v)) << onde << ": " << v;
}

void EsperarProjetoFinito(const TProjeto& p) {
  const auto& c = p.Nimbora.Precipitacao();
  // What the file holds; K·Tr^a of absurd values is the computation's to refuse.
  EsperarFinitos({c.Tr(), c.K(), c.A(), c.B(), c.C(), c.Duracao, c.PrecipitacaoTotal}, "chuva");
  const TCanalCinematico& k = p.Canal;
  EsperarFinitos({k.B(), k.H(), k.Hr(), k.CDu(), k.Z.Valor, k.Sm.Valor, k.nc.Valor, k.Sc(), k.Q()}, "canal");
  ASSERT_LE(p.Encosta.Count(), TEncostaCinematicaSecoes::MaximoTrechos);
  for (int i = 0; i < p.Encosta.Count(); ++i) {
    const TEncostaCinematica& t = p.Encosta.Trechos(i);
    EsperarFinitos({t.VIB(), t.St(), t.nt.Valor}, "trecho");
    EXPECT_GE(t.Comprimento(), 0);
  }
  EsperarFinitos({p.Unidades.FatorVI, p.Unidades.FatorComprimento}, "unidades");
}

void EsperarSerieFinita(const TCaudalente& c) {
  EsperarFinitos(
      {c.Alfa, c.Expoente, c.VazaoMaxima, c.TempoPico, c.Volume, c.Lamina, c.Profundidade, c.Velocidade},
      "estatisticas");
  for (const TPonto& p : c.Pontos()) EsperarFinitos({p.Tempo, p.Vazao}, "ponto");
}

std::string Exemplo(const char* nome) {
  return LerBytes(std::string(CAUDALENTE_SOURCE_DIR) + "/data/exemplos/" + nome);
}

TEST(LeitoresDanificados, Projeto) {
  const std::string originais[] = {Exemplo("encosta_regular.cdt"), Exemplo("encosta_irregular.cdt")};
  ASSERT_FALSE(originais[0].empty());
  ASSERT_FALSE(originais[1].empty());
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("x.cdt");
  TMutador m(20261210);
  constexpr int kEntradas = 1500;
  int lidos = 0;
  for (int i = 0; i < kEntradas; ++i) {
    // Half of them read under Brazilian settings, the other separator.
    toolkit::TRegionalTemporario r(i % 2 == 0 ? toolkit::RegionalC() : toolkit::RegionalPtBr());
    const std::string entrada = m.Texto(originais[i % 2 == 0 ? 0 : 1]);
    GravarBytes(arquivo, entrada);
    TProjeto p;
    try {
      if (LerProjeto(arquivo, p)) {
        ++lidos;
        EsperarProjetoFinito(p);
      }
    } catch (const EArquivoProjeto& e) {
      EsperarMensagem(e, entrada);
    } catch (const EEncostaCinematica& e) {
      EsperarMensagem(e, entrada);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "undocumented error: " << e.what() << "\n" << entrada;
    }
    ASSERT_EQ(LerBytes(arquivo), entrada) << "reading changed the file";
    if (HasFailure()) break;
  }
  EXPECT_EQ(EntradasNaPasta(pasta.Caminho()), 1);
  // The mutations leave some projects readable: the loop also checks them.
  EXPECT_GT(lidos, kEntradas / 20);
}

TEST(LeitoresDanificados, Caudalente) {
  // A hydrograph as the program writes it: a rise and a recession.
  TCaudalente serie;
  serie.Local = 1;
  serie.Alfa = 2.5;
  serie.Expoente = 5.0 / 3;
  for (int i = 0; i < 40; ++i) serie.Adicionar(i * 0.5, i < 15 ? i * 0.4 : (40 - i) * 0.24);
  teste::TPastaTemporaria pasta;
  serie.SalvarTexto(pasta.Arquivo("o.txt"));
  serie.SalvarBinario(pasta.Arquivo("o.bin"));
  const std::string texto = LerBytes(pasta.Arquivo("o.txt"));
  const std::string binario = LerBytes(pasta.Arquivo("o.bin"));
  std::remove(pasta.Arquivo("o.txt").c_str());
  std::remove(pasta.Arquivo("o.bin").c_str());

  // Offsets of the binary layout: version, Alfa, Expoente, count, points.
  std::vector<std::size_t> reais{13, 21};
  for (std::size_t pos = 31; pos + 8 <= binario.size(); pos += 8) reais.push_back(pos);
  const std::vector<std::size_t> contagens{11, 29};

  TMutador m(7);
  for (int i = 0; i < 2000; ++i) {
    const bool ehTexto = i % 2 == 0;
    const std::string entrada = ehTexto ? m.Texto(texto) : m.Binario(binario, reais, contagens);
    const std::string arquivo = pasta.Arquivo(ehTexto ? "h.txt" : "h.bin");
    GravarBytes(arquivo, entrada);
    TCaudalente c;
    try {
      EXPECT_TRUE(ehTexto ? c.LerTexto(arquivo) : c.LerBinario(arquivo));
    } catch (const ECaudalente& e) {
      EsperarMensagem(e, entrada);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "undocumented error: " << e.what();
    }
    EsperarSerieFinita(c);
    ASSERT_EQ(LerBytes(arquivo), entrada) << "reading changed the file";
    if (HasFailure()) break;
  }
  EXPECT_EQ(EntradasNaPasta(pasta.Caminho()), 2);
}

// Offsets of the station file: per state a 16-bit count, then 152-byte
// records (name 1+68, K, a, b, c, source 1+30, latitude 1+9, longitude 1+9).
void MapearEstados(const std::string& dados, std::vector<std::size_t>& reais,
                   std::vector<std::size_t>& contagens, std::vector<std::size_t>& textos) {
  std::size_t pos = 1;
  for (int estado = 0; estado < NumeroEstados && pos + 2 <= dados.size(); ++estado) {
    contagens.push_back(pos);
    const std::size_t n = static_cast<unsigned char>(dados[pos]) | static_cast<unsigned char>(dados[pos + 1])
                                                                       << 8;
    pos += 2;
    for (std::size_t i = 0; i < n && pos + TamanhoEstacao <= dados.size(); ++i, pos += TamanhoEstacao) {
      for (std::size_t k = 0; k < 4; ++k) reais.push_back(pos + 69 + 8 * k);
      textos.insert(textos.end(), {pos, pos + 101, pos + 132, pos + 142});
    }
  }
}

TEST(LeitoresDanificados, BancoDeChuvas) {
  const std::string pastaEntregue = std::string(CAUDALENTE_SOURCE_DIR) + "/data/Arquivos Comuns/";
  const std::string estados = LerBytes(pastaEntregue + ArquivoEstados);
  const std::string localidades = LerBytes(pastaEntregue + ArquivoLocalidades);
  ASSERT_GT(estados.size(), 1000u);
  ASSERT_GT(localidades.size(), 1000u);
  std::vector<std::size_t> reais, contagens, textos;
  MapearEstados(estados, reais, contagens, textos);
  const std::vector<std::size_t> contagensLocalidades{1};
  const std::pair<const char*, const char*> pontos[] = {{"20°45'14\"", "42°52'53\""},
                                                        {"15°47'00\"", "47°55'00\""}};

  teste::TPastaTemporaria pasta;
  const std::string banco = pasta.Caminho() + "/";
  GravarBytes(banco + ArquivoLocalidades, localidades);
  TMutador m(1949);
  for (int i = 0; i < 300; ++i) {
    std::string entrada = m.Binario(estados, reais, contagens);
    // Coordinate and name texts, with their length bytes, get bytes of any
    // kind, as a damaged disk gives them.
    if (m.Ate(2) == 0 && !textos.empty()) {
      const std::size_t pos = textos[m.Ate(textos.size())] + 1 + m.Ate(9);
      if (pos < entrada.size()) entrada[pos] = static_cast<char>(m.Ate(256));
    }
    GravarBytes(banco + ArquivoEstados, entrada);
    TBDPrecipitacao bd(banco);
    try {
      bd.LerEstados();
      for (int e = 0; e < NumeroEstados; ++e)
        for (const TEstacao& s : bd.Estacoes(e)) EsperarFinitos({s.K, s.a, s.b, s.c}, s.Nome);
      for (const auto& [lat, lon] : pontos) {
        try {
          const TEstacao r = bd.Interpolar(lat, lon);
          EsperarFinitos({r.K, r.a, r.b, r.c}, "interpolação");
        } catch (const EInterpolacao& e) {
          EsperarMensagem(e, "");
        } catch (const toolkit::EConversaoInvalida& e) {
          EsperarMensagem(e, "");
        }
      }
    } catch (const EArquivoCorrompido& e) {
      EsperarMensagem(e, "");
    } catch (const std::exception& e) {
      ADD_FAILURE() << "undocumented error: " << e.what();
    }
    ASSERT_EQ(LerBytes(banco + ArquivoEstados), entrada) << "reading changed the file";
    if (HasFailure()) break;
  }

  GravarBytes(banco + ArquivoEstados, estados);
  for (int i = 0; i < 60; ++i) {
    const std::string entrada = m.Binario(localidades, {}, contagensLocalidades);
    GravarBytes(banco + ArquivoLocalidades, entrada);
    TBDPrecipitacao bd(banco);
    for (int estado : {0, 12, 26}) {
      try {
        bd.LerLocalidades(estado);
        for (const TLocalidade& l : bd.Localidades()) EXPECT_LE(l.Nome.size(), 2 * CapacidadeNome);
      } catch (const EArquivoCorrompido& e) {
        EsperarMensagem(e, "");
      } catch (const std::exception& e) {
        ADD_FAILURE() << "undocumented error: " << e.what();
      }
    }
    ASSERT_EQ(LerBytes(banco + ArquivoLocalidades), entrada) << "reading changed the file";
    if (HasFailure()) break;
  }
  EXPECT_EQ(EntradasNaPasta(pasta.Caminho()), 2);
}

}  // namespace
