#pragma once
// Ground of a hillslope or segment: vegetation cover, stable infiltration
// rate VIB (mm/h), slope St (m/m) and Manning roughness nt (s/m^(1/3)), and
// the initial abstraction by the curve-number method:
//   S = 25400/CN − 254 (mm),  Ia = 0.2·S = (100/CN − 1)·50.8 (mm).
#include <cstdint>
#include <string>

namespace toolkit {
class TArquivoIni;
}

// A value picked from a reference table, with the row it came from (−1: none).
class TReal {
 public:
  TReal() = default;
  TReal(double valor, int8_t indice) : Valor(valor), Indice(indice) {}
  void Assign(const TReal& Origem) {
    Valor = Origem.Valor;
    Indice = Origem.Indice;
  }

  double Valor = 0;
  int8_t Indice = 0;
};

inline constexpr const char* RotulosUsoTerra[6] = {"Sem cultivo",
                                                   "Cultivo em fileiras",
                                                   "Cultivo em fileiras estreitas",
                                                   "Leguminosas em fileiras estreitas",
                                                   "Pastagem para pastoreio",
                                                   "Floresta"};
inline constexpr const char* RotulosTratamento[4] = {"", "Fileiras retas", "Com curvas de nível",
                                                     "Curvas de nível e terraço"};
inline constexpr const char* RotulosCondicaoHidrologica[4] = {"", "Má", "Regular", "Boa"};

class TUsoTerra {
 public:
  void Limpar() { Indice = 0; }
  void Assign(const TUsoTerra& Origem) { Indice = Origem.Indice; }
  uint8_t Indice = 0;  // 0..5, RotulosUsoTerra
};

class TTratamento {
 public:
  void Limpar() { Indice = 0; }
  void Assign(const TTratamento& Origem) { Indice = Origem.Indice; }
  uint8_t Indice = 0;  // 0..3, RotulosTratamento (0: none)
};

class TCondicaoHidrologica {
 public:
  void Limpar() { Indice = 0; }
  void Assign(const TCondicaoHidrologica& Origem) { Indice = Origem.Indice; }
  uint8_t Indice = 0;  // 0..3, RotulosCondicaoHidrologica (0: none)
};

// Cover of one hillslope or segment; project-file section "Cobertura" + Sufixo.
class TCobertura {
 public:
  TCobertura() = default;
  explicit TCobertura(const std::string& sufixo) : Sufixo(sufixo) {}

  void Assign(const TCobertura& Origem);  // the three indices, never Sufixo
  void Limpar();

  // False when Versao is not "1" or an index is missing or out of range
  // (indices read before the failing one stay applied).
  bool LerArquivo(const std::string& NomeArquivo);
  bool GravarArquivo(const std::string& NomeArquivo);  // false when the file cannot be written
  // The same on a file its owner holds open; nothing is saved.
  bool LerSecoes(const toolkit::TArquivoIni& Ini);
  void GravarSecoes(toolkit::TArquivoIni& Ini) const;

  std::string Sufixo;
  TUsoTerra UsoTerra;
  TTratamento Tratamento;
  TCondicaoHidrologica CondicaoHidrologica;
};

// Ground of one hillslope or segment; project-file sections "Cobertura" +
// Sufixo (its cover) and "Terreno" + Sufixo. Base of the hillslope classes.
class TTerreno {
 public:
  TTerreno() = default;
  explicit TTerreno(const std::string& sufixo) : Sufixo(sufixo), Cobertura(sufixo) {}
  virtual ~TTerreno() = default;

  // Copies VIB, St, the cover indices and nt; never Sufixo (nor the cover's).
  virtual void Assign(const TTerreno& Origem);
  void Limpar();

  // Cover first (its failure returns false), then the "Terreno" section:
  // false when its Versao is not "1" or Indnt is missing or not in 0..127.
  // Values read before a failure stay applied.
  bool LerArquivo(const std::string& NomeArquivo);
  bool GravarArquivo(const std::string& NomeArquivo);  // false when the file cannot be written
  // The same on a file its owner holds open; nothing is saved.
  bool LerSecoes(const toolkit::TArquivoIni& Ini);
  void GravarSecoes(toolkit::TArquivoIni& Ini) const;
  // Only the "Terreno" section (without the cover), for owners that read the
  // cover in their own order.
  bool LerSecaoTerreno(const toolkit::TArquivoIni& Ini);
  void GravarSecaoTerreno(toolkit::TArquivoIni& Ini) const;

  double VIB() const { return FVIB; }
  void SetVIB(double x) { FVIB = x >= 0 ? x : 0; }  // a negative rate is stored as 0
  double St() const { return FSt; }
  void SetSt(double x) { FSt = x; }

  // Sets the suffix of the terrain and of its cover together.
  void DefinirSufixo(const std::string& sufixo) {
    Sufixo = sufixo;
    Cobertura.Sufixo = sufixo;
  }

  std::string Sufixo;
  TCobertura Cobertura;
  TReal nt{0, 0};

 private:
  double FVIB = 0;  // mm/h, never negative
  double FSt = 0;   // m/m
};

// Curve number of a cover for a stable infiltration rate (mm/h); 0 when the
// table has no row for the combination of indices.
int NumeroDaCurva(const TCobertura& Cobertura, double VIB);

// Initial abstraction Ia in mm; 0 when the cover gives no curve number.
double AbstracaoInicial(const TTerreno& Terreno);
