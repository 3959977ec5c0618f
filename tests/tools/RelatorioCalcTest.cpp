// caudalente-calc --relatorio/--pdf: the page of a trace carries the same
// statistics as the calculator's JSON and the project's values as the file
// holds them; the chart picture sits beside it; the PDF holds both pictures.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "ExecucaoCalculadora.h"
#include "Exemplos.h"
#include "project/ProjetoExemplo.h"
#include "toolkit/FormatoNumero.h"
#include "toolkit/Regional.h"
#include "toolkit/Win1252.h"

namespace {

using teste::Campo;

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
  ASSERT_EQ(access(teste::Calculadora().c_str(), X_OK), 0) << teste::Calculadora() << " is not built";
  const TCaso& c = GetParam();
  const std::string projeto = teste::PastaFonte() + "/data/exemplos/" + c.projeto;
  teste::TPastaTemporaria pasta;
  std::vector<std::string> args{projeto};
  args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
  const teste::TExecucao json = teste::Executar(args);
  ASSERT_EQ(json.codigo, 0) << json.erro;

  args.insert(args.end(), {"--relatorio", pasta.Arquivo("r.html"), "--pdf", pasta.Arquivo("r.pdf")});
  const teste::TExecucao rel = teste::Executar(args);
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
  EXPECT_NE(pagina.find("<IMG SRC=\"r.bmp\" HEIGHT="), std::string::npos);

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

bool SemRelatorios(const teste::TExecucao& r) {
  return r.codigo == 2 && r.erro.find("não gera relatórios") != std::string::npos;
}

// A folder outside ASCII and a page name with characters an address reads
// otherwise: the page names its picture by its own encoded name, the PDF
// holds the chart, and the project's texts stay text.
TEST(RelatorioCalcArquivos, NomesForaDoAsciiETextosDoProjeto) {
  ASSERT_EQ(access(teste::Calculadora().c_str(), X_OK), 0) << teste::Calculadora() << " is not built";
  teste::TPastaTemporaria pasta;
  const std::string sub = pasta.Arquivo("日本");
  ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
  TProjeto p;
  teste::ExemploRegular(p);
  p.Nimbora.StrCidade = "<IMG SRC=\"" + pasta.Arquivo("local.png") + "\">";
  p.Nimbora.StrEstado = "\"><script>alert(1)</script> & cia";
  const std::string projeto = pasta.Arquivo("p.cdt");
  {
    toolkit::TRegionalTemporario regional(toolkit::RegionalC());
    GravarProjeto(projeto, p);
  }
  const teste::TExecucao r =
      teste::Executar({projeto, "--relatorio", sub + "/relatório #1.html", "--pdf", sub + "/r.pdf"});
  if (SemRelatorios(r)) GTEST_SKIP() << "calculator built without the windows";
  ASSERT_EQ(r.codigo, 0) << r.erro;

  const std::string pagina = toolkit::Win1252ParaUtf8(teste::LerBytes(sub + "/relatório #1.html"));
  EXPECT_NE(pagina.find("<IMG SRC=\"relat%C3%B3rio %231.bmp\" HEIGHT="), std::string::npos);
  EXPECT_EQ(teste::LerBytes(sub + "/relatório #1.bmp").substr(0, 2), "BM");
  EXPECT_NE(pagina.find("Localidade: </B>&lt;IMG SRC=\"" + pasta.Arquivo("local.png") + "\"&gt;</TD>"),
            std::string::npos);
  EXPECT_NE(pagina.find("Estado: </B>\"&gt;&lt;script&gt;alert(1)&lt;/script&gt; &amp; cia</TD>"),
            std::string::npos);
  EXPECT_EQ(pagina.find("<script"), std::string::npos);

  // The chart at the size the page gives it, not a placeholder.
  std::smatch m;
  ASSERT_TRUE(std::regex_search(pagina, m, std::regex("%231.bmp\" HEIGHT=([0-9]+) WIDTH=([0-9]+)>")));
  const std::string pdf = teste::LerBytes(sub + "/r.pdf");
  EXPECT_NE(pdf.find("/Width " + m[2].str() + "\n/Height " + m[1].str()), std::string::npos);
}

// Every output is written whole or not at all and a failed one is no
// success; what is not a regular file is written in place, never replaced.
TEST(RelatorioCalcArquivos, FalhasEArquivosQueNaoSaoComuns) {
  ASSERT_EQ(access(teste::Calculadora().c_str(), X_OK), 0) << teste::Calculadora() << " is not built";
  teste::TPastaTemporaria pasta;
  const std::string projeto = teste::PastaFonte() + "/data/exemplos/encosta_regular.cdt";
  const std::string semPasta = pasta.Arquivo("nao/ha");
  struct Caso {
    std::vector<std::string> opcoes;
    std::string mensagem;
  };
  const Caso casos[] = {
      {{"--pdf", "/dev/full"}, "Não foi possível gravar o arquivo /dev/full (disco cheio).\n"},
      {{"--relatorio", semPasta + "/r.html"},
       "Não foi possível gravar o arquivo " + semPasta + "/r.bmp (pasta inexistente).\n"},
      {{"--pdf", pasta.Caminho()},
       "Não foi possível gravar o arquivo " + pasta.Caminho() + " (o nome é de uma pasta).\n"},
  };
  for (const Caso& c : casos) {
    std::vector<std::string> args{projeto};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    const teste::TExecucao r = teste::Executar(args);
    if (SemRelatorios(r)) GTEST_SKIP() << "calculator built without the windows";
    EXPECT_EQ(r.codigo, 1) << c.mensagem;
    EXPECT_EQ(r.erro, c.mensagem);
  }

  // A folder that cannot be written (root writes anywhere): the old PDF stays whole.
  if (geteuid() != 0) {
    const std::string fechada = pasta.Arquivo("fechada");
    ASSERT_EQ(mkdir(fechada.c_str(), 0755), 0);
    teste::GravarBytes(fechada + "/r.pdf", "velho");
    ASSERT_EQ(chmod(fechada.c_str(), 0555), 0);
    const teste::TExecucao r = teste::Executar({projeto, "--pdf", fechada + "/r.pdf"});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erro, "Não foi possível gravar o arquivo " + fechada + "/r.pdf (permissão negada).\n");
    EXPECT_EQ(teste::LerBytes(fechada + "/r.pdf"), "velho");
    chmod(fechada.c_str(), 0755);
  }

  const teste::TExecucao nulo = teste::Executar({projeto, "--pdf", "/dev/null"});
  EXPECT_EQ(nulo.codigo, 0) << nulo.erro;
  struct stat st {};
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  // A pipe with a reader gets the PDF through it and stays a pipe.
  const std::string fila = pasta.Arquivo("fila");
  ASSERT_EQ(mkfifo(fila.c_str(), 0600), 0);
  const std::string lido = pasta.Arquivo("lido.pdf");
  ASSERT_EQ(std::system(("cat '" + fila + "' > '" + lido + "' &").c_str()), 0);
  const teste::TExecucao r = teste::Executar({projeto, "--pdf", fila});
  EXPECT_EQ(r.codigo, 0) << r.erro;
  ASSERT_EQ(lstat(fila.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  std::string pdf;
  for (int i = 0; i < 100 && pdf.find("%%EOF") == std::string::npos; ++i) {
    usleep(50000);
    pdf = teste::LerBytes(lido);
  }
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  // Should the run have failed before opening the pipe, the reader still
  // waits for a writer: one that writes nothing lets it end.
  const int fd = open(fila.c_str(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) close(fd);
}

}  // namespace
