// Hydrograph files.
// Text: Windows-1252, CR LF; a 44-character header, then per point the time
//   (min) and the discharge (L/s) as "%20.6f", separated by one TAB, always
//   with a full stop.
// Binary, little-endian, packed: 0x0A "Caudalente" | uint16 version | double
//   Alfa | double Expoente | uint16 Count | points. Version 2 points are
//   (Tempo, Vazao, depth in m), version 1 points (Tempo, Vazao); version 3
//   files carry no points.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/hillslope/uCaudalente.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Win1252.h"

namespace {

const char kAssinatura[11] = {'\x0A', 'C', 'a', 'u', 'd', 'a', 'l', 'e', 'n', 't', 'e'};
const char* const kCabecalho = "         Tempo (min)             Vazão (L/s)";
constexpr std::size_t kCabecalhoBinario = 31;

bool Existe(const std::string& nome) {
  std::error_code erro;
  return std::filesystem::is_regular_file(std::filesystem::u8path(nome), erro);
}

void InformarInexistente(const std::string& nome) {
  MensagensDoModelo().Informar("O arquivo " + nome + " não existe.");
}

std::string SemValores(const std::string& nome) {
  return "O arquivo " + nome + " não contém valores de tempo e vazão correspondentes a um caudalente.";
}

std::string ErroLeitura(const std::string& nome) {
  return "Não foi possível ler o arquivo " + nome + ".";
}

// "%20.6f" with a full stop whatever the process locale: to_chars never
// consults it. A number wider than 20 characters widens its field.
void AcrescentarNumero(std::string& linha, double valor) {
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed, 6);
  const std::size_t largura = static_cast<std::size_t>(r.ptr - buffer);
  if (largura < 20) linha.append(20 - largura, ' ');
  linha.append(buffer, largura);
}

// All or nothing: a full disk or a lost folder leaves the old file whole.
void Gravar(const std::string& nome, const std::string& conteudo) {
  const int erro = toolkit::SubstituirArquivo(nome, conteudo);
  if (erro != 0) throw ECaudalente(toolkit::ErroDeGravacao(nome, erro));
}

std::string LerTudo(const std::string& nome) {
  std::ifstream arquivo(std::filesystem::u8path(nome), std::ios::binary);
  if (!arquivo) throw ECaudalente("Não foi possível abrir o arquivo " + nome + ".");
  std::string conteudo((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
  if (arquivo.bad()) throw ECaudalente(ErroLeitura(nome));
  return conteudo;
}

void PutU16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

void PutDouble(std::string& s, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int i = 0; i < 8; ++i) s.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

uint16_t GetU16(const std::string& s, std::size_t pos) {
  return static_cast<uint16_t>(static_cast<unsigned char>(s[pos]) |
                               (static_cast<unsigned char>(s[pos + 1]) << 8));
}

double GetDouble(const std::string& s, std::size_t pos) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i)
    bits = (bits << 8) | static_cast<unsigned char>(s[pos + static_cast<std::size_t>(i)]);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

bool EhBranco(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the next number of a text hydrograph: blanks and line breaks are
// skipped, the number runs to the next blank. Plain decimal numbers with a
// full stop (and an optional exponent), or whole with a decimal comma as a
// file written under Brazilian settings has them. False at the end of the
// text or on anything else.
bool LerNumero(const std::string& texto, std::size_t& pos, double& valor) {
  while (pos < texto.size() && EhBranco(texto[pos])) ++pos;
  const std::size_t inicio = pos;
  while (pos < texto.size() && !EhBranco(texto[pos])) ++pos;
  if (pos == inicio) return false;
  return toolkit::TextoParaRealDeArquivo(std::string_view(texto).substr(inicio, pos - inicio), valor, '.');
}

std::string ForaDeAlcance(const std::string& nome) {
  return "O arquivo " + nome + " contém valores fora do alcance de um caudalente.";
}

// A negative discharge no smaller than this (L/s), the last of the six
// decimals the text file keeps, is rounding left by whatever wrote the file.
constexpr double kArredondamento = 1e-6;

// Rounding negatives become zeros; returns how many there were and the
// smallest of them.
std::size_t ZerarArredondamentos(std::vector<TPonto>& pontos, double& menor) {
  std::size_t n = 0;
  menor = 0;
  for (TPonto& p : pontos)
    if (p.Vazao < 0 && p.Vazao >= -kArredondamento) {
      menor = std::min(menor, p.Vazao);
      p.Vazao = 0;
      ++n;
    }
  return n;
}

// Why the points cannot be a hydrograph ("" when they can): a time that goes
// back, or a discharge below zero, would give a negative volume. Equal
// times are a vertical jump and pass.
std::string SerieImpossivel(const std::vector<TPonto>& pontos, const std::string& nome) {
  using toolkit::FormatoGeral;
  for (std::size_t i = 0; i < pontos.size(); ++i) {
    if (i > 0 && pontos[i].Tempo < pontos[i - 1].Tempo)
      return "O arquivo " + nome + " contém tempos fora de ordem: o ponto " + std::to_string(i + 1) + " (" +
             FormatoGeral(pontos[i].Tempo) + " min) vem depois do ponto " + std::to_string(i) + " (" +
             FormatoGeral(pontos[i - 1].Tempo) + " min). Os tempos de um caudalente devem ser crescentes.";
    if (pontos[i].Vazao < 0)
      return "O arquivo " + nome + " contém uma vazão negativa no ponto " + std::to_string(i + 1) + " (" +
             FormatoGeral(pontos[i].Vazao) + " L/s em " + FormatoGeral(pontos[i].Tempo) +
             " min). As vazões de um caudalente não podem ser negativas.";
  }
  return "";
}

void InformarArredondamentos(const std::string& nome, std::size_t n, double menor) {
  if (n == 0) return;
  MensagensDoModelo().Informar("O arquivo " + nome + " contém " + std::to_string(n) +
                               (n == 1 ? " vazão negativa" : " vazões negativas") +
                               " de arredondamento (até " + toolkit::FormatoGeral(menor) + " L/s), " +
                               (n == 1 ? "tomada" : "tomadas") + " como zero.");
}

}  // namespace

std::string TCaudalente::Texto() const {
  std::string conteudo = toolkit::Utf8ParaWin1252(kCabecalho);
  conteudo += "\r\n";
  conteudo.reserve(conteudo.size() + FPontos.size() * 43);
  for (const TPonto& p : FPontos) {
    AcrescentarNumero(conteudo, p.Tempo);
    conteudo += '\t';
    AcrescentarNumero(conteudo, p.Vazao);
    conteudo += "\r\n";
  }
  return conteudo;
}

void TCaudalente::SalvarTexto(const std::string& NomeArquivo) const {
  Gravar(NomeArquivo, Texto());
}

bool TCaudalente::LerTexto(const std::string& NomeArquivo) {
  if (!Existe(NomeArquivo)) {
    InformarInexistente(NomeArquivo);
    return false;
  }
  const std::string texto = LerTudo(NomeArquivo);
  Limpar();
  Local = 1;

  // The first line is the header, whatever it says.
  std::size_t pos = texto.find('\n');
  pos = pos == std::string::npos ? texto.size() : pos + 1;
  std::string erro;
  for (;;) {
    std::size_t depois = pos;
    while (depois < texto.size() && EhBranco(texto[depois])) ++depois;
    if (depois >= texto.size()) break;  // trailing blanks and blank lines end the table
    double tempo, vazao;
    if (!LerNumero(texto, pos, tempo) || !LerNumero(texto, pos, vazao)) {
      erro = SemValores(NomeArquivo);
      break;
    }
    if (Cheio()) {
      erro = "O arquivo " + NomeArquivo + " contém mais de 65535 pontos, o máximo de um caudalente.";
      break;
    }
    FPontos.push_back({tempo, vazao});
    // Anything after the two numbers on the same line is a comment.
    while (pos < texto.size() && texto[pos] != '\n') ++pos;
  }
  // The points read so far stay, with their statistics, even when the file
  // turned out to be bad; numbers out of range and impossible series do not.
  double menor;
  const std::size_t arredondados = ZerarArredondamentos(FPontos, menor);
  Calcular(1);
  if (!Finita()) {
    Limpar();
    Calcular(1);
    throw ECaudalente(ForaDeAlcance(NomeArquivo));
  }
  const std::string impossivel = SerieImpossivel(FPontos, NomeArquivo);
  if (!impossivel.empty()) {
    Limpar();
    Calcular(1);
    throw ECaudalente(impossivel);
  }
  InformarArredondamentos(NomeArquivo, arredondados, menor);
  if (!erro.empty()) throw ECaudalente(erro);
  return true;
}

void TCaudalente::SalvarBinario(const std::string& NomeArquivo) const {
  std::string conteudo(kAssinatura, sizeof kAssinatura);
  conteudo.reserve(kCabecalhoBinario + 24 * FPontos.size());
  PutU16(conteudo, 2);
  PutDouble(conteudo, Alfa);
  PutDouble(conteudo, Expoente);
  PutU16(conteudo, Count());
  for (const TPonto& p : FPontos) {
    PutDouble(conteudo, p.Tempo);
    PutDouble(conteudo, p.Vazao);
    PutDouble(conteudo, ProfundidadeDaVazao(p.Vazao));
  }
  Gravar(NomeArquivo, conteudo);
}

bool TCaudalente::LerBinario(const std::string& NomeArquivo) {
  if (!Existe(NomeArquivo)) {
    InformarInexistente(NomeArquivo);
    return false;
  }
  const std::string dados = LerTudo(NomeArquivo);
  if (dados.size() < sizeof kAssinatura || std::memcmp(dados.data(), kAssinatura, sizeof kAssinatura) != 0)
    throw ECaudalente("O arquivo " + NomeArquivo + " não possui valores referentes a um caudalente.");
  // A file cut inside its version word is no hydrograph either; the series
  // is still untouched.
  if (dados.size() < 13) throw ECaudalente(SemValores(NomeArquivo));
  const uint16_t versao = GetU16(dados, 11);
  if (versao < 1 || versao > 3) throw ECaudalente(SemValores(NomeArquivo));

  Limpar();
  if (versao == 3) return true;  // a layout without points

  Local = 1;
  const std::size_t tamanhoPonto = versao == 2 ? 24 : 16;
  // A file shorter than its own count declares would give points that are
  // not there: it is refused whole, leaving an empty series.
  if (dados.size() < kCabecalhoBinario ||
      dados.size() < kCabecalhoBinario + tamanhoPonto * GetU16(dados, 29)) {
    Calcular(1);
    throw ECaudalente(SemValores(NomeArquivo));
  }
  Alfa = GetDouble(dados, 13);
  Expoente = GetDouble(dados, 21);
  const uint16_t n = GetU16(dados, 29);
  FPontos.reserve(n);
  for (std::size_t i = 0, pos = kCabecalhoBinario; i < n; ++i, pos += tamanhoPonto)
    FPontos.push_back({GetDouble(dados, pos), GetDouble(dados, pos + 8)});
  double menor;
  const std::size_t arredondados = ZerarArredondamentos(FPontos, menor);
  Calcular(1);
  std::string erro;
  if (!Finita())
    erro = ForaDeAlcance(NomeArquivo);
  else
    erro = SerieImpossivel(FPontos, NomeArquivo);
  if (!erro.empty()) {
    Limpar();
    Alfa = Expoente = 0;
    Calcular(1);
    throw ECaudalente(erro);
  }
  InformarArredondamentos(NomeArquivo, arredondados, menor);
  return true;
}
