// Rainfall IDF database reader and inverse-fifth-power interpolation.
// Files: one skipped byte, then for each of the 27 states a uint16 LE count
// and that many packed records; short strings are a length byte + capacity
// bytes of Windows-1252. Both files are read whole and parsed from memory.
#include "idf/UnBD.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "toolkit/FormatoNumero.h"
#include "toolkit/PastasDados.h"
#include "toolkit/Win1252.h"

// Index order of the files, the query window's list and projects.
const std::array<const char*, NumeroEstados> NomesEstados = {
    "Acre",
    "Alagoas",
    "Amapá",
    "Amazonas",
    "Bahia",
    "Ceará",
    "Distrito Federal",
    "Espírito Santo",
    "Goiás",
    "Maranhão",
    "Mato Grosso",
    "Mato Grosso do Sul",
    "Minas Gerais",
    "Pará",
    "Paraíba",
    "Paraná",
    "Pernambuco",
    "Piauí",
    "Rio de Janeiro",
    "Rio Grande do Norte",
    "Rio Grande do Sul",
    "Rondônia",
    "Roraima",
    "Santa Catarina",
    "São Paulo",
    "Sergipe",
    "Tocantins",
};

const std::array<const char*, NumeroEstados> SiglasEstados = {
    "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
    "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};

const std::array<int, 8> EstadosInterpolacao = {4, 7, 8, 12, 15, 18, 24, 26};

const char* const ArquivoEstados = "Estados_Nim21.bin";
const char* const ArquivoLocalidades = "Localidades_Nim21.bin";
const char* const FonteInterpolacao = "Interpolação";

namespace {

void VerificarIndiceEstado(long i) {
  if (i < 0 || i >= NumeroEstados)
    throw ENumeroEstado(" Não existe estado com índice igual a " + std::to_string(i));
}

bool Existe(const std::string& caminho, bool pasta) {
  struct stat st {};
  if (stat(caminho.c_str(), &st) != 0) return false;
  return pasta ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
}

// The whole file, or EArquivoNaoExiste with the path as built.
std::vector<unsigned char> LerArquivoInteiro(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  if (!Existe(caminho, false) || !f) throw EArquivoNaoExiste("O arquivo " + caminho + " não existe.");
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), {});
}

// Bounds-checked cursor over a file image; every overrun names the file.
class Leitor {
 public:
  Leitor(const std::vector<unsigned char>& dados, const std::string& caminho)
      : dados_(dados), caminho_(caminho) {}

  void Pular(std::size_t n, const std::string& oque) {
    Exigir(n, oque);
    pos_ += n;
  }

  uint16_t Contagem(int estado) {
    Exigir(2, std::string("a contagem do estado ") + NomesEstados[static_cast<std::size_t>(estado)]);
    const uint16_t n = static_cast<uint16_t>(dados_[pos_] | (dados_[pos_ + 1] << 8));
    pos_ += 2;
    return n;
  }

  // Checks that n records fit before reading any of them, so a count beyond
  // the data is reported once and precisely.
  void ExigirRegistros(std::size_t n, std::size_t tamanho, int estado) {
    if (n * tamanho > dados_.size() - pos_)
      Falhar(std::string("a contagem de ") + std::to_string(n) + " registros do estado " +
             NomesEstados[static_cast<std::size_t>(estado)] + " ultrapassa o fim do arquivo");
  }

  std::string Texto(std::size_t capacidade) {
    Exigir(capacidade + 1, "um texto");
    const std::size_t n = dados_[pos_];
    if (n > capacidade)
      Falhar("um texto de " + std::to_string(n) + " caracteres num campo de " + std::to_string(capacidade) +
             " na posição " + std::to_string(pos_));
    std::string bruto(reinterpret_cast<const char*>(&dados_[pos_ + 1]), n);
    pos_ += capacidade + 1;
    return toolkit::Win1252ParaUtf8(bruto);
  }

  double Real() {
    Exigir(8, "um número");
    // The files are little-endian like every host we build for.
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | dados_[pos_ + static_cast<std::size_t>(i)];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    pos_ += 8;
    return v;
  }

  [[noreturn]] void Falhar(const std::string& detalhe) const {
    throw EArquivoCorrompido("O arquivo " + caminho_ + " está corrompido: " + detalhe + ".");
  }

 private:
  void Exigir(std::size_t n, const std::string& oque) const {
    if (n > dados_.size() - pos_) Falhar(oque + " ultrapassa o fim do arquivo");
  }

  const std::vector<unsigned char>& dados_;
  const std::string& caminho_;
  std::size_t pos_ = 0;
};

// A text as it may appear in a message: valid UTF-8 without control
// characters (a damaged record or a typed argument may hold any byte).
std::string TextoVisivel(const std::string& texto) {
  std::string r;
  for (std::size_t i = 0; i < texto.size();) {
    const auto c = static_cast<unsigned char>(texto[i]);
    std::size_t n = c < 0x80             ? 1
                    : (c & 0xE0) == 0xC0 ? 2
                    : (c & 0xF0) == 0xE0 ? 3
                    : (c & 0xF8) == 0xF0 ? 4
                                         : 0;
    bool valido = n > 0 && i + n <= texto.size() && !(n == 2 && c < 0xC2);
    for (std::size_t k = 1; valido && k < n; ++k)
      valido = (static_cast<unsigned char>(texto[i + k]) & 0xC0) == 0x80;
    // C0 and C1 controls and DEL are replaced as well.
    if (valido && n == 1 && (c < 0x20 || c == 0x7F)) valido = false;
    if (valido && n == 2 && c == 0xC2 && static_cast<unsigned char>(texto[i + 1]) < 0xA0) valido = false;
    if (valido) {
      r.append(texto, i, n);
      i += n;
    } else {
      r += '?';
      ++i;
    }
  }
  return r;
}

bool CoordenadaLegivel(const std::string& texto) {
  if (CoordenadaVazia(texto)) return true;
  try {
    TextoParaGraus(texto);
    return true;
  } catch (const toolkit::EConversaoInvalida&) {
    return false;
  }
}

// What makes a record's coordinates unusable, as the end of the reader's
// message; empty when both can be read.
std::string DefeitoDasCoordenadas(const std::string& latitude, const std::string& longitude) {
  if (!CoordenadaLegivel(latitude)) return "a latitude \"" + TextoVisivel(latitude) + "\" não pode ser lida";
  if (!CoordenadaLegivel(longitude))
    return "a longitude \"" + TextoVisivel(longitude) + "\" não pode ser lida";
  return "";
}

// The same for a station, whose coefficients are checked first.
std::string DefeitoDaEstacao(const TEstacao& e) {
  const std::pair<const char*, double> coeficientes[] = {{"K", e.K}, {"a", e.a}, {"b", e.b}, {"c", e.c}};
  for (const auto& [nome, valor] : coeficientes)
    if (!std::isfinite(valor)) return std::string("o coeficiente ") + nome + " não é um número finito";
  return DefeitoDasCoordenadas(e.Latitude, e.Longitude);
}

// Where a damaged record stands, as the start of the reader's message.
std::string OndeEsta(const char* registro, const std::string& nome, int numero, int estado) {
  return std::string(registro) + " \"" + TextoVisivel(nome) + "\" (número " + std::to_string(numero) +
         " de " + NomesEstados[static_cast<std::size_t>(estado)] + "), ";
}

TEstacao LerEstacao(Leitor& l) {
  TEstacao e;
  e.Nome = l.Texto(CapacidadeNome);
  e.K = l.Real();
  e.a = l.Real();
  e.b = l.Real();
  e.c = l.Real();
  e.Fonte = l.Texto(CapacidadeFonte);
  e.Latitude = l.Texto(CapacidadeCoordenada);
  e.Longitude = l.Texto(CapacidadeCoordenada);
  return e;
}

TLocalidade LerLocalidade(Leitor& l) {
  TLocalidade r;
  r.Nome = l.Texto(CapacidadeNome);
  r.Latitude = l.Texto(CapacidadeCoordenada);
  r.Longitude = l.Texto(CapacidadeCoordenada);
  return r;
}

// One pair of a coordinate text as an integer; leading blanks are allowed,
// as the platform conversion allows them, but at least one digit is needed.
int Par(const std::string& w1252, std::size_t inicio) {
  const std::string par = w1252.size() > inicio ? w1252.substr(inicio, 2) : std::string();
  std::size_t i = 0;
  while (i < par.size() && par[i] == ' ') ++i;
  bool ok = i < par.size();
  int v = 0;
  for (std::size_t j = i; j < par.size() && ok; ++j) {
    if (par[j] < '0' || par[j] > '9')
      ok = false;
    else
      v = v * 10 + (par[j] - '0');
  }
  if (!ok)
    throw toolkit::EConversaoInvalida("'" + toolkit::Win1252ParaUtf8(par) +
                                      "' não é um valor inteiro válido");
  return v;
}

// Cuts a UTF-8 text to n Windows-1252 characters.
std::string Cortar(const std::string& texto, std::size_t n) {
  std::string w = toolkit::Utf8ParaWin1252(texto);
  if (w.size() <= n) return texto;
  w.resize(n);
  return toolkit::Win1252ParaUtf8(w);
}

// A station placed on the map; one without takes no part in the interpolation.
bool TemCoordenadas(const TEstacao& e) {
  return !CoordenadaVazia(e.Latitude) && !CoordenadaVazia(e.Longitude);
}

unsigned char Dobrar(unsigned char ch) {
  // Windows-1252 letters with accents fold to their base letter (rows 0xC0 and
  // 0xE0 share one table); '*' keeps the byte (×, ÷, Þ, ß, þ).
  static const char dobra[] =
      "aaaaaaaceeeeiiii"
      "dnooooo*ouuuuy**";
  if (ch >= 'A' && ch <= 'Z') return static_cast<unsigned char>(ch - 'A' + 'a');
  if (ch == 0xFF) return 'y';
  if (ch >= 0xC0) {
    const char d = dobra[(ch - 0xC0) & 0x1F];
    if (d != '*') return static_cast<unsigned char>(d);
  }
  return ch;
}

}  // namespace

void TEstado::SetIndice(int16_t i) {
  VerificarIndiceEstado(i);
  indice_ = i;
}

std::string PastaDoPrograma() {
  return toolkit::PastaDoPrograma();
}

std::string PastaBancoDados() {
  return toolkit::PastaDeDados("../Arquivos Comuns/", "Arquivos Comuns/", PastaDoPrograma());
}

void LocalizarBancoDados(const std::string& pasta) {
  if (!Existe(pasta, true))
    throw std::runtime_error("Erro. Não foi possível localizar a pasta contendo o banco de dados.");
  if (!Existe(pasta + ArquivoEstados, false))
    throw std::runtime_error("Erro. Não foi possível localizar o banco de dados contendo os estados.");
  if (!Existe(pasta + ArquivoLocalidades, false))
    throw std::runtime_error("Erro. Não foi possível localizar o banco de dados contendo as localidades.");
}

double TextoParaGraus(const std::string& texto) {
  const std::string w = toolkit::Utf8ParaWin1252(texto);
  const int d = Par(w, 0);
  const int m = Par(w, 3);
  const int s = Par(w, 6);
  return d + (m + s / 60.0) / 60.0;
}

bool CoordenadaVazia(const std::string& texto) {
  const std::string w = toolkit::Utf8ParaWin1252(texto);
  if (w.empty()) return true;
  if (w.size() != CapacidadeCoordenada) return false;
  for (const std::size_t i : {0, 1, 3, 4, 6, 7})
    if (w[i] != ' ') return false;
  return true;
}

std::string VerificarCoordenada(const std::string& texto, TEixoCoordenada eixo) {
  const bool latitude = eixo == TEixoCoordenada::Latitude;
  const int maximo = latitude ? 90 : 180;
  const std::string nome =
      std::string(latitude ? "A latitude" : "A longitude") + " \"" + TextoVisivel(texto) + "\"";
  const std::string forma = nome +
                            " não está na forma GG°MM'SS\" (graus, minutos e segundos com dois algarismos"
                            " cada, seguidos de °, ' e \").";
  // Position by position on the UTF-8 text: digits, degree sign (2 bytes),
  // digits, apostrophe, digits, seconds mark.
  std::size_t i = 0;
  int partes[3] = {0, 0, 0};
  auto digitos = [&](int& valor) {
    if (i + 2 > texto.size()) return false;
    for (int k = 0; k < 2; ++k, ++i) {
      if (texto[i] < '0' || texto[i] > '9') return false;
      valor = valor * 10 + (texto[i] - '0');
    }
    return true;
  };
  auto marca = [&](std::initializer_list<const char*> aceitas) {
    for (const char* m : aceitas) {
      const std::size_t n = std::strlen(m);
      if (texto.compare(i, n, m) == 0) {
        i += n;
        return true;
      }
    }
    return false;
  };
  if (!digitos(partes[0]) || !marca({"\xC2\xB0", "\xC2\xBA"}) || !digitos(partes[1]) || !marca({"'"}) ||
      !digitos(partes[2]) || !marca({"\""}))
    return forma;
  if (i != texto.size()) return nome + " tem texto depois do sinal dos segundos (\").";
  if (partes[0] > maximo) return nome + " passa de " + std::to_string(maximo) + " graus.";
  if (partes[1] >= 60)
    return nome + " tem " + std::to_string(partes[1]) + " minutos; os minutos vão de 00 a 59.";
  if (partes[2] >= 60)
    return nome + " tem " + std::to_string(partes[2]) + " segundos; os segundos vão de 00 a 59.";
  if (partes[0] == maximo && (partes[1] > 0 || partes[2] > 0))
    return nome + " passa de " + std::to_string(maximo) + " graus.";
  return "";
}

std::string GrausParaTexto(double valor) {
  auto parte = [](double v) {
    std::string t = std::to_string(static_cast<long long>(v));
    if (t.size() < 2) t.insert(0, 2 - t.size(), '0');
    return t.substr(0, 2);
  };
  // Out-of-range values (map pixels far off the frame) must not overflow the cast.
  if (!std::isfinite(valor) || std::fabs(valor) >= 1e15) valor = 0.0;
  const double d = std::trunc(valor);
  const double fm = (valor - d) * 60.0;
  const double m = std::trunc(fm);
  const double s = std::trunc((fm - m) * 60.0);
  return parte(d) + "°" + parte(m) + "'" + parte(s) + "\"";
}

bool NomeAntes(const std::string& a, const std::string& b) {
  const std::string wa = toolkit::Utf8ParaWin1252(a);
  const std::string wb = toolkit::Utf8ParaWin1252(b);
  const std::size_t n = std::min(wa.size(), wb.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = Dobrar(static_cast<unsigned char>(wa[i]));
    const unsigned char cb = Dobrar(static_cast<unsigned char>(wb[i]));
    if (ca != cb) return ca < cb;
  }
  if (wa.size() != wb.size()) return wa.size() < wb.size();
  return wa < wb;
}

TBDPrecipitacao::TBDPrecipitacao(std::string pasta) : pasta_(std::move(pasta)) {}

void TBDPrecipitacao::LerEstados() {
  for (auto& lista : estacoes_) lista.clear();
  const std::string caminho = pasta_ + ArquivoEstados;
  const std::vector<unsigned char> dados = LerArquivoInteiro(caminho);
  std::array<std::vector<TEstacao>, NumeroEstados> lidas;
  Leitor l(dados, caminho);
  l.Pular(1, "o primeiro byte");
  for (int estado = 0; estado < NumeroEstados; ++estado) {
    const uint16_t n = l.Contagem(estado);
    l.ExigirRegistros(n, TamanhoEstacao, estado);
    auto& lista = lidas[static_cast<std::size_t>(estado)];
    lista.reserve(n);
    for (uint16_t i = 0; i < n; ++i) {
      lista.push_back(LerEstacao(l));
      const std::string defeito = DefeitoDaEstacao(lista.back());
      if (!defeito.empty()) l.Falhar(OndeEsta("na estação", lista.back().Nome, i + 1, estado) + defeito);
    }
  }
  estacoes_ = std::move(lidas);
}

void TBDPrecipitacao::LerLocalidades(int estado) {
  localidades_.clear();
  VerificarIndiceEstado(estado);
  const std::string caminho = pasta_ + ArquivoLocalidades;
  const std::vector<unsigned char> dados = LerArquivoInteiro(caminho);
  Leitor l(dados, caminho);
  l.Pular(1, "o primeiro byte");
  for (int anterior = 0; anterior < estado; ++anterior) {
    const uint16_t n = l.Contagem(anterior);
    l.ExigirRegistros(n, TamanhoLocalidade, anterior);
    l.Pular(n * TamanhoLocalidade, "uma lista de localidades");
  }
  const uint16_t n = l.Contagem(estado);
  l.ExigirRegistros(n, TamanhoLocalidade, estado);
  std::vector<TLocalidade> lidas;
  lidas.reserve(n);
  for (uint16_t i = 0; i < n; ++i) {
    lidas.push_back(LerLocalidade(l));
    const TLocalidade& r = lidas.back();
    const std::string defeito = DefeitoDasCoordenadas(r.Latitude, r.Longitude);
    if (!defeito.empty()) l.Falhar(OndeEsta("na localidade", r.Nome, i + 1, estado) + defeito);
  }
  localidades_ = std::move(lidas);
}

const std::vector<TEstacao>& TBDPrecipitacao::Estacoes(int estado) const {
  VerificarIndiceEstado(estado);
  return estacoes_[static_cast<std::size_t>(estado)];
}

TEstacao TBDPrecipitacao::Interpolar(const std::string& latitude, const std::string& longitude) const {
  const double phi0 = TextoParaGraus(latitude);
  const double lambda0 = TextoParaGraus(longitude);

  // First pass: exact match or weights. A station at distance zero whose texts
  // differ only in form (" 5" and "05") is that place too: no infinite weight.
  // A station with the very texts still wins, wherever it comes in the order.
  std::vector<long double> pesos;
  long double total = 0.0L;
  const TEstacao* mesmoLugar = nullptr;
  for (int estado : EstadosInterpolacao) {
    for (const TEstacao& e : estacoes_[static_cast<std::size_t>(estado)]) {
      if (!TemCoordenadas(e)) continue;
      if (e.Latitude == latitude && e.Longitude == longitude) return e;
      const long double dLon = TextoParaGraus(e.Longitude) - static_cast<long double>(lambda0);
      const long double dLat = TextoParaGraus(e.Latitude) - static_cast<long double>(phi0);
      const long double d = std::sqrt(dLon * dLon + dLat * dLat);
      if (d == 0.0L) {
        if (!mesmoLugar) mesmoLugar = &e;
        continue;
      }
      const long double w = 1.0L / (d * d * d * d * d);
      pesos.push_back(w);
      total += w;
    }
  }
  if (mesmoLugar) return *mesmoLugar;
  if (pesos.empty() || !(total > 0.0L))
    throw EInterpolacao(
        "Não há estações com coordenadas nos estados usados na interpolação; "
        "não é possível interpolar.");

  TEstacao r;
  r.Fonte = FonteInterpolacao;
  r.Latitude = Cortar(latitude, CapacidadeCoordenada);
  r.Longitude = Cortar(longitude, CapacidadeCoordenada);
  std::size_t i = 0;
  for (int estado : EstadosInterpolacao) {
    for (const TEstacao& e : estacoes_[static_cast<std::size_t>(estado)]) {
      if (!TemCoordenadas(e)) continue;
      // Each term is added in extended precision and the sum kept as a double.
      const long double fracao = pesos[i++] / total;
      r.K = static_cast<double>(r.K + fracao * e.K);
      r.a = static_cast<double>(r.a + fracao * e.a);
      r.b = static_cast<double>(r.b + fracao * e.b);
      r.c = static_cast<double>(r.c + fracao * e.c);
    }
  }
  // Finite coefficients of absurd size could still add up beyond a double.
  if (!std::isfinite(r.K) || !std::isfinite(r.a) || !std::isfinite(r.b) || !std::isfinite(r.c))
    throw EInterpolacao("Os coeficientes das estações do arquivo " + pasta_ + ArquivoEstados +
                        " são grandes demais para a interpolação; o arquivo pode estar corrompido.");
  return r;
}

std::vector<std::pair<const TEstacao*, double>> TBDPrecipitacao::PesosInterpolacao(
    const std::string& latitude, const std::string& longitude, const TEstacao* excluida) const {
  const double phi0 = TextoParaGraus(latitude);
  const double lambda0 = TextoParaGraus(longitude);
  std::vector<std::pair<const TEstacao*, double>> pesos;
  const TEstacao* mesmoLugar = nullptr;
  for (int estado : EstadosInterpolacao) {
    for (const TEstacao& e : estacoes_[static_cast<std::size_t>(estado)]) {
      if (&e == excluida || !TemCoordenadas(e)) continue;
      if (e.Latitude == latitude && e.Longitude == longitude) return {{&e, 1.0}};
      const double dLon = TextoParaGraus(e.Longitude) - lambda0;
      const double dLat = TextoParaGraus(e.Latitude) - phi0;
      const double d = std::sqrt(dLon * dLon + dLat * dLat);
      if (d == 0.0) {
        if (!mesmoLugar) mesmoLugar = &e;
        continue;
      }
      pesos.emplace_back(&e, 1.0 / (d * d * d * d * d));
    }
  }
  if (mesmoLugar) return {{mesmoLugar, 1.0}};
  if (pesos.empty())
    throw EInterpolacao(
        "Não há estações com coordenadas nos estados usados na interpolação; "
        "não é possível interpolar.");
  return pesos;
}

TAjusteIdf TBDPrecipitacao::InterpolarIntensidades(const std::string& latitude, const std::string& longitude,
                                                   const TEstacao* excluida) const {
  std::vector<std::pair<TEquacaoIdf, double>> equacoes;
  for (const auto& [e, w] : PesosInterpolacao(latitude, longitude, excluida))
    equacoes.emplace_back(TEquacaoIdf{e->K, e->a, e->b, e->c}, w);
  return AjustarMediaDeIntensidades(equacoes);
}
