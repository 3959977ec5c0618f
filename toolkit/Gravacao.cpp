#include "toolkit/Gravacao.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "toolkit/ArquivoIni.h"

namespace toolkit {
namespace {

int EscreverTudo(int fd, const std::string& bytes) {
  std::size_t escrito = 0;
  while (escrito < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + escrito, bytes.size() - escrito);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    escrito += static_cast<std::size_t>(n);
  }
  return 0;
}

int EscreverNoLugar(const std::string& destino, const std::string& bytes) {
  const int fd = ::open(destino.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return errno;
  int erro = EscreverTudo(fd, bytes);
  if (::close(fd) != 0 && erro == 0) erro = errno;
  return erro;
}

}  // namespace

int SubstituirArquivo(const std::string& caminho, const std::string& bytes) {
  const std::string destino = DestinoDaGravacao(caminho);
  struct stat st {};
  const bool existe = ::stat(destino.c_str(), &st) == 0;
  if (existe && S_ISDIR(st.st_mode)) return EISDIR;
  // A terminal, /dev/null or a pipe takes the bytes where it is; a disk
  // device or a socket is no place for a file, and nothing is ever put in
  // the place of either.
  if (existe && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) return EscreverNoLugar(destino, bytes);
  if (existe && !S_ISREG(st.st_mode)) return ENOTSUP;
  // A read-only file stays read-only, even though renaming over it would work.
  if (existe && ::access(destino.c_str(), W_OK) != 0) return errno;

  std::string modelo = destino + ".XXXXXX";
  const int fd = ::mkstemp(modelo.data());
  if (fd < 0) return errno;
  int erro = EscreverTudo(fd, bytes);
  if (erro == 0 && ::fsync(fd) != 0) erro = errno;
  if (erro == 0) {
    const mode_t modo = existe ? (st.st_mode & 07777) : [] {
      const mode_t m = ::umask(0);
      ::umask(m);
      return static_cast<mode_t>(0666 & ~m);
    }();
    ::fchmod(fd, modo);
  }
  if (::close(fd) != 0 && erro == 0) erro = errno;
  if (erro == 0 && ::rename(modelo.c_str(), destino.c_str()) != 0) erro = errno;
  if (erro != 0) ::unlink(modelo.c_str());
  return erro;
}

std::string ErroDeGravacao(const std::string& caminho, int codigo) {
  return "Não foi possível gravar o arquivo " + caminho + " (" + DescricaoDoErro(codigo) + ").";
}

}  // namespace toolkit
