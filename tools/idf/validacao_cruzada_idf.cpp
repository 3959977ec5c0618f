// Leave-one-out check of the two IDF estimates over the delivered database:
// each station of the interpolation states is taken out in turn, both
// estimates are made at its coordinates from the others, and their
// intensities are compared with the station's own equation. Prints, for
// each return period and duration, the median, 90th percentile and worst
// relative difference of each estimate, as a Markdown table (the help page
// shows this output).
//
//   idf-validacao-cruzada [--html] ["PASTA DO BANCO/"]
// With --html the table is an HTML fragment, the one the help page holds.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "idf/AjusteIdf.h"
#include "idf/UnBD.h"

namespace {

const int kEstadosInterpolacao[] = {4, 7, 8, 12, 15, 18, 24, 26};
const double kPeriodos[] = {10, 25};
const double kDuracoes[] = {10, 30, 60};

double Quantil(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  const double pos = q * double(v.size() - 1);
  const auto k = static_cast<std::size_t>(pos);
  return k + 1 < v.size() ? v[k] + (pos - double(k)) * (v[k + 1] - v[k]) : v.back();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    bool html = false;
    std::string pasta = PastaBancoDados();
    for (int k = 1; k < argc; ++k) {
      if (std::string(argv[k]) == "--html")
        html = true;
      else
        pasta = argv[k];
    }
    TBDPrecipitacao bd(pasta);
    bd.LerEstados();
    const std::size_t nCasos = std::size(kPeriodos) * std::size(kDuracoes);
    std::vector<std::vector<double>> classico(nCasos), ajuste(nCasos);
    int estacoes = 0;
    for (int estado : kEstadosInterpolacao) {
      for (const TEstacao& e : bd.Estacoes(estado)) {
        if (CoordenadaVazia(e.Latitude) || CoordenadaVazia(e.Longitude)) continue;
        ++estacoes;
        const auto pesos = bd.PesosInterpolacao(e.Latitude, e.Longitude, &e);
        double total = 0;
        TEquacaoIdf c;
        for (const auto& [v, w] : pesos) total += w;
        for (const auto& [v, w] : pesos) {
          c.K += w / total * v->K;
          c.a += w / total * v->a;
          c.b += w / total * v->b;
          c.c += w / total * v->c;
        }
        const TEquacaoIdf f = bd.InterpolarIntensidades(e.Latitude, e.Longitude, &e).Equacao;
        const TEquacaoIdf propria{e.K, e.a, e.b, e.c};
        std::size_t k = 0;
        for (double tr : kPeriodos)
          for (double t : kDuracoes) {
            const double i = IntensidadeIdf(propria, tr, t);
            classico[k].push_back(std::abs(IntensidadeIdf(c, tr, t) / i - 1.0));
            ajuste[k].push_back(std::abs(IntensidadeIdf(f, tr, t) / i - 1.0));
            ++k;
          }
      }
    }
    const char* const cabecalho[] = {"Tr (anos)", "t (min)", "Coeficientes interpolados: mediana",
                                     "90%",       "pior",    "Intensidades interpoladas (ajuste): mediana",
                                     "90%",       "pior"};
    const char* const inicio = html ? "<tr>" : "|";
    const char* const fim = html ? "</tr>\n" : "\n";
    auto celula = [html](const std::string& t, bool titulo = false) {
      if (html)
        std::printf(titulo ? "<th>%s</th>" : "<td>%s</td>", t.c_str());
      else
        std::printf(" %s |", t.c_str());
    };
    auto porcento = [](double v) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.1f %%", 100 * v);
      std::string r = buf;
      std::replace(r.begin(), r.end(), '.', ',');  // the help is in Portuguese
      return r;
    };
    if (html)
      std::printf("<p>Estações deixadas de fora, uma de cada vez: %d.</p>\n<table>\n", estacoes);
    else
      std::printf("Estações deixadas de fora, uma de cada vez: %d\n\n", estacoes);
    std::printf("%s", inicio);
    for (const char* t : cabecalho) celula(t, true);
    std::printf("%s", fim);
    if (!html) std::printf("|---|---|---|---|---|---|---|---|\n");
    std::size_t k = 0;
    for (double tr : kPeriodos)
      for (double t : kDuracoes) {
        std::printf("%s", inicio);
        celula(std::to_string(int(tr)));
        celula(std::to_string(int(t)));
        for (const auto* erros : {&classico[k], &ajuste[k]})
          for (double q : {0.5, 0.9, 1.0}) celula(porcento(Quantil(*erros, q)));
        std::printf("%s", fim);
        ++k;
      }
    if (html) std::printf("</table>\n");
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
