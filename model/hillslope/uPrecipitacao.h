#pragma once
// Design storm from an IDF equation.
//   average intensity       i(t) = K·Tr^A / (t + B)^C                 [mm/h]
//   instantaneous intensity I(t) = d(t·i)/dt = i(t)·(1 − C·t/(t + B))  [mm/h]
//   cumulative depth        P(t) = i(t)·t / 60                        [mm]
// t and B in min, Tr in years. The storm is strongest at t = 0 and weakens after.
#include <stdexcept>
#include <string>

#include "model/hillslope/uRaiz.h"
#include "model/hillslope/uSerieGrafico.h"

namespace toolkit {
class TArquivoIni;
}

// A parameter setter was given a negative value; the storm is unchanged.
class EPrecipitacao : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Working values of one inverse computation (TempoDaIntensidade,
// DuracaoDaAltura): Newton's last iteration and, when Newton gave up (more
// than 100 iterations), the bisection's final bracket and residual. They
// belong to the caller, so one storm can serve several computations at once.
struct TIteracaoInversa {
  int Iteracoes = 0;
  double Residuo = 0;
  double Derivada = 0;
  double Passo = 0;
  double LimiteInferior = 0;
  double LimiteSuperior = 0;
};

// The interface every storm offers to the solvers, the charts and the project file.
class TPrecipitacao {
 public:
  TPrecipitacao();
  explicit TPrecipitacao(const std::string& Sufixo);
  virtual ~TPrecipitacao() = default;

  // Stores the suffix of the project-file sections, then clears the storm.
  void Inicializar(const std::string& Sufixo);
  virtual void Limpar();

  // Project file: sections "PRECIPITACAO" + Sufixo (and, in the IDF storm,
  // "PREC_EXPONENCIAL_NEGATIVA" + Sufixo). Old projects keep the keys in
  // "NIMBORA" + Sufixo; they are read from there, and only a save moves them
  // to the new sections: reading never writes. LerArquivo clears the storm
  // first and is false when a section has an unknown version, or storm keys
  // without its version mark, or a value that is no number. GravarArquivo is
  // false when the file cannot be written.
  bool LerArquivo(const std::string& NomeArquivo);
  bool GravarArquivo(const std::string& NomeArquivo);
  // The same on a file its owner already holds open (nothing is saved), so an
  // owner that writes its own keys around the storm's keeps one view of the file.
  virtual bool LerSecoes(const toolkit::TArquivoIni& Ini);
  virtual void GravarSecoes(toolkit::TArquivoIni& Ini) const;

  // Clears the series and adds the hyetograph, one point per minute.
  virtual void PreencherSerie(ISerieGrafico& Serie) const = 0;
  // I(t) and i(t), mm/h; throw EErroAritmetico, naming t and the coefficients,
  // when t + B <= 0 or (t + B)^C cannot be represented.
  virtual double IntensidadeInstantanea(double t) const = 0;
  virtual double IntensidadeMedia(double t) const = 0;
  // Time (min) at which I(t) = x; never throws (bisection when Newton fails).
  // Trabalho, when given, receives the working values of the search.
  virtual double TempoDaIntensidade(double x, TIteracaoInversa* Trabalho = nullptr) const = 0;
  // Duration (min) whose cumulative depth is P mm; never throws.
  virtual double DuracaoDaAltura(double P, TIteracaoInversa* Trabalho = nullptr) const = 0;
  virtual double Altura(double t) const = 0;
  // Rain fallen between t1 and t2 (t1 the earlier time), mm.
  virtual double AlturaEntre(double t1, double t2) const = 0;

  std::string Sufixo;
  double Duracao = 0;            // min; only sets the length of the hyetograph
  double PrecipitacaoTotal = 0;  // mm; stored, never computed with

 protected:
  bool LerSecaoPrecipitacao(const toolkit::TArquivoIni& Ini);
  void GravarSecaoPrecipitacao(toolkit::TArquivoIni& Ini) const;
};

class TPrecipitacaoExponencialNegativa : public TPrecipitacao {
 public:
  TPrecipitacaoExponencialNegativa();
  explicit TPrecipitacaoExponencialNegativa(const std::string& Sufixo);

  void Limpar() override;
  bool LerSecoes(const toolkit::TArquivoIni& Ini) override;
  void GravarSecoes(toolkit::TArquivoIni& Ini) const override;

  void PreencherSerie(ISerieGrafico& Serie) const override;
  double IntensidadeInstantanea(double t) const override;
  double IntensidadeMedia(double t) const override;
  double TempoDaIntensidade(double x, TIteracaoInversa* Trabalho = nullptr) const override;
  double DuracaoDaAltura(double P, TIteracaoInversa* Trabalho = nullptr) const override;
  double Altura(double t) const override;
  double AlturaEntre(double t1, double t2) const override;

  // Setters refuse a negative value (EPrecipitacao with the user's message);
  // zero is accepted as an interim state. SetTr, SetK and SetA refresh KTrA.
  void SetTr(double x);
  void SetK(double x);
  void SetA(double x);
  void SetB(double x);
  void SetC(double x);

  double Tr() const { return FTr; }
  double K() const { return FK; }
  double A() const { return FA; }
  double B() const { return FB; }
  double C() const { return FC; }
  // K·Tr^A, or −1 while Tr, K or A is not greater than zero.
  double KTrA() const { return FKTrA; }

  // Copies Duracao, PrecipitacaoTotal and the five parameters (not Sufixo).
  void Assign(const TPrecipitacaoExponencialNegativa& Origem);

 private:
  void CalcularKTrA();
  [[noreturn]] void FalhaIntensidade(double t, const char* causa) const;

  double FKTrA = -1;
  double FTr = 0;
  double FK = 0;
  double FA = 0;
  double FB = 0;
  double FC = 0;
};
