// Whole project files: round trip, section order, saving over a longer
// project, the old storm layout, and damaged files.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <functional>

#include "common/NomeDoCaso.h"
#include "project/ArquivoProjeto.h"
#include "project/ProjetoExemplo.h"
#include "toolkit/ArquivoIni.h"
#include "toolkit/Regional.h"

using teste::GravarBytes;
using teste::LerBytes;

namespace {

struct CasoIdaEVolta {
  int trechos;
  int tipoCanal;
  bool ptBr;
};

class IdaEVolta : public ::testing::TestWithParam<CasoIdaEVolta> {};

TEST_P(IdaEVolta, ProjetoLidoIgualAoGravado) {
  const CasoIdaEVolta c = GetParam();
  toolkit::TRegionalTemporario r(c.ptBr ? toolkit::RegionalPtBr() : toolkit::RegionalC());
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("projeto.cdt");
  TProjeto original;
  teste::PreencherProjeto(original, c.trechos, c.tipoCanal);
  GravarProjeto(arquivo, original);

  TProjeto lido;
  lido.Unidades.SetVI(0);
  ASSERT_TRUE(LerProjeto(arquivo, lido));
  teste::EsperarIguais(original, lido);

  // Nothing besides the project is left in the folder.
  int entradas = 0;
  DIR* d = opendir(pasta.Caminho().c_str());
  while (dirent* e = readdir(d)) entradas += e->d_name[0] != '.';
  closedir(d);
  EXPECT_EQ(entradas, 1);

  // The decimal separator on disk is the settings' one.
  const std::string bytes = LerBytes(arquivo);
  EXPECT_NE(bytes.find(c.ptBr ? "K=3510,725\r\n" : "K=3510.725\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Tabela, IdaEVolta,
                         ::testing::Values(CasoIdaEVolta{1, 0, true}, CasoIdaEVolta{3, 1, true},
                                           CasoIdaEVolta{3, 0, false}, CasoIdaEVolta{0, 1, false}),
                         [](const ::testing::TestParamInfo<CasoIdaEVolta>& info) {
                           const CasoIdaEVolta& c = info.param;
                           return "trechos" + std::to_string(c.trechos) + "_canal" +
                                  std::to_string(c.tipoCanal) + (c.ptBr ? "_virgula" : "_ponto");
                         });

TEST(ArquivoProjeto, OrdemDasSecoesDeUmArquivoNovo) {
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("novo.cdt");
  TProjeto p;
  teste::PreencherProjeto(p, 2);
  GravarProjeto(arquivo, p);
  const toolkit::TArquivoIni ini(arquivo);
  EXPECT_EQ(ini.Secoes(),
            (std::vector<std::string>{"Encosta", "Cobertura: Trecho 1", "Terreno: Trecho 1",
                                      "Encosta: Trecho 1", "Cobertura: Trecho 2", "Terreno: Trecho 2",
                                      "Encosta: Trecho 2", "Canal", "CanalGradiente", "NIMBORA",
                                      "PRECIPITACAO", "PREC_EXPONENCIAL_NEGATIVA", "UNIDADES", "VERSAO"}));
  // The storm sections came between NIMBORA's Versao and its other keys, yet
  // they all stand together in their own section.
  EXPECT_EQ(ini.Chaves("NIMBORA"),
            (std::vector<std::string>{"Versao", "Latitude", "Longitude", "IndEstacao", "IndLocalidade",
                                      "StrCidade", "IndEstado", "StrEstado"}));
  EXPECT_EQ(ini.LerString("VERSAO", "Versao", ""), "2");
  EXPECT_EQ(ini.LerString("Encosta", "Count", ""), "2");
  // Text in Windows-1252 on disk.
  EXPECT_NE(LerBytes(arquivo).find("StrCidade=Vi\xE7osa\r\n"), std::string::npos);
}

TEST(ArquivoProjeto, GravarDoisTrechosSobreQuatroGuardaAsSecoesAntigas) {
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("p.cdt");
  TProjeto p;
  teste::PreencherProjeto(p, 4);
  GravarProjeto(arquivo, p);
  teste::PreencherProjeto(p, 2);
  p.Encosta.Trechos(1).SetComprimento(77);
  GravarProjeto(arquivo, p);

  const toolkit::TArquivoIni ini(arquivo);
  for (const char* secao : {"Cobertura: Trecho 3", "Terreno: Trecho 3", "Encosta: Trecho 3",
                            "Cobertura: Trecho 4", "Terreno: Trecho 4", "Encosta: Trecho 4"})
    EXPECT_TRUE(ini.ExisteSecao(secao)) << secao;
  EXPECT_EQ(ini.LerInteiro("Encosta: Trecho 4", "Comprimento", 0), 70);

  TProjeto lido;
  ASSERT_TRUE(LerProjeto(arquivo, lido));
  ASSERT_EQ(lido.Encosta.Count(), 2);
  EXPECT_EQ(lido.Encosta.Trechos(1).Comprimento(), 77);
  teste::EsperarIguais(p, lido);
}

// A project of the single-plane era: the storm still inside NIMBORA.
const char kProjetoAntigo[] =
    "[Encosta]\r\nVersao=1\r\nComprimento=60\r\n"
    "[Cobertura]\r\nVersao=1\r\nIndUso=4\r\nIndCond=3\r\nIndTrat=1\r\n"
    "[Terreno]\r\nVersao=1\r\nVIB=15.5\r\nSt=0.08\r\nnt=0.2\r\nIndnt=3\r\n"
    "[Canal]\r\nVersao=1\r\nH=0.4\r\nHr=0\r\nB=0.6\r\nCDu=1\r\nIndZ=-1\r\nValorZ=2\r\nIndSm=-1\r\n"
    "ValorSm=0.3\r\nTipoCanal=0\r\n"
    "[CanalGradiente]\r\nVersao=1\r\nComprimento=90\r\nSc=0.003\r\nQ=0\r\nIndnc=2\r\nnc=0.03\r\n"
    "[NIMBORA]\r\nVersao=1\r\nDuracao=45\r\nPrecipitacaoTotal=0\r\nTr=5\r\nK=670.74\r\nA=0.21\r\nB=7.9\r\n"
    "C=0.74\r\nLatitude=28\xB0"
    "16'00\"\r\nLongitude=52\xB0"
    "25'00\"\r\nIndEstacao=2\r\nIndLocalidade=-1\r\n"
    "StrCidade=Passo Fundo\r\nIndEstado=20\r\nStrEstado=Rio Grande do Sul\r\n"
    "[UNIDADES]\r\nVersao=1\r\nDeclividade=0\r\nComprimento=0\r\nVI=1\r\nEstado=20\r\n"
    "[VERSAO]\r\nVersao=1\r\n";

// Reading an old project changes nothing on disk, under either decimal
// separator; saving it moves the storm keys to their own sections.
TEST(ArquivoProjeto, ProjetoAntigoLidoSemGravarESalvoNoLugarNovo) {
  for (const auto& regional : {toolkit::RegionalC(), toolkit::RegionalPtBr()}) {
    toolkit::TRegionalTemporario r(regional);
    SCOPED_TRACE(regional.SeparadorDecimal);
    teste::TPastaTemporaria pasta;
    const std::string arquivo = pasta.Arquivo("antigo.cdt");
    GravarBytes(arquivo, kProjetoAntigo);

    TProjeto p;
    ASSERT_TRUE(LerProjeto(arquivo, p));
    EXPECT_EQ(LerBytes(arquivo), kProjetoAntigo);
    const auto& chuva = p.Nimbora.Precipitacao();
    EXPECT_EQ(chuva.Tr(), 5.0);
    EXPECT_EQ(chuva.K(), 670.74);
    EXPECT_EQ(chuva.A(), 0.21);
    EXPECT_EQ(chuva.B(), 7.9);
    EXPECT_EQ(chuva.C(), 0.74);
    EXPECT_EQ(chuva.Duracao, 45.0);
    EXPECT_EQ(p.Nimbora.StrCidade, "Passo Fundo");
    EXPECT_EQ(p.Nimbora.Latitude, "28°16'00\"");
    ASSERT_EQ(p.Encosta.Count(), 1);
    EXPECT_EQ(p.Encosta.Trechos(0).Comprimento(), 60);
    EXPECT_EQ(p.Encosta.Trechos(0).VIB(), 15.5);
    EXPECT_EQ(p.Canal.Comprimento(), 90);
    EXPECT_EQ(p.Canal.Sc(), 0.003);

    GravarProjeto(arquivo, p);
    const toolkit::TArquivoIni ini(arquivo);
    EXPECT_EQ(ini.LerString("PRECIPITACAO", "Versao", ""), "2");
    EXPECT_EQ(ini.LerReal("PRECIPITACAO", "Duracao", 0), 45.0);
    EXPECT_EQ(ini.LerString("PREC_EXPONENCIAL_NEGATIVA", "Versao", ""), "2");
    EXPECT_EQ(ini.LerReal("PREC_EXPONENCIAL_NEGATIVA", "K", 0), 670.74);
    EXPECT_EQ(ini.Chaves("NIMBORA"),
              (std::vector<std::string>{"Versao", "Latitude", "Longitude", "IndEstacao", "IndLocalidade",
                                        "StrCidade", "IndEstado", "StrEstado"}));

    // Read again from its new place: the same project.
    TProjeto denovo;
    ASSERT_TRUE(LerProjeto(arquivo, denovo));
    teste::EsperarIguais(p, denovo);
  }
}

std::string ProjetoValido() {
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("base.cdt");
  TProjeto p;
  teste::PreencherProjeto(p, 2);
  GravarProjeto(arquivo, p);
  return LerBytes(arquivo);
}

std::string Substituir(std::string texto, const std::string& de, const std::string& para) {
  const size_t i = texto.find(de);
  EXPECT_NE(i, std::string::npos) << de;
  if (i != std::string::npos) texto.replace(i, de.size(), para);
  return texto;
}

TEST(ArquivoProjeto, ArquivosDanificados) {
  toolkit::TRegionalTemporario r(toolkit::RegionalC());
  const std::string valido = ProjetoValido();
  const std::string semVersao = valido.substr(0, valido.find("[VERSAO]"));
  const std::string erroVersao =
      "Ocorreu um erro ao tentar ler o arquivo x.cdt. Não existe a versão especificada neste arquivo.";
  const std::string erroTrecho1 = "Ocorreu um erro ao tentar ler os dados da encosta de número 1 no arquivo ";
  const std::string erroTrecho2 = "Ocorreu um erro ao tentar ler os dados da encosta de número 2 no arquivo ";
  // Only the head of the file: the channel and everything after it are gone.
  const std::string truncado = valido.substr(0, valido.find("[Canal]")) + "[VERSAO]\r\nVersao=2\r\n";

  struct Caso {
    const char* nome;
    std::string conteudo;
    std::string erro;  // empty: the reading must end in false
  };
  const Caso casos[] = {
      {"vazio", "", erroVersao},
      {"sem VERSAO (cortado no fim)", semVersao, erroVersao},
      {"versao 3", Substituir(valido, "[VERSAO]\r\nVersao=2", "[VERSAO]\r\nVersao=3"), erroVersao},
      {"lixo", "\x01\x02[[[\r\n@@@=###\r\n=\r\n[]\r\n\xFF\xFE", erroVersao},
      {"lixo com VERSAO", "@@@=###\r\n[VERSAO]\r\nVersao=2\r\n[NIMBORA]\r\n===\r\n", ""},
      {"cortado depois da encosta", truncado, ""},
      {"NIMBORA sem versao", Substituir(valido, "[NIMBORA]\r\nVersao=1", "[NIMBORA]\r\nVersao=x"), ""},
      {"tipo de canal 2", Substituir(valido, "TipoCanal=0", "TipoCanal=2"), ""},
      {"IndZ ausente", Substituir(valido, "IndZ=2\r\n", ""), ""},
      {"sem UNIDADES", Substituir(valido, "[UNIDADES]", "[OUTRA]"), ""},
      {"Count 255 sem trechos",
       Substituir(valido.substr(0, valido.find("[Cobertura: Trecho 1]")), "Count=2", "Count=255") +
           valido.substr(valido.find("[Canal]")),
       erroTrecho1},
      {"comprimento negativo",
       Substituir(valido, "[Encosta: Trecho 2]\r\nVersao=2\r\nComprimento=50",
                  "[Encosta: Trecho 2]\r\nVersao=2\r\nComprimento=-50"),
       erroTrecho2},
      {"indice de uso fora da faixa", Substituir(valido, "IndUso=4", "IndUso=200"), erroTrecho1},
      // Not an integer, so the missing-key default -1, which fails.
      {"indice de uso com texto", Substituir(valido, "IndUso=4", "IndUso=4x"), erroTrecho1},
      {"versao da encosta 7", Substituir(valido, "[Encosta]\r\nVersao=2", "[Encosta]\r\nVersao=7"),
       "O arquivo x.cdt não é uma versão compatível."},
      {"sem as secoes do canal",
       valido.substr(0, valido.find("[Canal]")) + valido.substr(valido.find("[NIMBORA]")), ""},
      {"sem CanalGradiente", Substituir(valido, "[CanalGradiente]", "[Outra]"), ""},
      // The count is a whole number of 0..255, never taken modulo 256.
      {"Count 256", Substituir(valido, "Count=2", "Count=256"), ""},
      {"Count 257", Substituir(valido, "Count=2", "Count=257"), ""},
      {"Count -253", Substituir(valido, "Count=2", "Count=-253"), ""},
      {"Count ausente", Substituir(valido, "Count=2\r\n", ""), ""},
      {"Count com texto", Substituir(valido, "Count=2", "Count=2x"), ""},
      // The storm: a lost version mark, a lone CR, a value that is no number.
      {"PRECIPITACAO sem Versao", Substituir(valido, "[PRECIPITACAO]\r\nVersao=2\r\n", "[PRECIPITACAO]\r\n"),
       ""},
      {"Versao da chuva estragada",
       Substituir(valido, "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao",
                  "[PREC_EXPONENCIAL_NEGATIVA]\r\nVers\x01o"),
       ""},
      {"CR sozinho depois do cabecalho",
       Substituir(valido, "[PREC_EXPONENCIAL_NEGATIVA]\r\n", "[PREC_EXPONENCIAL_NEGATIVA]\r"), ""},
      {"IndEstado fora de 16 bits", Substituir(valido, "IndEstado=12", "IndEstado=65548"), ""},
      {"K que nao eh numero", Substituir(valido, "K=3510.725", "K=3510.72S"), ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    teste::TPastaTemporaria pasta;
    const std::string arquivo = pasta.Arquivo("x.cdt");
    GravarBytes(arquivo, c.conteudo);
    TProjeto p;
    if (c.erro.empty()) {
      EXPECT_FALSE(LerProjeto(arquivo, p));
    } else {
      try {
        LerProjeto(arquivo, p);
        ADD_FAILURE() << "no error";
      } catch (const std::exception& e) {
        EXPECT_EQ(std::string(e.what()).substr(0, c.erro.size()), c.erro);
      }
    }
    // Reading never writes, whatever the damage.
    EXPECT_EQ(LerBytes(arquivo), c.conteudo);
    if (c.erro.rfind("Ocorreu um erro ao tentar ler os dados", 0) == 0) {
      EXPECT_EQ(p.Encosta.Count(), 0);
    }
  }
}

// A name or coordinate text beyond the length any reader of the program
// writes is refused, naming the field; one at the length reads whole, an
// accented letter counting as one character.
TEST(ArquivoProjeto, TextoLongoDemaisERecusado) {
  toolkit::TRegionalTemporario r(toolkit::RegionalC());
  const std::size_t limite = TNimbora21::TamanhoMaximoTexto;
  struct Caso {
    const char* campo;
    std::string TNimbora21::*texto;
  };
  const Caso casos[] = {{"Localidade", &TNimbora21::StrCidade},
                        {"Estado", &TNimbora21::StrEstado},
                        {"Latitude", &TNimbora21::Latitude},
                        {"Longitude", &TNimbora21::Longitude}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.campo);
    teste::TPastaTemporaria pasta;
    const std::string arquivo = pasta.Arquivo("x.cdt");
    TProjeto p;
    teste::PreencherProjeto(p, 1);
    std::string limiteJusto;
    for (std::size_t i = 0; i < limite; ++i) limiteJusto += "ç";
    p.Nimbora.*c.texto = limiteJusto;
    GravarProjeto(arquivo, p);
    TProjeto lido;
    ASSERT_TRUE(LerProjeto(arquivo, lido));
    EXPECT_EQ(lido.Nimbora.*c.texto, limiteJusto);

    p.Nimbora.*c.texto = std::string(1 << 20, 'x');
    GravarProjeto(arquivo, p);
    const std::string bytes = LerBytes(arquivo);
    try {
      LerProjeto(arquivo, lido);
      ADD_FAILURE() << "no error";
    } catch (const ENimbora21& e) {
      EXPECT_EQ(std::string(e.what()),
                "O campo " + std::string(c.campo) + " do projeto tem 1048576 caracteres; o máximo é 256.");
    }
    EXPECT_EQ(LerBytes(arquivo), bytes);
  }
  // What a page shows of a text some other way filled is cut at whole characters.
  EXPECT_EQ(TNimbora21::Cortado(std::string(limite - 1, 'a') + "çé"), std::string(limite - 1, 'a') + "ç");
  EXPECT_EQ(TNimbora21::Cortado("Viçosa"), "Viçosa");
}

// A project written under one decimal separator keeps its values under the
// other; a text that is a number under neither still reads as 0.
TEST(ArquivoProjeto, RealComOOutroSeparadorGuardaOValor) {
  for (const bool ptBrNoDisco : {true, false}) {
    TProjeto p;
    teste::PreencherProjeto(p, 2);
    teste::TPastaTemporaria pasta;
    const std::string arquivo = pasta.Arquivo("p.cdt");
    {
      toolkit::TRegionalTemporario r(ptBrNoDisco ? toolkit::RegionalPtBr() : toolkit::RegionalC());
      GravarProjeto(arquivo, p);
    }
    toolkit::TRegionalTemporario r(ptBrNoDisco ? toolkit::RegionalC() : toolkit::RegionalPtBr());
    TProjeto lido;
    ASSERT_TRUE(LerProjeto(arquivo, lido));
    teste::EsperarIguais(p, lido);

    GravarBytes(arquivo, Substituir(LerBytes(arquivo), ptBrNoDisco ? "St=0,06" : "St=0.06", "St=abc"));
    ASSERT_TRUE(LerProjeto(arquivo, lido));
    EXPECT_EQ(lido.Encosta.Trechos(0).St(), 0.0);
  }
}

// Every single line dropped or spoiled: the reader answers true, false or a
// message, and never reads past its data.
TEST(ArquivoProjeto, NenhumaLinhaEstragadaDerrubaALeitura) {
  toolkit::TRegionalTemporario r(toolkit::RegionalC());
  const std::string valido = ProjetoValido();
  std::vector<std::string> linhas;
  for (size_t i = 0; i < valido.size();) {
    const size_t fim = valido.find("\r\n", i);
    linhas.push_back(valido.substr(i, fim - i));
    i = fim + 2;
  }
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("x.cdt");
  const std::string copia = pasta.Arquivo("copia.cdt");
  int aceitos = 0, recusas = 0, mensagens = 0;
  const char* estragos[] = {nullptr, "=-99999999999", "=-1", "=1E308", "=nan", "=\xC3\x28"};
  for (size_t alvo = 0; alvo < linhas.size(); ++alvo) {
    for (const char* estrago : estragos) {
      std::string texto;
      for (size_t i = 0; i < linhas.size(); ++i) {
        if (i != alvo) {
          texto += linhas[i] + "\r\n";
        } else if (estrago != nullptr && linhas[i].find('=') != std::string::npos) {
          texto += linhas[i].substr(0, linhas[i].find('=')) + estrago + "\r\n";
        }
      }
      SCOPED_TRACE("linha " + std::to_string(alvo + 1) + " '" + linhas[alvo] + "' " +
                   (estrago ? std::string("com ") + estrago : std::string("removida")));
      GravarBytes(arquivo, texto);
      TProjeto p;
      bool aceito = false;
      try {
        aceito = LerProjeto(arquivo, p);
      } catch (const std::runtime_error& e) {
        // A message for the user, in words.
        EXPECT_GT(std::string(e.what()).size(), 10u) << e.what();
        ++mensagens;
        continue;
      } catch (const std::exception& e) {
        ADD_FAILURE() << "not a message for the user: " << e.what();
        continue;
      }
      if (!aceito) {
        ++recusas;
        continue;
      }
      // What was accepted is a project like any other: it saves and reads back the same.
      ++aceitos;
      GravarProjeto(copia, p);
      TProjeto relido;
      ASSERT_TRUE(LerProjeto(copia, relido));
      teste::EsperarIguais(p, relido);
    }
  }
  // Every outcome came up: the spoilt lines reached the readers' checks.
  EXPECT_GT(aceitos, 0);
  EXPECT_GT(recusas, 0);
  EXPECT_GT(mensagens, 0);
}

// What one save does to the folder, as the kernel reports it: files created,
// files closed after writing, files renamed into place.
struct TObservacao {
  int criados = 0, gravados = 0, renomeados = 0;
};

TObservacao ObservarPasta(const std::string& pasta, const std::function<void()>& acao) {
  TObservacao o;
  const int fd = inotify_init1(IN_NONBLOCK);
  EXPECT_GE(fd, 0);
  if (fd < 0) return o;
  EXPECT_GE(inotify_add_watch(fd, pasta.c_str(), IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO), 0);
  acao();
  alignas(inotify_event) char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
      o.criados += (e->mask & IN_CREATE) != 0;
      o.gravados += (e->mask & IN_CLOSE_WRITE) != 0;
      o.renomeados += (e->mask & IN_MOVED_TO) != 0;
      i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
  close(fd);
  return o;
}

// A whole project is stored in one write, however many objects it holds:
// one temporary file, written and closed once, renamed over the project once.
TEST(ArquivoProjeto, SalvarGravaOArquivoUmaVez) {
  teste::TPastaTemporaria pasta;
  const std::string arquivo = pasta.Arquivo("p.cdt");
  TProjeto p;
  teste::PreencherProjeto(p, 3);
  for (const char* vez : {"arquivo novo", "sobre o arquivo"}) {
    SCOPED_TRACE(vez);
    p.Canal.SetQ(p.Canal.Q() + 1);  // something to write the second time too
    const TObservacao o = ObservarPasta(pasta.Caminho(), [&] { GravarProjeto(arquivo, p); });
    EXPECT_EQ(o.criados, 1);
    EXPECT_EQ(o.gravados, 1);
    EXPECT_EQ(o.renomeados, 1);
  }
  TProjeto lido;
  ASSERT_TRUE(LerProjeto(arquivo, lido));
  teste::EsperarIguais(p, lido);
}

TEST(ArquivoProjeto, FalhaAoGravarNaoDeixaRastro) {
  teste::TPastaTemporaria pasta;
  TProjeto p;
  teste::PreencherProjeto(p, 1);
  const std::string arquivo = pasta.Arquivo("nao/existe.cdt");
  try {
    GravarProjeto(arquivo, p);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    // The path and the reason, in the user's language.
    EXPECT_EQ(std::string(e.what()),
              "Não foi possível gravar o arquivo " + arquivo + " (pasta inexistente).");
  }
  DIR* d = opendir(pasta.Caminho().c_str());
  int entradas = 0;
  while (dirent* e = readdir(d)) entradas += e->d_name[0] != '.';
  closedir(d);
  EXPECT_EQ(entradas, 0);
}

}  // namespace
