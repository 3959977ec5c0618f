#include "toolkit/ArquivoIni.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "toolkit/FormatoNumero.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Win1252.h"

namespace toolkit {
namespace {

bool EhBranco(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Aparar(const std::string& s) {
  size_t i = 0, f = s.size();
  while (i < f && EhBranco(s[i])) ++i;
  while (f > i && EhBranco(s[f - 1])) --f;
  return s.substr(i, f - i);
}

std::string TirarAspas(const std::string& s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    return s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

std::string DescricaoDoErro(int codigo) {
  switch (codigo) {
    case ENOENT:
    case ENOTDIR:
      return "pasta inexistente";
    case EACCES:
    case EPERM:
      return "permissão negada";
    case EROFS:
      return "disco somente para leitura";
    case ENOSPC:
      return "disco cheio";
    case EDQUOT:
      return "cota de disco esgotada";
    case EISDIR:
      return "o nome é de uma pasta";
    case ENAMETOOLONG:
      return "nome longo demais";
    case EIO:
      return "erro de entrada e saída";
    case ENOTSUP:
      return "não é um arquivo comum";
    default:
      return std::strerror(codigo);
  }
}

std::string DestinoDaGravacao(const std::string& caminho) {
  struct stat st {};
  if (::lstat(caminho.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return caminho;
  char* real = ::realpath(caminho.c_str(), nullptr);
  if (real == nullptr) return caminho;
  std::string destino(real);
  std::free(real);
  return destino;
}

std::string NomeSemPasta(const std::string& caminho) {
  const size_t barra = caminho.find_last_of("/\\");
  return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string DobrarNomeIni(const std::string& nomeUtf8) {
  std::string bytes = Utf8ParaWin1252(Aparar(nomeUtf8));
  for (char& ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 'A' && b <= 'Z')
      ch = static_cast<char>(b + 0x20);
    else if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
      ch = static_cast<char>(b + 0x20);
    else if (b == 0x8A || b == 0x8C || b == 0x8E)
      ch = static_cast<char>(b + 0x10);
    else if (b == 0x9F)
      ch = static_cast<char>(0xFF);
  }
  return bytes;
}

TArquivoIni::TArquivoIni(std::string caminho) : caminho_(std::move(caminho)) {
  std::ifstream entrada(caminho_, std::ios::binary);
  if (!entrada) {
    struct stat st {};
    falhouLeitura_ = ::stat(caminho_.c_str(), &st) == 0;
    return;
  }
  std::ostringstream conteudo;
  conteudo << entrada.rdbuf();
  if (entrada.bad()) {
    falhouLeitura_ = true;
    return;
  }
  const std::string bytes = conteudo.str();
  size_t inicio = 0;
  while (inicio < bytes.size()) {
    size_t fim = bytes.find('\n', inicio);
    const size_t proximo = fim == std::string::npos ? bytes.size() : fim + 1;
    if (fim == std::string::npos) fim = bytes.size();
    if (fim > inicio && bytes[fim - 1] == '\r') --fim;
    Linha linha;
    linha.texto = Win1252ParaUtf8(std::string_view(bytes).substr(inicio, fim - inicio));
    const std::string aparado = Aparar(linha.texto);
    if (aparado.size() >= 2 && aparado.front() == '[') {
      const size_t fecha = aparado.find(']');
      if (fecha != std::string::npos) {
        linha.tipo = 1;
        linha.nome = DobrarNomeIni(aparado.substr(1, fecha - 1));
      }
    } else if (!aparado.empty() && aparado.front() != ';') {
      const size_t igual = aparado.find('=');
      if (igual != std::string::npos) {
        linha.tipo = 2;
        linha.nome = DobrarNomeIni(aparado.substr(0, igual));
      }
    }
    linhas_.push_back(std::move(linha));
    inicio = proximo;
  }
}

int TArquivoIni::AcharSecao(const std::string& dobrada) const {
  for (size_t i = 0; i < linhas_.size(); ++i)
    if (linhas_[i].tipo == 1 && linhas_[i].nome == dobrada) return static_cast<int>(i);
  return -1;
}

int TArquivoIni::FimSecao(int cabecalho) const {
  size_t i = static_cast<size_t>(cabecalho) + 1;
  while (i < linhas_.size() && linhas_[i].tipo != 1) ++i;
  return static_cast<int>(i);
}

int TArquivoIni::AcharChave(int cabecalho, const std::string& chaveDobrada) const {
  const int fim = FimSecao(cabecalho);
  for (int i = cabecalho + 1; i < fim; ++i)
    if (linhas_[i].tipo == 2 && linhas_[i].nome == chaveDobrada) return i;
  return -1;
}

const TArquivoIni::Linha* TArquivoIni::LinhaDaChave(const std::string& secao,
                                                    const std::string& chave) const {
  const int s = AcharSecao(DobrarNomeIni(secao));
  if (s < 0) return nullptr;
  const int k = AcharChave(s, DobrarNomeIni(chave));
  return k < 0 ? nullptr : &linhas_[k];
}

std::string TArquivoIni::LerString(const std::string& secao, const std::string& chave,
                                   const std::string& padrao) const {
  const Linha* linha = LinhaDaChave(secao, chave);
  if (linha == nullptr) return padrao;
  const std::string& t = linha->texto;
  return TirarAspas(Aparar(t.substr(t.find('=') + 1)));
}

int TArquivoIni::LerInteiro(const std::string& secao, const std::string& chave, int padrao) const {
  const Linha* linha = LinhaDaChave(secao, chave);
  if (linha == nullptr) return padrao;
  const std::string texto = LerString(secao, chave, "");
  size_t i = 0;
  bool negativo = false;
  if (i < texto.size() && (texto[i] == '-' || texto[i] == '+')) negativo = texto[i++] == '-';
  if (i >= texto.size() || texto[i] < '0' || texto[i] > '9') return padrao;
  long long valor = 0;
  for (; i < texto.size() && texto[i] >= '0' && texto[i] <= '9'; ++i) {
    valor = valor * 10 + (texto[i] - '0');
    if (valor > static_cast<long long>(INT_MAX) + 1) return padrao;
  }
  // "60.0" or "12abc" is no integer: reading it as 60 or 12 would accept a
  // value the file does not hold.
  if (i != texto.size()) return padrao;
  if (negativo) valor = -valor;
  if (valor > INT_MAX || valor < INT_MIN) return padrao;
  return static_cast<int>(valor);
}

double TArquivoIni::LerReal(const std::string& secao, const std::string& chave, double padrao) const {
  double valor = padrao;
  if (LinhaDaChave(secao, chave) == nullptr) return padrao;
  if (!TextoParaRealDeArquivo(LerString(secao, chave, ""), valor)) return padrao;
  return valor;
}

bool TArquivoIni::LerBooleano(const std::string& secao, const std::string& chave, bool padrao) const {
  // Two distinct sentinels tell "no integer here" apart from a real 0 or 1.
  const int a = LerInteiro(secao, chave, 0), b = LerInteiro(secao, chave, 1);
  if (a != b) return padrao;
  return a != 0;
}

void TArquivoIni::EscreverString(const std::string& secao, const std::string& chave,
                                 const std::string& valor) {
  // A line break inside a value would smuggle new lines into the file.
  std::string valorLimpo = valor;
  for (char& c : valorLimpo)
    if (c == '\r' || c == '\n') c = ' ';
  // Readers trim blanks and one pair of quotes: a value that would lose either
  // (a blank coordinate text "  °  '  \"" for one) is quoted so it reads back as written.
  if (!valorLimpo.empty() &&
      (EhBranco(valorLimpo.front()) || EhBranco(valorLimpo.back()) || TirarAspas(valorLimpo) != valorLimpo))
    valorLimpo = "\"" + valorLimpo + "\"";
  const std::string secaoDobrada = DobrarNomeIni(secao);
  const std::string chaveDobrada = DobrarNomeIni(chave);
  Linha nova;
  nova.tipo = 2;
  nova.nome = chaveDobrada;
  nova.texto = Aparar(chave) + "=" + valorLimpo;
  int s = AcharSecao(secaoDobrada);
  if (s < 0) {
    Linha cabecalho;
    cabecalho.tipo = 1;
    cabecalho.nome = secaoDobrada;
    cabecalho.texto = "[" + Aparar(secao) + "]";
    linhas_.push_back(std::move(cabecalho));
    linhas_.push_back(std::move(nova));
    alterado_ = true;
    return;
  }
  const int k = AcharChave(s, chaveDobrada);
  if (k >= 0) {
    // The key keeps the spelling it already has in the file.
    const std::string& antigo = linhas_[k].texto;
    const std::string novoTexto = Aparar(antigo.substr(0, antigo.find('='))) + "=" + valorLimpo;
    if (novoTexto != antigo) {
      linhas_[k].texto = novoTexto;
      alterado_ = true;
    }
    return;
  }
  int depois = s + 1;
  const int fim = FimSecao(s);
  for (int i = s + 1; i < fim; ++i)
    if (linhas_[i].tipo == 2) depois = i + 1;
  linhas_.insert(linhas_.begin() + depois, std::move(nova));
  alterado_ = true;
}

void TArquivoIni::EscreverInteiro(const std::string& secao, const std::string& chave, long long valor) {
  EscreverString(secao, chave, std::to_string(valor));
}

void TArquivoIni::EscreverReal(const std::string& secao, const std::string& chave, double valor) {
  EscreverString(secao, chave, FormatoGeral(valor));
}

void TArquivoIni::EscreverBooleano(const std::string& secao, const std::string& chave, bool valor) {
  EscreverString(secao, chave, valor ? "1" : "0");
}

bool TArquivoIni::ApagarChave(const std::string& secao, const std::string& chave) {
  const int s = AcharSecao(DobrarNomeIni(secao));
  if (s < 0) return false;
  const int k = AcharChave(s, DobrarNomeIni(chave));
  if (k < 0) return false;
  linhas_.erase(linhas_.begin() + k);
  alterado_ = true;
  return true;
}

bool TArquivoIni::ApagarSecao(const std::string& secao) {
  const int s = AcharSecao(DobrarNomeIni(secao));
  if (s < 0) return false;
  linhas_.erase(linhas_.begin() + s, linhas_.begin() + FimSecao(s));
  alterado_ = true;
  return true;
}

bool TArquivoIni::ExisteSecao(const std::string& secao) const {
  return AcharSecao(DobrarNomeIni(secao)) >= 0;
}

bool TArquivoIni::ExisteChave(const std::string& secao, const std::string& chave) const {
  return LinhaDaChave(secao, chave) != nullptr;
}

std::vector<std::string> TArquivoIni::Secoes() const {
  std::vector<std::string> nomes;
  std::vector<std::string> vistos;
  for (const Linha& l : linhas_) {
    if (l.tipo != 1) continue;
    bool repetido = false;
    for (const std::string& v : vistos) repetido = repetido || v == l.nome;
    if (repetido) continue;
    vistos.push_back(l.nome);
    const std::string aparado = Aparar(l.texto);
    nomes.push_back(Aparar(aparado.substr(1, aparado.find(']') - 1)));
  }
  return nomes;
}

std::vector<std::string> TArquivoIni::Chaves(const std::string& secao) const {
  std::vector<std::string> nomes;
  const int s = AcharSecao(DobrarNomeIni(secao));
  if (s < 0) return nomes;
  const int fim = FimSecao(s);
  for (int i = s + 1; i < fim; ++i)
    if (linhas_[i].tipo == 2) {
      const std::string aparado = Aparar(linhas_[i].texto);
      nomes.push_back(Aparar(aparado.substr(0, aparado.find('='))));
    }
  return nomes;
}

std::string TArquivoIni::Texto() const {
  std::string texto;
  for (const Linha& l : linhas_) {
    texto += l.texto;
    texto += "\r\n";
  }
  return texto;
}

bool TArquivoIni::Salvar() {
  try {
    SalvarOuErro();
    return true;
  } catch (const EArquivoIni&) {
    return false;
  }
}

void TArquivoIni::SalvarOuErro() {
  if (!alterado_) return;
  if (falhouLeitura_)
    throw EArquivoIni("Não foi possível ler o arquivo " + caminho_ +
                      "; ele não foi regravado para não perder o seu conteúdo.");
  const int erro = SubstituirArquivo(caminho_, Utf8ParaWin1252(Texto()));
  if (erro != 0) throw EArquivoIni(ErroDeGravacao(caminho_, erro));
  alterado_ = false;
}

}  // namespace toolkit
