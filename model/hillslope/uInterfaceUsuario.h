#pragma once
// What the model tells the user while it works. The model never talks to a
// window: the program implements these with its controls and message boxes,
// the command-line calculator with stderr, tests with recorders.
#include <string>

// A text box that follows a long computation (simulated time, segment number).
// Solvers write into it every few steps and then let the user interface breathe.
class IProgresso {
 public:
  virtual ~IProgresso() = default;
  virtual void Mostrar(const std::string& texto) = 0;
  // Lets pending window events be processed so the progress text repaints.
  virtual void ProcessarMensagens() = 0;
  // For a box that follows a simulated time (min): the time the run is
  // expected to reach, told once before it starts, and the time reached,
  // told with each text. A box that draws no bar ignores both.
  virtual void Previsto(double /*fim*/) {}
  virtual void Simulado(double /*tempo*/) {}
};

// Receiver of the model's information messages (the plain message boxes of the
// program: no runoff, missing file...).
class IMensagens {
 public:
  virtual ~IMensagens() = default;
  virtual void Informar(const std::string& texto) = 0;
};

// The one receiver of information messages for the whole process. The program
// installs its message box at start-up, the calculator its stderr writer, tests
// a recorder; until then messages are discarded. Computations on several
// threads share it: a receiver must then accept calls from any of them.
IMensagens& MensagensDoModelo();
void DefinirMensagensDoModelo(IMensagens* receptor);  // nullptr: discard again
