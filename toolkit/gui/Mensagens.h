#pragma once
// Message boxes of the program, behind one replaceable service: windows ask
// through Mensagens() and tests install a scripted double (MensagensRoteiro.h)
// that answers prompts and records what would have been shown.
#include <QString>
#include <exception>
#include <utility>

namespace toolkit::gui {

enum class Resposta { Ok, Sim, Nao, Cancelar };

enum class Botoes { SimNao, SimNaoCancelar };

class IServicoMensagens {
 public:
  virtual ~IServicoMensagens() = default;
  // Plain information box with an OK button.
  virtual void Informar(const QString& titulo, const QString& texto) = 0;
  // Error box with the stop icon and an OK button.
  virtual void Erro(const QString& titulo, const QString& texto) = 0;
  // Warning box (exclamation icon) with an OK button; a service without one
  // shows it as information.
  virtual void Avisar(const QString& titulo, const QString& texto) { Informar(titulo, texto); }
  // Confirmation box; returns the button pressed (closing the box counts as
  // Cancelar with three buttons, Nao with two).
  virtual Resposta Perguntar(const QString& titulo, const QString& texto, Botoes botoes) = 0;
};

// The service in use: the one installed by DefinirMensagens, or the standard
// message boxes when none is.
IServicoMensagens& Mensagens();
void DefinirMensagens(IServicoMensagens* servico);  // nullptr: standard boxes again

// Title of every message box: the application title, set by the main window
// at start-up (CAUDALENTE_TITULO until then).
QString TituloAplicacao();
void DefinirTituloAplicacao(const QString& titulo);

// Shortcuts with the application title.
void Informar(const QString& texto);
void MostrarErro(const QString& texto);
void Avisar(const QString& texto);
Resposta Perguntar(const QString& texto, Botoes botoes);

// Text of the central error box: a full stop is appended when the message's
// last character code sorts after '.', so messages ending in a blank, a comma
// or a full stop are shown unchanged.
QString TextoDoErro(const QString& mensagem);

// The central error box: shows the exception's message (UTF-8) by the rule of
// TextoDoErro, in an error box titled with the application title.
void MostrarExcecao(std::exception_ptr excecao);

// Runs a handler and shows any exception it raises in the central error box,
// so that the exception never unwinds through the toolkit's own code. The
// window that raised it stays usable; nothing is rolled back.
template <class F>
void Protegido(F&& handler) {
  try {
    std::forward<F>(handler)();
  } catch (...) {
    MostrarExcecao(std::current_exception());
  }
}

}  // namespace toolkit::gui
