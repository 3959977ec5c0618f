#pragma once
// Checks of the model values before a hydrograph is traced: every value that
// the solvers divide by or take a power of must be positive. The checks run in
// a fixed order and each failure replaces the previous one, so the one reported
// is the last failing check: Tr first, then K, a, b, c, the channel slope,
// length and roughness, the cross-section, the hillslope, an empty list last.
// A positive value may still be out of the solvers' reach: when the flow law's
// alfa, the depth or velocity at 1 L/s, or the hillslope scheme's switch
// depth would not be a finite positive number, the check names the value
// furthest from 1 in orders of magnitude (the hillslope's after its own
// values' checks, the channel's after the reach's).
#include <stdexcept>
#include <string>

class TEncostaCinematicaSecoes;
class TCanalGradienteCustom;
class TPrecipitacaoExponencialNegativa;

struct TVerificacao {
  bool Aprovado = true;
  // The message exactly as the user sees it (blanks included) and the name of
  // the data-entry control that receives the focus ("eTr", "tgEncosta1"...).
  std::string Mensagem = " ";
  std::string Controle = "bAvancar";
};

// A failed check as an error, carrying the control to focus.
class EDadosIncorretos : public std::runtime_error {
 public:
  EDadosIncorretos(const std::string& mensagem, std::string controle)
      : std::runtime_error(mensagem), Controle(std::move(controle)) {}
  std::string Controle;
};

// Irregular: the checks of the irregular tab (every segment, control
// "tgEncosta1"); otherwise those of the regular tab on the last segment.
// Throws ECanal "Erro. Tipo de canal não definido." for an unknown channel type.
TVerificacao VerificarDados(const TEncostaCinematicaSecoes& Encosta, const TCanalGradienteCustom& Canal,
                            const TPrecipitacaoExponencialNegativa& Chuva, bool Irregular);

// The same, throwing EDadosIncorretos when a check fails.
void ExigirDadosCorretos(const TEncostaCinematicaSecoes& Encosta, const TCanalGradienteCustom& Canal,
                         const TPrecipitacaoExponencialNegativa& Chuva, bool Irregular);
