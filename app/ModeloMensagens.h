#pragma once
// The model's information messages shown in the program's plain message box
// for as long as this object lives.
#include "model/hillslope/uInterfaceUsuario.h"

class TMensagensDoModeloNaTela : public IMensagens {
 public:
  TMensagensDoModeloNaTela();
  ~TMensagensDoModeloNaTela() override;
  TMensagensDoModeloNaTela(const TMensagensDoModeloNaTela&) = delete;
  TMensagensDoModeloNaTela& operator=(const TMensagensDoModeloNaTela&) = delete;

  void Informar(const std::string& texto) override;
};
