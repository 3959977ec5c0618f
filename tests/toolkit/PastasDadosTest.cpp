// The data folders are found beside the program (the build tree) and in the
// installed layout, the one beside the program first.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/PastaTemporaria.h"
#include "toolkit/PastasDados.h"

namespace {

namespace fs = std::filesystem;

TEST(PastasDados, AoLadoDoProgramaInstaladaOuAUsual) {
  teste::TPastaTemporaria raiz;
  const std::string bin = raiz.Arquivo("bin");
  fs::create_directories(bin);
  const std::string aoLado = bin + "/../Arquivos Comuns/";
  const std::string instalada = bin + "/../share/caudalente/Arquivos Comuns/";

  // Neither: the usual place, for the message that names it.
  EXPECT_EQ(toolkit::PastaDeDados("../Arquivos Comuns/", "Arquivos Comuns/", bin), aoLado);
  fs::create_directories(raiz.Arquivo("share/caudalente/Arquivos Comuns"));
  EXPECT_EQ(toolkit::PastaDeDados("../Arquivos Comuns/", "Arquivos Comuns/", bin + "/"), instalada);
  fs::create_directories(raiz.Arquivo("Arquivos Comuns"));
  EXPECT_EQ(toolkit::PastaDeDados("../Arquivos Comuns/", "Arquivos Comuns/", bin), aoLado);

  // A file of that name is not a folder.
  std::ofstream(bin + "/ajuda") << "x";
  fs::create_directories(raiz.Arquivo("share/caudalente/ajuda"));
  EXPECT_EQ(toolkit::PastaDeDados("ajuda", "ajuda", bin), bin + "/../share/caudalente/ajuda");
}

TEST(PastasDados, PastaDoProgramaEhADoExecutavel) {
  const std::string pasta = toolkit::PastaDoPrograma();
  ASSERT_FALSE(pasta.empty());
  EXPECT_EQ(pasta.back(), '/');
  EXPECT_TRUE(fs::exists(pasta + "test_toolkit"));
}

}  // namespace
