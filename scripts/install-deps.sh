#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the window and the .deb need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config bison libpcre2-dev libgmp-dev qt6-base-dev qt6-translations-l10n
          libgtest-dev libbenchmark-dev libedit-dev fonts-noto-cjk xvfb xauth xdotool
          libcalcium-dev libflint-arb-dev libflint-dev libantic-dev python3-mpmath
          clang libclang-rt-14-dev
          dpkg-dev file desktop-file-utils appstream man-db groff-base gettext)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
