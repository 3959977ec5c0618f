#pragma once
// The main window the window and application tests drive: its settings file and program
// folder in the test's own temporary folder, no opening screen.
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/Principal.h"

inline std::unique_ptr<TFPrincipal> NovaPrincipal(const QTemporaryDir& pasta) {
  TOpcoesPrincipal opcoes;
  opcoes.ArquivoConfiguracao = pasta.filePath(QStringLiteral("Caudalente.ini"));
  opcoes.PastaPrograma = pasta.path();
  opcoes.MostrarAbertura = false;
  return std::make_unique<TFPrincipal>(opcoes);
}
