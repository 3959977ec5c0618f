#include "project/ArquivoProjeto.h"

#include "toolkit/ArquivoIni.h"

void TProjeto::Limpar() {
  Encosta.Limpar();
  Canal.Limpar();
  Nimbora.Limpar();
  Unidades.Padrao();
}

namespace {

bool LerSecoesDoProjeto(const toolkit::TArquivoIni& ini, TEncostaCinematicaSecoes& Encosta,
                        TCanalCinematico& Canal, TNimbora21& Nimbora, TUnidades& Unidades) {
  const std::string versao = ini.LerString("VERSAO", "Versao", "");
  if (versao != "1" && versao != "2")
    throw EArquivoProjeto("Ocorreu um erro ao tentar ler o arquivo " + toolkit::NomeSemPasta(ini.Caminho()) +
                          ". Não existe a versão especificada neste arquivo.");
  if (!Nimbora.LerSecoes(ini)) return false;
  if (!Canal.LerSecoes(ini)) return false;
  if (!Encosta.LerSecoes(ini)) return false;
  return Unidades.LerSecoes(ini);
}

}  // namespace

bool LerProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                TNimbora21& Nimbora, TUnidades& Unidades) {
  // One view of the file for every reader, and nothing written back.
  const toolkit::TArquivoIni ini(Caminho);
  return LerSecoesDoProjeto(ini, Encosta, Canal, Nimbora, Unidades);
}

bool LerProjeto(const toolkit::TArquivoIni& Ini, TProjeto& Projeto) {
  return LerSecoesDoProjeto(Ini, Projeto.Encosta, Projeto.Canal, Projeto.Nimbora, Projeto.Unidades);
}

void GravarSecoesDoProjeto(toolkit::TArquivoIni& Ini, TProjeto& Projeto) {
  Projeto.Encosta.GravarSecoes(Ini);
  Projeto.Canal.GravarSecoes(Ini);
  Projeto.Nimbora.GravarSecoes(Ini);
  Projeto.Unidades.GravarSecoes(Ini);
  Ini.EscreverString("VERSAO", "Versao", "2");
}

bool LerProjeto(const std::string& Caminho, TProjeto& Projeto) {
  return LerProjeto(Caminho, Projeto.Encosta, Projeto.Canal, Projeto.Nimbora, Projeto.Unidades);
}

void GravarProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                   TNimbora21& Nimbora, const TUnidades& Unidades) {
  // The whole project is put together in memory and stored in one step
  // (a temporary file renamed over the old one): a failed save leaves the
  // old project as it was.
  toolkit::TArquivoIni ini(Caminho);
  Encosta.GravarSecoes(ini);
  Canal.GravarSecoes(ini);
  Nimbora.GravarSecoes(ini);
  Unidades.GravarSecoes(ini);
  ini.EscreverString("VERSAO", "Versao", "2");
  ini.SalvarOuErro();
}

void GravarProjeto(const std::string& Caminho, TProjeto& Projeto) {
  GravarProjeto(Caminho, Projeto.Encosta, Projeto.Canal, Projeto.Nimbora, Projeto.Unidades);
}
