#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer + UBSan) and runs one of
# them for a while on a scratch copy of its seed corpus and saved regressions, so the
# committed corpus never changes by itself.
#   tests/fuzz/fuzz.sh TARGET SECONDS [libFuzzer options...]
#   tests/fuzz/fuzz.sh build        (only builds the fuzz targets)
# TARGET is session, notation, number or cli. Exits non-zero when the run found a fault;
# the input that broke it is in the scratch directory printed at the end (crash-*), and
# goes into regressions/TARGET/ once the fault is understood (docs/fuzzing.md).
# FUZZ_BUILD names the build directory (default build-fuzz); FUZZ_NO_BUILD=1 skips the build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
target=${1:?usage: fuzz.sh TARGET SECONDS [libFuzzer options...] | fuzz.sh build}
build=${FUZZ_BUILD:-$root/build-fuzz}

if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELKO_FUZZ=ON \
        -DTAVELKO_UI=OFF -DTAVELKO_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target fuzzers >/dev/null
fi
[ "$target" = build ] && exit 0
seconds=${2:?usage: fuzz.sh TARGET SECONDS [libFuzzer options...]}
shift 2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tavelko-fuzz-$target.XXXXXX")
mkdir -p "$scratch/corpus" "$scratch/found"
cp "$here/corpus/$target"/* "$scratch/corpus/"
cp "$here/regressions/$target"/* "$scratch/corpus/" 2>/dev/null || true
options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=3000 -print_final_stats=1
         -artifact_prefix="$scratch/found/")
[ "$target" = session ] && options+=(-dict="$here/session.dict")

status=0
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  "$build/bin/fuzz_$target" "${options[@]}" "$@" "$scratch/corpus" >"$scratch/log" 2>&1 || status=$?
grep -aE '^(stat::number_of_executed_units|stat::peak_rss_mb)|^#[0-9]+ +DONE' "$scratch/log" || true
if [ "$status" -ne 0 ]; then
  grep -aE "invariant broken|ERROR:|runtime error" "$scratch/log" | head -5 || true
  echo "fuzz $target: FAULT, see $scratch/log and $scratch/found/" >&2
  exit "$status"
fi
echo "fuzz $target: ${seconds}s without fault (scratch $scratch)"
