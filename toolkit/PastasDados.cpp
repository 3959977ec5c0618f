#include "toolkit/PastasDados.h"

#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/Versao.h"

namespace toolkit {

namespace {

bool EhPasta(const std::string& caminho) {
  struct stat st {};
  return stat(caminho.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string PastaDoPrograma() {
  std::string caminho(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", caminho.data(), caminho.size());
  if (n <= 0) return "./";
  caminho.resize(static_cast<std::size_t>(n));
  return caminho.substr(0, caminho.rfind('/') + 1);
}

std::string PastaDeDados(const std::string& aoLado, const std::string& nome,
                         const std::string& pastaPrograma) {
  std::string programa = pastaPrograma;
  if (!programa.empty() && programa.back() != '/') programa += '/';
  const std::string local = programa + aoLado;
  if (EhPasta(local)) return local;
  const std::string instalada = programa + CAUDALENTE_DADOS_INSTALADOS + "/" + nome;
  if (EhPasta(instalada)) return instalada;
  return local;
}

}  // namespace toolkit
