// The calculator's summary and CSV outputs, several projects in one run and
// sweeps of a project key, run as users run them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "ExecucaoCalculadora.h"
#include "Exemplos.h"
#include "toolkit/FormatoNumero.h"

namespace {

using teste::Campo;
using teste::Executar;
using teste::Pontos;
using teste::TExecucao;

std::string Exemplo(const char* nome) {
  return teste::PastaFonte() + "/data/exemplos/" + nome;
}

std::vector<std::string> Linhas(const std::string& texto) {
  std::vector<std::string> linhas;
  std::istringstream in(texto);
  for (std::string l; std::getline(in, l);) linhas.push_back(l);
  return linhas;
}

std::vector<std::string> Campos(const std::string& linha, char separador) {
  std::vector<std::string> campos(1);
  for (char ch : linha) {
    if (ch == separador)
      campos.emplace_back();
    else
      campos.back() += ch;
  }
  return campos;
}

double Real(std::string texto) {
  for (char& ch : texto)
    if (ch == ',') ch = '.';
  return std::stod(texto);
}

struct CasoSaida {
  const char* exemplo;
  std::vector<std::string> opcoes;
  const char* local;    // the place line of the summary
  const char* unidade;  // of the discharge
  const char* metodo;   // the method line of the summary
};

// Both outputs agree with the JSON of the same run: the summary's numbers as
// the chart window rounds them, whatever the locale; the CSV's series point
// for point, with the locale's separators.
TEST(CalculadoraSaidas, ResumoECsvConferemComOJson) {
  const CasoSaida casos[] = {
      {"encosta_regular.cdt", {}, "Local: encosta, linha 120, a 60 m do topo", "L/s.m", "Método: original"},
      {"encosta_irregular.cdt",
       {"--linha", "150"},
       "Local: encosta, linha 150, a 55 m do topo",
       "L/s.m",
       "Método: original"},
      {"encosta_regular.cdt",
       {"--coluna", "150"},
       "Local: canal, coluna 150, a 150 m do início (encosta na linha 120)",
       "L/s",
       "Método: original"},
      {"encosta_regular.cdt",
       {"--metodo", "convergido"},
       "Local: encosta, linha 120, a 60 m do topo",
       "L/s.m",
       "Método: convergido (convergiu)"},
  };
  for (const CasoSaida& c : casos) {
    std::vector<std::string> args{Exemplo(c.exemplo)};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    SCOPED_TRACE(std::string(c.exemplo) + " " + c.local);
    const TExecucao json = Executar(args);
    ASSERT_EQ(json.codigo, 0) << json.erro;
    const bool canal = std::string(c.unidade) == "L/s";
    const std::string esperado =
        "Projeto: " + Exemplo(c.exemplo) + "\n" + c.local +
        "\nVazão máxima: " + toolkit::FormatarComVirgula("0.0##", Campo(json.saida, "VazaoMaxima")) + " " +
        c.unidade + ", aos " + toolkit::FormatarComVirgula("0.0#", Campo(json.saida, "TempoPico")) +
        " min\nVolume escoado: " + toolkit::FormatarComVirgula("0.0#", Campo(json.saida, "Volume")) +
        (canal ? " L" : " L/m") +
        "\nLâmina escoada: " + toolkit::FormatarComVirgula("0.0#", Campo(json.saida, "Lamina") * 1000) +
        " mm\n" + c.metodo + "\n";
    const auto pontos = Pontos(json.saida);

    for (const char* locale : {"C.UTF-8", "pt_BR.UTF-8"}) {
      SCOPED_TRACE(locale);
      const bool br = std::string(locale) == "pt_BR.UTF-8";
      std::vector<std::string> resumo = args;
      resumo.insert(resumo.end(), {"--formato", "resumo"});
      const TExecucao r = Executar(resumo, locale);
      EXPECT_EQ(r.codigo, 0) << r.erro;
      EXPECT_EQ(r.saida, esperado);

      std::vector<std::string> csv = args;
      csv.insert(csv.end(), {"--formato", "csv"});
      const TExecucao e = Executar(csv, locale);
      ASSERT_EQ(e.codigo, 0) << e.erro;
      const auto linhas = Linhas(e.saida);
      ASSERT_EQ(linhas.size(), pontos.size() + 1);
      EXPECT_EQ(linhas[0], std::string("Tempo (min)") + (br ? ';' : ',') + "Vazão (" + c.unidade + ")");
      for (size_t i = 0; i < pontos.size(); ++i) {
        const auto campos = Campos(linhas[i + 1], br ? ';' : ',');
        ASSERT_EQ(campos.size(), 2u) << linhas[i + 1];
        EXPECT_EQ(campos[0].find(br ? '.' : ','), std::string::npos) << linhas[i + 1];
        EXPECT_EQ(Real(campos[0]), pontos[i].first);
        EXPECT_EQ(Real(campos[1]), pontos[i].second);
      }
    }
  }
}

class CalculadoraVarias : public ::testing::Test {
 protected:
  // A copy of the regular example whose text a test can edit.
  std::string Copia(const std::string& nome, const std::string& de = {}, const std::string& para = {}) {
    std::string texto = teste::LerBytes(Exemplo("encosta_regular.cdt"));
    if (!de.empty()) {
      const size_t i = texto.find(de);
      EXPECT_NE(i, std::string::npos) << de;
      if (i != std::string::npos) texto.replace(i, de.size(), para);
    }
    const std::string arquivo = pasta_.Arquivo(nome);
    teste::GravarBytes(arquivo, texto);
    return arquivo;
  }
  teste::TPastaTemporaria pasta_;
};

// One row per project, each the run of that project alone.
TEST_F(CalculadoraVarias, UmaLinhaPorProjeto) {
  const std::string regular = Exemplo("encosta_regular.cdt"), irregular = Exemplo("encosta_irregular.cdt");
  const std::vector<std::string> projetos = {regular, irregular, regular};
  std::vector<std::string> args = projetos;
  args.insert(args.end(), {"--coluna", "100", "--formato"});

  auto json = args;
  json.push_back("json");
  const TExecucao lista = Executar(json);
  ASSERT_EQ(lista.codigo, 0) << lista.erro;
  ASSERT_EQ(lista.saida.front(), '[');
  std::string esperado = "[";
  for (size_t i = 0; i < projetos.size(); ++i) {
    std::string sozinho = Executar({projetos[i], "--coluna", "100"}).saida;
    sozinho.pop_back();  // its newline
    esperado += (i > 0 ? "," : "") + std::string("{\"Projeto\":") + "\"" + projetos[i] +
                "\",\"Linha\":" + (projetos[i] == regular ? "120" : "300") + ",\"Coluna\":100," +
                sozinho.substr(1);
  }
  EXPECT_EQ(lista.saida, esperado + "]\n");

  auto csv = args;
  csv.push_back("csv");
  const TExecucao e = Executar(csv, "pt_BR.UTF-8");
  ASSERT_EQ(e.codigo, 0) << e.erro;
  const auto linhas = Linhas(e.saida);
  ASSERT_EQ(linhas.size(), 4u);
  EXPECT_EQ(linhas[0],
            "Projeto;Linha;Coluna;Distância (m);Vazão máxima (L/s);Tempo de pico (min);Volume (L);Lâmina "
            "(mm);Método;Convergiu");
  for (size_t i = 0; i < projetos.size(); ++i) {
    const auto campos = Campos(linhas[i + 1], ';');
    ASSERT_EQ(campos.size(), 10u) << linhas[i + 1];
    const std::string sozinho = Executar({projetos[i], "--coluna", "100"}).saida;
    EXPECT_EQ(campos[0], projetos[i]);
    EXPECT_EQ(Real(campos[4]), Campo(sozinho, "VazaoMaxima"));
    EXPECT_EQ(Real(campos[5]), Campo(sozinho, "TempoPico"));
    EXPECT_EQ(Real(campos[6]), Campo(sozinho, "Volume"));
    EXPECT_EQ(campos[8], "original");
  }

  auto resumo = args;
  resumo.push_back("resumo");
  const TExecucao r = Executar(resumo);
  ASSERT_EQ(r.codigo, 0) << r.erro;
  const auto tabela = Linhas(r.saida);
  ASSERT_EQ(tabela.size(), 4u);
  EXPECT_EQ(tabela[0].rfind("Projeto", 0), 0u);
  EXPECT_NE(tabela[2].find(irregular + "  coluna 100, 100 m  "), std::string::npos) << tabela[2];
  EXPECT_NE(tabela[2].find(" L/s  "), std::string::npos) << tabela[2];

  // Rows only when asked for by name, never in the formats or the report of
  // one run; a sweep given twice is a repeat.
  const std::string tr = "PREC_EXPONENCIAL_NEGATIVA.Tr=2,5";
  const std::vector<std::vector<std::string>> errados = {
      {regular, irregular},
      {regular, irregular, "--formato", "texto"},
      {regular, irregular, "--formato", "binario", "--saida", pasta_.Arquivo("h")},
      {regular, "--variar", tr},
      {regular, "--variar", tr, "--formato", "resumo", "--variar", tr},
      {regular, "--variar", tr, "--formato", "csv", "--pdf", pasta_.Arquivo("r.pdf")},
      {regular, irregular, "--formato", "json", "--relatorio", pasta_.Arquivo("r.html")},
  };
  for (const auto& errado : errados) {
    const TExecucao u = Executar(errado);
    EXPECT_EQ(u.codigo, 2) << errado.back();
    EXPECT_NE(u.erro.find("Uso: caudalente-calc"), std::string::npos);
    EXPECT_EQ(u.saida, "");
  }
  for (const char* nome : {"h", "r.pdf", "r.html"}) EXPECT_NE(access(pasta_.Arquivo(nome).c_str(), F_OK), 0);
}

// A run with no surface runoff says so: in the summary, and as a row without
// values among the others, with exit code 3.
TEST_F(CalculadoraVarias, SemEscoamento) {
  const TExecucao resumo = Executar({Copia("p.cdt", "VIB=15", "VIB=500"), "--formato", "resumo"});
  EXPECT_EQ(resumo.codigo, 3);
  EXPECT_NE(resumo.saida.find("\nNão houve escoamento superficial neste local.\nMétodo: original\n"),
            std::string::npos)
      << resumo.saida;
  const TExecucao csv = Executar(
      {Copia("p.cdt"), "--variar", "Terreno: Trecho 1.VIB=20,500", "--formato", "csv"}, "pt_BR.UTF-8");
  EXPECT_EQ(csv.codigo, 3);
  const auto linhas = Linhas(csv.saida);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_GT(Real(Campos(linhas[1], ';')[5]), 0);
  EXPECT_EQ(linhas[2], pasta_.Arquivo("p.cdt") + ";500;120;;60;;;;;original;");
}

struct CasoVariacao {
  const char* variar;
  const char* locale;
  std::vector<std::string> opcoes;
  std::vector<std::pair<std::string, std::string>> edicoes;  // per value, the hand edit of the file
};

// Each row of a sweep is the run of the project edited by hand, and the
// project file stays as it was, byte for byte.
TEST_F(CalculadoraVarias, VariacaoIgualAoProjetoEditado) {
  const CasoVariacao casos[] = {
      {"PREC_EXPONENCIAL_NEGATIVA.Tr=2,100",
       "C.UTF-8",
       {},
       {{"Tr=10\r\n", "Tr=2\r\n"}, {"Tr=10\r\n", "Tr=100\r\n"}}},
      {"Terreno: Trecho 1.VIB=7,5;40",
       "pt_BR.UTF-8",
       {"--coluna", "80"},
       {{"VIB=15\r\n", "VIB=7.5\r\n"}, {"VIB=15\r\n", "VIB=40\r\n"}}},
      {"terreno: trecho 1.nt=0.03", "C.UTF-8", {"--linha", "60"}, {{"nt=0.12\r\n", "nt=0.03\r\n"}}},
  };
  for (const CasoVariacao& c : casos) {
    SCOPED_TRACE(c.variar);
    const std::string projeto = Copia("p.cdt");
    const std::string bytes = teste::LerBytes(projeto);
    std::vector<std::string> args = {projeto, "--variar", c.variar, "--formato", "json"};
    args.insert(args.end(), c.opcoes.begin(), c.opcoes.end());
    const TExecucao e = Executar(args, c.locale);
    ASSERT_EQ(e.codigo, 0) << e.erro;
    EXPECT_EQ(teste::LerBytes(projeto), bytes);

    std::string esperado = "[";
    for (size_t i = 0; i < c.edicoes.size(); ++i) {
      const std::string editado = Copia("editado.cdt", c.edicoes[i].first, c.edicoes[i].second);
      std::vector<std::string> sozinho = {editado};
      sozinho.insert(sozinho.end(), c.opcoes.begin(), c.opcoes.end());
      std::string objeto = Executar(sozinho, c.locale).saida;
      objeto.pop_back();
      const size_t pontos = objeto.find("\"pontos\"");
      const size_t chave = e.saida.find("\"pontos\"", esperado.size());
      ASSERT_NE(chave, std::string::npos);
      // The fields before the series name the project, the place and the value.
      const std::string cabeca = e.saida.substr(esperado.size(), chave - esperado.size());
      EXPECT_EQ(cabeca.rfind((i > 0 ? ",{\"Projeto\":\"" : "{\"Projeto\":\"") + projeto + "\"", 0), 0u)
          << cabeca;
      EXPECT_NE(cabeca.find("\"Valor\":\""), std::string::npos) << cabeca;
      esperado += cabeca + objeto.substr(pontos);
    }
    EXPECT_EQ(e.saida, esperado + "]\n");
  }

  // The CSV rows of a sweep read back as the JSON's values.
  const std::string projeto = Copia("p.cdt");
  const TExecucao csv = Executar({projeto, "--variar", "PREC_EXPONENCIAL_NEGATIVA.Tr=2,100", "--formato",
                                  "csv", "--metodo", "convergido"});
  ASSERT_EQ(csv.codigo, 0) << csv.erro;
  const auto linhas = Linhas(csv.saida);
  ASSERT_EQ(linhas.size(), 3u);
  EXPECT_EQ(Campos(linhas[0], ',')[1], "PREC_EXPONENCIAL_NEGATIVA.Tr");
  const std::string editado = Copia("editado.cdt", "Tr=10\r\n", "Tr=100\r\n");
  const std::string sozinho = Executar({editado, "--metodo", "convergido"}).saida;
  const auto campos = Campos(linhas[2], ',');
  ASSERT_EQ(campos.size(), 11u) << linhas[2];
  EXPECT_EQ(campos[1], "100");
  EXPECT_EQ(Real(campos[5]), Campo(sozinho, "VazaoMaxima"));
  EXPECT_EQ(Real(campos[7]), Campo(sozinho, "Volume"));
  EXPECT_EQ(campos[9], "convergido");
  EXPECT_EQ(campos[10], "sim");
}

// An unknown key, a value the key cannot take or one the data checks refuse:
// exit 2 with the reason, nothing computed, the file as it was.
TEST_F(CalculadoraVarias, ChaveOuValorRecusado) {
  struct Caso {
    std::string variar;
    std::string mensagem;  // part of stderr
  };
  const Caso casos[] = {
      {"Nada.X=1", "A chave Nada.X de --variar não existe no projeto"},
      {"Terreno: Trecho 1.Xyz=1", "A chave Terreno: Trecho 1.Xyz de --variar não existe"},
      {"Terreno: Trecho 2.VIB=1", "A chave Terreno: Trecho 2.VIB de --variar não existe"},
      {"Terreno: Trecho 1.VIB=20,abc", "Valor inválido para Terreno: Trecho 1.VIB em --variar: \"abc\""},
      {"Cobertura: Trecho 1.IndUso=1.5",
       "Valor inválido para Cobertura: Trecho 1.IndUso em --variar: \"1.5\""},
      {"Terreno: Trecho 1.VIB=20,0",
       "Com Terreno: Trecho 1.VIB = 0:\n  Valor incorreto da taxa de infiltração estável.  \n"},
      {"PREC_EXPONENCIAL_NEGATIVA.Tr=-5", "  Valor incorreto do tempo de retorno.  \n"},
      {"PREC_EXPONENCIAL_NEGATIVA.Tr=10,,20", "Valor vazio em --variar"},
      {"Tr=10", "Valor inválido para --variar: \"Tr=10\""},
      {"PREC_EXPONENCIAL_NEGATIVA.Tr", "Valor inválido para --variar"},
  };
  const std::string projeto = Copia("p.cdt");
  const std::string bytes = teste::LerBytes(projeto);
  for (const Caso& c : casos) {
    const TExecucao e = Executar({projeto, "--variar", c.variar, "--formato", "resumo"});
    EXPECT_EQ(e.codigo, 2) << c.variar << "\n" << e.erro;
    EXPECT_NE(e.erro.find(c.mensagem), std::string::npos) << e.erro;
    EXPECT_EQ(e.saida, "");
  }
  EXPECT_EQ(teste::LerBytes(projeto), bytes);
}

// A project of the single-plane era keeps its storm in an old section: the
// storm keys are swept by their current names, and the file stays old.
TEST_F(CalculadoraVarias, VariacaoDeProjetoAntigo) {
  std::string texto = teste::LerBytes(Exemplo("encosta_regular.cdt"));
  const size_t inicio = texto.find("[PREC_EXPONENCIAL_NEGATIVA]");
  const size_t fim = texto.find("[UNIDADES]");
  const std::string chaves = texto.substr(texto.find("Tr=", inicio), fim - texto.find("Tr=", inicio));
  texto.erase(inicio, fim - inicio);
  texto.insert(texto.find("[PRECIPITACAO]"), chaves);  // at the end of NIMBORA
  const std::string antigo = pasta_.Arquivo("antigo.cdt");
  teste::GravarBytes(antigo, texto);
  ASSERT_EQ(Executar({antigo}).codigo, 0);

  const TExecucao e = Executar({antigo, "--variar", "PREC_EXPONENCIAL_NEGATIVA.Tr=25", "--formato", "csv"});
  ASSERT_EQ(e.codigo, 0) << e.erro;
  EXPECT_EQ(teste::LerBytes(antigo), texto);
  std::string editado = texto;
  editado.replace(editado.find("Tr=10\r\n"), 7, "Tr=25\r\n");
  teste::GravarBytes(antigo, editado);
  const std::string sozinho = Executar({antigo}).saida;
  EXPECT_EQ(Real(Campos(Linhas(e.saida)[1], ',')[5]), Campo(sozinho, "VazaoMaxima"));
}

}  // namespace
