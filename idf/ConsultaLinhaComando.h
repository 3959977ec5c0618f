#pragma once
// Database mode of the command-line calculator:
//   --idf-estacoes ESTADO                 the state's stations as a JSON array of
//       {"Nome", "K", "a", "b", "c", "Autoria", "Latitude", "Longitude"}
//   --idf-interpolar LATITUDE LONGITUDE   {"K", "a", "b", "c", "Autoria"} of Interpolar
// "Autoria" is the source in both, as the IDF component calls it.
// ESTADO is a state name of the table ("Minas Gerais") or its index (0-26);
// LATITUDE and LONGITUDE are coordinate texts ("20°45'14\"", south and west
// positive). Numbers are written with 17 significant digits.
#include <ostream>
#include <string>
#include <vector>

// args: the arguments after the program name, beginning with the --idf- option.
// pasta: the database folder. Returns 0 on success, 2 on bad usage (message on
// err), 1 when the database cannot be read or used.
int ExecutarConsultaIdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ExecutarConsultaIdf(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::string& pasta);
