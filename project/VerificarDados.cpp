#include "project/VerificarDados.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/channel/uCanal.h"
#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uPrecipitacao.h"
#include "model/hillslope/uTerreno.h"

namespace {

// !(x > 0) also refuses NaN, which a comparison "x <= 0" would let through.
bool NaoPositivo(double x) {
  return !(x > 0);
}

// A derived quantity the solvers and the outputs can use: a positive number.
bool Utilizavel(double x) {
  return std::isfinite(x) && x > 0;
}

// What a positive value that passed its own check may still break: the
// quantities derived from it, at a discharge of 1 L/s (per metre on the
// hillslope), where runs lie. An extreme value (a roughness of 1e-308, a
// wall slope of 1e308) would make them infinite, NaN or zero, and the outputs
// null, inf or NaN.
const char* const kNaoFinitos =
    ": com ele, o coeficiente α, a profundidade ou a velocidade do escoamento não seriam números finitos.  ";
constexpr double kVazaoReferencia = 1e-3;  // m³/s (m²/s per metre on the hillslope)

// The hillslope's flow law q = α·h^(5/3) and the depth h* of its scheme's switch.
bool EncostaCalculavel(const TEncostaCinematica& t) {
  const double alfa = t.Alfa();
  const double h = std::pow(kVazaoReferencia / alfa, 0.6);
  const double dx = std::max(t.DeltaX(), 0.01);
  const double hEstrela = std::pow(3 * dx / (5 * alfa * 60 * t.DeltaT()), 1.5);
  return Utilizavel(alfa) && Utilizavel(1000 * alfa) && Utilizavel(h) && Utilizavel(kVazaoReferencia / h) &&
         Utilizavel(hEstrela);
}

// The channel's rating Q = α·A^β and its section at the reference discharge.
bool CanalCalculavel(const TCanalGradienteCustom& Canal) {
  TCanalCinematicoCustom c;
  c.Assign(Canal);
  const TCurvaDescarga curva = c.CurvaDescarga();
  if (!Utilizavel(curva.c) || !std::isfinite(curva.m) || !Utilizavel(curva.Alfa) ||
      !Utilizavel(1000 * curva.Alfa) || !Utilizavel(curva.Beta))
    return false;
  const double area = std::pow(kVazaoReferencia / curva.Alfa, 1 / curva.Beta);
  return Utilizavel(area) && Utilizavel(c.ProfundidadeDaArea(area)) && Utilizavel(kVazaoReferencia / area);
}

// The value most distant from 1 by orders of magnitude: the one to blame
// when several enter a quantity that broke. Returns its index.
std::size_t MaisExtremo(std::initializer_list<double> valores) {
  std::size_t i = 0, pior = 0;
  double distancia = -1;
  for (double v : valores) {
    const double d = std::fabs(std::log(v));
    if (d > distancia) {
      distancia = d;
      pior = i;
    }
    ++i;
  }
  return pior;
}

// Message of a value whose own check passed but whose derived quantities
// broke: the start of the field's message, then why.
std::string NaoFinito(const std::string& inicio) {
  return inicio + kNaoFinitos;
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
      if (!NaoPositivo(t.nt.Valor) && !NaoPositivo(t.St()) && !EncostaCalculavel(t))
        p.Se(true, "tgEncosta1",
             NaoFinito(MaisExtremo({t.nt.Valor, std::sqrt(t.St())}) == 0
                           ? "  Valor incorreto da rugosidade do terreno no trecho " + n + " da encosta"
                           : "  Valor incorreto da declividade da encosta para o trecho " + n +
                                 " da encosta"));
    }
  } else if (Encosta.Count() > 0) {
    const TEncostaCinematica& t = Encosta.Trechos(Encosta.Count() - 1);
    p.Se(NaoPositivo(t.nt.Valor), "ent", "  Valor incorreto da rugosidade do terreno.  ");
    p.Se(t.Comprimento() < 1, "eEncComp", "  Valor incorreto do comprimento da encosta.  ");
    p.Se(NaoPositivo(t.St()), "eSt", "  Valor incorreto da declividade da encosta.  ");
    p.Se(NaoPositivo(AbstracaoInicial(t)), "bCoberVeg",
         "  Nenhuma informação sobre cobertura vegetal foi fornecida.  ");
    p.Se(NaoPositivo(t.VIB()), "eVIB", "  Valor incorreto da taxa de infiltração estável.  ");
    if (!NaoPositivo(t.nt.Valor) && !NaoPositivo(t.St()) && !EncostaCalculavel(t)) {
      if (MaisExtremo({t.nt.Valor, std::sqrt(t.St())}) == 0)
        p.Se(true, "ent", NaoFinito("  Valor incorreto da rugosidade do terreno"));
      else
        p.Se(true, "eSt", NaoFinito("  Valor incorreto da declividade da encosta"));
    }
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

  // Only a channel whose own values all passed: the rating needs every one.
  const bool triangular = Canal.TipoCanal.Tipo == 1;
  const double parede2 = triangular ? Canal.Sm.Valor : Canal.B();
  if (!NaoPositivo(Canal.nc.Valor) && !NaoPositivo(Canal.Sc()) && !NaoPositivo(Canal.Z.Valor) &&
      !NaoPositivo(parede2) && !CanalCalculavel(Canal)) {
    switch (MaisExtremo({Canal.nc.Valor, std::sqrt(Canal.Sc()), Canal.Z.Valor, parede2})) {
      case 0:
        p.Se(true, "enc", NaoFinito("  Valor incorreto da rugosidade do canal"));
        break;
      case 1:
        p.Se(true, "eSc", NaoFinito("  Valor incorreto da declividade do canal"));
        break;
      case 2:
        p.Se(true, triangular ? "em1" : "eZ",
             NaoFinito(triangular ? "  Valor incorreto da declividade da parede 1 do canal triangular"
                                  : "  Valor incorreto da declividade da parede do canal trapezoidal"));
        break;
      default:
        p.Se(true, triangular ? "emSm" : "eBCan",
             NaoFinito(triangular ? "  Valor incorreto da declividade da parede 2 do canal triangular"
                                  : "  Valor incorreto da base do canal trapezoidal"));
    }
  }

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
