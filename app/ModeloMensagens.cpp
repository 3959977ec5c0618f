#include "app/ModeloMensagens.h"

#include <QString>

#include "toolkit/gui/Mensagens.h"

TMensagensDoModeloNaTela::TMensagensDoModeloNaTela() {
  DefinirMensagensDoModelo(this);
}

TMensagensDoModeloNaTela::~TMensagensDoModeloNaTela() {
  DefinirMensagensDoModelo(nullptr);
}

void TMensagensDoModeloNaTela::Informar(const std::string& texto) {
  toolkit::gui::Informar(QString::fromUtf8(texto.c_str()));
}
