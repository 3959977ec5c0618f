#pragma once
// Root finding shared by the model: a Newton iteration with an explicit
// iteration limit and status, and the bisection that stands in for it when
// Newton fails. Both keep the values of their last iteration, because the
// storm exposes them as its working fields.
#include <cmath>
#include <stdexcept>
#include <string>

// A floating-point failure of a model formula (logarithm of a non-positive
// number, division by zero, a result that is not a number). The message names
// the value or step that failed where the thrower knows it; the bare default
// is for failures that the root finders absorb and never reach the user.
class EErroAritmetico : public std::runtime_error {
 public:
  EErroAritmetico() : std::runtime_error("Operação de ponto flutuante inválida.") {}
  explicit EErroAritmetico(const std::string& mensagem) : std::runtime_error(mensagem) {}
};

namespace raiz {

enum class EstadoNewton {
  Convergiu,        // |passo| fell below the tolerance
  SemConvergencia,  // the iteration limit was passed
  Negativo,         // an iterate fell below zero where that is not allowed
  ErroAritmetico,   // the function or the step could not be evaluated
};

struct TAvaliacao {
  double residuo;
  double derivada;
};

struct TNewton {
  double x = 0;
  int iteracoes = 0;  // set to 200 when the loop is abandoned (negative iterate or error)
  double residuo = 0;
  double derivada = 0;
  double passo = 0;
  EstadoNewton estado = EstadoNewton::SemConvergencia;
};

// Newton from x0: x := x - f(x)/f'(x) until |passo| < tolPasso or more than
// maxIteracoes steps were taken (so at most maxIteracoes + 1 steps).
// `avaliar` returns the residual and derivative at x and may throw
// EErroAritmetico. With naoNegativo, an iterate below zero stops the loop
// with x := 0 before it is evaluated.
template <class F>
TNewton Newton(F avaliar, double x0, double tolPasso, int maxIteracoes, bool naoNegativo) {
  TNewton r;
  r.x = x0;
  for (;;) {
    if (naoNegativo && r.x < 0) {
      r.x = 0;
      r.iteracoes = 200;
      r.estado = EstadoNewton::Negativo;
      return r;
    }
    try {
      // Each working value is stored once it could be computed, so after a
      // failure the fields hold what the failing iteration had reached.
      const TAvaliacao a = avaliar(r.x);
      if (!std::isfinite(a.residuo)) throw EErroAritmetico();
      r.residuo = a.residuo;
      if (!std::isfinite(a.derivada)) throw EErroAritmetico();
      r.derivada = a.derivada;
      const double passo = a.residuo / a.derivada;
      if (a.derivada == 0 || !std::isfinite(passo)) throw EErroAritmetico();
      r.passo = passo;
    } catch (const EErroAritmetico&) {
      r.iteracoes = 200;
      r.estado = EstadoNewton::ErroAritmetico;
      return r;
    }
    r.x -= r.passo;
    ++r.iteracoes;
    if (std::fabs(r.passo) < tolPasso) {
      r.estado = EstadoNewton::Convergiu;
      return r;
    }
    if (r.iteracoes > maxIteracoes) {
      r.estado = EstadoNewton::SemConvergencia;
      return r;
    }
  }
}

struct TBisseccao {
  double x = 0;  // last midpoint
  double inferior = 0;
  double superior = 0;
  double residuo = 0;
};

// Bisection of [inferior, superior] until the bracket is at most tol wide.
// `residuo` may throw EErroAritmetico, which counts as a residual of 0.
// residuoCresce tells which way the residual runs with x: a positive residual
// moves the upper limit down when it grows with x, the lower limit up otherwise.
template <class F>
TBisseccao Bisseccao(F residuo, double inferior, double superior, double tol, bool residuoCresce) {
  TBisseccao r;
  r.inferior = inferior;
  r.superior = superior;
  do {
    r.x = (r.inferior + r.superior) / 2;
    try {
      r.residuo = residuo(r.x);
      if (std::isnan(r.residuo)) r.residuo = 0;
    } catch (const EErroAritmetico&) {
      r.residuo = 0;
    }
    const bool positivo = r.residuo > 0;
    if (positivo == residuoCresce)
      r.superior = r.x;
    else
      r.inferior = r.x;
  } while (std::fabs(r.inferior - r.superior) > tol);
  return r;
}

}  // namespace raiz
