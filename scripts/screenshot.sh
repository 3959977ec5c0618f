#!/usr/bin/env bash
# Starts the program on a virtual display and writes a picture of the screen,
# to look at a window as a user would see it.
#   scripts/screenshot.sh SAIDA.png [SEGUNDOS] [ARGUMENTOS DO PROGRAMA...]
# SEGUNDOS (default 7) lets the 5-second splash close before the picture.
set -euo pipefail
cd "$(dirname "$0")/.."
saida="${1:?usage: scripts/screenshot.sh SAIDA.png [SEGUNDOS] [ARGUMENTOS...]}"
espera="${2:-7}"
shift $(( $# >= 2 ? 2 : 1 ))
programa="${CAUDALENTE_PROGRAMA:-build/bin/caudalente}"
[ -x "$programa" ] || { echo "$programa not built: run scripts/build.sh first" >&2; exit 1; }
case "$saida" in /*) ;; *) saida="$PWD/$saida" ;; esac

# xvfb-run picks a free display and tears the server down afterwards.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" "${@:4}" &
  pid=$!
  sleep "$2"
  import -window root "$3"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$programa" "$espera" "$saida" "$@"
echo "$saida"
