#!/usr/bin/env bash
# Fuzzes every reader of bytes from outside the program with libFuzzer, in
# its own clang build (build-fuzz/, AddressSanitizer and UBSan).
#
#   ./fuzz.sh SECONDS [TARGET...]  runs each target for SECONDS (all four by
#                                  default: map archive bitmap script); new
#                                  inputs collect in build-fuzz/corpus/TARGET
#   ./fuzz.sh --smoke              each target over its seeds and committed
#                                  regression inputs, then a few seconds of
#                                  fuzzing (./test.sh runs this)
#
# Seeds are made afresh by the project's own tools (tests/fuzz/make_seeds.sh).
# Prints per target the executions run and the findings (inputs that crash,
# leak, time out or run out of memory, kept in build-fuzz/findings/TARGET),
# and exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/install-deps.sh

usage() {
  echo "usage: $0 SECONDS [map|archive|bitmap|script ...] | $0 --smoke" >&2
  exit 64
}

smoke=false
case "${1:-}" in
  --smoke) smoke=true; seconds=3; shift ;;
  ''|*[!0-9]*) usage ;;
  *) seconds=$1; shift ;;
esac
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(map archive bitmap script)
for target in "${targets[@]}"; do
  case "$target" in map|archive|bitmap|script) ;; *) usage ;; esac
done

vek_install_deps "${vek_fuzz_packages[@]}"

build=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEK_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target vek_fuzz
tests/fuzz/make_seeds.sh "$build" "$build/seeds" >/dev/null

# Where each target's committed regression inputs live.
regressions_of() {
  case "$1" in
    map) echo tests/map/regressions ;;
    archive) echo tests/resources/regressions/archive ;;
    bitmap) echo tests/resources/regressions/bitmap ;;
    script) echo tests/script/regressions ;;
  esac
}

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0
printf '%-8s %12s %9s\n' target executions findings
for target in "${targets[@]}"; do
  findings=$build/findings/$target
  rm -rf "$findings"
  mkdir -p "$findings"
  if $smoke; then
    corpus=$(mktemp -d)
  else
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
  fi
  inputs=("$corpus" "$build/seeds/$target")
  regressions=$(regressions_of "$target")
  [ -d "$regressions" ] && inputs+=("$regressions")

  # The script host builds each script first in a forked child, whose cost
  # grows with the fuzzer's memory: a small quarantine keeps that down.
  asan_options=$ASAN_OPTIONS
  [ "$target" = script ] && asan_options=$asan_options:quarantine_size_mb=16

  log=$build/fuzz-$target.log
  status=0
  ASAN_OPTIONS=$asan_options nice -n 10 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=25 \
    -dict="tests/fuzz/dictionaries/$target.dict" -artifact_prefix="$findings/" \
    -print_final_stats=1 "${inputs[@]}" >"$log" 2>&1 || status=$?
  $smoke && rm -rf "$corpus"

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then found=1; fi
  printf '%-8s %12s %9s\n' "$target" "${executions:-?}" "$found"
  if [ "$found" -ne 0 ]; then
    failed=1
    echo "  see $log and $findings/" >&2
    grep -m 5 -E 'ERROR|runtime error|fuzz invariant' "$log" | sed 's/^/  /' >&2 || true
  fi
done
exit "$failed"
