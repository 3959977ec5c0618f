#pragma once
// A whole project file (".cdt", INI layout): the hillslope segment list, the
// channel, the IDF component with its storm, and the unit settings, each
// object reading and writing its own sections.
//
// Sections of a new file, in order: "Encosta", per segment k "Cobertura:
// Trecho k", "Terreno: Trecho k", "Encosta: Trecho k", then "Canal",
// "CanalGradiente", "NIMBORA", "PRECIPITACAO", "PREC_EXPONENCIAL_NEGATIVA",
// "UNIDADES", "VERSAO". Saving over an older file keeps every section this
// save does not write.
#include <stdexcept>
#include <string>

#include "idf/Nimbora21Comp.h"
#include "model/channel/uCanalCinematico.h"
#include "model/hillslope/uEncostaCinematica.h"
#include "project/Unidades.h"

namespace toolkit {
class TArquivoIni;
}

class EArquivoProjeto : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The four objects a project file holds, for callers that have no main window
// to own them (the calculator, tests).
struct TProjeto {
  TEncostaCinematicaSecoes Encosta;
  TCanalCinematico Canal;
  TNimbora21 Nimbora;
  TUnidades Unidades;

  // As a new project: empty list, cleared channel and component, default units.
  void Limpar();
};

// Reads VERSAO first: neither "1" nor "2" throws EArquivoProjeto "Ocorreu um
// erro ao tentar ler o arquivo <name>. Não existe a versão especificada neste
// arquivo.". Then the IDF component, the channel, the hillslope list and the
// units; the first reader that returns false ends the reading with false (the
// values read so far stay in the objects: the caller clears them). Errors of
// the readers (an unreadable segment, an unknown hillslope layout) propagate.
// Reading never writes: an old project has its storm keys moved to their new
// sections when it is saved. Reals written with either decimal separator read
// with their values.
bool LerProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                TNimbora21& Nimbora, TUnidades& Unidades);
bool LerProjeto(const std::string& Caminho, TProjeto& Projeto);
// The same from a file already in memory (its path names it in the messages),
// so a caller can change a key and read the project without touching the file.
bool LerProjeto(const toolkit::TArquivoIni& Ini, TProjeto& Projeto);
// Puts every section a save writes into Ini, in memory only.
void GravarSecoesDoProjeto(toolkit::TArquivoIni& Ini, TProjeto& Projeto);

// Writes the hillslope list, the channel, the IDF component, the units and
// VERSAO "2", in this order, over what the file already holds. The file is
// written once, through a temporary file that then replaces it, so a save
// that fails leaves the old project intact; the failure is thrown as
// toolkit::EArquivoIni, naming the path and the reason in Portuguese.
void GravarProjeto(const std::string& Caminho, TEncostaCinematicaSecoes& Encosta, TCanalCinematico& Canal,
                   TNimbora21& Nimbora, const TUnidades& Unidades);
void GravarProjeto(const std::string& Caminho, TProjeto& Projeto);
