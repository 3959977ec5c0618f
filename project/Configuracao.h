#pragma once
// The application settings file "Caudalente.ini": section "CAUDALENTE" with
// the file's Versao, the unit settings in "UNIDADES" (as in a project file)
// and the four most recent projects as "path1".."path4" of "PRINCIPAL", most
// recent first; the numerical method of traces as "MetodoNumerico" of
// "CAUDALENTE". Other sections and keys of the file (chart settings) are kept.
#include <array>
#include <string>

#include "model/channel/uTracado.h"
#include "project/Unidades.h"

class TConfiguracao {
 public:
  using TRecentes = std::array<std::string, 4>;

  explicit TConfiguracao(std::string Caminho) : caminho_(std::move(Caminho)) {}

  const std::string& Caminho() const { return caminho_; }

  // Start-up. A file whose Versao is "0" is ignored: default units, the list
  // left as it is, false. Otherwise (a missing file too) the units are read
  // (a missing or invalid section gives the defaults) and the list replaced
  // by the file's entries (missing ones empty); true.
  bool Ler(TUnidades& Unidades, TRecentes& Recentes) const;

  // After the units dialog: the units alone. Throws toolkit::EArquivoIni when
  // the file cannot be written.
  void GravarUnidades(const TUnidades& Unidades) const;

  // When the program closes: Versao "1", the units and the list. Throws
  // toolkit::EArquivoIni when the file cannot be written.
  void Gravar(const TUnidades& Unidades, const TRecentes& Recentes) const;

  // The method of the window's traces: "original" (also a missing key, an
  // unknown value and a file set aside by Versao "0", so old settings keep
  // their results) or "convergido". Gravar leaves the key as it is;
  // GravarMetodo throws toolkit::EArquivoIni when the file cannot be written.
  TMetodoNumerico LerMetodo() const;
  void GravarMetodo(TMetodoNumerico Metodo) const;

 private:
  std::string caminho_;
};
