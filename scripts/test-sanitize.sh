#!/usr/bin/env bash
# Every test again, with the whole tree built under AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-san (set-up done by scripts/test.sh).
# A memory error, a leak in the plain C++ tests or undefined behaviour fails
# the test that meets it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Without -Werror: GCC's flow warnings (maybe-uninitialized in the standard
# library's regex, for one) misfire on instrumented code; the normal build
# keeps every warning an error.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAUDALENTE_WERROR=OFF \
  -DCAUDALENTE_SANITIZE=ON >/dev/null
cmake --build build-san --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
ctest --test-dir build-san --output-on-failure --timeout 1200 -j "$(nproc)"
