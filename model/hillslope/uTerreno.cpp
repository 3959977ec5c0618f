#include "model/hillslope/uTerreno.h"

#include "toolkit/ArquivoIni.h"

namespace {

// Curve numbers by infiltration column: VIB <= 3, <= 40, <= 190, above.
struct TLinhaCN {
  int uso;
  int tratamento;  // -1: any
  int condicao;    // -1: any; -2: any but 1
  int cn[4];
};

// Rows are tried in order; the first that matches wins, so the specific
// condition-1 row of land use 2, treatment 2 comes before its catch-all.
// clang-format off
constexpr TLinhaCN kTabelaCN[] = {
    // uso tratamento condicao   VIB<=3 <=40 <=190 >190
    {0, -1, -1, {98, 97, 94, 89}},
    {1,  1,  1, {97, 95, 92, 86}},
    {1,  1,  3, {96, 94, 90, 83}},
    {1,  2,  1, {95, 93, 91, 85}},
    {1,  2,  3, {94, 92, 88, 82}},
    {1,  3,  1, {92, 91, 88, 82}},
    {1,  3,  3, {92, 90, 86, 79}},
    {2,  1,  1, {95, 93, 89, 82}},
    {2,  1,  3, {95, 93, 88, 80}},
    {2,  2,  1, {94, 92, 88, 80}},
    {2,  2, -2, {93, 92, 87, 78}},
    {2,  3,  1, {92, 91, 86, 78}},
    {2,  3,  3, {92, 90, 85, 77}},
    {3,  1,  1, {96, 94, 89, 82}},
    {3,  1,  3, {94, 92, 86, 76}},
    {3,  2,  1, {94, 93, 88, 81}},
    {3,  2,  3, {93, 90, 84, 74}},
    {3,  3,  1, {93, 91, 87, 80}},
    {3,  3,  3, {91, 89, 83, 70}},
    {4,  1,  1, {96, 94, 91, 84}},
    {4,  1,  2, {93, 91, 84, 69}},
    {4,  1,  3, {91, 88, 78, 59}},
    {4,  2,  1, {95, 92, 83, 67}},
    {4,  2,  2, {93, 88, 77, 43}},
    {4,  2,  3, {91, 85, 55, 15}},
    {5, -1,  1, {93, 89, 82, 65}},
    {5, -1,  2, {91, 87, 78, 56}},
    {5, -1,  3, {89, 85, 74, 43}},
};
// clang-format on

bool Casa(int campo, int valor) {
  if (campo == -1) return true;
  if (campo == -2) return valor != 1;
  return campo == valor;
}

const char* const kSecaoCobertura = "Cobertura";
const char* const kSecaoTerreno = "Terreno";

// An index key read into a byte field; a missing key (default −1) or a value
// outside 0..maximo fails and leaves the field as it was.
bool LerIndice(const toolkit::TArquivoIni& ini, const std::string& secao, const char* chave, int maximo,
               uint8_t& indice) {
  const int valor = ini.LerInteiro(secao, chave, -1);
  if (valor < 0 || valor > maximo) return false;
  indice = static_cast<uint8_t>(valor);
  return true;
}

}  // namespace

int NumeroDaCurva(const TCobertura& Cobertura, double VIB) {
  const int uso = Cobertura.UsoTerra.Indice;
  const int tratamento = Cobertura.Tratamento.Indice;
  const int condicao = Cobertura.CondicaoHidrologica.Indice;
  const int coluna = VIB <= 3 ? 0 : VIB <= 40 ? 1 : VIB <= 190 ? 2 : 3;
  for (const TLinhaCN& linha : kTabelaCN)
    if (linha.uso == uso && Casa(linha.tratamento, tratamento) && Casa(linha.condicao, condicao))
      return linha.cn[coluna];
  return 0;
}

double AbstracaoInicial(const TTerreno& Terreno) {
  const int cn = NumeroDaCurva(Terreno.Cobertura, Terreno.VIB());
  if (cn == 0) return 0;
  return (100.0 / cn - 1) * 50.8;
}

// ------------------------------------------------------------------- TCobertura

void TCobertura::Assign(const TCobertura& Origem) {
  UsoTerra.Assign(Origem.UsoTerra);
  Tratamento.Assign(Origem.Tratamento);
  CondicaoHidrologica.Assign(Origem.CondicaoHidrologica);
}

void TCobertura::Limpar() {
  UsoTerra.Limpar();
  Tratamento.Limpar();
  CondicaoHidrologica.Limpar();
}

bool TCobertura::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TCobertura::GravarArquivo(const std::string& NomeArquivo) {
  return toolkit::GravarIni(NomeArquivo, [this](toolkit::TArquivoIni& ini) { GravarSecoes(ini); });
}

bool TCobertura::LerSecoes(const toolkit::TArquivoIni& Ini) {
  const std::string secao = kSecaoCobertura + Sufixo;
  if (Ini.LerString(secao, "Versao", "0") != "1") return false;
  return LerIndice(Ini, secao, "IndUso", 5, UsoTerra.Indice) &&
         LerIndice(Ini, secao, "IndCond", 3, CondicaoHidrologica.Indice) &&
         LerIndice(Ini, secao, "IndTrat", 3, Tratamento.Indice);
}

void TCobertura::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  const std::string secao = kSecaoCobertura + Sufixo;
  Ini.EscreverString(secao, "Versao", "1");
  Ini.EscreverInteiro(secao, "IndUso", UsoTerra.Indice);
  Ini.EscreverInteiro(secao, "IndCond", CondicaoHidrologica.Indice);
  Ini.EscreverInteiro(secao, "IndTrat", Tratamento.Indice);
}

// --------------------------------------------------------------------- TTerreno

void TTerreno::Assign(const TTerreno& Origem) {
  FVIB = Origem.FVIB;
  FSt = Origem.FSt;
  Cobertura.Assign(Origem.Cobertura);
  nt.Assign(Origem.nt);
}

void TTerreno::Limpar() {
  Cobertura.Limpar();
  nt = TReal(0, 0);
  FVIB = 0;
  FSt = 0;
}

bool TTerreno::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TTerreno::GravarArquivo(const std::string& NomeArquivo) {
  return toolkit::GravarIni(NomeArquivo, [this](toolkit::TArquivoIni& ini) { GravarSecoes(ini); });
}

bool TTerreno::LerSecoes(const toolkit::TArquivoIni& Ini) {
  return Cobertura.LerSecoes(Ini) && LerSecaoTerreno(Ini);
}

void TTerreno::GravarSecoes(toolkit::TArquivoIni& Ini) const {
  Cobertura.GravarSecoes(Ini);
  GravarSecaoTerreno(Ini);
}

bool TTerreno::LerSecaoTerreno(const toolkit::TArquivoIni& Ini) {
  const std::string secao = kSecaoTerreno + Sufixo;
  if (Ini.LerString(secao, "Versao", "0") != "1") return false;
  SetVIB(Ini.LerReal(secao, "VIB", 0));
  SetSt(Ini.LerReal(secao, "St", 0));
  nt.Valor = Ini.LerReal(secao, "nt", 0);
  // The row index is a signed byte: a value that does not fit is refused
  // rather than wrapped into another row.
  const int indice = Ini.LerInteiro(secao, "Indnt", -1);
  if (indice < 0 || indice > 127) return false;
  nt.Indice = static_cast<int8_t>(indice);
  return true;
}

void TTerreno::GravarSecaoTerreno(toolkit::TArquivoIni& Ini) const {
  const std::string secao = kSecaoTerreno + Sufixo;
  Ini.EscreverString(secao, "Versao", "1");
  Ini.EscreverReal(secao, "VIB", FVIB);
  Ini.EscreverReal(secao, "St", FSt);
  Ini.EscreverReal(secao, "nt", nt.Valor);
  Ini.EscreverInteiro(secao, "Indnt", nt.Indice);
}
