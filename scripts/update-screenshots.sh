#!/usr/bin/env bash
# Retakes the README's pictures of the editor (docs/images/*.png) from the
# real program, through the end-to-end harness: it opens the sample world
# (made as run.sh makes it, with a fixed seed) in a virtual X display and
# saves a screenshot of the editor, one of the world map view and one of
# the editing tools (a paste preview on a second map), and renders the
# sample world with vekworld.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/install-deps.sh
vek_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target e2e_editor_tests
mkdir -p docs/images
VEK_SCREENSHOT_DIR="$(pwd)/docs/images" \
  build/tests/e2e_editor_tests --gtest_filter='EditorPictures.*:EditingTools.*'
# The sample world as vekworld renders it, one pixel a cell.
cmake --build build -j2 --target vekgen veksample vekworld vek_default_tiles
world="$(mktemp -d)"
trap 'rm -rf "$world"' EXIT
BUILD="$(pwd)/build" scripts/make-sample-world.sh "$world" 7 >/dev/null
build/bin/vekworld render "$world" docs/images/world-render.png --scale cell --grid \
  --data build/data.dat >/dev/null
echo "Pictures written to docs/images/"
