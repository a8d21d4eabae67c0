#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh             unit tests and end-to-end tests (in their own Xvfb),
#                         then every fuzz target over its seeds and regression
#                         inputs and a few seconds of fuzzing (./fuzz.sh --smoke)
#   ./test.sh --sanitize  unit tests built with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")"
. scripts/install-deps.sh

mode=normal
case "${1:-}" in
  "") ;;
  --sanitize) mode=sanitize ;;
  *) echo "usage: $0 [--sanitize]" >&2; exit 64 ;;
esac

if [ "$mode" = sanitize ]; then
  vek_install_deps
else
  vek_install_deps "${vek_fuzz_packages[@]}"
fi

if [ "$mode" = sanitize ]; then
  build=build-sanitize
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVEK_SANITIZE=ON
  cmake --build "$build" -j2
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir "$build" --output-on-failure -j2 -L unit
else
  build=build
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j2
  ctest --test-dir "$build" --output-on-failure -j2
  ./fuzz.sh --smoke
fi
