#include "tools/calc/Calculadora.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "idf/ConsultaLinhaComando.h"
#include "model/channel/uTracado.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "project/ArquivoProjeto.h"
#include "project/VerificarDados.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Gravacao.h"
#include "toolkit/Regional.h"
#include "toolkit/TextoJson.h"

namespace {

struct TOpcoes {
  std::vector<std::string> Projetos;
  long Linha = 0;   // 0: the foot of the hillslope
  long Coluna = 0;  // 0: the hillslope itself
  std::string Formato = "json";
  std::string Saida;
  std::string Metodo = "original";  // or "convergido"
  std::string Relatorio;            // HTML report file
  std::string Pdf;                  // PDF report file
  // --variar SECAO.CHAVE=v1,v2,...: the project read once per value.
  std::string SecaoVariada, ChaveVariada;
  std::vector<std::string> Valores;

  // Several projects or a sweep: one row per run.
  bool VariasRodadas() const { return Projetos.size() > 1 || !Valores.empty(); }
};

class TMensagensNoErro : public IMensagens {
 public:
  explicit TMensagensNoErro(std::ostream& err) : err_(err) {}
  void Informar(const std::string& texto) override { err_ << texto << '\n'; }

 private:
  std::ostream& err_;
};

// Puts the model's message receiver back whatever way the run ends.
class TReceptorTemporario {
 public:
  explicit TReceptorTemporario(IMensagens* r) { DefinirMensagensDoModelo(r); }
  ~TReceptorTemporario() { DefinirMensagensDoModelo(nullptr); }
};

class TProgressoMudo : public IProgresso {
 public:
  void Mostrar(const std::string&) override {}
  void ProcessarMensagens() override {}
};

bool LerInteiroPositivo(const std::string& texto, long& valor) {
  if (texto.empty()) return false;
  const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
  return r.ec == std::errc() && r.ptr == texto.data() + texto.size() && valor >= 1;
}

// "SECAO.CHAVE=v1,v2,...": the section may hold dots ("Terreno: Trecho 1"),
// the key does not. Values written with a decimal comma are separated by ";".
bool LerVariacao(const std::string& texto, TOpcoes& o, std::ostream& err) {
  const size_t igual = texto.find('=');
  const size_t ponto = igual == std::string::npos ? std::string::npos : texto.rfind('.', igual);
  if (ponto == std::string::npos || ponto == 0 || ponto + 1 == igual) {
    err << "Valor inválido para --variar: \"" << texto << "\" (SECAO.CHAVE=v1,v2,...).\n";
    return false;
  }
  o.SecaoVariada = texto.substr(0, ponto);
  o.ChaveVariada = texto.substr(ponto + 1, igual - ponto - 1);
  const std::string lista = texto.substr(igual + 1);
  const char separador = lista.find(';') != std::string::npos ? ';' : ',';
  for (size_t inicio = 0;;) {
    const size_t fim = lista.find(separador, inicio);
    std::string valor = lista.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio);
    const size_t a = valor.find_first_not_of(' '), b = valor.find_last_not_of(' ');
    valor = a == std::string::npos ? std::string() : valor.substr(a, b - a + 1);
    if (valor.empty()) {
      err << "Valor vazio em --variar: \"" << texto << "\".\n";
      return false;
    }
    o.Valores.push_back(valor);
    if (fim == std::string::npos) break;
    inicio = fim + 1;
  }
  return true;
}

// Fills o; on bad usage writes the reason to err and returns false.
bool LerOpcoes(const std::vector<std::string>& args, TOpcoes& o, std::ostream& err) {
  std::set<std::string> dadas;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string nome = args[i], valor;
    bool temValor = false;
    if (nome.rfind("--", 0) == 0) {
      const size_t igual = nome.find('=');
      if (igual != std::string::npos) {
        valor = nome.substr(igual + 1);
        nome = nome.substr(0, igual);
        temValor = true;
      }
      if (nome != "--linha" && nome != "--coluna" && nome != "--formato" && nome != "--saida" &&
          nome != "--metodo" && nome != "--relatorio" && nome != "--pdf" && nome != "--variar") {
        err << "Opção desconhecida: " << args[i] << '\n';
        return false;
      }
      if (!temValor) {
        if (i + 1 >= args.size()) {
          err << "Falta o valor da opção " << nome << ".\n";
          return false;
        }
        valor = args[++i];
      }
      // A second value would silently win over the first.
      if (!dadas.insert(nome).second) {
        err << "A opção " << nome << " foi informada mais de uma vez.\n";
        return false;
      }
      if (nome == "--linha" || nome == "--coluna") {
        long n = 0;
        if (!LerInteiroPositivo(valor, n)) {
          err << "Valor inválido para " << nome << ": \"" << valor
              << "\" (um número inteiro a partir de 1).\n";
          return false;
        }
        (nome == "--linha" ? o.Linha : o.Coluna) = n;
      } else if (nome == "--formato") {
        if (valor != "json" && valor != "texto" && valor != "binario" && valor != "resumo" &&
            valor != "csv") {
          err << "Formato desconhecido: \"" << valor << "\" (json, texto, binario, resumo ou csv).\n";
          return false;
        }
        o.Formato = valor;
      } else if (nome == "--metodo") {
        if (valor != "original" && valor != "convergido") {
          err << "Método desconhecido: \"" << valor << "\" (original ou convergido).\n";
          return false;
        }
        o.Metodo = valor;
      } else if (nome == "--relatorio" || nome == "--pdf") {
        if (valor.empty()) {
          err << "Falta o nome do arquivo de " << nome << ".\n";
          return false;
        }
        (nome == "--relatorio" ? o.Relatorio : o.Pdf) = valor;
      } else if (nome == "--variar") {
        if (!LerVariacao(valor, o, err)) return false;
      } else {
        if (valor.empty()) {
          err << "Falta o nome do arquivo de --saida.\n";
          return false;
        }
        o.Saida = valor;
      }
    } else {
      o.Projetos.push_back(nome);
    }
  }
  if (o.Projetos.empty()) {
    err << "Falta o arquivo do projeto.\n";
    return false;
  }
  // A script that expects one object must never get a list: rows are asked for by name.
  if (o.VariasRodadas()) {
    const bool porLinha = o.Formato == "resumo" || o.Formato == "csv" || o.Formato == "json";
    if (dadas.count("--formato") == 0 || !porLinha) {
      err << (o.Projetos.size() > 1 ? "Mais de um projeto informado" : "A opção --variar")
          << ": escolha --formato resumo, csv ou json (uma linha por cálculo).\n";
      return false;
    }
    for (const char* opcao : {"--relatorio", "--pdf"})
      if (dadas.count(opcao) != 0) {
        err << "A opção " << opcao << " grava o relatório de um só cálculo.\n";
        return false;
      }
  }
  // The report is written to the files of its own options, in its own format.
  const bool relatorio = !o.Relatorio.empty() || !o.Pdf.empty();
  for (const char* opcao : {"--formato", "--saida"})
    if (relatorio && dadas.count(opcao) != 0) {
      err << "A opção " << opcao << " não combina com " << (o.Relatorio.empty() ? "--pdf" : "--relatorio")
          << ": o relatório é gravado nos arquivos de --relatorio e --pdf.\n";
      return false;
    }
  if (o.Formato == "binario" && o.Saida.empty()) {
    err << "O formato binario precisa de --saida ARQUIVO.\n";
    return false;
  }
  return true;
}

// 17 significant digits (trailing zeros dropped, as printf's %.17g), always
// with a full stop whatever the locale; JSON has no NaN or infinity.
std::string NumeroJson(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  return std::string(buf, r.ptr);
}

// "ErroEstimado" and "Convergiu" only with the converged method, so the
// original's output stays as it always was.
// cabeca: fields put before the others (in a list of runs); the last newline
// only outside a list.
void EscreverJson(std::ostream& out, const TCaudalente& c, bool comPontos, const std::string& metodo,
                  bool convergiu, const TErroEstimado& erro, const std::string& cabeca = {}) {
  out << '{';
  if (!cabeca.empty()) out << cabeca << ',';
  out << "\"pontos\":[";
  if (comPontos) {
    for (size_t i = 0; i < c.Pontos().size(); ++i) {
      if (i > 0) out << ',';
      out << '[' << NumeroJson(c.Pontos()[i].Tempo) << ',' << NumeroJson(c.Pontos()[i].Vazao) << ']';
    }
  }
  out << "],\"VazaoMaxima\":" << NumeroJson(c.VazaoMaxima) << ",\"TempoPico\":" << NumeroJson(c.TempoPico)
      << ",\"Volume\":" << NumeroJson(c.Volume) << ",\"Lamina\":" << NumeroJson(c.Lamina)
      << ",\"Profundidade\":" << NumeroJson(c.Profundidade) << ",\"Velocidade\":" << NumeroJson(c.Velocidade)
      << ",\"Alfa\":" << NumeroJson(c.Alfa) << ",\"Expoente\":" << NumeroJson(c.Expoente)
      << ",\"Local\":" << static_cast<int>(c.Local);
  if (metodo == "convergido") {
    out << ",\"ErroEstimado\":{\"VazaoMaxima\":" << NumeroJson(erro.Pico)
        << ",\"TempoPico\":" << NumeroJson(erro.TempoPico) << ",\"Volume\":" << NumeroJson(erro.Volume)
        << '}';
    out << ",\"Convergiu\":" << (convergiu ? "true" : "false");
  }
  out << ",\"Metodo\":\"" << metodo << "\"}";
  if (cabeca.empty()) out << '\n';
}

// An error as the program's error box shows it: a full stop is added when the
// last character sorts after one, so texts ending in a blank or a full stop
// stay as they are.
std::string MensagemDeErro(std::string texto) {
  if (!texto.empty() && static_cast<unsigned char>(texto.back()) > '.') texto += '.';
  return texto;
}

// What makes the project unreadable before it is opened, or an empty text.
std::string DefeitoDoProjeto(const std::string& caminho) {
  struct stat st {};
  if (::stat(caminho.c_str(), &st) != 0) return "O arquivo " + caminho + " não existe.";
  if (S_ISDIR(st.st_mode)) return caminho + " é uma pasta, não um arquivo de projeto.";
  if (!S_ISREG(st.st_mode))
    return caminho + " não é um arquivo de projeto: é um dispositivo, uma fila ou um soquete.";
  return {};
}

// Where a path leads: the file itself when it exists (links followed, hard
// links alike), else its folder's real path and its name.
struct TDestino {
  bool Existe = false;
  dev_t Dispositivo = 0;
  ino_t No = 0;
  mode_t Modo = 0;
  std::string Caminho;

  bool operator==(const TDestino& d) const {
    return Existe == d.Existe && (Existe ? Dispositivo == d.Dispositivo && No == d.No : Caminho == d.Caminho);
  }
};

TDestino DestinoDe(const std::string& caminho) {
  TDestino d;
  struct stat st {};
  if (::stat(caminho.c_str(), &st) == 0) {
    d.Existe = true;
    d.Dispositivo = st.st_dev;
    d.No = st.st_ino;
    d.Modo = st.st_mode;
    return d;
  }
  const size_t barra = caminho.find_last_of('/');
  const std::string pasta = barra == std::string::npos ? "." : barra == 0 ? "/" : caminho.substr(0, barra);
  char* real = ::realpath(pasta.c_str(), nullptr);
  d.Caminho = (real != nullptr ? std::string(real) : pasta) + '/' +
              (barra == std::string::npos ? caminho : caminho.substr(barra + 1));
  std::free(real);
  return d;
}

struct TSaida {
  std::string Caminho;
  const char* Nome;  // the option, as the messages name it
};

// The files a run writes, in the order it writes them.
std::vector<TSaida> SaidasDaRodada(const TOpcoes& o) {
  std::vector<TSaida> saidas;
  if (!o.Relatorio.empty() || !o.Pdf.empty()) {
    if (!o.Relatorio.empty()) {
      saidas.push_back({FiguraDoRelatorio(o.Relatorio), "figura do relatório"});
      saidas.push_back({o.Relatorio, "--relatorio"});
    }
    if (!o.Pdf.empty()) saidas.push_back({o.Pdf, "--pdf"});
  } else if (!o.Saida.empty()) {
    saidas.push_back({o.Saida, "--saida"});
  }
  return saidas;
}

// No output may take the place of the project or of another output, and
// none may be a folder or a file no data can go into (a disk device, a
// socket). Returns the exit code of the refusal, or kCalcOk.
int VerificarSaidas(const TOpcoes& o, std::ostream& err) {
  const std::vector<TSaida> saidas = SaidasDaRodada(o);
  std::vector<TDestino> projetos;
  for (const std::string& projeto : o.Projetos) projetos.push_back(DestinoDe(projeto));
  std::vector<TDestino> destinos;
  for (const TSaida& s : saidas) {
    const TDestino d = DestinoDe(s.Caminho);
    for (const TDestino& projeto : projetos)
      if (d == projeto) {
        err << "O arquivo " << s.Caminho << " (" << s.Nome << ") é o próprio projeto; escolha outro nome.\n";
        return kCalcUso;
      }
    for (size_t i = 0; i < destinos.size(); ++i)
      if (d == destinos[i]) {
        err << "O arquivo " << s.Caminho << " recebe duas saídas (" << saidas[i].Nome << " e " << s.Nome
            << "); escolha nomes diferentes.\n";
        return kCalcUso;
      }
    destinos.push_back(d);
  }
  for (size_t i = 0; i < saidas.size(); ++i) {
    const mode_t m = destinos[i].Modo;
    if (destinos[i].Existe && !S_ISREG(m) && !S_ISCHR(m) && !S_ISFIFO(m)) {
      err << toolkit::ErroDeGravacao(saidas[i].Caminho, S_ISDIR(m) ? EISDIR : ENOTSUP) << '\n';
      return kCalcDadosIncorretos;
    }
  }
  return kCalcOk;
}

// The chart window's caption: the distance down the hillslope to the foot of
// the line, or along the channel to the column, as the hydrograph page shows it.
// The distance down the hillslope to the foot of a line.
double DistanciaDaLinha(const TProjeto& p, long linha) {
  long acumuladas = 0;
  double acima = 0;
  int i = 0;
  for (; i < p.Encosta.Count() - 1; ++i) {
    const TEncostaCinematica& t = p.Encosta.Trechos(i);
    if (linha <= acumuladas + t.NumeroLinhas()) break;
    acumuladas += static_cast<long>(t.NumeroLinhas());
    acima += t.Comprimento();
  }
  return acima + (linha - acumuladas) * p.Encosta.Trechos(i).DeltaX();
}

std::string TituloDoGrafico(const TProjeto& p, long linha, long coluna) {
  if (coluna > 0)
    return "Caudalente no canal para um comprimento de " + toolkit::FormatoGeral(coluna * p.Canal.DeltaX) +
           " m";
  return "Caudalente na encosta para um comprimento de " + toolkit::FormatoGeral(DistanciaDaLinha(p, linha)) +
         " m";
}

// Checks a project read into p as Avançar does and finds its line (0: the
// foot). Returns kCalcOk or the exit code, with the message on err; a failed
// check gives codigoVerificacao.
int VerificarProjeto(TProjeto& p, const TOpcoes& o, long& linha, int codigoVerificacao, std::ostream& err) {
  // The window opens a project of several segments on its irregular tab.
  const bool irregular = p.Encosta.Count() != 1;
  p.Encosta.Regular = !irregular;
  const TVerificacao v = VerificarDados(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), irregular);
  if (!v.Aprovado) {
    err << v.Mensagem << '\n';
    return codigoVerificacao;
  }
  // As Avançar does: the length through the setter that fixes the 1-m node spacing.
  p.Canal.SetComprimento(p.Canal.Comprimento());

  // Counted in 64 bits, so no length wraps the count; names the segment.
  try {
    p.Encosta.VerificarLinhas();
  } catch (const EEncostaCinematica& e) {
    err << MensagemDeErro(e.what()) << '\n';
    return codigoVerificacao;
  }
  const long linhas = static_cast<long>(p.Encosta.SomaLinhas());
  linha = o.Linha == 0 ? linhas : o.Linha;
  if (linha > linhas) {
    err << "A linha " << linha << " está fora da encosta, que tem " << linhas << " linhas.\n";
    return kCalcUso;
  }
  const long colunas = p.Canal.DeltaX > 0
                           ? static_cast<long>(std::nearbyint(p.Canal.Comprimento() / p.Canal.DeltaX + 0.4))
                           : 0;
  if (o.Coluna > colunas) {
    err << "A coluna " << o.Coluna << " está fora do canal, que tem " << colunas << " colunas.\n";
    return kCalcUso;
  }
  return kCalcOk;
}

// One computed trace and what the outputs say about it.
struct TRodada {
  std::string Projeto;
  std::string Valor;  // of the swept key; empty without --variar
  long Linha = 0;
  double Distancia = 0;  // m from the top of the hillslope, or along the channel
  std::unique_ptr<TCaudalente> Resultado;
  bool Convergiu = true;
  TErroEstimado Erro;
  bool SemEscoamento = false;
};

void Tracar(TProjeto& p, const TOpcoes& o, TRodada& r) {
  double comprimentoTotal = 0;
  for (int i = 0; i < p.Encosta.Count(); ++i) comprimentoTotal += p.Encosta.Trechos(i).Comprimento();
  r.Distancia = o.Coluna > 0 ? o.Coluna * p.Canal.DeltaX : DistanciaDaLinha(p, r.Linha);
  TPrecipitacaoExponencialNegativa& chuva = p.Nimbora.Precipitacao();
  TProgressoMudo tempo, trecho;
  const TMetodoNumerico metodo =
      o.Metodo == "convergido" ? TMetodoNumerico::Convergido : TMetodoNumerico::Original;
  r.Resultado = TracarCaudalente(
      p.Encosta, p.Canal, chuva, static_cast<uint16_t>(r.Linha), static_cast<int>(o.Coluna), comprimentoTotal,
      TProgressoTracado{&tempo, &trecho, &tempo}, false, metodo, &r.Convergiu, &r.Erro);
  r.SemEscoamento = r.Resultado->Count() < 3;
}

// The summary's numbers read as the chart window and the report show them.
std::string Valor(const char* padrao, double v) {
  return toolkit::FormatarComVirgula(padrao, v);
}

std::string UnidadeVazao(const TOpcoes& o) {
  return o.Coluna > 0 ? "L/s" : "L/s.m";
}

std::string UnidadeVolume(const TOpcoes& o) {
  return o.Coluna > 0 ? "L" : "L/m";
}

std::string NomeDoMetodo(const TOpcoes& o, const TRodada& r) {
  if (o.Metodo != "convergido") return o.Metodo;
  return r.Convergiu ? "convergido (convergiu)" : "convergido (não convergiu)";
}

std::string LugarDaRodada(const TOpcoes& o, const TRodada& r) {
  if (o.Coluna > 0)
    return "canal, coluna " + std::to_string(o.Coluna) + ", a " + toolkit::FormatoGeral(r.Distancia, ',') +
           " m do início (encosta na linha " + std::to_string(r.Linha) + ")";
  return "encosta, linha " + std::to_string(r.Linha) + ", a " + toolkit::FormatoGeral(r.Distancia, ',') +
         " m do topo";
}

void EscreverResumo(std::ostream& out, const TOpcoes& o, const TRodada& r) {
  const TCaudalente& c = *r.Resultado;
  out << "Projeto: " << r.Projeto << '\n' << "Local: " << LugarDaRodada(o, r) << '\n';
  if (r.SemEscoamento) {
    out << "Não houve escoamento superficial neste local.\n";
  } else {
    out << "Vazão máxima: " << Valor("0.0##", c.VazaoMaxima) << ' ' << UnidadeVazao(o) << ", aos "
        << Valor("0.0#", c.TempoPico) << " min\n"
        << "Volume escoado: " << Valor("0.0#", c.Volume) << ' ' << UnidadeVolume(o) << '\n'
        << "Lâmina escoada: " << Valor("0.0#", c.Lamina * 1000) << " mm\n";
  }
  out << "Método: " << NomeDoMetodo(o, r) << '\n';
}

// Reals in CSV: every digit needed to read the value back, with the
// locale's decimal separator.
std::string NumeroCsv(double v, char separadorDecimal) {
  std::string t = NumeroJson(v);
  if (t == "null") return {};
  for (char& ch : t)
    if (ch == '.') ch = separadorDecimal;
  return t;
}

std::string CampoCsv(const std::string& texto, char separador) {
  if (texto.find_first_of(std::string(1, separador) + "\"\r\n") == std::string::npos) return texto;
  std::string r = "\"";
  for (char ch : texto) r += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return r + '"';
}

// Under pt_BR the decimal comma takes the comma's place as separator.
char SeparadorCsv() {
  return toolkit::Regional().SeparadorDecimal == ',' ? ';' : ',';
}

void EscreverSerieCsv(std::ostream& out, const TOpcoes& o, const TCaudalente& c) {
  const char s = SeparadorCsv(), d = toolkit::Regional().SeparadorDecimal;
  out << "Tempo (min)" << s << "Vazão (" << UnidadeVazao(o) << ")\n";
  for (const TPonto& ponto : c.Pontos())
    out << NumeroCsv(ponto.Tempo, d) << s << NumeroCsv(ponto.Vazao, d) << '\n';
}

std::string ChaveVariada(const TOpcoes& o) {
  return o.SecaoVariada + '.' + o.ChaveVariada;
}

// One row per run: an aligned table (resumo), CSV, or a JSON array of the
// single run's objects with the project, the place and the swept value.
void EscreverLinhas(std::ostream& out, const TOpcoes& o, const std::vector<TRodada>& rodadas) {
  const bool variando = !o.Valores.empty();
  if (o.Formato == "json") {
    out << '[';
    for (size_t i = 0; i < rodadas.size(); ++i) {
      const TRodada& r = rodadas[i];
      std::string cabeca = "\"Projeto\":" + toolkit::TextoJson(r.Projeto) +
                           ",\"Linha\":" + std::to_string(r.Linha) +
                           ",\"Coluna\":" + (o.Coluna > 0 ? std::to_string(o.Coluna) : std::string("null"));
      if (variando)
        cabeca +=
            ",\"Chave\":" + toolkit::TextoJson(ChaveVariada(o)) + ",\"Valor\":" + toolkit::TextoJson(r.Valor);
      if (i > 0) out << ',';
      EscreverJson(out, *r.Resultado, !r.SemEscoamento, o.Metodo, r.Convergiu, r.Erro, cabeca);
    }
    out << "]\n";
    return;
  }
  std::vector<std::vector<std::string>> tabela;
  std::vector<std::string> cabecalho = {"Projeto"};
  if (variando) cabecalho.push_back(o.Formato == "csv" ? ChaveVariada(o) : o.ChaveVariada);
  if (o.Formato == "csv") {
    const std::string vazao = "Vazão máxima (" + UnidadeVazao(o) + ")";
    const std::string volume = "Volume (" + UnidadeVolume(o) + ")";
    for (const char* nome : {"Linha", "Coluna", "Distância (m)", vazao.c_str(), "Tempo de pico (min)",
                             volume.c_str(), "Lâmina (mm)", "Método", "Convergiu"})
      cabecalho.push_back(nome);
    const char s = SeparadorCsv(), d = toolkit::Regional().SeparadorDecimal;
    for (size_t i = 0; i < cabecalho.size(); ++i)
      out << (i > 0 ? std::string(1, s) : "") << CampoCsv(cabecalho[i], s);
    out << '\n';
    for (const TRodada& r : rodadas) {
      const TCaudalente& c = *r.Resultado;
      std::vector<std::string> linha = {r.Projeto};
      if (variando) linha.push_back(r.Valor);
      const auto numero = [&](double v) { return r.SemEscoamento ? std::string() : NumeroCsv(v, d); };
      linha.insert(linha.end(), {std::to_string(r.Linha), o.Coluna > 0 ? std::to_string(o.Coluna) : "",
                                 NumeroCsv(r.Distancia, d), numero(c.VazaoMaxima), numero(c.TempoPico),
                                 numero(c.Volume), numero(c.Lamina * 1000), o.Metodo,
                                 o.Metodo == "convergido" ? (r.Convergiu ? "sim" : "não") : ""});
      for (size_t i = 0; i < linha.size(); ++i)
        out << (i > 0 ? std::string(1, s) : "") << CampoCsv(linha[i], s);
      out << '\n';
    }
    return;
  }
  for (const char* nome : {"Local", "Qmax", "Tempo de pico", "Volume", "Lâmina", "Método"})
    cabecalho.push_back(nome);
  tabela.push_back(cabecalho);
  for (const TRodada& r : rodadas) {
    const TCaudalente& c = *r.Resultado;
    std::vector<std::string> linha = {r.Projeto};
    if (variando) linha.push_back(r.Valor);
    linha.push_back(
        o.Coluna > 0
            ? "coluna " + std::to_string(o.Coluna) + ", " + toolkit::FormatoGeral(r.Distancia, ',') + " m"
            : "linha " + std::to_string(r.Linha) + ", " + toolkit::FormatoGeral(r.Distancia, ',') + " m");
    if (r.SemEscoamento) {
      linha.insert(linha.end(), {"sem escoamento", "", "", ""});
    } else {
      linha.insert(
          linha.end(),
          {Valor("0.0##", c.VazaoMaxima) + ' ' + UnidadeVazao(o), Valor("0.0#", c.TempoPico) + " min",
           Valor("0.0#", c.Volume) + ' ' + UnidadeVolume(o), Valor("0.0#", c.Lamina * 1000) + " mm"});
    }
    linha.push_back(NomeDoMetodo(o, r));
    tabela.push_back(linha);
  }
  // Widths in characters, not bytes: the texts are UTF-8.
  const auto largura = [](const std::string& t) {
    size_t n = 0;
    for (char ch : t) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
  };
  std::vector<size_t> larguras(cabecalho.size(), 0);
  for (const auto& linha : tabela)
    for (size_t i = 0; i < linha.size(); ++i) larguras[i] = std::max(larguras[i], largura(linha[i]));
  for (const auto& linha : tabela) {
    std::string texto;
    for (size_t i = 0; i < linha.size(); ++i) {
      texto += linha[i];
      if (i + 1 < linha.size()) texto += std::string(larguras[i] - largura(linha[i]) + 2, ' ');
    }
    while (!texto.empty() && texto.back() == ' ') texto.pop_back();
    out << texto << '\n';
  }
}

// Whether two texts of a key hold the same value: as text, or as reals
// within what the file's 15 digits keep.
bool MesmoValor(const std::string& a, const std::string& b) {
  if (a == b) return true;
  double x = 0, y = 0;
  if (!toolkit::TextoParaRealDeArquivo(a, x) || !toolkit::TextoParaRealDeArquivo(b, y)) return false;
  return std::fabs(x - y) <= 1e-14 * std::max(std::fabs(x), std::fabs(y));
}

// Reads the project of file ini with the swept key set to valor, in memory.
// A value the program does not take as written (a text for a number, a
// fraction for a whole number) or that fails the checks is refused, exit 2.
int LerComValor(const toolkit::TArquivoIni& base, const TOpcoes& o, const std::string& valor, TProjeto& p,
                long& linha, std::ostream& err) {
  toolkit::TArquivoIni ini = base;
  ini.EscreverString(o.SecaoVariada, o.ChaveVariada, valor);
  const std::string recusa = "Valor inválido para " + ChaveVariada(o) + " em --variar: \"" + valor + "\"";
  p.Limpar();
  bool lido = false;
  try {
    lido = LerProjeto(ini, p);
  } catch (const std::runtime_error& e) {
    err << recusa << ": " << MensagemDeErro(e.what()) << '\n';
    return kCalcUso;
  }
  if (!lido) {
    err << recusa << " (o projeto não pode ser lido com ele).\n";
    return kCalcUso;
  }
  toolkit::TArquivoIni lidoDeVolta = ini;
  GravarSecoesDoProjeto(lidoDeVolta, p);
  if (!MesmoValor(lidoDeVolta.LerString(o.SecaoVariada, o.ChaveVariada, ""), valor)) {
    err << recusa << " (a chave não aceita este valor).\n";
    return kCalcUso;
  }
  // The checks say what is wrong in the data-entry window's words, after
  // the value they were run with.
  std::ostringstream mensagem;
  const int codigo = VerificarProjeto(p, o, linha, kCalcUso, mensagem);
  if (codigo != kCalcOk) err << "Com " << ChaveVariada(o) << " = " << valor << ":\n" << mensagem.str();
  return codigo;
}

// The file of a sweep as the project is read from: the file's own text where
// it holds the key; an older layout that does not is first put in the
// current one, as saving would. A key the program never writes is unknown.
int BaseDaVariacao(const std::string& caminho, const TOpcoes& o, toolkit::TArquivoIni& base,
                   std::ostream& err) {
  TProjeto p;
  p.Limpar();
  if (!LerProjeto(base, p)) {
    err << "O projeto " << caminho << " não pôde ser lido.\n";
    return kCalcDadosIncorretos;
  }
  toolkit::TArquivoIni escrito = base;
  escrito.ApagarChave(o.SecaoVariada, o.ChaveVariada);
  GravarSecoesDoProjeto(escrito, p);
  if (!escrito.ExisteChave(o.SecaoVariada, o.ChaveVariada)) {
    err << "A chave " << ChaveVariada(o) << " de --variar não existe no projeto " << caminho << ".\n";
    return kCalcUso;
  }
  if (!base.ExisteChave(o.SecaoVariada, o.ChaveVariada)) {
    toolkit::TArquivoIni atual = base;
    GravarSecoesDoProjeto(atual, p);
    base = atual;
  }
  return kCalcOk;
}

// Several projects, or one project once per value of a key: every project is
// read and checked before anything is computed, and one row per run is printed.
int CalcularVarios(const TOpcoes& o, std::ostream& out, std::ostream& err) {
  for (const std::string& projeto : o.Projetos) {
    const std::string defeito = DefeitoDoProjeto(projeto);
    if (!defeito.empty()) {
      err << defeito << '\n';
      return kCalcDadosIncorretos;
    }
  }
  if (const int codigo = VerificarSaidas(o, err); codigo != kCalcOk) return codigo;

  struct TPreparada {
    std::unique_ptr<TProjeto> Projeto;
    TRodada Rodada;
  };
  std::vector<TPreparada> preparadas;
  for (const std::string& caminho : o.Projetos) {
    toolkit::TArquivoIni base(caminho);
    if (o.Valores.empty()) {
      TPreparada pr{std::make_unique<TProjeto>(), {}};
      pr.Projeto->Limpar();
      if (!LerProjeto(base, *pr.Projeto)) {
        err << "O projeto " << caminho << " não pôde ser lido.\n";
        return kCalcDadosIncorretos;
      }
      if (const int codigo = VerificarProjeto(*pr.Projeto, o, pr.Rodada.Linha, kCalcDadosIncorretos, err);
          codigo != kCalcOk)
        return codigo;
      pr.Rodada.Projeto = caminho;
      preparadas.push_back(std::move(pr));
      continue;
    }
    if (const int codigo = BaseDaVariacao(caminho, o, base, err); codigo != kCalcOk) return codigo;
    for (const std::string& valor : o.Valores) {
      TPreparada pr{std::make_unique<TProjeto>(), {}};
      if (const int codigo = LerComValor(base, o, valor, *pr.Projeto, pr.Rodada.Linha, err);
          codigo != kCalcOk)
        return codigo;
      pr.Rodada.Projeto = caminho;
      pr.Rodada.Valor = valor;
      preparadas.push_back(std::move(pr));
    }
  }

  std::vector<TRodada> rodadas;
  bool semEscoamento = false;
  for (TPreparada& pr : preparadas) {
    Tracar(*pr.Projeto, o, pr.Rodada);
    const std::string qual =
        pr.Rodada.Projeto +
        (pr.Rodada.Valor.empty() ? "" : " com " + ChaveVariada(o) + " = " + pr.Rodada.Valor);
    if (pr.Rodada.SemEscoamento)
      err << "Não houve escoamento superficial para o local desejado em " << qual << ".\n";
    if (!pr.Rodada.Convergiu && !pr.Rodada.SemEscoamento)
      err << "Aviso (" << qual << "): " << kMetodoNaoConvergiu << '\n';
    semEscoamento = semEscoamento || pr.Rodada.SemEscoamento;
    rodadas.push_back(std::move(pr.Rodada));
  }
  std::ostringstream texto;
  EscreverLinhas(texto, o, rodadas);
  if (o.Saida.empty()) {
    out << texto.str();
  } else if (const int codigo = toolkit::SubstituirArquivo(o.Saida, texto.str()); codigo != 0) {
    err << toolkit::ErroDeGravacao(o.Saida, codigo) << '\n';
    return kCalcDadosIncorretos;
  }
  return semEscoamento ? kCalcSemEscoamento : kCalcOk;
}

int Calcular(const TOpcoes& o, std::ostream& out, std::ostream& err, const TEscritorRelatorio& relatorio) {
  toolkit::DefinirRegional(toolkit::RegionalDoAmbiente());
  if (o.VariasRodadas()) return CalcularVarios(o, out, err);

  const std::string& projeto = o.Projetos.front();
  const std::string defeito = DefeitoDoProjeto(projeto);
  if (!defeito.empty()) {
    err << defeito << '\n';
    return kCalcDadosIncorretos;
  }
  if (const int codigo = VerificarSaidas(o, err); codigo != kCalcOk) return codigo;
  TProjeto p;
  p.Limpar();
  if (!LerProjeto(projeto, p)) {
    err << "O projeto " << projeto << " não pôde ser lido.\n";
    return kCalcDadosIncorretos;
  }
  TRodada r;
  r.Projeto = projeto;
  if (const int codigo = VerificarProjeto(p, o, r.Linha, kCalcDadosIncorretos, err); codigo != kCalcOk)
    return codigo;
  Tracar(p, o, r);
  const TCaudalente& resultado = *r.Resultado;
  const bool semEscoamento = r.SemEscoamento;
  if (semEscoamento) err << "Não houve escoamento superficial para o local desejado.\n";
  if (!r.Convergiu && !semEscoamento) err << "Aviso: " << kMetodoNaoConvergiu << '\n';

  if (!o.Relatorio.empty() || !o.Pdf.empty()) {
    if (semEscoamento) return kCalcSemEscoamento;
    if (!relatorio) {
      err << "Esta compilação do caudalente-calc não gera relatórios (sem as janelas).\n";
      return kCalcUso;
    }
    return relatorio(p, resultado, TituloDoGrafico(p, r.Linha, o.Coluna), o.Relatorio, o.Pdf, err)
               ? kCalcOk
               : kCalcDadosIncorretos;
  }

  if (o.Formato == "json" || o.Formato == "resumo" || o.Formato == "csv") {
    std::ostringstream texto;
    if (o.Formato == "json")
      EscreverJson(texto, resultado, !semEscoamento, o.Metodo, r.Convergiu, r.Erro);
    else if (o.Formato == "resumo")
      EscreverResumo(texto, o, r);
    else if (!semEscoamento)
      EscreverSerieCsv(texto, o, resultado);
    if (o.Saida.empty()) {
      out << texto.str();
    } else if (!texto.str().empty()) {
      if (const int codigo = toolkit::SubstituirArquivo(o.Saida, texto.str()); codigo != 0) {
        err << toolkit::ErroDeGravacao(o.Saida, codigo) << '\n';
        return kCalcDadosIncorretos;
      }
    }
  } else if (!semEscoamento) {
    if (o.Formato == "binario")
      resultado.SalvarBinario(o.Saida);
    else if (o.Saida.empty())
      out << resultado.Texto();
    else
      resultado.SalvarTexto(o.Saida);
  }
  return semEscoamento ? kCalcSemEscoamento : kCalcOk;
}

}  // namespace

std::string TextoDeUso() {
  return "Uso: caudalente-calc PROJETO.cdt [--linha N] [--coluna C]"
         " [--formato json|texto|binario|resumo|csv] [--saida ARQUIVO]\n"
         "                      [--metodo original|convergido] [--relatorio SAIDA.html] [--pdf SAIDA.pdf]\n"
         "     caudalente-calc PROJETO.cdt... [--variar SECAO.CHAVE=v1,v2,...] [--linha N] [--coluna C]\n"
         "                      --formato resumo|csv|json [--metodo original|convergido] [--saida ARQUIVO]\n"
         "     caudalente-calc --idf-estacoes ESTADO\n"
         "     caudalente-calc --idf-interpolar LATITUDE LONGITUDE\n"
         "\n"
         "Calcula o caudalente de um projeto do Caudalente (.cdt), como a página de traçado:\n"
         "  sem --coluna   o caudalente na linha N da encosta (padrão: a última, no pé da encosta);\n"
         "  --coluna C     o caudalente na coluna C do canal, alimentado pela encosta na linha N.\n"
         "  --formato      json (padrão): pontos [[t (min), Q (L/s)], ...] e estatísticas;\n"
         "                 texto ou binario: os arquivos de caudalente do programa;\n"
         "                 resumo: local, vazão máxima e seu tempo, volume, lâmina e método, em texto;\n"
         "                 csv: a série (tempo; vazão), com ';' e vírgula decimal no locale pt_BR.\n"
         "  --variar       calcula o projeto uma vez para cada valor da chave do arquivo do projeto\n"
         "                 (ex.: PREC_EXPONENCIAL_NEGATIVA.Tr=2,5,10), sem alterar o arquivo; valores com\n"
         "                 vírgula decimal separados por ';'. Com vários projetos ou --variar, uma linha\n"
         "                 por cálculo (resumo, csv) ou uma lista de objetos (json).\n"
         "  --saida        grava o resultado no ARQUIVO (obrigatório com binario).\n"
         "  --metodo       original (padrão): o esquema numérico do programa;\n"
         "                 convergido: volumes finitos refinados até o pico, o tempo de pico e o\n"
         "                 volume mudarem menos de 0,1 % entre dois refinamentos.\n"
         "  --relatorio    grava o relatório HTML do traçado (Windows-1252), com a figura do gráfico\n"
         "                 ao lado (SAIDA.bmp); --pdf grava o mesmo relatório em PDF. Nenhum dos dois\n"
         "                 combina com --formato ou --saida, e nenhuma saída pode ser o projeto.\n"
         "O separador decimal do projeto segue o locale do ambiente (LC_ALL, LC_NUMERIC, LANG).\n"
         "Os dados são verificados como no botão Avançar da janela de entrada de dados.\n"
         "\n"
         "Códigos de saída: 0 sucesso; 1 projeto ilegível, dados incorretos ou erro de cálculo;\n"
         "2 uso incorreto, linha ou coluna fora da faixa, chave ou valor recusado em --variar;\n"
         "3 não houve escoamento superficial.\n"
         "\n"
         "Consultas ao banco de dados de chuvas intensas:\n"
         "  --idf-estacoes ESTADO                as estações do estado (nome ou índice 0-26), em JSON;\n"
         "  --idf-interpolar LATITUDE LONGITUDE  a equação interpolada nas coordenadas (DD°MM'SS\").\n";
}

std::string FiguraDoRelatorio(const std::string& html) {
  const size_t barra = html.find_last_of('/');
  const size_t inicioNome = barra == std::string::npos ? 0 : barra + 1;
  const size_t ponto = html.find_last_of('.');
  const size_t fim = ponto == std::string::npos || ponto < inicioNome ? html.size() : ponto;
  return html.substr(0, fim) + ".bmp";
}

namespace {

int ExecutarSemConferirSaida(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                             const TEscritorRelatorio& relatorio) {
  if (!args.empty() && args[0].rfind("--idf-", 0) == 0) return ExecutarConsultaIdf(args, out, err);
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      out << TextoDeUso();
      return kCalcOk;
    }
  TOpcoes o;
  if (!LerOpcoes(args, o, err)) {
    err << '\n' << TextoDeUso();
    return kCalcUso;
  }
  TMensagensNoErro mensagens(err);
  TReceptorTemporario receptor(&mensagens);
  // The program's own exceptions carry the user's Portuguese message; what the
  // library throws (English, internal) is replaced by a sentence of ours.
  try {
    return Calcular(o, out, err, relatorio);
  } catch (const std::bad_alloc&) {
    err << "Não há memória suficiente para este cálculo. Verifique os comprimentos da encosta e do canal e"
           " a coluna pedida.\n";
  } catch (const std::system_error&) {
    err << "Não foi possível ler ou gravar um dos arquivos do cálculo.\n";
  } catch (const std::logic_error&) {
    err << "Ocorreu um erro interno no cálculo; os dados do projeto não puderam ser processados.\n";
  } catch (const std::runtime_error& e) {
    // Every runtime error of the model, the project layer and the toolkit
    // carries its Portuguese message.
    err << MensagemDeErro(e.what()) << '\n';
  } catch (...) {
    err << "Ocorreu um erro interno no cálculo; os dados do projeto não puderam ser processados.\n";
  }
  return kCalcDadosIncorretos;
}

}  // namespace

int ExecutarCalculadora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const TEscritorRelatorio& relatorio) {
  // The standard output gets its text in one piece at the end, so that a
  // write that fails (a full disk, a closed pipe) is seen with its reason
  // and is no success.
  std::ostringstream texto;
  const int codigo = ExecutarSemConferirSaida(args, texto, err, relatorio);
  const std::string bytes = texto.str();
  if (bytes.empty()) return codigo;
  errno = 0;
  out << bytes;
  out.flush();
  if (out) return codigo;
  const int erro = errno;
  err << "Não foi possível escrever na saída padrão"
      << (erro != 0 ? " (" + toolkit::DescricaoDoErro(erro) + ")" : std::string()) << ".\n";
  return kCalcDadosIncorretos;
}
