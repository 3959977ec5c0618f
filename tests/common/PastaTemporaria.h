#pragma once
// A fresh, empty folder of its own for one test, removed with its content
// when the object goes. Every test that writes files takes one: the name is
// unique (mkdtemp), so tests run side by side never share a file.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace teste {

inline std::string LerBytes(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void GravarBytes(const std::string& caminho, const std::string& bytes) {
  std::ofstream(caminho, std::ios::binary) << bytes;
}

class TPastaTemporaria {
 public:
  TPastaTemporaria() {
    std::string modelo = (std::filesystem::temp_directory_path() / "caudalente_teste_XXXXXX").string();
    if (mkdtemp(modelo.data()) != nullptr) caminho_ = modelo;
    EXPECT_FALSE(caminho_.empty()) << "no temporary folder";
  }
  ~TPastaTemporaria() {
    std::error_code erro;
    if (!caminho_.empty()) std::filesystem::remove_all(caminho_, erro);
  }
  TPastaTemporaria(const TPastaTemporaria&) = delete;
  TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

  const std::string& Caminho() const { return caminho_; }
  std::string Arquivo(const std::string& nome) const { return caminho_ + "/" + nome; }

  void Escrever(const std::string& nome, const std::string& bytes) const {
    GravarBytes(Arquivo(nome), bytes);
  }
  std::string Ler(const std::string& nome) const { return LerBytes(Arquivo(nome)); }

 private:
  std::string caminho_;
};

}  // namespace teste
