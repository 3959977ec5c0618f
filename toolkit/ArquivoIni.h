#pragma once
// INI files with update-in-place semantics: section and key names matched
// without regard to case, a written key replaces its value where it stands or
// goes after the last key of its section, a new section goes at the end of the
// file, and every other line (comments, blank lines, unknown keys, other
// sections) is kept as it was. Windows-1252 on disk, UTF-8 in this interface;
// CR LF line ends are written, LF files read as well.
//
// Typical use: TArquivoIni ini(caminho); read/write...; ini.SalvarOuErro();
// Nothing reaches the disk before Salvar, which writes a temporary file in the
// same folder and renames it over the old one.
#include <stdexcept>
#include <string>
#include <vector>

namespace toolkit {

class EArquivoIni : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TArquivoIni {
 public:
  // A missing file reads as empty. A file that exists but cannot be read also
  // reads as empty, but then Salvar refuses to overwrite it.
  explicit TArquivoIni(std::string caminho);

  const std::string& Caminho() const { return caminho_; }

  // Values are trimmed of blanks and of one pair of surrounding quotes.
  std::string LerString(const std::string& secao, const std::string& chave, const std::string& padrao) const;
  // Optional sign and decimal digits, nothing else; any other text ("12abc",
  // "60.0"), a missing key or a value out of int range reads as the default.
  int LerInteiro(const std::string& secao, const std::string& chave, int padrao) const;
  // Shortest general form with the current decimal separator, or whole with
  // the other one ('.' or ','), as a file written under other settings has it;
  // a missing key or a text that parses with neither reads as the default.
  double LerReal(const std::string& secao, const std::string& chave, double padrao) const;
  // Integer != 0; missing or unparsable reads as the default.
  bool LerBooleano(const std::string& secao, const std::string& chave, bool padrao) const;

  // A value with surrounding blanks, or wrapped in a pair of quotes, is
  // written inside double quotes so that LerString gives it back unchanged.
  // Line breaks become blanks.
  void EscreverString(const std::string& secao, const std::string& chave, const std::string& valor);
  void EscreverInteiro(const std::string& secao, const std::string& chave, long long valor);
  void EscreverReal(const std::string& secao, const std::string& chave, double valor);
  void EscreverBooleano(const std::string& secao, const std::string& chave, bool valor);

  // Both return false when there was nothing to delete.
  bool ApagarChave(const std::string& secao, const std::string& chave);
  bool ApagarSecao(const std::string& secao);

  bool ExisteSecao(const std::string& secao) const;
  bool ExisteChave(const std::string& secao, const std::string& chave) const;
  // Names as written in the file, in file order (first occurrence of duplicates).
  std::vector<std::string> Secoes() const;
  std::vector<std::string> Chaves(const std::string& secao) const;

  // True when the memory content differs from what was loaded or last saved.
  bool Alterado() const { return alterado_; }

  // Writes the file if anything changed. false on failure (the old file is left
  // as it was); SalvarOuErro throws EArquivoIni naming the path instead.
  bool Salvar();
  void SalvarOuErro();

  // The whole content as it would be written (UTF-8, CR LF).
  std::string Texto() const;

 private:
  struct Linha {
    std::string texto;  // UTF-8, without its line end
    int tipo = 0;       // 0 other, 1 section header, 2 key line
    std::string nome;   // folded section or key name
  };
  int AcharSecao(const std::string& dobrada) const;  // header index or -1
  int FimSecao(int cabecalho) const;                 // index after the section
  int AcharChave(int cabecalho, const std::string& chaveDobrada) const;
  const Linha* LinhaDaChave(const std::string& secao, const std::string& chave) const;

  std::string caminho_;
  std::vector<Linha> linhas_;
  bool alterado_ = false;
  bool falhouLeitura_ = false;
};

// The file a save replaces: the target of a symbolic link (so that saving
// through a link updates the linked file instead of replacing the link), else
// the path itself.
std::string DestinoDaGravacao(const std::string& caminho);

// The file name without its folder, for messages ("/a/b.cdt" and "a\\b.cdt"
// give "b.cdt").
std::string NomeSemPasta(const std::string& caminho);

// Name folding used for matching: ASCII and Windows-1252 Latin letters to lower case.
std::string DobrarNomeIni(const std::string& nomeUtf8);

// Portuguese description of a system error number (errno), for the messages
// of failed saves; uncommon numbers fall back to the system's own text.
std::string DescricaoDoErro(int codigo);

// The store of a model object's LerArquivo/GravarArquivo pair: opens the file,
// lets `gravar` write its keys and saves. False when anything fails; the file
// is then left as it was.
template <class F>
bool GravarIni(const std::string& caminho, F&& gravar) {
  try {
    TArquivoIni ini(caminho);
    gravar(ini);
    ini.SalvarOuErro();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace toolkit
