#!/usr/bin/env bash
# Installs what is missing, builds, and opens the editor on the sample world.
#
# The sample world lives outside the source tree, in a folder of your own:
#   ${XDG_DATA_HOME:-$HOME/.local/share}/vek-map-editor/sample-world
# (set VEK_RUN_DIR to use another folder). It is made only when that folder
# does not exist yet, so the maps you edit there stay; delete the folder to
# get a fresh sample world. data.dat there is refreshed from the build.
set -euo pipefail
cd "$(dirname "$0")"
source_dir="$(pwd)"

. scripts/install-deps.sh
vek_install_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

# Built either way; the window needs an X display.
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'EOF_HELP'
The editor is built, but it opens a window and there is no X display
(DISPLAY is not set). Run ./run.sh in a desktop session, or under a virtual
X display:
  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh
EOF_HELP
  exit 1
fi
if ! xdpyinfo >/dev/null 2>&1; then
  cat >&2 <<EOF_HELP
The editor is built, but the X display "$DISPLAY" cannot be opened.
Check DISPLAY (and your X authority), or run under a virtual X display:
  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh
EOF_HELP
  exit 1
fi

run_dir="${VEK_RUN_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/vek-map-editor/sample-world}"
if [ ! -d "$run_dir" ]; then
  # Made beside its place and moved there whole, so a failure leaves no
  # half-made world behind to be taken for the real one.
  mkdir -p "$(dirname "$run_dir")"
  staging="$(mktemp -d "$run_dir.making.XXXXXX")"
  trap 'rm -rf "$staging"' EXIT
  scripts/make-sample-world.sh "$staging"
  mv "$staging" "$run_dir"
  trap - EXIT
  echo "Made the sample world in $run_dir"
fi

# The editor reads its tile pictures from data.dat in the folder it runs in,
# and its first dialog lists the maps of that folder.
cp build/data.dat "$run_dir/data.dat"
cd "$run_dir"
exec "$source_dir/build/bin/vekedit"
