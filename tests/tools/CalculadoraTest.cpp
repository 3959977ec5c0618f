// The command-line calculator, run as users run it: exit codes, messages,
// and hydrographs checked against the physics of the example projects.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <sstream>
#include <string>

#include "ExecucaoCalculadora.h"
#include "Exemplos.h"
#include "common/NomeDoCaso.h"
#include "common/Tolerancia.h"
#include "model/SolucaoCaracteristicas.h"
#include "project/ProjetoExemplo.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

namespace {

using teste::Campo;
using teste::Executar;
using teste::Pontos;
using teste::TExecucao;

class Calculadora : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(access(teste::Calculadora().c_str(), X_OK), 0) << teste::Calculadora() << " is not built";
  }
  std::string Exemplo(const char* nome) { return teste::PastaFonte() + "/data/exemplos/" + nome; }
  // The project p written under C settings into the folder.
  std::string Gravar(TProjeto& p, const std::string& nome = "p.cdt") {
    toolkit::TRegionalTemporario r(toolkit::RegionalC());
    const std::string arquivo = pasta_.Arquivo(nome);
    GravarProjeto(arquivo, p);
    return arquivo;
  }
  teste::TPastaTemporaria pasta_;
};

TEST_F(Calculadora, AjudaEUsoIncorreto) {
  const TExecucao ajuda = Executar({"--help"});
  EXPECT_EQ(ajuda.codigo, 0);
  EXPECT_NE(ajuda.saida.find("Uso: caudalente-calc PROJETO.cdt"), std::string::npos);

  const std::string regular = Exemplo("encosta_regular.cdt");
  const std::vector<std::vector<std::string>> errados = {
      {},
      {"--linha", "3"},
      {regular, "--nada"},
      {regular, "--linha"},
      {regular, "--linha", "abc"},
      {regular, "--linha", "0"},
      {regular, "--linha", "-4"},
      {regular, "--coluna", "2.5"},
      {regular, "--formato", "xml"},
      {regular, "--formato", "binario"},
      {regular, regular},
      {regular, "--linha", "121"},   // 60 m: 120 lines
      {regular, "--coluna", "151"},  // 150 m: 150 columns
  };
  // Repeated options, and options the report has no use for: the usage too.
  const std::vector<std::vector<std::string>> conflitantes = {
      {regular, "--linha", "3", "--linha", "4"},
      {regular, "--metodo=original", "--metodo", "convergido"},
      {regular, "--formato", "texto", "--relatorio", pasta_.Arquivo("r.html")},
      {regular, "--formato", "binario", "--pdf", pasta_.Arquivo("r.pdf")},
      {regular, "--saida", pasta_.Arquivo("h.json"), "--pdf", pasta_.Arquivo("r.pdf")},
      {regular, "--pdf", pasta_.Arquivo("a.pdf"), "--pdf=" + pasta_.Arquivo("b.pdf")},
  };
  for (const auto& args : errados) {
    const TExecucao e = Executar(args);
    std::string linha;
    for (const auto& a : args) linha += a + " ";
    EXPECT_EQ(e.codigo, 2) << linha << e.erro;
    EXPECT_FALSE(e.erro.empty()) << linha;
    EXPECT_TRUE(e.saida.empty()) << linha;
  }
  for (const auto& args : conflitantes) {
    const TExecucao e = Executar(args);
    std::string linha;
    for (const auto& a : args) linha += a + " ";
    EXPECT_EQ(e.codigo, 2) << linha << e.erro;
    EXPECT_NE(e.erro.find("Uso: caudalente-calc"), std::string::npos) << linha << e.erro;
    EXPECT_TRUE(e.saida.empty()) << linha;
  }
  for (const char* nome : {"r.html", "r.pdf", "h.json", "a.pdf", "b.pdf"})
    EXPECT_NE(access(pasta_.Arquivo(nome).c_str(), F_OK), 0) << nome;
  EXPECT_EQ(Executar({regular, "--linha=120", "--coluna=150"}).codigo, 0);
}

TEST_F(Calculadora, ProjetoIlegivelOuIncorreto) {
  const TExecucao falta = Executar({pasta_.Arquivo("nao_existe.cdt")});
  EXPECT_EQ(falta.codigo, 1);
  EXPECT_NE(falta.erro.find("não existe"), std::string::npos);

  // A folder or a device is no project, and is not said to be missing.
  for (const auto& [caminho, mensagem] :
       {std::pair{pasta_.Caminho(), pasta_.Caminho() + " é uma pasta, não um arquivo de projeto.\n"},
        std::pair<std::string, std::string>{
            "/dev/null",
            "/dev/null não é um arquivo de projeto: é um dispositivo, uma fila ou um soquete.\n"}}) {
    const TExecucao e = Executar({caminho});
    EXPECT_EQ(e.codigo, 1) << caminho;
    EXPECT_EQ(e.erro, mensagem);
  }

  teste::GravarBytes(pasta_.Arquivo("lixo.cdt"), "[VERSAO]\r\nVersao=7\r\n");
  const TExecucao lixo = Executar({pasta_.Arquivo("lixo.cdt")});
  EXPECT_EQ(lixo.codigo, 1);
  EXPECT_NE(lixo.erro.find("Não existe a versão especificada neste arquivo."), std::string::npos);

  // A reading error as the program's error box shows it, with its closing full stop.
  {
    TProjeto p;
    teste::PreencherProjeto(p, 2);
    const std::string arquivo = Gravar(p);
    std::string texto = teste::LerBytes(arquivo);
    texto.replace(texto.find("IndUso="), 8, "IndUso=9");
    teste::GravarBytes(arquivo, texto);
    const TExecucao e = Executar({arquivo});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erro,
              "Ocorreu um erro ao tentar ler os dados da encosta de número 1 no arquivo " + arquivo + ".\n");
  }

  // The checks of the regular tab for one segment, of the irregular tab for more.
  struct Caso {
    int trechos;
    void (*estragar)(TProjeto&);
    const char* mensagem;
  };
  const Caso casos[] = {
      {1, [](TProjeto& p) { p.Nimbora.Precipitacao().SetTr(0); },
       "  Valor incorreto do tempo de retorno.  \n"},
      {1, [](TProjeto& p) { p.Encosta.Trechos(0).SetVIB(0); },
       "  Valor incorreto da taxa de infiltração estável.  \n"},
      {3, [](TProjeto& p) { p.Encosta.Trechos(1).SetVIB(0); },
       "  Valor incorreto da taxa de infiltração estável para o trecho 2 da encosta.  \n"},
      {0, [](TProjeto&) {}, "  Nenhum trecho definido para a encosta.  \n"},
  };
  for (const Caso& c : casos) {
    TProjeto p;
    teste::PreencherProjeto(p, c.trechos);
    c.estragar(p);
    const TExecucao e = Executar({Gravar(p)});
    EXPECT_EQ(e.codigo, 1) << c.mensagem;
    EXPECT_EQ(e.erro, c.mensagem);
    EXPECT_TRUE(e.saida.empty());
  }
}

// A storm whose excess on a hillslope of infiltration rate Tie mm/h lasts for
// days: about 12,500 min at 50 mm/h, 148,000 min at 8 mm/h.
template <int Tie>
void TempestadeLonga(TProjeto& p) {
  TPrecipitacaoExponencialNegativa& c = p.Nimbora.Precipitacao();
  c.SetK(123456);
  c.SetB(7.9);
  c.SetC(0.74);
  p.Encosta.Trechos(0).SetVIB(Tie);
}

// Absurd values are refused with a sentence that names what is wrong: no
// count wraps, no array is sized by the whole channel, and no library or
// bare floating-point text reaches the user.
TEST_F(Calculadora, ValoresAbsurdosSaoRecusadosComMensagem) {
  struct Caso {
    int trechos;
    void (*estragar)(TProjeto&);
    std::vector<std::string> opcoes;
    int codigo;
    const char* mensagem;  // part of stderr
  };
  const Caso casos[] = {
      {1,
       [](TProjeto& p) { p.Encosta.Trechos(0).SetComprimento(1073741824); },
       {},
       1,
       "A encosta, com 1073741824 m de comprimento, teria 2147483648 linhas"},
      {1,
       [](TProjeto& p) { p.Encosta.Trechos(0).SetComprimento(2147483647); },
       {"--linha", "1"},
       1,
       "teria 4294967294 linhas"},
      {3,
       [](TProjeto& p) { p.Encosta.Trechos(1).SetComprimento(1073741824); },
       {},
       1,
       "O trecho 2 da encosta, com 1073741824 m"},
      {1,
       [](TProjeto& p) { p.Nimbora.Precipitacao().SetC(100000); },
       {},
       1,
       "A intensidade da chuva não pode ser calculada"},
      {1, [](TProjeto& p) { p.Nimbora.Precipitacao().SetC(100000); }, {"--coluna", "2"}, 1, "c = 100000"},
      {1, [](TProjeto& p) { p.Canal.SetComprimento(2000000000); }, {"--coluna", "2"}, 0, ""},
      {1,
       [](TProjeto& p) { p.Canal.SetComprimento(2000000000); },
       {"--coluna", "2000000000"},
       1,
       "Não há memória suficiente para calcular o caudalente na coluna 2000000000 do canal"},
      // Extreme but finite values whose flow law or section overflows.
      {1,
       [](TProjeto& p) { p.Encosta.Trechos(0).nt.Valor = 2.2e-308; },
       {},
       1,
       "  Valor incorreto da rugosidade do terreno: com ele, o coeficiente α"},
      {1,
       [](TProjeto& p) { p.Canal.nc.Valor = 2.2e-308; },
       {"--coluna", "2"},
       1,
       "  Valor incorreto da rugosidade do canal: com ele"},
      {1,
       [](TProjeto& p) { p.Canal.Z.Valor = 1.7e308; },
       {"--formato", "texto"},
       1,
       "  Valor incorreto da declividade da parede do canal trapezoidal: com ele"},
      // Runs that cannot end inside a series are refused before computing.
      {1,
       [](TProjeto& p) {
         p.Encosta.Trechos(0).SetComprimento(32000);
         p.Encosta.Trechos(0).SetVIB(1e-6);
       },
       {},
       1,
       "O caudalente na encosta teria mais de 65535 pontos e não pode ser calculado: a chuva excedente da"
       " encosta vai de t = "},
      {1, TempestadeLonga<50>, {"--coluna", "2"}, 1, "O caudalente no canal teria mais de 65535 pontos"},
      {1, TempestadeLonga<50>, {}, 0, ""},
      {1,
       TempestadeLonga<8>,
       {"--metodo", "convergido"},
       1,
       "O caudalente na encosta não pode ser calculado pelo método convergido"},
  };
  for (const Caso& c : casos) {
    TProjeto p;
    teste::PreencherProjeto(p, c.trechos);
    c.estragar(p);
    std::vector<std::string> args = {Gravar(p)};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    const TExecucao e = Executar(args);
    EXPECT_EQ(e.codigo, c.codigo) << c.mensagem << "\n" << e.erro;
    EXPECT_NE(e.erro.find(c.mensagem), std::string::npos) << e.erro;
    EXPECT_EQ(e.erro.find("std::"), std::string::npos) << e.erro;
    EXPECT_EQ(e.erro.find("Operação de ponto flutuante inválida."), std::string::npos) << e.erro;
    if (c.codigo != 0) {
      EXPECT_TRUE(e.saida.empty()) << e.saida.substr(0, 200);
    }
  }
}

// The same hydrograph whichever separator the project was written with and
// whichever the environment has: the delivered examples (full stop) under
// Brazilian settings, a project written under them, under C.
TEST_F(Calculadora, SeparadorDecimalDoAmbiente) {
  for (const char* exemplo : {"encosta_regular.cdt", "encosta_irregular.cdt"}) {
    const TExecucao c = Executar({Exemplo(exemplo), "--coluna", "50"}, "C.UTF-8");
    ASSERT_EQ(c.codigo, 0) << c.erro;
    const TExecucao br = Executar({Exemplo(exemplo), "--coluna", "50"}, "pt_BR.UTF-8");
    EXPECT_EQ(br.codigo, 0) << br.erro;
    EXPECT_EQ(br.saida, c.saida) << exemplo;
  }
  TProjeto p;
  teste::ExemploRegular(p);
  const std::string arquivo = pasta_.Arquivo("br.cdt");
  {
    toolkit::TRegionalTemporario r(toolkit::RegionalPtBr());
    GravarProjeto(arquivo, p);
  }
  const std::string bytes = teste::LerBytes(arquivo);
  ASSERT_NE(bytes.find(','), std::string::npos);
  const TExecucao br = Executar({arquivo}, "pt_BR.UTF-8");
  EXPECT_EQ(br.codigo, 0) << br.erro;
  const TExecucao c = Executar({arquivo}, "C.UTF-8");
  EXPECT_EQ(c.codigo, 0) << c.erro;
  EXPECT_EQ(c.saida, br.saida);
  EXPECT_EQ(teste::LerBytes(arquivo), bytes);
}

// The calculator reads as the program does, and reading never writes: an old
// project is computed from its old storm section and stays as it was; a
// damaged one is refused and stays as it was too.
TEST_F(Calculadora, LeituraNaoMudaOArquivo) {
  TProjeto p;
  teste::ExemploRegular(p);
  const std::string novo = Gravar(p, "novo.cdt");
  const TExecucao referencia = Executar({novo});
  ASSERT_EQ(referencia.codigo, 0) << referencia.erro;

  // The same project in the layout of the single-plane era: the storm keys
  // in NIMBORA, written with a full stop and read under Brazilian settings.
  const std::string antigo = pasta_.Arquivo("antigo.cdt");
  teste::GravarBytes(antigo, teste::LerBytes(novo));
  {
    toolkit::TArquivoIni ini(antigo);
    for (const char* secao : {"PRECIPITACAO", "PREC_EXPONENCIAL_NEGATIVA"}) {
      for (const std::string& chave : ini.Chaves(secao))
        if (chave != "Versao") ini.EscreverString("NIMBORA", chave, ini.LerString(secao, chave, ""));
      ini.ApagarSecao(secao);
    }
    ini.SalvarOuErro();
  }
  const std::string bytesAntigo = teste::LerBytes(antigo);
  const TExecucao e = Executar({antigo}, "pt_BR.UTF-8");
  EXPECT_EQ(e.codigo, 0) << e.erro;
  EXPECT_EQ(e.saida, referencia.saida);
  EXPECT_EQ(teste::LerBytes(antigo), bytesAntigo);

  const std::string texto = teste::LerBytes(novo);
  auto trocar = [&](const std::string& de, const std::string& para) {
    std::string t = texto;
    const std::size_t i = t.find(de);
    EXPECT_NE(i, std::string::npos) << de;
    return i == std::string::npos ? t : t.replace(i, de.size(), para);
  };
  const std::string danificados[] = {
      trocar("[PRECIPITACAO]\r\nVersao=2\r\n", "[PRECIPITACAO]\r\n"),
      trocar("[PREC_EXPONENCIAL_NEGATIVA]\r\n", "[PREC_EXPONENCIAL_NEGATIVA]\r"),
      trocar("Count=1", "Count=257"),
      trocar("Count=1", "Count=-255"),
      texto.substr(0, texto.find("[Canal]")) + texto.substr(texto.find("[NIMBORA]")),
  };
  const std::string arquivo = pasta_.Arquivo("danificado.cdt");
  for (const std::string& conteudo : danificados) {
    teste::GravarBytes(arquivo, conteudo);
    const TExecucao d = Executar({arquivo});
    EXPECT_EQ(d.codigo, 1) << conteudo;
    EXPECT_EQ(d.erro, "O projeto " + arquivo + " não pôde ser lido.\n");
    EXPECT_EQ(teste::LerBytes(arquivo), conteudo);
  }
}

// No output takes the place of the project or of another output of the
// run, by its name, a link or another path: refused before anything is
// computed, and nothing changes on disk.
TEST_F(Calculadora, SaidaNoLugarDoProjetoOuDeOutraSaidaERecusada) {
  const std::string projeto = pasta_.Arquivo("p.cdt");
  teste::GravarBytes(projeto, teste::LerBytes(Exemplo("encosta_regular.cdt")));
  const std::string bytes = teste::LerBytes(projeto);
  const std::string elo = pasta_.Arquivo("elo.cdt"), rigido = pasta_.Arquivo("rigido.cdt");
  ASSERT_EQ(symlink(projeto.c_str(), elo.c_str()), 0);
  ASSERT_EQ(link(projeto.c_str(), rigido.c_str()), 0);
  // A project named as the picture a report puts beside its page.
  const std::string figura = pasta_.Arquivo("q.bmp");
  teste::GravarBytes(figura, bytes);
  const std::string r = pasta_.Arquivo("r.html");
  ASSERT_EQ(mkdir(pasta_.Arquivo("sub").c_str(), 0755), 0);

  struct Caso {
    std::vector<std::string> args;
    std::string mensagem;
  };
  const std::string proprio = "é o próprio projeto; escolha outro nome.\n";
  const Caso casos[] = {
      {{projeto, "--saida", projeto}, "O arquivo " + projeto + " (--saida) " + proprio},
      {{projeto, "--formato", "texto", "--saida", elo}, "O arquivo " + elo + " (--saida) " + proprio},
      {{projeto, "--formato=binario", "--saida", rigido}, "O arquivo " + rigido + " (--saida) " + proprio},
      {{elo, "--saida", pasta_.Caminho() + "/sub/../p.cdt"},
       "O arquivo " + pasta_.Caminho() + "/sub/../p.cdt (--saida) " + proprio},
      {{projeto, "--relatorio", projeto}, "O arquivo " + projeto + " (--relatorio) " + proprio},
      {{projeto, "--pdf", elo}, "O arquivo " + elo + " (--pdf) " + proprio},
      {{figura, "--relatorio", pasta_.Arquivo("q.html")},
       "O arquivo " + figura + " (figura do relatório) " + proprio},
      {{projeto, "--relatorio", r, "--pdf", r},
       "O arquivo " + r + " recebe duas saídas (--relatorio e --pdf); escolha nomes diferentes.\n"},
      {{projeto, "--relatorio", r, "--pdf", pasta_.Arquivo("r.bmp")},
       "O arquivo " + pasta_.Arquivo("r.bmp") +
           " recebe duas saídas (figura do relatório e --pdf); escolha nomes diferentes.\n"},
      {{projeto, "--pdf", pasta_.Caminho() + "/sub/../r.html", "--relatorio", r},
       "O arquivo " + pasta_.Caminho() +
           "/sub/../r.html recebe duas saídas (--relatorio e --pdf); escolha nomes diferentes.\n"},
  };
  for (const Caso& c : casos) {
    const TExecucao e = Executar(c.args);
    EXPECT_EQ(e.codigo, 2) << c.mensagem;
    EXPECT_EQ(e.erro, c.mensagem);
    EXPECT_EQ(e.saida, "");
  }
  EXPECT_EQ(teste::LerBytes(projeto), bytes);
  EXPECT_EQ(teste::LerBytes(figura), bytes);
  for (const char* nome : {"r.html", "r.bmp", "q.html"})
    EXPECT_NE(access(pasta_.Arquivo(nome).c_str(), F_OK), 0) << nome;
}

// A write that fails is no success: exit 1 naming the file and the reason,
// whether the output is a file or the standard output.
TEST_F(Calculadora, FalhaDeGravacaoNaoEhSucesso) {
  const std::string regular = Exemplo("encosta_regular.cdt");
  struct Caso {
    std::vector<std::string> opcoes;
    std::string mensagem;
  };
  const std::string semPasta = pasta_.Arquivo("nao/ha");
  const Caso casos[] = {
      {{"--saida", "/dev/full"}, "Não foi possível gravar o arquivo /dev/full (disco cheio).\n"},
      {{"--formato", "texto", "--saida", "/dev/full"},
       "Não foi possível gravar o arquivo /dev/full (disco cheio).\n"},
      {{"--formato", "binario", "--saida", "/dev/full"},
       "Não foi possível gravar o arquivo /dev/full (disco cheio).\n"},
      {{"--saida", semPasta + "/h.json"},
       "Não foi possível gravar o arquivo " + semPasta + "/h.json (pasta inexistente).\n"},
      {{"--formato", "texto", "--saida", pasta_.Caminho()},
       "Não foi possível gravar o arquivo " + pasta_.Caminho() + " (o nome é de uma pasta).\n"},
  };
  for (const Caso& c : casos) {
    std::vector<std::string> args{regular};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    const TExecucao e = Executar(args);
    EXPECT_EQ(e.codigo, 1) << c.mensagem;
    EXPECT_EQ(e.erro, c.mensagem);
  }

  // A folder that cannot be written: the old file stays whole. (Root writes
  // anywhere, so only other users see the refusal.)
  if (geteuid() != 0) {
    const std::string fechada = pasta_.Arquivo("fechada");
    ASSERT_EQ(mkdir(fechada.c_str(), 0755), 0);
    teste::GravarBytes(fechada + "/h.json", "velho");
    ASSERT_EQ(chmod(fechada.c_str(), 0555), 0);
    const TExecucao e = Executar({regular, "--saida", fechada + "/h.json"});
    EXPECT_EQ(e.codigo, 1);
    EXPECT_EQ(e.erro, "Não foi possível gravar o arquivo " + fechada + "/h.json (permissão negada).\n");
    EXPECT_EQ(teste::LerBytes(fechada + "/h.json"), "velho");
    chmod(fechada.c_str(), 0755);
  }

  // The standard output on a full disk.
  for (const char* formato : {"json", "texto"}) {
    const std::string erro = pasta_.Arquivo("erro");
    const std::string cmd = "env -u LANG -u LC_NUMERIC LC_ALL=C.UTF-8 " + teste::Aspas(teste::Calculadora()) +
                            " " + teste::Aspas(regular) + " --formato " + formato + " > /dev/full 2> " +
                            teste::Aspas(erro);
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << formato;
    EXPECT_EQ(WEXITSTATUS(status), 1) << formato;
    EXPECT_EQ(teste::LerBytes(erro), "Não foi possível escrever na saída padrão (disco cheio).\n");
  }
}

// Huge name or coordinate texts in a project are refused on reading, at once.
TEST_F(Calculadora, TextoEnormeNoProjetoERecusado) {
  TProjeto p;
  teste::ExemploRegular(p);
  p.Nimbora.StrCidade = std::string(1 << 20, 'V');
  const TExecucao cidade = Executar({Gravar(p)});
  EXPECT_EQ(cidade.codigo, 1);
  EXPECT_EQ(cidade.erro, "O campo Localidade do projeto tem 1048576 caracteres; o máximo é 256.\n");
  teste::ExemploRegular(p);
  p.Nimbora.Latitude = std::string(200000, '9');
  const TExecucao latitude = Executar({Gravar(p), "--pdf", pasta_.Arquivo("r.pdf")});
  EXPECT_EQ(latitude.codigo, 1);
  EXPECT_EQ(latitude.erro, "O campo Latitude do projeto tem 200000 caracteres; o máximo é 256.\n");
  EXPECT_NE(access(pasta_.Arquivo("r.pdf").c_str(), F_OK), 0);
}

struct CasoEncosta {
  const char* exemplo;
  void (*construir)(TProjeto&);
  int linha;            // 0: the foot
  int trecho;           // segment of that line (0-based)
  double contribuinte;  // m of hillslope above the line
  // The local runoff of a lower segment peaks before the water from above
  // arrives; the clean-up may then take the second rise for noise.
  bool limpezaAtua;
};

class HidrogramaDaEncosta : public Calculadora, public ::testing::WithParamInterface<CasoEncosta> {};

TEST_P(HidrogramaDaEncosta, ConfereComAFisica) {
  const CasoEncosta& c = GetParam();
  TProjeto p;
  c.construir(p);
  std::vector<std::string> args{Exemplo(c.exemplo)};
  if (c.linha > 0) args.insert(args.end(), {"--linha", std::to_string(c.linha)});
  const TExecucao e = Executar(args);
  ASSERT_EQ(e.codigo, 0) << e.erro;
  const auto pontos = Pontos(e.saida);
  ASSERT_GE(pontos.size(), 3u);
  const TEncostaCinematica& t = p.Encosta.Trechos(c.trecho);

  EXPECT_EQ(Campo(e.saida, "Local"), 1);
  EXPECT_REL_NEAR(Campo(e.saida, "Alfa"), std::sqrt(t.St()) / t.nt.Valor, 1e-15);
  EXPECT_REL_NEAR(Campo(e.saida, "Expoente"), 5.0 / 3.0, 1e-15);

  // The statistics are the solver's; the recession clean-up that follows only
  // ever lowers points. Where it changed nothing, the peak is that of the points.
  double qmax = 0, tpico = 0;
  for (const auto& [tempo, q] : pontos) {
    EXPECT_GE(q, 0);
    if (q > qmax) qmax = q, tpico = tempo;
  }
  const double vazaoMaxima = Campo(e.saida, "VazaoMaxima");
  EXPECT_GE(vazaoMaxima, qmax);
  if (!c.limpezaAtua) {
    EXPECT_REL_NEAR(vazaoMaxima, qmax, 1e-15);
    EXPECT_REL_NEAR(Campo(e.saida, "TempoPico"), tpico, 1e-15);
  }

  // Depth and velocity at the peak by the flow law q = Alfa·h^(5/3).
  const double h = std::pow(vazaoMaxima / 1000 / Campo(e.saida, "Alfa"), 0.6);
  EXPECT_REL_NEAR(Campo(e.saida, "Profundidade"), h, 1e-12);
  EXPECT_REL_NEAR(Campo(e.saida, "Velocidade"), vazaoMaxima / 1000 / h, 1e-12);

  // Runoff depth: volume per metre of width over the contributing length.
  const double volume = Campo(e.saida, "Volume");
  EXPECT_REL_NEAR(Campo(e.saida, "Lamina"), volume / 1000 / c.contribuinte, 1e-12);

  // No more water than the storm's excess over the slowest soil can bring:
  // the peak is below (I(0) − VIB)·L/3600 L/s per metre and the volume below
  // the rain depth of the run over the contributing area.
  auto& chuva = p.Nimbora.Precipitacao();
  double vibMinima = 1e300;
  for (int i = 0; i <= c.trecho; ++i) vibMinima = std::min(vibMinima, p.Encosta.Trechos(i).VIB());
  EXPECT_LT(vazaoMaxima, (chuva.IntensidadeInstantanea(0) - vibMinima) * c.contribuinte / 3600);
  EXPECT_GT(volume, 0);
  EXPECT_LT(volume, chuva.Altura(pontos.back().first) * c.contribuinte);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, HidrogramaDaEncosta,
    ::testing::Values(CasoEncosta{"encosta_regular.cdt", teste::ExemploRegular, 0, 0, 60, false},
                      CasoEncosta{"encosta_regular.cdt", teste::ExemploRegular, 50, 0, 25, false},
                      CasoEncosta{"encosta_irregular.cdt", teste::ExemploIrregular, 0, 2, 120, false},
                      // 30 m (100 lines of 0.3 m), then 50 m (100 lines of 0.5 m): line 150 is 55 m down.
                      CasoEncosta{"encosta_irregular.cdt", teste::ExemploIrregular, 150, 1, 55, true},
                      CasoEncosta{"encosta_irregular.cdt", teste::ExemploIrregular, 50, 0, 15, false}),
    [](const ::testing::TestParamInfo<CasoEncosta>& info) {
      const std::string exemplo = info.param.exemplo;
      return teste::NomeDeTeste(exemplo.substr(0, exemplo.find('.'))) +
             (info.param.linha > 0 ? "_linha" + std::to_string(info.param.linha) : "_pe");
    });

TEST_F(Calculadora, HidrogramaDoCanal) {
  for (auto [exemplo, construir] : {std::pair{"encosta_regular.cdt", teste::ExemploRegular},
                                    std::pair{"encosta_irregular.cdt", teste::ExemploIrregular}}) {
    SCOPED_TRACE(exemplo);
    TProjeto p;
    construir(p);
    double comprimento = 0;
    for (int i = 0; i < p.Encosta.Count(); ++i) comprimento += p.Encosta.Trechos(i).Comprimento();
    const TExecucao encosta = Executar({Exemplo(exemplo)});
    ASSERT_EQ(encosta.codigo, 0);
    const double volumeEncosta = Campo(encosta.saida, "Volume");

    double picoAnterior = 0;
    for (int coluna : {25, 100, p.Canal.Comprimento()}) {
      const TExecucao e = Executar({Exemplo(exemplo), "--coluna", std::to_string(coluna)});
      ASSERT_EQ(e.codigo, 0) << e.erro;
      EXPECT_EQ(Campo(e.saida, "Local"), 2);
      // Every metre of channel takes in one metre of hillslope's runoff.
      const double volume = Campo(e.saida, "Volume");
      EXPECT_REL_NEAR(volume, coluna * volumeEncosta, 0.01) << "coluna " << coluna;
      EXPECT_REL_NEAR(Campo(e.saida, "Lamina"), volume / 1000 / (coluna * comprimento), 1e-12);
      // Further down the channel, more water.
      const double pico = Campo(e.saida, "VazaoMaxima");
      EXPECT_GT(pico, picoAnterior);
      picoAnterior = pico;
    }
  }
}

TEST_F(Calculadora, FormatosDeArquivo) {
  const std::string regular = Exemplo("encosta_regular.cdt");
  const TExecucao json = Executar({regular});
  const size_t n = Pontos(json.saida).size();

  const TExecucao texto = Executar({regular, "--formato", "texto"});
  ASSERT_EQ(texto.codigo, 0);
  size_t linhas = 0;
  for (size_t i = texto.saida.find("\r\n"); i != std::string::npos; i = texto.saida.find("\r\n", i + 2))
    ++linhas;
  EXPECT_EQ(linhas, n + 1) << "a header line and one line per point";

  const std::string arquivoTexto = pasta_.Arquivo("h.txt");
  EXPECT_EQ(Executar({regular, "--formato", "texto", "--saida", arquivoTexto}).codigo, 0);
  EXPECT_EQ(teste::LerBytes(arquivoTexto), texto.saida);

  const std::string binario = pasta_.Arquivo("h.bin");
  const TExecucao b = Executar({regular, "--formato=binario", "--saida=" + binario});
  EXPECT_EQ(b.codigo, 0) << b.erro;
  EXPECT_TRUE(b.saida.empty());
  EXPECT_EQ(teste::LerBytes(binario).substr(0, 11),
            "\x0A"
            "Caudalente");

  const std::string arquivoJson = pasta_.Arquivo("h.json");
  EXPECT_EQ(Executar({regular, "--saida", arquivoJson}).codigo, 0);
  EXPECT_EQ(teste::LerBytes(arquivoJson), json.saida);
}

TEST_F(Calculadora, SemEscoamento) {
  TProjeto p;
  teste::ExemploRegular(p);
  p.Encosta.Trechos(0).SetVIB(500);  // more than the storm's strongest intensity
  const std::string arquivo = Gravar(p);
  for (const char* formato : {"json", "texto"}) {
    const TExecucao e = Executar({arquivo, "--formato", formato});
    EXPECT_EQ(e.codigo, 3) << formato;
    EXPECT_NE(e.erro.find("Não houve escoamento superficial para o local desejado."), std::string::npos);
    if (std::string(formato) == "json") {
      EXPECT_EQ(e.saida.rfind("{\"pontos\":[],", 0), 0u) << e.saida;
    } else {
      EXPECT_TRUE(e.saida.empty());
    }
  }
}

TEST_F(Calculadora, ConsultaAoBancoDeChuvas) {
  const TExecucao e = Executar({"--idf-estacoes", "Minas Gerais"});
  EXPECT_EQ(e.codigo, 0) << e.erro;
  EXPECT_NE(e.saida.find("Viçosa"), std::string::npos);
}

// The original method, named or not, against the independent reference: the
// rows are what tests/tools/referencia/valores_exemplos.py prints (points,
// peak, its time, volume, last time, and the sum of the discharges, which
// moves if any single point does). The reference evaluates the same
// expressions in the same order, so the values agree to the last bit.
TEST_F(Calculadora, MetodoOriginalConfereComAReferencia) {
  struct Caso {
    const char* exemplo;
    std::vector<std::string> opcoes;
    std::size_t pontos;
    double vazaoMaxima, tempoPico, volume, ultimoTempo, somaVazoes;
  };
  const Caso casos[] = {
      {"encosta_regular.cdt",
       {},
       313,
       1.7943637697354724,
       10.70340519018879,
       2650.4371300814805,
       96.50340519018823,
       147.24276022028565},
      {"encosta_regular.cdt",
       {"--linha", "50"},
       277,
       0.8376573570072056,
       7.703405190188783,
       1110.4357307106147,
       85.70340519018833,
       61.61361322483701},
      {"encosta_regular.cdt",
       {"--coluna", "150"},
       1702,
       262.9169295559776,
       12.323405190188796,
       397478.6156752734,
       105.02340519019126,
       110410.72629823699},
      {"encosta_irregular.cdt",
       {},
       412,
       2.702855788397392,
       9.177748528067609,
       4068.167378320756,
       124.97774852806678,
       225.8202619656826},
      {"encosta_irregular.cdt",
       {"--linha", "150"},
       242,
       1.2082038605909848,
       10.91453886120674,
       1525.9575292706713,
       73.3145388612064,
       117.99307739115332},
      {"encosta_irregular.cdt",
       {"--coluna", "100"},
       2368,
       264.36488452785136,
       10.79774852806761,
       406667.3611402922,
       143.75774852807155,
       112963.15363692574},
  };
  for (const Caso& c : casos) {
    std::vector<std::string> args{Exemplo(c.exemplo)};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    SCOPED_TRACE(args.back());
    const TExecucao e = Executar(args);
    ASSERT_EQ(e.codigo, 0) << e.erro;
    const auto pontos = Pontos(e.saida);
    ASSERT_EQ(pontos.size(), c.pontos);
    EXPECT_EQ(Campo(e.saida, "VazaoMaxima"), c.vazaoMaxima);
    EXPECT_EQ(Campo(e.saida, "TempoPico"), c.tempoPico);
    EXPECT_EQ(Campo(e.saida, "Volume"), c.volume);
    EXPECT_EQ(pontos.back().first, c.ultimoTempo);
    double soma = 0;
    for (const auto& ponto : pontos) soma += ponto.second;
    EXPECT_EQ(soma, c.somaVazoes);

    // The method named gives the same bytes, in every format.
    for (const char* formato : {"json", "texto"}) {
      std::vector<std::string> comFormato = args;
      comFormato.insert(comFormato.end(), {"--formato", formato});
      const std::string semNome = Executar(comFormato).saida;
      comFormato.insert(comFormato.end(), {"--metodo", "original"});
      EXPECT_EQ(Executar(comFormato).saida, semNome) << formato;
    }
  }
  EXPECT_EQ(Executar({Exemplo("encosta_regular.cdt"), "--metodo", "exato"}).codigo, 2);
}

// The converged method on single planes against the exact solution by
// characteristics, through the project file as users run it.
TEST_F(Calculadora, MetodoConvergidoNumPlano) {
  struct Caso {
    int comprimento;
    double st, nt, vib;
  };
  for (const Caso& c : {Caso{40, 0.05, 0.03, 20}, Caso{90, 0.02, 0.15, 45}}) {
    SCOPED_TRACE(c.comprimento);
    TProjeto p;
    teste::ExemploRegular(p);
    TEncostaCinematica& t = p.Encosta.Trechos(0);
    t.SetComprimento(c.comprimento);
    t.SetSt(c.st);
    t.nt = TReal(c.nt, 0);
    t.SetVIB(c.vib);
    const TExecucao e = Executar({Gravar(p), "--metodo", "convergido"});
    ASSERT_EQ(e.codigo, 0) << e.erro;
    EXPECT_NE(e.saida.find("\"Metodo\":\"convergido\"}"), std::string::npos);

    auto& chuva = p.Nimbora.Precipitacao();
    const teste::TSolucaoCaracteristicas exata(chuva, TempoAbstracaoInicial(t, chuva), c.vib, t.Alfa(),
                                               c.comprimento);
    double pico, tempoPico;
    exata.Pico(pico, tempoPico);
    EXPECT_REL_NEAR(Campo(e.saida, "VazaoMaxima"), pico, 0.005);
    EXPECT_NEAR(Campo(e.saida, "TempoPico"), tempoPico, 0.05);
    EXPECT_REL_NEAR(Campo(e.saida, "Volume"), exata.Volume(), 0.01);
    EXPECT_REL_NEAR(Campo(e.saida, "Lamina"), Campo(e.saida, "Volume") / 1000 / c.comprimento, 1e-12);
  }
}

// A converged run that settled carries its estimated errors and
// "Convergiu":true and stays quiet; the original method's output has no such
// keys.
TEST_F(Calculadora, MetodoConvergidoDizSeAssentou) {
  const std::string projeto = Exemplo("encosta_regular.cdt");
  const TExecucao convergido = Executar({projeto, "--metodo", "convergido"});
  ASSERT_EQ(convergido.codigo, 0) << convergido.erro;
  EXPECT_NE(convergido.saida.find("\"Convergiu\":true,\"Metodo\":\"convergido\"}"), std::string::npos);
  EXPECT_EQ(convergido.erro, "");
  // Its estimated errors, in the units of the values, are below the tolerances.
  const std::size_t inicio = convergido.saida.find("\"ErroEstimado\":{");
  ASSERT_NE(inicio, std::string::npos);
  const std::string erro = convergido.saida.substr(inicio);
  EXPECT_LT(Campo(erro, "VazaoMaxima"), 0.001 * Campo(convergido.saida, "VazaoMaxima"));
  EXPECT_LT(Campo(erro, "TempoPico"), 0.01);
  EXPECT_LT(Campo(erro, "Volume"), 0.001 * Campo(convergido.saida, "Volume"));
  const std::string original = Executar({projeto}).saida;
  EXPECT_EQ(original.find("Convergiu"), std::string::npos);
  EXPECT_EQ(original.find("ErroEstimado"), std::string::npos);
}

TEST_F(Calculadora, MetodoConvergidoNoCanal) {
  // The irregular hillslope's converged hydrograph falls after its peak and
  // rises again as a second wave reaches the foot: its recession must stay
  // as computed, in the file as in the statistics.
  for (const char* exemplo : {"encosta_regular.cdt", "encosta_irregular.cdt"}) {
    SCOPED_TRACE(exemplo);
    const std::string projeto = Exemplo(exemplo);
    const TExecucao encosta = Executar({projeto, "--metodo", "convergido"});
    ASSERT_EQ(encosta.codigo, 0) << encosta.erro;
    const TExecucao texto = Executar({projeto, "--metodo", "convergido", "--formato", "texto"});
    std::istringstream linhas(texto.saida);
    std::string cabecalho;
    std::getline(linhas, cabecalho);
    double t0 = 0, q0 = 0, t, q, volume = 0;
    for (bool primeiro = true; linhas >> t >> q; primeiro = false, t0 = t, q0 = q)
      if (!primeiro) volume += 30 * (q0 + q) * (t - t0);
    EXPECT_REL_NEAR(volume, Campo(encosta.saida, "Volume"), 1e-4);

    for (int coluna : {30, 150}) {
      const TExecucao e = Executar({projeto, "--coluna", std::to_string(coluna), "--metodo=convergido"});
      ASSERT_EQ(e.codigo, 0) << e.erro;
      EXPECT_EQ(Campo(e.saida, "Local"), 2);
      // Every metre of channel takes in one metre of hillslope's runoff, less
      // the little the water surface loses once the inflow has ended.
      EXPECT_REL_NEAR(Campo(e.saida, "Volume"), coluna * Campo(encosta.saida, "Volume"), 0.01);
      EXPECT_LE(Campo(e.saida, "Volume"), coluna * Campo(encosta.saida, "Volume"));
    }
  }
}

}  // namespace
