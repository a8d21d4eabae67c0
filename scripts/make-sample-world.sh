#!/usr/bin/env bash
# Makes the sample world in FOLDER: 400 wilderness maps from the sample world
# script, then a town's local map, an inn and a cave joined to it by
# teleports. Needs the programs built into BUILD (default: build).
#   scripts/make-sample-world.sh FOLDER [SEED]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-$here/build}"
folder="${1:?usage: $0 FOLDER [SEED]}"
mkdir -p "$folder"
seed=()
[ -n "${2:-}" ] && seed=(--seed "$2")
"$build/bin/vekgen" world "$here/examples/scripts/world.as" "$folder" "${seed[@]}"
"$build/bin/veksample" "$folder"
