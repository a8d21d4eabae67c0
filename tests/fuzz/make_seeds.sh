#!/usr/bin/env bash
# Makes the fuzzers' seed corpora with the project's own tools:
#   make_seeds.sh BUILD_DIR OUT_DIR
# OUT_DIR/map      maps vekgen writes (tests/map/regressions holds one of
#                  each kind with the odd teleports the format allows)
# OUT_DIR/bitmap   every picture of the default tile set (every BMP encoding
#                  the editor reads), as vektiles writes them
# OUT_DIR/archive  small archives packed by vekpack, stored and run-length coded
# OUT_DIR/script   the sample scripts and the fuzzer's own seed scripts
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
bin=$build/bin

rm -rf "$out"
mkdir -p "$out"/{map,bitmap,archive,script}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Pictures: vektiles cycles the codes through every encoding.
"$bin/vektiles" "$scratch/data.dat" --bmp-dir "$out/bitmap"

# Archives: a few pictures of different encodings, so the seeds stay small.
pictures=()
for code in 0 1 2 3 4 5 6 7 8 9 10 11 12 44 126; do pictures+=("$out/bitmap/$code.bmp"); done
"$bin/vekpack" "$out/archive/stored.dat" "${pictures[@]:0:4}" >/dev/null
"$bin/vekpack" --rle 1 "$out/archive/rle1.dat" "${pictures[@]}" >/dev/null
"$bin/vekpack" --rle 2 "$out/archive/rle2.dat" "${pictures[@]:4:6}" >/dev/null
"$bin/vekpack" --rle 4 "$out/archive/rle4.dat" "${pictures[@]:8:5}" >/dev/null

# Maps: what the sample scripts make.
world=$scratch/world
mkdir -p "$world"
"$bin/vekgen" world "$source_dir/examples/scripts/world.as" "$world" --seed 7 >/dev/null
for name in VEKAA VEKJJ VEKTT; do cp "$world/$name.MAP" "$out/map/world-$name.MAP"; done
"$bin/vekgen" current "$source_dir/examples/scripts/island.as" "$out/map/island.MAP" \
  --seed 7 >/dev/null
cp "$out/map/island.MAP" "$out/map/farmstead.MAP"
"$bin/vekgen" feature "$source_dir/examples/scripts/farmstead.as" "$out/map/farmstead.MAP" \
  --pos 24,12 --seed 7 >/dev/null || true  # the click may land on water: then only a message

# Scripts.
cp "$source_dir"/examples/scripts/*.as "$source_dir"/tests/fuzz/scripts/*.as "$out/script/"
