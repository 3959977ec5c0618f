#include "project/VerificarDados.h"

#include "model/channel/uCanal.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uPrecipitacao.h"
#include "model/hillslope/uTerreno.h"

namespace {

// !(x > 0) also refuses NaN, which a comparison "x <= 0" would let through.
bool NaoPositivo(double x) {
  return !(x > 0);
}

class TPendente {
 public:
  void Se(bool falhou, const char* controle, const std::string& mensagem) {
    if (!falhou) return;
    r_.Aprovado = false;
    r_.Controle = controle;
    r_.Mensagem = mensagem;
  }
  const TVerificacao& Resultado() const { return r_; }

 private:
  TVerificacao r_;
};

}  // namespace

TVerificacao VerificarDados(const TEncostaCinematicaSecoes& Encosta, const TCanalGradienteCustom& Canal,
                            const TPrecipitacaoExponencialNegativa& Chuva, bool Irregular) {
  TPendente p;
  p.Se(Encosta.Count() == 0, "bAdicionar1", "  Nenhum trecho definido para a encosta.  ");

  if (Irregular) {
    for (int i = 0; i < Encosta.Count(); ++i) {
      const TEncostaCinematica& t = Encosta.Trechos(i);
      const std::string n = std::to_string(i + 1);
      p.Se(NaoPositivo(t.nt.Valor), "tgEncosta1",
           "  Valor incorreto da rugosidade do terreno no trecho " + n + " da encosta.  ");
      p.Se(t.Comprimento() < 1, "tgEncosta1",
           "  Valor incorreto do comprimento da encosta para o trecho " + n + " da encosta.  ");
      p.Se(NaoPositivo(t.St()), "tgEncosta1",
           "  Valor incorreto da declividade da encosta para o trecho " + n + " da encosta.  ");
      p.Se(
          NaoPositivo(AbstracaoInicial(t)), "tgEncosta1",
          "  Nenhuma informação sobre cobertura vegetal foi fornecida para o trecho " + n + " da encosta.  ");
      // A rate of 0 would let rainfall excess last for ever: the run would never end.
      p.Se(NaoPositivo(t.VIB()), "tgEncosta1",
           "  Valor incorreto da taxa de infiltração estável para o trecho " + n + " da encosta.  ");
    }
  } else if (Encosta.Count() > 0) {
    const TEncostaCinematica& t = Encosta.Trechos(Encosta.Count() - 1);
    p.Se(NaoPositivo(t.nt.Valor), "ent", "  Valor incorreto da rugosidade do terreno.  ");
    p.Se(t.Comprimento() < 1, "eEncComp", "  Valor incorreto do comprimento da encosta.  ");
    p.Se(NaoPositivo(t.St()), "eSt", "  Valor incorreto da declividade da encosta.  ");
    p.Se(NaoPositivo(AbstracaoInicial(t)), "bCoberVeg",
         "  Nenhuma informação sobre cobertura vegetal foi fornecida.  ");
    p.Se(NaoPositivo(t.VIB()), "eVIB", "  Valor incorreto da taxa de infiltração estável.  ");
  }

  switch (Canal.TipoCanal.Tipo) {
    case 1:
      p.Se(NaoPositivo(Canal.Z.Valor), "em1",
           "  Valor incorreto da declividade da parede 1 do canal triangular.  ");
      p.Se(NaoPositivo(Canal.Sm.Valor), "emSm",
           "  Valor incorreto da declividade da parede 2 do canal triangular.  ");
      break;
    case 0:
      p.Se(NaoPositivo(Canal.Z.Valor), "eZ",
           "  Valor incorreto da declividade da parede do canal trapezoidal.  ");
      p.Se(NaoPositivo(Canal.B()), "eBCan", "  Valor incorreto da base do canal trapezoidal.  ");
      break;
    default:
      throw ECanal("Erro. Tipo de canal não definido.");
  }

  p.Se(NaoPositivo(Canal.nc.Valor), "enc", "  Valor incorreto da rugosidade do canal.  ");
  p.Se(Canal.Comprimento() <= 0, "eCanComp", "  Valor incorreto do comprimento do canal.  ");
  p.Se(NaoPositivo(Canal.Sc()), "eSc", "  Valor incorreto da declividade do canal.  ");

  p.Se(NaoPositivo(Chuva.C()), "eC", "  Valor incorreto do parâmetro \"c\" da equação de chuvas intensas.  ");
  p.Se(NaoPositivo(Chuva.B()), "eB", "  Valor incorreto do parâmetro \"b\" da equação de chuvas intensas.  ");
  p.Se(NaoPositivo(Chuva.A()), "eA", "  Valor incorreto do parâmetro \"a\" da equação de chuvas intensas.  ");
  p.Se(NaoPositivo(Chuva.K()), "eK", "  Valor incorreto do parâmetro \"K\" da equação de chuvas intensas.  ");
  p.Se(NaoPositivo(Chuva.Tr()), "eTr", "  Valor incorreto do tempo de retorno.  ");
  return p.Resultado();
}

void ExigirDadosCorretos(const TEncostaCinematicaSecoes& Encosta, const TCanalGradienteCustom& Canal,
                         const TPrecipitacaoExponencialNegativa& Chuva, bool Irregular) {
  const TVerificacao v = VerificarDados(Encosta, Canal, Chuva, Irregular);
  if (!v.Aprovado) throw EDadosIncorretos(v.Mensagem, v.Controle);
}
