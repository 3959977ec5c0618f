#pragma once
// The two example projects delivered in data/exemplos, built from stations of
// the delivered IDF database.
#include <stdexcept>
#include <string>

#include "idf/UnBD.h"
#include "project/ArquivoProjeto.h"

namespace teste {

inline std::string PastaFonte() {
  return CAUDALENTE_SOURCE_DIR;
}

inline void UsarEstacao(TNimbora21& n, int estado, const std::string& nome, double tr) {
  TBDPrecipitacao bd(PastaFonte() + "/data/Arquivos Comuns/");
  bd.LerEstados();
  const auto& estacoes = bd.Estacoes(estado);
  for (size_t i = 0; i < estacoes.size(); ++i) {
    if (estacoes[i].Nome != nome) continue;
    n.IndEstado = static_cast<int16_t>(estado);
    n.StrEstado = NomesEstados[static_cast<size_t>(estado)];
    n.IndEstacao = static_cast<int16_t>(i);
    n.IndLocalidade = -1;
    n.StrCidade = nome;
    n.Latitude = estacoes[i].Latitude;
    n.Longitude = estacoes[i].Longitude;
    n.DefinirAutoria(estacoes[i].Fonte);
    TPrecipitacaoExponencialNegativa& c = n.Precipitacao();
    c.SetTr(tr);
    c.SetK(estacoes[i].K);
    c.SetA(estacoes[i].a);
    c.SetB(estacoes[i].b);
    c.SetC(estacoes[i].c);
    return;
  }
  throw std::runtime_error("station not in the database: " + nome);
}

inline int IndiceEstado(const std::string& nome) {
  for (int i = 0; i < NumeroEstados; ++i)
    if (nome == NomesEstados[static_cast<size_t>(i)]) return i;
  throw std::runtime_error("state not in the table: " + nome);
}

// Rows of the reference tables count from 1, as the dialogs return them.
inline void Trecho(TEncostaCinematica& t, int comprimento, double st, double nt, int8_t indnt, double vib,
                   int uso, int tratamento, int condicao) {
  t.SetComprimento(comprimento);
  t.SetSt(st);
  t.nt = TReal(nt, indnt);
  t.SetVIB(vib);
  t.Cobertura.UsoTerra.Indice = static_cast<uint8_t>(uso);
  t.Cobertura.Tratamento.Indice = static_cast<uint8_t>(tratamento);
  t.Cobertura.CondicaoHidrologica.Indice = static_cast<uint8_t>(condicao);
}

// A 60-m pasture slope on contour lines above a trapezoidal terrace channel,
// Viçosa (MG), 10-year storm.
inline void ExemploRegular(TProjeto& p) {
  p.Limpar();
  UsarEstacao(p.Nimbora, IndiceEstado("Minas Gerais"), "Viçosa", 10);
  p.Nimbora.Precipitacao().Duracao = 60;
  p.Encosta.SetCount(1);
  Trecho(p.Encosta.Trechos(0), 60, 0.08, 0.12, 9, 15, 4, 2, 3);  // pasture, good cover
  p.Encosta.Regular = true;
  TCanalCinematico& c = p.Canal;
  c.TipoCanal.Tipo = 0;
  c.SetB(0.5);
  c.Z = TReal(1.5, 4);     // sandy clay soil
  c.nc = TReal(0.027, 4);  // short grass
  c.SetSc(0.004);
  c.SetComprimento(150);
  p.Unidades.Estado = TUnidades::IndiceEstado(p.Nimbora.StrEstado);
}

// Three segments from the divide down (forest, contoured row crops, pasture)
// above a triangular channel whose hillslope wall has the foot segment's
// slope, Passo Fundo (RS), 25-year storm.
inline void ExemploIrregular(TProjeto& p) {
  p.Limpar();
  UsarEstacao(p.Nimbora, IndiceEstado("Rio Grande do Sul"), "Passo Fundo", 25);
  p.Nimbora.Precipitacao().Duracao = 90;
  p.Encosta.SetCount(3);
  Trecho(p.Encosta.Trechos(0), 30, 0.04, 0.15, 12, 30, 5, 0, 3);  // young forest
  Trecho(p.Encosta.Trechos(1), 50, 0.1, 0.12, 4, 18, 1, 2, 3);    // chisel-tilled rows
  Trecho(p.Encosta.Trechos(2), 40, 0.06, 0.1, 8, 12, 4, 2, 2);    // pasture, fair cover
  p.Encosta.Regular = false;
  TCanalCinematico& c = p.Canal;
  c.TipoCanal.Tipo = 1;
  c.Z = TReal(0.06, -1);
  c.Sm = TReal(0.213, 4);  // broad-base level terrace
  c.nc = TReal(0.03, 6);   // winding, grass
  c.SetSc(0.005);
  c.SetComprimento(200);
  p.Unidades.Estado = TUnidades::IndiceEstado(p.Nimbora.StrEstado);
}

}  // namespace teste
