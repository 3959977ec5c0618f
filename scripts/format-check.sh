#!/usr/bin/env bash
# Fails when a C++ source of the repository differs from what clang-format
# makes of it with the repository's .clang-format. `clang-format -i FILE`
# formats one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror
