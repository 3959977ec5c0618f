#pragma once
// Conversion of hydrograph files between their text and binary layouts (the
// layouts themselves are in uCaudalenteArquivos.cpp): the series is read
// whole from one file and written to the other, so the input may be the
// output.
#include <string>

// The output's name: the input's with the extension of its file name (the
// part after its last dot, never a dot of a folder) replaced by "bin" or
// "txt"; a name without extension gets one. "dados.text" gives "dados.bin",
// "a.b.bin" gives "a.b.txt".
std::string NomeConvertido(const std::string& Origem, bool ParaBinario);

// Reads Origem as text (ParaBinario) or binary and writes Destino in the other
// layout. False when Origem does not exist (the reader has told the user);
// throws ECaudalente for a file that holds no hydrograph or an output that
// cannot be written.
bool ConverterCaudalente(const std::string& Origem, const std::string& Destino, bool ParaBinario);
