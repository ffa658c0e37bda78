#!/usr/bin/env bash
# Installs what is missing, builds the programs in Release and starts the calculator:
# the window when a display is available, otherwise the console front end.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what is started: the window when there is a display to show it on, else the
# console, with the real-number module and the English catalogue; ./test.sh builds the
# rest.
targets=(tavelko_real tavelko_catalogue)
window=""
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && grep -q '^TAVELKO_UI:BOOL=ON' build-release/CMakeCache.txt; then
  window=1
  targets+=(tavelko)
else
  targets+=(tavelko-cli)
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
