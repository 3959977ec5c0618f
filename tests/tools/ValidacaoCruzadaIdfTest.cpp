// The leave-one-out table of the two IDF estimates: the help page holds the
// tool's output over the delivered database as it is, and the estimate from
// interpolated intensities misses less than the one from coefficients.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "common/PastaTemporaria.h"

namespace {

const std::string kFonte = CAUDALENTE_SOURCE_DIR;

TEST(ValidacaoCruzadaIdf, PaginaDaAjudaMostraASaidaDaFerramenta) {
  teste::TPastaTemporaria pasta;
  const std::string cmd = "'" + std::string(CAUDALENTE_BINARY_DIR) + "/bin/idf-validacao-cruzada' --html '" +
                          kFonte + "/data/Arquivos Comuns/' > " + pasta.Arquivo("out");
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string tabela = teste::LerBytes(pasta.Arquivo("out"));
  ASSERT_NE(tabela.find("</table>"), std::string::npos) << tabela;
  const std::string pagina = teste::LerBytes(kFonte + "/data/ajuda/estimativas_idf.html");
  EXPECT_NE(
      pagina.find("<!-- tabela: idf-validacao-cruzada --html -->\n" + tabela + "<!-- fim da tabela -->"),
      std::string::npos)
      << "regenerate the table of data/ajuda/estimativas_idf.html:\n"
      << tabela;

  // Each row: Tr, t, then median, 90 % and worst of each estimate.
  const std::regex linha(
      "<tr><td>(\\d+)</td><td>(\\d+)</td><td>([0-9,]+) %</td><td>([0-9,]+) %</td><td>[0-9,]+ %</td>"
      "<td>([0-9,]+) %</td><td>([0-9,]+) %</td>");
  auto numero = [](std::string s) {
    for (char& ch : s)
      if (ch == ',') ch = '.';
    return std::stod(s);
  };
  int linhas = 0;
  for (auto it = std::sregex_iterator(tabela.begin(), tabela.end(), linha); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    ++linhas;
    EXPECT_LT(numero(m[5]), numero(m[3])) << m[0];
    EXPECT_LT(numero(m[6]), numero(m[4])) << m[0];
  }
  EXPECT_EQ(linhas, 6);
}

}  // namespace
