#pragma once
// The studies the delivered IDF stations come from: the key is the exact
// source text of the station records; the three lines are what the query
// window's reference dialog shows.
#include <string>
#include <vector>

struct TCitacao {
  std::string Chave;
  std::string Autores;
  std::string Titulo;
  std::string Publicacao;
};

// Generated from data/idf/citations.csv (CitacoesIdf.cpp).
const std::vector<TCitacao>& CitacoesIdf();

// The entry whose key is chave, or nullptr (an interpolated record, an
// unknown key).
const TCitacao* ProcurarCitacao(const std::string& chave);

// Key of the study whose Goiás stations the query window shows with the
// disaggregation warning; empty when no delivered study needs it.
extern const char* const ChaveCitacaoAviso;
