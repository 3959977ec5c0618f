#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: the
# programs in bin/, the data in share/caudalente/, the desktop entry, the icon
# and the .cdt MIME type, and that the installed programs find their data.
# Usage: instalacao.sh CMAKE BUILD_DIR GUI(ON|OFF)
set -uo pipefail
cmake=$1
build=$2
gui=$3
prefixo=$(mktemp -d "${TMPDIR:-/tmp}/caudalente_instalacao_XXXXXX")
trap 'rm -rf -- "$prefixo"' EXIT
falhas=0
falha() {
  echo "FALHA: $*"
  falhas=1
}

"$cmake" --install "$build" --prefix "$prefixo" >"$prefixo.log" 2>&1 || { cat "$prefixo.log"; rm -f "$prefixo.log"; exit 1; }
rm -f "$prefixo.log"

exige() { [ -f "$prefixo/$1" ] || falha "not installed: $1"; }
exige bin/caudalente-calc
exige "share/caudalente/Arquivos Comuns/Estados_Nim21.bin"
exige "share/caudalente/Arquivos Comuns/Localidades_Nim21.bin"
exige "share/caudalente/Arquivos Comuns/MG.bmp"
exige share/caudalente/exemplos/encosta_regular.cdt
for f in "$prefixo"/bin/*; do
  case "${f##*/}" in caudalente | caudalente-calc) ;; *) falha "not a program, in bin/: ${f##*/}" ;; esac
done
[ -e "$prefixo/Arquivos Comuns" ] && falha "data left at the prefix's root"

# The installed calculator finds its database from bin/, whatever the
# working folder, and computes an installed example.
(cd / && "$prefixo/bin/caudalente-calc" --idf-estacoes "Minas Gerais" >"$prefixo/estacoes.json") ||
  falha "the installed calculator does not find its database"
grep -q '"Nome"' "$prefixo/estacoes.json" || falha "no station listed"
(cd / && "$prefixo/bin/caudalente-calc" "$prefixo/share/caudalente/exemplos/encosta_regular.cdt" >/dev/null) ||
  falha "the installed calculator does not compute the installed example"

if [ "$gui" = ON ]; then
  exige bin/caudalente
  exige share/caudalente/ajuda/mapa.txt
  exige share/caudalente/Cabecalho.jpg
  exige share/applications/caudalente.desktop
  exige share/icons/hicolor/scalable/apps/caudalente.svg
  exige share/icons/hicolor/scalable/mimetypes/application-x-caudalente-projeto.svg
  exige share/mime/packages/caudalente.xml
  desktop="$prefixo/share/applications/caudalente.desktop"
  mime="$prefixo/share/mime/packages/caudalente.xml"
  grep -qx 'Exec=caudalente %f' "$desktop" || falha "desktop entry: Exec"
  grep -qx 'Icon=caudalente' "$desktop" || falha "desktop entry: Icon"
  grep -qx 'MimeType=application/x-caudalente-projeto;' "$desktop" || falha "desktop entry: MimeType"
  grep -q '<mime-type type="application/x-caudalente-projeto">' "$mime" || falha "MIME type"
  grep -q '<glob pattern="\*.cdt"/>' "$mime" || falha "MIME glob"
  grep -q '<svg' "$prefixo/share/icons/hicolor/scalable/apps/caudalente.svg" || falha "icon"

  # The installed program starts, opens the installed example and answers with
  # its window's title; a message box about the project would keep it waiting.
  titulo=$(QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 HOME="$prefixo" \
    timeout 120 "$prefixo/bin/caudalente" --verificar "$prefixo/share/caudalente/exemplos/encosta_regular.cdt" \
    2>"$prefixo/programa.log")
  codigo=$?
  [ $codigo -eq 0 ] || { cat "$prefixo/programa.log"; falha "the installed program ended with $codigo"; }
  [ "$titulo" = "Caudalente 2.1 ('encosta_regular.cdt')" ] || falha "the installed program answered: $titulo"
fi

exit $falhas
