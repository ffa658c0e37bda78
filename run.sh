#!/usr/bin/env bash
# Installs what is missing, builds the programs in Release and starts the calculator:
# the window when a display is available, otherwise the console front end.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what is started: the console, the real-number module, the English catalogue and,
# when there is a display to show it on, the window; ./test.sh builds the tests and
# benchmarks.
targets=(tavelko-cli tavelko_real tavelko_catalogue)
window=""
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && grep -q '^TAVELKO_UI:BOOL=ON' build-release/CMakeCache.txt; then
  window=1
  targets+=(tavelko)
fi
cmake --build build-release -j "$(nproc)" --target "${targets[@]}" >/dev/null

bin=build-release/bin
if [ -n "$window" ]; then
  exec "$bin/tavelko" "$@"
fi
if [ -x "$bin/tavelko-cli" ]; then
  exec "$bin/tavelko-cli" "$@"
fi
echo "Tavelko: the build finished but produced no front end in $bin/." >&2
exit 1
