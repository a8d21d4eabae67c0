#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on the sample world.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/install-deps.sh
vek_install_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

# The sample world: made once by the sample world script, kept afterwards.
if [ ! -e run/VEKAA.MAP ]; then
  mkdir -p run
  build/bin/vekgen world examples/scripts/world.as run
fi

if [ ! -x build/bin/vekedit ]; then
  echo "The editor (build/bin/vekedit) is not built yet." >&2
  exit 1
fi
# The editor reads its tile pictures from data.dat in the folder it runs in.
mkdir -p run
cp build/data.dat run/data.dat
cd run
exec ../build/bin/vekedit "$@"
