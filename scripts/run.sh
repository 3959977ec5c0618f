#!/usr/bin/env bash
# Set-up, build and run the program. Without a display it computes a bundled
# example project with the command-line calculator: a short summary on the
# screen, and its results report (HTML and PDF) in build/exemplo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exemplo=data/exemplos/encosta_regular.cdt
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/caudalente "$@"
elif [ "$#" -gt 0 ]; then
  exec build/bin/caudalente-calc "$exemplo" "$@"
else
  pasta=build/exemplo
  mkdir -p "$pasta"
  echo "No display: computing the bundled example with caudalente-calc." >&2
  echo
  build/bin/caudalente-calc "$exemplo" --formato resumo
  build/bin/caudalente-calc "$exemplo" --relatorio "$pasta/relatorio.html" --pdf "$pasta/relatorio.pdf"
  echo
  echo "Relatório do exemplo em $pasta/: relatorio.html (com relatorio.bmp) e relatorio.pdf"
fi
