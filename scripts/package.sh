#!/usr/bin/env bash
# Builds the Debian package tavelko_<version>_<arch>.deb from a Release build in
# build-release (the directory ./run.sh uses) and prints its path.
# Only the packaged programs, the real-number module and pages are built here; a tree already built by ./run.sh
# or ./test.sh is reused as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build=build-release
# The window is asked for explicitly: another script may have configured this directory
# without it (bench/speed_table.sh does), and the package must hold both programs.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELKO_UI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target tavelko tavelko-cli tavelko_real man_pages >/dev/null

rm -f "$build"/tavelko_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/tavelko_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "package: cpack left no single .deb in $build" >&2; exit 1; }
realpath "${debs[0]}"
