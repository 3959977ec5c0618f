#!/usr/bin/env bash
# Set-up, build and run the program. Without a display it runs the
# command-line calculator on a bundled example project instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/caudalente "$@"
else
  echo "No display: computing the bundled example with caudalente-calc." >&2
  exec build/bin/caudalente-calc data/exemplos/encosta_regular.cdt "$@"
fi
