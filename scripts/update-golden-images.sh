#!/usr/bin/env bash
# Writes the golden pictures of the drawing tests (tests/golden/*.png) afresh
# from the current code: every test whose name holds "Golden" runs at 32 bits
# per pixel with VEK_UPDATE_GOLDEN set, and saves what it drew instead of
# comparing it. Look at the pictures (git diff shows which changed) before
# committing them: from then on the tests hold the code to them.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/install-deps.sh
vek_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
programs=(gui_tests app_tests)
cmake --build build -j2 $(printf -- '--target %s ' "${programs[@]}")
mkdir -p tests/golden
for program in "${programs[@]}"; do
  VEK_UPDATE_GOLDEN=1 "build/tests/$program" --gtest_filter='*Golden*32*'
done
git status --short tests/golden
