// Database mode of the command-line calculator: stations of a state and the
// inverse-fifth-power interpolation at a point, printed as JSON.
#include "idf/ConsultaLinhaComando.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <stdexcept>

#include "idf/UnBD.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/TextoJson.h"

namespace {

const char* const Uso =
    "uso: caudalente-calc --idf-estacoes ESTADO\n"
    "     caudalente-calc --idf-interpolar LATITUDE LONGITUDE\n"
    "ESTADO: nome do estado (\"Minas Gerais\") ou índice de 0 a 26.\n"
    "LATITUDE, LONGITUDE: textos de coordenada GG°MM'SS\" (sul e oeste positivos).\n";

std::string Json(const std::string& texto) {
  return toolkit::TextoJson(texto);
}

std::string Json(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// Index of a state given by name or by its decimal index, or -1.
int IndiceDoEstado(const std::string& texto) {
  for (int i = 0; i < NumeroEstados; ++i)
    if (texto == NomesEstados[static_cast<std::size_t>(i)]) return i;
  if (texto.empty() || texto.size() > 2) return -1;
  int v = 0;
  for (const char ch : texto) {
    if (ch < '0' || ch > '9') return -1;
    v = v * 10 + (ch - '0');
  }
  return v < NumeroEstados ? v : -1;
}

int Estacoes(const std::string& estadoTexto, std::ostream& out, std::ostream& err, const std::string& pasta) {
  const int estado = IndiceDoEstado(estadoTexto);
  if (estado < 0) {
    err << "Estado desconhecido: " << estadoTexto << "\n" << Uso;
    return 2;
  }
  TBDPrecipitacao bd(pasta);
  bd.LerEstados();
  const auto& lista = bd.Estacoes(estado);
  out << "[";
  for (std::size_t i = 0; i < lista.size(); ++i) {
    const TEstacao& e = lista[i];
    out << (i ? ",\n " : "\n ") << "{\"Nome\": " << Json(e.Nome) << ", \"K\": " << Json(e.K)
        << ", \"a\": " << Json(e.a) << ", \"b\": " << Json(e.b) << ", \"c\": " << Json(e.c)
        << ", \"Autoria\": " << Json(e.Fonte) << ", \"Latitude\": " << Json(e.Latitude)
        << ", \"Longitude\": " << Json(e.Longitude) << "}";
  }
  out << (lista.empty() ? "]\n" : "\n]\n");
  return 0;
}

int Interpolar(const std::string& latitude, const std::string& longitude, std::ostream& out,
               std::ostream& err, const std::string& pasta) {
  // Malformed texts are the user's input: checked whole before the files are read.
  for (const std::string& motivo : {VerificarCoordenada(latitude, TEixoCoordenada::Latitude),
                                    VerificarCoordenada(longitude, TEixoCoordenada::Longitude)}) {
    if (!motivo.empty()) {
      err << "Coordenada inválida: " << motivo << "\n" << Uso;
      return 2;
    }
  }
  TBDPrecipitacao bd(pasta);
  bd.LerEstados();
  const TEstacao r = bd.Interpolar(latitude, longitude);
  // The second estimate follows the classic fields, which keep their names.
  const TAjusteIdf ajuste = bd.InterpolarIntensidades(latitude, longitude);
  const TEquacaoIdf& e = ajuste.Equacao;
  out << "{\"K\": " << Json(r.K) << ", \"a\": " << Json(r.a) << ", \"b\": " << Json(r.b)
      << ", \"c\": " << Json(r.c) << ", \"Autoria\": " << Json(r.Fonte)
      << ", \"Ajuste\": {\"K\": " << Json(e.K) << ", \"a\": " << Json(e.a) << ", \"b\": " << Json(e.b)
      << ", \"c\": " << Json(e.c) << ", \"ErroMaximo\": " << Json(ajuste.ErroMaximo)
      << ", \"ErroMediano\": " << Json(ajuste.ErroMediano) << "}}\n";
  return 0;
}

}  // namespace

int ExecutarConsultaIdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ExecutarConsultaIdf(args, out, err, PastaBancoDados());
}

int ExecutarConsultaIdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::string& pasta) {
  try {
    if (args.size() == 2 && args[0] == "--idf-estacoes") return Estacoes(args[1], out, err, pasta);
    if (args.size() == 3 && args[0] == "--idf-interpolar")
      return Interpolar(args[1], args[2], out, err, pasta);
    err << Uso;
    return 2;
  } catch (const std::bad_alloc&) {
    err << "Não há memória suficiente para ler o banco de dados de chuvas intensas.\n";
    return 1;
  } catch (const std::runtime_error& e) {
    // The reader's own errors carry their Portuguese message, naming the file.
    err << e.what() << "\n";
    return 1;
  } catch (...) {
    err << "Ocorreu um erro interno ao consultar o banco de dados de chuvas intensas.\n";
    return 1;
  }
}
