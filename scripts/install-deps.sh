#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# nothing when all of them are already there (no network use in that case).
# Sourced by run.sh and test.sh; pass extra package names as arguments.
set -euo pipefail

vek_packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  liballegro4-dev angelscript-dev libx11-dev libpng-dev
  xvfb xauth xfonts-base xdotool x11-utils imagemagick
  strace
)

# The fuzz targets build with clang and its libFuzzer runtime (./fuzz.sh,
# and ./test.sh, which runs them briefly).
vek_fuzz_packages=(clang-14 libclang-rt-14-dev)

vek_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

vek_install_deps() {
  local -a missing
  mapfile -t missing < <(vek_missing_packages "${vek_packages[@]}" "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0

  local -a as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || {
      echo "Missing packages: ${missing[*]}; run as root or install sudo." >&2
      return 1
    }
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}
