#include "model/hillslope/uCaudalenteConversao.h"

#include <filesystem>

#include "model/hillslope/uCaudalente.h"

std::string NomeConvertido(const std::string& Origem, bool ParaBinario) {
  std::filesystem::path caminho = std::filesystem::u8path(Origem);
  caminho.replace_extension(ParaBinario ? ".bin" : ".txt");
  return caminho.u8string();
}

bool ConverterCaudalente(const std::string& Origem, const std::string& Destino, bool ParaBinario) {
  TCaudalente serie;
  if (ParaBinario) {
    if (!serie.LerTexto(Origem)) return false;
    serie.SalvarBinario(Destino);
  } else {
    if (!serie.LerBinario(Origem)) return false;
    serie.SalvarTexto(Destino);
  }
  return true;
}
