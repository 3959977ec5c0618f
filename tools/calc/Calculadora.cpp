#include "tools/calc/Calculadora.h"

#include <sys/stat.h>

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

namespace {

struct TOpcoes {
  std::string Projeto;
  long Linha = 0;   // 0: the foot of the hillslope
  long Coluna = 0;  // 0: the hillslope itself
  std::string Formato = "json";
  std::string Saida;
  std::string Metodo = "original";  // or "convergido"
  std::string Relatorio;            // HTML report file
  std::string Pdf;                  // PDF report file
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
          nome != "--metodo" && nome != "--relatorio" && nome != "--pdf") {
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
        if (valor != "json" && valor != "texto" && valor != "binario") {
          err << "Formato desconhecido: \"" << valor << "\" (json, texto ou binario).\n";
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
      } else {
        if (valor.empty()) {
          err << "Falta o nome do arquivo de --saida.\n";
          return false;
        }
        o.Saida = valor;
      }
    } else if (o.Projeto.empty()) {
      o.Projeto = nome;
    } else {
      err << "Mais de um projeto informado: " << o.Projeto << " e " << nome << ".\n";
      return false;
    }
  }
  if (o.Projeto.empty()) {
    err << "Falta o arquivo do projeto.\n";
    return false;
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
void EscreverJson(std::ostream& out, const TCaudalente& c, bool comPontos, const std::string& metodo,
                  bool convergiu, const TErroEstimado& erro) {
  out << "{\"pontos\":[";
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
  out << ",\"Metodo\":\"" << metodo << "\"}\n";
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
  const TDestino projeto = DestinoDe(o.Projeto);
  std::vector<TDestino> destinos;
  for (const TSaida& s : saidas) {
    const TDestino d = DestinoDe(s.Caminho);
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
std::string TituloDoGrafico(const TProjeto& p, long linha, long coluna) {
  if (coluna > 0)
    return "Caudalente no canal para um comprimento de " + toolkit::FormatoGeral(coluna * p.Canal.DeltaX) +
           " m";
  long acumuladas = 0;
  double acima = 0;
  int i = 0;
  for (; i < p.Encosta.Count() - 1; ++i) {
    const TEncostaCinematica& t = p.Encosta.Trechos(i);
    if (linha <= acumuladas + t.NumeroLinhas()) break;
    acumuladas += static_cast<long>(t.NumeroLinhas());
    acima += t.Comprimento();
  }
  const double distancia = acima + (linha - acumuladas) * p.Encosta.Trechos(i).DeltaX();
  return "Caudalente na encosta para um comprimento de " + toolkit::FormatoGeral(distancia) + " m";
}

int Calcular(const TOpcoes& o, std::ostream& out, std::ostream& err, const TEscritorRelatorio& relatorio) {
  toolkit::DefinirRegional(toolkit::RegionalDoAmbiente());

  const std::string defeito = DefeitoDoProjeto(o.Projeto);
  if (!defeito.empty()) {
    err << defeito << '\n';
    return kCalcDadosIncorretos;
  }
  if (const int codigo = VerificarSaidas(o, err); codigo != kCalcOk) return codigo;
  TProjeto p;
  p.Limpar();
  if (!LerProjeto(o.Projeto, p)) {
    err << "O projeto " << o.Projeto << " não pôde ser lido.\n";
    return kCalcDadosIncorretos;
  }

  // The window opens a project of several segments on its irregular tab.
  const bool irregular = p.Encosta.Count() != 1;
  p.Encosta.Regular = !irregular;
  const TVerificacao v = VerificarDados(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), irregular);
  if (!v.Aprovado) {
    err << v.Mensagem << '\n';
    return kCalcDadosIncorretos;
  }
  // As Avançar does: the length through the setter that fixes the 1-m node spacing.
  p.Canal.SetComprimento(p.Canal.Comprimento());

  double comprimentoTotal = 0;
  for (int i = 0; i < p.Encosta.Count(); ++i) comprimentoTotal += p.Encosta.Trechos(i).Comprimento();
  // Counted in 64 bits, so no length wraps the count; names the segment.
  try {
    p.Encosta.VerificarLinhas();
  } catch (const EEncostaCinematica& e) {
    err << MensagemDeErro(e.what()) << '\n';
    return kCalcDadosIncorretos;
  }
  const long linhas = static_cast<long>(p.Encosta.SomaLinhas());
  const long linha = o.Linha == 0 ? linhas : o.Linha;
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

  TPrecipitacaoExponencialNegativa& chuva = p.Nimbora.Precipitacao();
  TProgressoMudo tempo, trecho;
  const TMetodoNumerico metodo =
      o.Metodo == "convergido" ? TMetodoNumerico::Convergido : TMetodoNumerico::Original;
  bool convergiu = true;
  TErroEstimado erro;
  std::unique_ptr<TCaudalente> resultado = TracarCaudalente(
      p.Encosta, p.Canal, chuva, static_cast<uint16_t>(linha), static_cast<int>(o.Coluna), comprimentoTotal,
      TProgressoTracado{&tempo, &trecho, &tempo}, false, metodo, &convergiu, &erro);

  const bool semEscoamento = resultado->Count() < 3;
  if (semEscoamento) err << "Não houve escoamento superficial para o local desejado.\n";
  if (!convergiu && !semEscoamento) err << "Aviso: " << kMetodoNaoConvergiu << '\n';

  if (!o.Relatorio.empty() || !o.Pdf.empty()) {
    if (semEscoamento) return kCalcSemEscoamento;
    if (!relatorio) {
      err << "Esta compilação do caudalente-calc não gera relatórios (sem as janelas).\n";
      return kCalcUso;
    }
    return relatorio(p, *resultado, TituloDoGrafico(p, linha, o.Coluna), o.Relatorio, o.Pdf, err)
               ? kCalcOk
               : kCalcDadosIncorretos;
  }

  if (o.Formato == "json") {
    if (o.Saida.empty()) {
      EscreverJson(out, *resultado, !semEscoamento, o.Metodo, convergiu, erro);
    } else {
      std::ostringstream json;
      EscreverJson(json, *resultado, !semEscoamento, o.Metodo, convergiu, erro);
      if (const int codigo = toolkit::SubstituirArquivo(o.Saida, json.str()); codigo != 0) {
        err << toolkit::ErroDeGravacao(o.Saida, codigo) << '\n';
        return kCalcDadosIncorretos;
      }
    }
  } else if (!semEscoamento) {
    if (o.Formato == "binario")
      resultado->SalvarBinario(o.Saida);
    else if (o.Saida.empty())
      out << resultado->Texto();
    else
      resultado->SalvarTexto(o.Saida);
  }
  return semEscoamento ? kCalcSemEscoamento : kCalcOk;
}

}  // namespace

std::string TextoDeUso() {
  return "Uso: caudalente-calc PROJETO.cdt [--linha N] [--coluna C] [--formato json|texto|binario]"
         " [--saida ARQUIVO]\n"
         "                      [--metodo original|convergido] [--relatorio SAIDA.html] [--pdf SAIDA.pdf]\n"
         "     caudalente-calc --idf-estacoes ESTADO\n"
         "     caudalente-calc --idf-interpolar LATITUDE LONGITUDE\n"
         "\n"
         "Calcula o caudalente de um projeto do Caudalente (.cdt), como a página de traçado:\n"
         "  sem --coluna   o caudalente na linha N da encosta (padrão: a última, no pé da encosta);\n"
         "  --coluna C     o caudalente na coluna C do canal, alimentado pela encosta na linha N.\n"
         "  --formato      json (padrão): pontos [[t (min), Q (L/s)], ...] e estatísticas;\n"
         "                 texto ou binario: os arquivos de caudalente do programa.\n"
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
         "2 uso incorreto, linha ou coluna fora da faixa; 3 não houve escoamento superficial.\n"
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
