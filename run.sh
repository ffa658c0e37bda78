#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the calculator:
# the window when a display is available, otherwise the console front end.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j "$(nproc)" >/dev/null

bin=build-release/bin
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$bin/tavelko" ]; then
  exec "$bin/tavelko" "$@"
fi
if [ -x "$bin/tavelko-cli" ]; then
  exec "$bin/tavelko-cli" "$@"
fi
echo "Tavelko: the build finished but produced no front end in $bin/." >&2
exit 1
