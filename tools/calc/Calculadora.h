#pragma once
// The command-line calculator: reads a project, checks it as the data-entry
// window does, and computes the hydrograph of one line of the hillslope or one
// column of the channel, as the hydrograph page does.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Exit codes.
constexpr int kCalcOk = 0;
constexpr int kCalcDadosIncorretos = 1;  // unreadable project, failed check, model error
constexpr int kCalcUso = 2;              // bad usage, line or column out of range
constexpr int kCalcSemEscoamento = 3;    // fewer than 3 points

class TCaudalente;
struct TProjeto;

// Writes the report of a trace to html and/or pdf (an empty name: not asked);
// titulo is the chart window's caption. False with the reason on err. Only
// builds with the windows have one.
using TEscritorRelatorio =
    std::function<bool(const TProjeto&, const TCaudalente&, const std::string& titulo,
                       const std::string& html, const std::string& pdf, std::ostream& err)>;

// args: the arguments after the program name.
int ExecutarCalculadora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const TEscritorRelatorio& relatorio = {});

std::string TextoDeUso();

// The chart picture written beside an HTML report: its path with ".bmp" in
// place of the last extension.
std::string FiguraDoRelatorio(const std::string& html);
