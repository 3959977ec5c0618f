// caudalente-calc --relatorio/--pdf: the page of a trace carries the same
// statistics as the calculator's JSON and the project's values as the file
// holds them; the chart picture sits beside it; the PDF holds both pictures.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "Exemplos.h"
#include "project/ProjetoExemplo.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/Win1252.h"

namespace {

const std::string kCalc = std::string(CAUDALENTE_BINARY_DIR) + "/bin/caudalente-calc";

struct TRodada {
  int codigo = -1;
  std::string saida, erro;
};

TRodada Rodar(const std::vector<std::string>& args) {
  teste::TPastaTemporaria pasta;
  std::string cmd = "env -u LANG -u LC_NUMERIC LC_ALL=C.UTF-8 '" + kCalc + "'";
  for (const std::string& a : args) cmd += " '" + a + "'";
  cmd += " > " + pasta.Arquivo("out") + " 2> " + pasta.Arquivo("err");
  TRodada r;
  const int status = std::system(cmd.c_str());
  r.codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.saida = teste::LerBytes(pasta.Arquivo("out"));
  r.erro = teste::LerBytes(pasta.Arquivo("err"));
  return r;
}

double Campo(const std::string& json, const std::string& nome) {
  std::smatch m;
  if (!std::regex_search(json, m, std::regex("\"" + nome + "\":([-+0-9.eE]+)"))) return -1;
  return std::stod(m[1]);
}

std::string Virgula(const char* padrao, double valor) {
  return toolkit::FormatarNumero(padrao, valor, ',');
}

struct TCaso {
  const char* projeto;
  std::vector<std::string> opcoes;
  const char* encosta;  // the hillslope heading
  const char* legenda;  // start of the chart caption
};

class RelatorioCalc : public ::testing::TestWithParam<TCaso> {};

TEST_P(RelatorioCalc, PaginaConfereComOJsonEOProjeto) {
  ASSERT_EQ(access(kCalc.c_str(), X_OK), 0) << kCalc << " is not built";
  const TCaso& c = GetParam();
  const std::string projeto = teste::PastaFonte() + "/data/exemplos/" + c.projeto;
  teste::TPastaTemporaria pasta;
  std::vector<std::string> args{projeto};
  args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
  const TRodada json = Rodar(args);
  ASSERT_EQ(json.codigo, 0) << json.erro;

  args.insert(args.end(), {"--relatorio", pasta.Arquivo("r.html"), "--pdf", pasta.Arquivo("r.pdf")});
  const TRodada rel = Rodar(args);
  if (rel.codigo == 2 && rel.erro.find("não gera relatórios") != std::string::npos)
    GTEST_SKIP() << "calculator built without the windows";
  ASSERT_EQ(rel.codigo, 0) << rel.erro;
  EXPECT_EQ(rel.saida, "");
  EXPECT_EQ(rel.erro, "");

  const std::string pagina = toolkit::Win1252ParaUtf8(teste::LerBytes(pasta.Arquivo("r.html")));
  const std::string& j = json.saida;
  // A hillslope hydrograph is per metre of width.
  const bool canal = std::find(c.opcoes.begin(), c.opcoes.end(), "--coluna") != c.opcoes.end();
  for (const std::string& esperado :
       {"1. Vazão máxima: </B>" + Virgula("0.0#", Campo(j, "VazaoMaxima")) + (canal ? " L/s<" : " L/s.m<"),
        "2. Tempo de ocorrência: </B>" + Virgula("0.0#", Campo(j, "TempoPico")) + " min",
        "3. Volume de escoamento superficial: </B>" + Virgula("0.0#", Campo(j, "Volume")) +
            (canal ? " L<" : " L/m<"),
        "4. Profundidade máxima: </B>" + Virgula("0.0", Campo(j, "Profundidade") * 100) + " cm",
        "5. Velocidade máxima: </B>" + Virgula("0.0", Campo(j, "Velocidade") * 100) + " cm/s"})
    EXPECT_NE(pagina.find(esperado), std::string::npos) << esperado;

  TProjeto p;
  {
    toolkit::TRegionalTemporario regional(toolkit::RegionalC());
    p.Limpar();
    ASSERT_TRUE(LerProjeto(projeto, p));
  }
  const auto& chuva = p.Nimbora.Precipitacao();
  const std::string u = p.Unidades.UnidadeDeclividade;
  for (const std::string& esperado :
       {"K: </B>" + Virgula("#.0######", chuva.K()) + "</TD>", "c: </B>" + Virgula("#0.0######", chuva.C()),
        "T: </B>" + Virgula("0.0#", chuva.Tr()) + " anos", "Latitude: </B>" + p.Nimbora.Latitude + "</TD>",
        "Estado: </B>" + p.Nimbora.StrEstado + "</TD>",
        "Declividade: </B>" + Virgula("0.0######", p.Canal.Sc() * p.Unidades.FatorDeclividade) + " " + u,
        "Rugosidade: </B>" + Virgula("0.0######", p.Canal.nc.Valor) + "</TD>", std::string(c.encosta),
        std::string(c.legenda)})
    EXPECT_NE(pagina.find(esperado), std::string::npos) << esperado;

  // The chart picture beside the page, at the size the page gives it.
  const std::string bmp = teste::LerBytes(pasta.Arquivo("r.bmp"));
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_NE(pagina.find("<IMG SRC=\"" + pasta.Arquivo("r.bmp") + "\" HEIGHT="), std::string::npos);

  const std::string pdf = teste::LerBytes(pasta.Arquivo("r.pdf"));
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  size_t imagens = 0;
  for (size_t i = pdf.find("/Subtype /Image"); i != std::string::npos; i = pdf.find("/Subtype /Image", i + 1))
    ++imagens;
  EXPECT_GE(imagens, 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Exemplos, RelatorioCalc,
    ::testing::Values(TCaso{"encosta_regular.cdt",
                            {},
                            "3. Encosta: regular</B>",
                            "<CENTER><B>Caudalente na encosta para um comprimento de "},
                      TCaso{"encosta_irregular.cdt",
                            {"--coluna", "100"},
                            " trechos</B>",
                            "<CENTER><B>Caudalente no canal para um comprimento de 100 m</B>"}),
    [](const ::testing::TestParamInfo<TCaso>& info) {
      return info.param.opcoes.empty() ? std::string("EncostaRegular")
                                       : std::string("CanalDeEncostaIrregular");
    });

}  // namespace
