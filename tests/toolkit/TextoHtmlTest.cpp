// Text and paths on a page: shown as written, never read as markup, and
// picture addresses that survive any page encoding.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "common/PastaTemporaria.h"
#include "toolkit/Gravacao.h"
#include "toolkit/TextoHtml.h"

using namespace toolkit;

TEST(TextoHtml, EscaparTextoEAtributo) {
  struct Caso {
    const char* texto;
    const char* html;
    const char* atributo;
  };
  const Caso casos[] = {
      {"Lavras", "Lavras", "Lavras"},
      {"21°14'43\"", "21°14'43\"", "21°14'43&quot;"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;",
       "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"\"><img src=x onerror=alert(1)>", "\"&gt;&lt;img src=x onerror=alert(1)&gt;",
       "&quot;&gt;&lt;img src=x onerror=alert(1)&gt;"},
      {"a &amp; b", "a &amp;amp; b", "a &amp;amp; b"},
      {"", "", ""},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(EscaparHtml(c.texto), c.html) << c.texto;
    EXPECT_EQ(EscaparAtributo(c.texto), c.atributo) << c.texto;
  }
}

TEST(TextoHtml, EnderecoDeArquivoEVolta) {
  struct Caso {
    const char* caminho;
    const char* endereco;
  };
  const Caso casos[] = {
      {"/p/Bit2.bmp", "/p/Bit2.bmp"},
      {"/home/ana/Meus Projetos/r.bmp", "/home/ana/Meus Projetos/r.bmp"},
      {"日本/r.bmp", "%E6%97%A5%E6%9C%AC/r.bmp"},
      {"relatório.bmp", "relat%C3%B3rio.bmp"},
      {"a\"b<c>d&e#f?g%h.bmp", "a%22b%3Cc%3Ed%26e%23f%3Fg%25h.bmp"},
      {"linha\nnova.bmp", "linha%0Anova.bmp"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(EnderecoDeArquivo(c.caminho), c.endereco) << c.caminho;
    EXPECT_EQ(CaminhoDoEndereco(c.endereco), c.caminho) << c.endereco;
  }
  // A '%' not followed by two hexadecimal digits is taken as it is.
  EXPECT_EQ(CaminhoDoEndereco("50%.bmp"), "50%.bmp");
  EXPECT_EQ(CaminhoDoEndereco("a%zz%4"), "a%zz%4");
}

// Saving never deletes what is not a regular file: a character device takes
// the bytes in place, a folder or a socket is refused and stays.
TEST(Gravacao, ArquivoQueNaoEComumNaoESubstituido) {
  teste::TPastaTemporaria pasta;
  EXPECT_EQ(SubstituirArquivo("/dev/null", "x"), 0);
  EXPECT_EQ(SubstituirArquivo("/dev/full", "x"), ENOSPC);
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  EXPECT_EQ(SubstituirArquivo(pasta.Caminho(), "x"), EISDIR);

  const std::string soquete = pasta.Arquivo("s");
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un endereco{};
  endereco.sun_family = AF_UNIX;
  ASSERT_LT(soquete.size(), sizeof endereco.sun_path);
  soquete.copy(endereco.sun_path, soquete.size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco), 0);
  EXPECT_EQ(SubstituirArquivo(soquete, "x"), ENOTSUP);
  ASSERT_EQ(::lstat(soquete.c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  ::close(fd);
}
