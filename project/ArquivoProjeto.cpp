#include "project/ArquivoProjeto.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "toolkit/ArquivoIni.h"

namespace {

std::string NomeSemPasta(const std::string& caminho) {
  const size_t barra = caminho.find_last_of("/\\");
  return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string ErroGravacao(const std::string& caminho, const std::string& motivo) {
  return "Não foi possível gravar o arquivo " + caminho + " (" + motivo + ").";
}

// A temporary copy of the project beside it; removed unless Confirmar ran.
class TCopiaTemporaria {
 public:
  explicit TCopiaTemporaria(const std::string& destino) : destino_(toolkit::DestinoDaGravacao(destino)) {
    existe_ = ::stat(destino_.c_str(), &st_) == 0;
    // The copy would replace a read-only file just as easily: refuse first.
    if (existe_ && ::access(destino_.c_str(), W_OK) != 0)
      throw toolkit::EArquivoIni(ErroGravacao(destino_, toolkit::DescricaoDoErro(errno)));
    std::string modelo = destino_ + ".XXXXXX";
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0) throw toolkit::EArquivoIni(ErroGravacao(destino_, toolkit::DescricaoDoErro(errno)));
    ::close(fd);
    caminho_ = modelo;
    if (existe_) {
      std::ifstream origem(destino_, std::ios::binary);
      std::ofstream copia(caminho_, std::ios::binary | std::ios::trunc);
      copia << origem.rdbuf();
      copia.close();
      if (!origem || !copia) {
        Descartar();
        throw toolkit::EArquivoIni(ErroGravacao(destino_, "cópia de trabalho"));
      }
    } else {
      // An empty temporary would read as an existing empty project: start from none.
      ::unlink(caminho_.c_str());
    }
  }
  ~TCopiaTemporaria() { Descartar(); }

  const std::string& Caminho() const { return caminho_; }

  void Confirmar() {
    struct stat copia {};
    if (::stat(caminho_.c_str(), &copia) != 0)
      throw toolkit::EArquivoIni(ErroGravacao(destino_, toolkit::DescricaoDoErro(errno)));
    const mode_t modo = existe_ ? (st_.st_mode & 07777) : [] {
      const mode_t m = ::umask(0);
      ::umask(m);
      return static_cast<mode_t>(0666 & ~m);
    }();
    ::chmod(caminho_.c_str(), modo);
    if (::rename(caminho_.c_str(), destino_.c_str()) != 0)
      throw toolkit::EArquivoIni(ErroGravacao(destino_, toolkit::DescricaoDoErro(errno)));
    caminho_.clear();
  }

 private:
  void Descartar() {
    if (!caminho_.empty()) ::unlink(caminho_.c_str());
    caminho_.clear();
  }
  std::string destino_, caminho_;
  struct stat st_ {};
  bool existe_ = false;
};

}  // namespace

void TProjeto::Limpar() {
  Encosta.Limpar();
  Canal.Limpar();
  Nimbora.Limpar();
  Unidades.Padrao();
}

bool LerProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                TNimbora21& Nimbora, TUnidades& Unidades) {
  {
    const toolkit::TArquivoIni ini(Caminho);
    const std::string versao = ini.LerString("VERSAO", "Versao", "");
    if (versao != "1" && versao != "2")
      throw EArquivoProjeto("Ocorreu um erro ao tentar ler o arquivo " + NomeSemPasta(Caminho) +
                            ". Não existe a versão especificada neste arquivo.");
  }
  if (!Nimbora.LerArquivo(Caminho)) return false;
  if (!Canal.LerArquivo(Caminho)) return false;
  if (!Encosta.LerArquivo(Caminho)) return false;
  return Unidades.LerArquivo(Caminho);
}

bool LerProjeto(const std::string& Caminho, TProjeto& Projeto) {
  return LerProjeto(Caminho, Projeto.Encosta, Projeto.Canal, Projeto.Nimbora, Projeto.Unidades);
}

void GravarProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                   TNimbora21& Nimbora, const TUnidades& Unidades) {
  TCopiaTemporaria copia(Caminho);
  const std::string& arquivo = copia.Caminho();
  // The list reports a failed write only through its result; a project saved
  // without its hillslope must not look saved.
  if (!Encosta.GravarArquivo(arquivo)) throw EArquivoProjeto(ErroGravacao(Caminho, "dados da encosta"));
  Canal.GravarArquivo(arquivo);
  Nimbora.GravarArquivo(arquivo);
  Unidades.GravarArquivo(arquivo);
  toolkit::TArquivoIni ini(arquivo);
  ini.EscreverString("VERSAO", "Versao", "2");
  ini.SalvarOuErro();
  copia.Confirmar();
}

void GravarProjeto(const std::string& Caminho, TProjeto& Projeto) {
  GravarProjeto(Caminho, Projeto.Encosta, Projeto.Canal, Projeto.Nimbora, Projeto.Unidades);
}
