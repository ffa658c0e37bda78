#!/usr/bin/env bash
# Regenerates docs/window.png: the desktop window under a virtual X server after
# computing "10km/5[m/h]" and showing the version text, with the input recalled from
# the history. Needs xvfb, xauth and fonts-noto-cjk (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tavelko >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build/bin/tavelko" --fresh --screenshot docs/window.png "10km/5[m/h]" "!version" "<Up>" "<Up>"
echo "docs/window.png written"
