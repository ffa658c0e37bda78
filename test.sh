#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest:
# first the Release build and the Debian package made from it, then the core tests under
# AddressSanitizer + UBSan, then a short run of each fuzz target (clang, libFuzzer).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

jobs=$(nproc)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# The main build is the Release tree that ./run.sh starts and the package is made from,
# so the programs tested are the programs shipped.
echo "== build (Release, build-release)"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELKO_UI=ON \
      -DTAVELKO_BENCHMARKS=ON >/dev/null
cmake --build build-release -j "$jobs"
echo "== tests"
ctest --test-dir build-release --output-on-failure -j "$jobs"

echo "== Debian package"
deb=$(./scripts/package.sh)
tests/package/package_test.sh "$deb"

echo "== core tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVELKO_SANITIZE=ON \
      -DTAVELKO_BENCHMARKS=OFF -DTAVELKO_UI=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -L core

echo "== fuzz smoke: each target ${FUZZ_SMOKE_SECONDS:=45} s, two at a time"
tests/fuzz/fuzz.sh build
smoke_failed=0
for pair in "session notation" "number cli"; do
  pids=()
  for target in $pair; do
    FUZZ_NO_BUILD=1 tests/fuzz/fuzz.sh "$target" "$FUZZ_SMOKE_SECONDS" & pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || smoke_failed=1; done
done
[ "$smoke_failed" -eq 0 ]
