#include "project/Configuracao.h"

#include "toolkit/ArquivoIni.h"

namespace {

const char* const kSecaoPrograma = "CAUDALENTE";
const char* const kSecaoRecentes = "PRINCIPAL";
const char* const kChaveMetodo = "MetodoNumerico";
const char* const kMetodoOriginal = "original";
const char* const kMetodoConvergido = "convergido";

std::string ChaveRecente(std::size_t i) {
  return "path" + std::to_string(i + 1);
}

}  // namespace

bool TConfiguracao::Ler(TUnidades& Unidades, TRecentes& Recentes) const {
  const toolkit::TArquivoIni ini(caminho_);
  if (ini.LerString(kSecaoPrograma, "Versao", "") == "0") {
    Unidades.Padrao();
    return false;
  }
  // A section that cannot be read has already left the defaults in place.
  Unidades.LerArquivo(caminho_);
  for (std::size_t i = 0; i < Recentes.size(); ++i)
    Recentes[i] = ini.LerString(kSecaoRecentes, ChaveRecente(i), "");
  return true;
}

void TConfiguracao::GravarUnidades(const TUnidades& Unidades) const {
  Unidades.GravarArquivo(caminho_);
}

void TConfiguracao::Gravar(const TUnidades& Unidades, const TRecentes& Recentes) const {
  {
    toolkit::TArquivoIni ini(caminho_);
    ini.EscreverString(kSecaoPrograma, "Versao", "1");
    ini.SalvarOuErro();
  }
  // The units write their own section, after the program's in a new file.
  Unidades.GravarArquivo(caminho_);
  toolkit::TArquivoIni ini(caminho_);
  for (std::size_t i = 0; i < Recentes.size(); ++i)
    ini.EscreverString(kSecaoRecentes, ChaveRecente(i), Recentes[i]);
  ini.SalvarOuErro();
}

TMetodoNumerico TConfiguracao::LerMetodo() const {
  const toolkit::TArquivoIni ini(caminho_);
  if (ini.LerString(kSecaoPrograma, "Versao", "") == "0") return TMetodoNumerico::Original;
  return ini.LerString(kSecaoPrograma, kChaveMetodo, kMetodoOriginal) == kMetodoConvergido
             ? TMetodoNumerico::Convergido
             : TMetodoNumerico::Original;
}

void TConfiguracao::GravarMetodo(TMetodoNumerico Metodo) const {
  toolkit::TArquivoIni ini(caminho_);
  ini.EscreverString(kSecaoPrograma, kChaveMetodo,
                     Metodo == TMetodoNumerico::Convergido ? kMetodoConvergido : kMetodoOriginal);
  ini.SalvarOuErro();
}
