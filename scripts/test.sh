#!/usr/bin/env bash
# Set-up, build and every test (model tests, headless window tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
CAUDALENTE_CMAKE_ARGS="-DCAUDALENTE_WERROR=ON ${CAUDALENTE_CMAKE_ARGS:-}" scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
