// The delivered example projects are exactly what the program's writer makes
// of the two example models. With CAUDALENTE_GRAVAR_EXEMPLOS=1 in the
// environment the test writes them instead (after a change of the writer or
// of the examples).
#include <gtest/gtest.h>

#include <cstdlib>

#include "Exemplos.h"
#include "common/NomeDoCaso.h"
#include "project/ProjetoExemplo.h"
#include "project/VerificarDados.h"
#include "toolkit/Regional.h"

namespace {

struct CasoExemplo {
  const char* arquivo;
  void (*construir)(TProjeto&);
  bool irregular;
};

class Exemplos : public ::testing::TestWithParam<CasoExemplo> {};

TEST_P(Exemplos, ArquivoEntregueEhODoGravador) {
  const CasoExemplo& c = GetParam();
  // Written with a full stop; they read with their values under either separator.
  toolkit::TRegionalTemporario r(toolkit::RegionalC());
  TProjeto p;
  c.construir(p);
  ASSERT_TRUE(VerificarDados(p.Encosta, p.Canal, p.Nimbora.Precipitacao(), c.irregular).Aprovado);

  const std::string entregue = teste::PastaFonte() + "/data/exemplos/" + c.arquivo;
  const char* gravar = std::getenv("CAUDALENTE_GRAVAR_EXEMPLOS");
  if (gravar != nullptr && std::string(gravar) == "1") {
    std::remove(entregue.c_str());
    GravarProjeto(entregue, p);
  }
  teste::TPastaTemporaria pasta;
  const std::string novo = pasta.Arquivo(c.arquivo);
  GravarProjeto(novo, p);
  EXPECT_EQ(teste::LerBytes(entregue), teste::LerBytes(novo)) << entregue;

  // Read with their values under either decimal separator.
  for (const auto& regional : {toolkit::RegionalC(), toolkit::RegionalPtBr()}) {
    toolkit::TRegionalTemporario leitura(regional);
    TProjeto lido;
    ASSERT_TRUE(LerProjeto(entregue, lido));
    teste::EsperarIguais(p, lido);
    // The units' state indexes the units dialog's list, not the database's.
    ASSERT_GE(lido.Unidades.Estado, 0);
    ASSERT_LT(lido.Unidades.Estado, static_cast<int>(TUnidades::Estados().size()));
    EXPECT_EQ(TUnidades::Estados()[static_cast<std::size_t>(lido.Unidades.Estado)], lido.Nimbora.StrEstado);
  }
}

INSTANTIATE_TEST_SUITE_P(Tabela, Exemplos,
                         ::testing::Values(CasoExemplo{"encosta_regular.cdt", teste::ExemploRegular, false},
                                           CasoExemplo{"encosta_irregular.cdt", teste::ExemploIrregular,
                                                       true}),
                         [](const auto& info) { return teste::NomeDeTeste(info.param.arquivo); });

}  // namespace
