#include "model/channel/uCanal.h"

#include <cmath>

#include "toolkit/ArquivoIni.h"

namespace {

const char* const kSecaoNaoDefinida = "Erro. Seção transversal do canal não definida.";

// Reference-table rows are held in 8 signed bits; −1 means none. A file value
// outside −1..127 cannot be a row and fails the read instead of wrapping round.
bool LerIndice(const toolkit::TArquivoIni& ini, const std::string& secao, const char* chave, TReal& destino) {
  const int indice = ini.LerInteiro(secao, chave, -2);
  if (indice < -1 || indice > INT8_MAX) return false;
  destino.Indice = static_cast<int8_t>(indice);
  return true;
}

}  // namespace

void TCanal::Limpar() {
  TipoCanal.Limpar();
  Sm = TReal(0, -1);
  Z = TReal(0, -1);
  FB = 0;
  FH = 0;
  FHr = 0;
  FCDu = 1.0;
}

void TCanal::Assign(const TCanal& Origem) {
  FB = Origem.FB;
  FH = Origem.FH;
  FHr = Origem.FHr;
  FCDu = Origem.FCDu;
  TipoCanal.Tipo = Origem.TipoCanal.Tipo;
  Sm.Assign(Origem.Sm);
  Z.Assign(Origem.Z);
}

double TCanal::ProfundidadeDaArea(double A) const {
  switch (TipoCanal.Tipo) {
    case 0:
      return ProfundidadeTrapezio(FB, Z.Valor, A);
    case 1:
      return std::sqrt(2 * A / (1 / Z.Valor + 1 / Sm.Valor));
    default:
      throw ECanal(kSecaoNaoDefinida);
  }
}

double TCanal::AreaMolhada(double y) const {
  switch (TipoCanal.Tipo) {
    case 0:
      return y * (FB + Z.Valor * y);
    case 1:
      return y * y * (1 / Z.Valor + 1 / Sm.Valor) / 2;
    default:
      throw ECanal(kSecaoNaoDefinida);
  }
}

double TCanal::PerimetroMolhado(double y) const {
  switch (TipoCanal.Tipo) {
    case 0:
      return FB + 2 * y * std::sqrt(Z.Valor * Z.Valor + 1);
    case 1: {
      const double inversoZ = 1 / Z.Valor, inversoSm = 1 / Sm.Valor;
      return y * (std::sqrt(inversoZ * inversoZ + 1) + std::sqrt(inversoSm * inversoSm + 1));
    }
    default:
      throw ECanal(kSecaoNaoDefinida);
  }
}

double TCanal::LarguraSuperficial(double y) const {
  switch (TipoCanal.Tipo) {
    case 0:
      return FB + 2 * Z.Valor * y;
    case 1:
      return y * (1 / Z.Valor + 1 / Sm.Valor);
    default:
      throw ECanal(kSecaoNaoDefinida);
  }
}

bool TCanal::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TCanal::GravarArquivo(const std::string& NomeArquivo) {
  toolkit::TArquivoIni ini(NomeArquivo);
  GravarSecoes(ini);
  ini.SalvarOuErro();
  return true;
}

bool TCanal::LerSecoes(const toolkit::TArquivoIni& ini) {
  const std::string secao = "Canal" + Sufixo;
  if (ini.LerString(secao, "Versao", "0") != "1") return false;
  SetH(ini.LerReal(secao, "H", 0));
  SetHr(ini.LerReal(secao, "Hr", 0));
  SetB(ini.LerReal(secao, "B", 0));
  SetCDu(ini.LerReal(secao, "CDu", 0));
  if (!LerIndice(ini, secao, "IndZ", Z)) return false;
  Z.Valor = ini.LerReal(secao, "ValorZ", 0);
  if (!LerIndice(ini, secao, "IndSm", Sm)) return false;
  Sm.Valor = ini.LerReal(secao, "ValorSm", 0);
  const int tipo = ini.LerInteiro(secao, "TipoCanal", -1);
  if (tipo != 0 && tipo != 1) return false;
  TipoCanal.Tipo = static_cast<uint8_t>(tipo);
  return true;
}

void TCanal::GravarSecoes(toolkit::TArquivoIni& ini) const {
  const std::string secao = "Canal" + Sufixo;
  ini.EscreverString(secao, "Versao", "1");
  ini.EscreverReal(secao, "H", FH);
  ini.EscreverReal(secao, "Hr", FHr);
  ini.EscreverReal(secao, "B", FB);
  ini.EscreverReal(secao, "CDu", FCDu);
  ini.EscreverInteiro(secao, "IndZ", Z.Indice);
  ini.EscreverReal(secao, "ValorZ", Z.Valor);
  ini.EscreverInteiro(secao, "IndSm", Sm.Indice);
  ini.EscreverReal(secao, "ValorSm", Sm.Valor);
  ini.EscreverInteiro(secao, "TipoCanal", TipoCanal.Tipo);
}

void TCanalGradienteCustom::Limpar() {
  nc = TReal(0, 0);
  FComprimento = 0;
  FSc = 0;
  FQ = 0;
  TCanal::Limpar();
  TipoCanal.Tipo = 0;
}

void TCanalGradienteCustom::Assign(const TCanal& Origem) {
  TCanal::Assign(Origem);
  if (const auto* trecho = dynamic_cast<const TCanalGradienteCustom*>(&Origem)) {
    FSc = trecho->FSc;
    FQ = trecho->FQ;
    FComprimento = trecho->FComprimento;
    nc.Assign(trecho->nc);
  }
}

bool TCanalGradienteCustom::LerSecoes(const toolkit::TArquivoIni& ini) {
  if (!TCanal::LerSecoes(ini)) return false;
  const std::string secao = "CanalGradiente" + Sufixo;
  if (ini.LerString(secao, "Versao", "0") != "1") return false;
  TCanalGradienteCustom::SetComprimento(ini.LerInteiro(secao, "Comprimento", 0));
  SetSc(ini.LerReal(secao, "Sc", 0));
  SetQ(ini.LerReal(secao, "Q", 0));
  if (!LerIndice(ini, secao, "Indnc", nc)) return false;
  nc.Valor = ini.LerReal(secao, "nc", 0);
  return true;
}

void TCanalGradienteCustom::GravarSecoes(toolkit::TArquivoIni& ini) const {
  TCanal::GravarSecoes(ini);
  const std::string secao = "CanalGradiente" + Sufixo;
  ini.EscreverString(secao, "Versao", "1");
  ini.EscreverInteiro(secao, "Comprimento", FComprimento);
  ini.EscreverReal(secao, "Sc", FSc);
  ini.EscreverReal(secao, "Q", FQ);
  ini.EscreverInteiro(secao, "Indnc", nc.Indice);
  ini.EscreverReal(secao, "nc", nc.Valor);
}
