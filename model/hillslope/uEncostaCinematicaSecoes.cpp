// Irregular hillslope: planes chained from the top down. Segment k receives at
// its top the outflow of segment k-1 (L/s per metre), read at its own time
// steps; the hydrograph at a line is that of the segment holding the line.
// Runoff depth (m) = volume per metre of width (L) / (contributing length (m) * 1000).
#include <exception>
#include <string>

#include "model/hillslope/uEncostaCinematica.h"
#include "model/hillslope/uInterfaceUsuario.h"
#include "toolkit/ArquivoIni.h"

namespace {

std::string SufixoDoTrecho(const std::string& Sufixo, int k) {
  return Sufixo + ": Trecho " + std::to_string(k);
}

std::unique_ptr<TEncostaCinematica> NovoTrecho(const std::string& Sufixo) {
  auto trecho = std::make_unique<TEncostaCinematica>(Sufixo);
  trecho->Versao = "2";
  return trecho;
}

// Gives a segment and its cover their suffixes back, whatever happens while
// they carry the file names of their position.
class TRestaurarSufixos {
 public:
  explicit TRestaurarSufixos(TEncostaCinematica& trecho)
      : trecho_(trecho), sufixo_(trecho.Sufixo), sufixoCobertura_(trecho.Cobertura.Sufixo) {}
  ~TRestaurarSufixos() {
    trecho_.Sufixo = sufixo_;
    trecho_.Cobertura.Sufixo = sufixoCobertura_;
  }
  TRestaurarSufixos(const TRestaurarSufixos&) = delete;
  TRestaurarSufixos& operator=(const TRestaurarSufixos&) = delete;

 private:
  TEncostaCinematica& trecho_;
  std::string sufixo_;
  std::string sufixoCobertura_;
};

}  // namespace

void TEncostaCinematicaSecoes::Limpar() {
  FTrechos.clear();
  Regular = false;
}

void TEncostaCinematicaSecoes::SetCount(int n) {
  if (n < 0 || n > MaximoTrechos)
    throw EEncostaCinematica("A encosta deve ter de 0 a " + std::to_string(MaximoTrechos) + " trechos.");
  while (Count() > n) FTrechos.pop_back();
  while (Count() < n) FTrechos.push_back(NovoTrecho(Sufixo));
}

int64_t TEncostaCinematicaSecoes::SomaLinhas() const {
  int64_t soma = 0;
  for (const auto& trecho : FTrechos) soma += trecho->NumeroLinhas();
  return soma;
}

void TEncostaCinematicaSecoes::VerificarLinhas() const {
  int64_t soma = 0;
  for (int i = 0; i < Count(); ++i) {
    const TEncostaCinematica& trecho = *FTrechos[static_cast<std::size_t>(i)];
    const int64_t n = trecho.NumeroLinhas();
    soma += n;
    if (soma <= MaximoLinhas) continue;
    // Name the segment that passes the limit, and whether it does so alone.
    const std::string qual =
        Count() == 1 ? std::string("A encosta") : "O trecho " + std::to_string(i + 1) + " da encosta";
    const std::string limite =
        " O cálculo aceita no máximo " + std::to_string(MaximoLinhas) +
        " linhas (cada linha tem meio metro nos trechos de mais de 50 m); reduza o comprimento.";
    if (n > MaximoLinhas || i == 0)
      throw EEncostaCinematica(qual + ", com " + std::to_string(trecho.Comprimento()) +
                               " m de comprimento, teria " + std::to_string(n) + " linhas de cálculo." +
                               limite);
    throw EEncostaCinematica("Com o trecho " + std::to_string(i + 1) + " (" +
                             std::to_string(trecho.Comprimento()) + " m), a encosta teria " +
                             std::to_string(soma) + " linhas de cálculo." + limite);
  }
}

void TEncostaCinematicaSecoes::Excluir(int Indice) {
  if (FTrechos.empty()) return;
  if (Indice < 0 || Indice >= Count())
    throw EEncostaCinematica("Não existe o trecho de número " + std::to_string(Indice + 1) + ".");
  for (int i = Indice; i + 1 < Count(); ++i) FTrechos[i]->Assign(*FTrechos[i + 1]);
  FTrechos.pop_back();
}

void TEncostaCinematicaSecoes::Inserir(TEncostaCinematica& Trecho, int Indice) {
  if (Indice < 0 || Indice > Count())
    throw EEncostaCinematica("Não é possível inserir um trecho na posição " + std::to_string(Indice + 1) +
                             ".");
  if (Count() >= MaximoTrechos)
    throw EEncostaCinematica("A encosta deve ter de 0 a " + std::to_string(MaximoTrechos) + " trechos.");
  Trecho.Versao = "2";
  FTrechos.push_back(NovoTrecho(Sufixo));
  for (int i = Count() - 1; i > Indice; --i) FTrechos[i]->Assign(*FTrechos[i - 1]);
  FTrechos[Indice]->Assign(Trecho);
}

// ---------------------------------------------------------------------------

bool TEncostaCinematicaSecoes::GravarArquivo(const std::string& NomeArquivo) {
  return toolkit::GravarIni(NomeArquivo, [this](toolkit::TArquivoIni& ini) { GravarSecoes(ini); });
}

void TEncostaCinematicaSecoes::GravarSecoes(toolkit::TArquivoIni& Ini) {
  Ini.EscreverString("Encosta" + Sufixo, "Versao", "2");
  Ini.EscreverInteiro("Encosta" + Sufixo, "Count", Count());
  for (int k = 1; k <= Count(); ++k) {
    // Stored under the names the reader looks for; the segment's own
    // suffixes come back afterwards.
    TEncostaCinematica& trecho = *FTrechos[k - 1];
    const TRestaurarSufixos restaurar(trecho);
    trecho.Versao = "2";
    trecho.DefinirSufixo(SufixoDoTrecho(Sufixo, k));
    trecho.GravarSecoes(Ini);
  }
}

bool TEncostaCinematicaSecoes::LerArquivo(const std::string& NomeArquivo) {
  const toolkit::TArquivoIni ini(NomeArquivo);
  return LerSecoes(ini);
}

bool TEncostaCinematicaSecoes::LerSecoes(const toolkit::TArquivoIni& ini) {
  const std::string& NomeArquivo = ini.Caminho();
  const std::string versao = ini.LerString("Encosta" + Sufixo, "Versao", "0");

  if (versao == "2") {
    Limpar();
    // The program writes every count it holds, 0 included; anything else
    // (missing, 256, -1) is a damaged file.
    const int n = ini.LerInteiro("Encosta" + Sufixo, "Count", -1);
    if (n < 0 || n > MaximoTrechos) return false;
    for (int k = 1; k <= n; ++k) {
      auto trecho = NovoTrecho(Sufixo);
      trecho->DefinirSufixo(SufixoDoTrecho(Sufixo, k));
      const bool leu = trecho->LerSecoes(ini);
      trecho->DefinirSufixo(Sufixo);
      if (!leu) {
        Limpar();
        throw EEncostaCinematica("Ocorreu um erro ao tentar ler os dados da encosta de número " +
                                 std::to_string(k) + " no arquivo " + NomeArquivo);
      }
      FTrechos.push_back(std::move(trecho));
    }
    return true;
  }

  if (versao == "1") {
    // Projects from before segmented hillslopes: one plane in the list's own
    // sections, read leniently (no version keys, any roughness row).
    Limpar();
    FTrechos.push_back(std::make_unique<TEncostaCinematica>(Sufixo));
    TEncostaCinematica& trecho = *FTrechos.back();
    trecho.Versao = "1";
    trecho.Cobertura.LerSecoes(ini);
    trecho.SetComprimento(ini.LerInteiro("Encosta" + Sufixo, "Comprimento", 0));
    const std::string terreno = "Terreno" + Sufixo;
    trecho.SetVIB(ini.LerReal(terreno, "VIB", 0));
    trecho.SetSt(ini.LerReal(terreno, "St", 0));
    trecho.nt.Valor = ini.LerReal(terreno, "nt", 0);
    trecho.nt.Indice = static_cast<int8_t>(ini.LerInteiro(terreno, "Indnt", 0));
    return true;
  }

  throw EEncostaCinematica("O arquivo " + toolkit::NomeSemPasta(NomeArquivo) +
                           " não é uma versão compatível.");
}

// ---------------------------------------------------------------------------

std::unique_ptr<TCaudalente> TEncostaCinematicaSecoes::CalcularCaudalente(
    uint16_t Linha, const TPrecipitacaoExponencialNegativa& Chuva, IProgresso* ProgressoTempo,
    IProgresso* ProgressoTrecho) {
  VerificarLinhas();
  bool semEscoamento = false;
  auto saida = std::make_unique<TCaudalente>();
  saida->Local = 1;
  TCaudalente entrada;
  entrada.Local = 1;
  LaminaEscoada = 0;
  double Lt = 0;  // contributing length, m
  PercorrerAteLinha(Linha, ProgressoTrecho, [&](TEncostaCinematica& trecho, int linhas, double comprimento) {
    // A segment without runoff passes on what the one above it produced.
    if (saida->Count() > 0) entrada.Assign(*saida);
    saida = trecho.CalcularCaudalente(Chuva, &entrada, ProgressoTempo, linhas);
    Lt += comprimento;
    semEscoamento = semEscoamento || saida->SemEscoamento;
  });

  // Without a contributing length there is no depth to speak of (and no
  // area to divide by).
  if (Lt > 0) LaminaEscoada = saida->Volume / (Lt * 1000);
  saida->Lamina = LaminaEscoada;
  if (semEscoamento) {
    saida = std::make_unique<TCaudalente>();
    saida->Local = 1;
    saida->SemEscoamento = true;
  }
  saida->Calcular(Lt > 0 ? Lt * 1 * 1000 : 1);
  return saida;
}
