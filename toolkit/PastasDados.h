#pragma once
// Where the files delivered with the program are. The build tree keeps them
// beside the program (bin/ajuda, "../Arquivos Comuns" from bin/); an
// installed copy keeps them under <prefix>/share/caudalente, reached from
// <prefix>/bin. Plain C++: the program and the calculator use the same rule.
#include <string>

namespace toolkit {

// Folder of the running program, from /proc/self/exe, ending with '/'.
std::string PastaDoPrograma();

// The data folder `aoLado` (relative to the program's folder) when it
// exists, else `nome` in the installed data folder when that exists, else
// `aoLado` still, so that a message names the usual place. The answer keeps
// the ".." and any final '/' of the arguments.
std::string PastaDeDados(const std::string& aoLado, const std::string& nome,
                         const std::string& pastaPrograma = PastaDoPrograma());

}  // namespace toolkit
