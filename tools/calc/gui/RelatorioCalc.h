#pragma once
// The calculator's report: the chart drawn offscreen by the chart window's own
// code, the page built by the report generator the program uses.
#include <ostream>
#include <string>

class TCaudalente;
struct TProjeto;

// html: the page in Windows-1252 with the chart picture beside it (same name,
// ".bmp"); pdf: the same page with its pictures. Either may be empty.
bool EscreverRelatorioCalc(const TProjeto& projeto, const TCaudalente& serie, const std::string& titulo,
                           const std::string& html, const std::string& pdf, std::ostream& err);
