#!/usr/bin/env bash
# Configures and builds the whole tree into ./build (Release with assertions kept out).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CAUDALENTE_CMAKE_ARGS:-} >/dev/null
cmake --build build --parallel "$(nproc)"
