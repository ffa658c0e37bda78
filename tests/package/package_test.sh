#!/usr/bin/env bash
# Checks a built tavelko .deb: its exact file list, stripped programs, both programs run
# from the unpacked tree, Depends from dpkg-shlibdeps, and the desktop entry, AppStream
# data and manual pages through their validators.
#   tests/package/package_test.sh path/to/tavelko_VERSION_ARCH.deb
set -euo pipefail
deb=${1:?usage: package_test.sh path/to/tavelko_VERSION_ARCH.deb}
[ -f "$deb" ] || { echo "package test: no such file: $deb" >&2; exit 2; }

root=$(mktemp -d "${TMPDIR:-/tmp}/tavelko-deb.XXXXXX")
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "package test: FAIL: $*" >&2; failures=$((failures + 1)); }

dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)

# Every regular file of the package, no more and no less: a test program, a benchmark or
# an uncompressed manual page that slips in shows up here.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
module=usr/lib/$multiarch/tavelko/libtavelko-real.so
expected="usr/bin/tavelko
usr/bin/tavelko-cli
$module
usr/share/applications/tavelko.desktop
usr/share/doc/tavelko/copyright
usr/share/icons/hicolor/scalable/apps/tavelko.svg
usr/share/locale/en/LC_MESSAGES/tavelko.mo
usr/share/man/man1/tavelko-cli.1.gz
usr/share/man/man1/tavelko.1.gz
usr/share/metainfo/tavelko.metainfo.xml"
actual=$(cd "$root" && find . -type f -printf '%P\n' | LC_ALL=C sort)
[ "$actual" = "$expected" ] ||
  fail "file list differs (< expected, > in the package):
$(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]')"

for bin in tavelko tavelko-cli; do
  exe=$root/usr/bin/$bin
  [ -x "$exe" ] || { fail "usr/bin/$bin is missing or not executable"; continue; }
  file -b "$exe" | grep -q ', stripped' || fail "usr/bin/$bin is not stripped: $(file -b "$exe")"
  missing=$(ldd "$exe" | grep 'not found' || true)
  [ -z "$missing" ] || fail "usr/bin/$bin needs libraries that are not installed: $missing"
done

# The real-number module, opened by the programs on the first real: stripped, and every
# library it links is installed.
if [ -f "$root/$module" ]; then
  file -b "$root/$module" | grep -q ', stripped' || fail "$module is not stripped: $(file -b "$root/$module")"
  missing=$(ldd "$root/$module" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$module needs libraries that are not installed: $missing"
fi

# The console program from the unpacked tree, on lines whose answers the e2e tables hold.
cli=$root/usr/bin/tavelko-cli
if [ -x "$cli" ]; then
  cases=(
    '10km/5[m/h]'  '2000 [h]'
    '22/7'         '3.1`42857`'
    '(0[K])[°C]'   '-273.15 [°C]'
    '255[16]'      '($FF)16'
  )
  for ((i = 0; i < ${#cases[@]}; i += 2)); do
    got=$(LC_ALL=C.UTF-8 "$cli" "${cases[i]}" 2>&1) || fail "tavelko-cli '${cases[i]}' exited $?"
    [ "$got" = "${cases[i + 1]}" ] || fail "tavelko-cli '${cases[i]}' printed '$got', not '${cases[i + 1]}'"
  done
  # The installed English catalogue is found beside the program.
  got=$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=en_US.UTF-8 "$cli" '1+' 2>&1 | head -1 || true)
  [ "$got" = "syntax error" ] || fail "tavelko-cli under LANG=en_US.UTF-8 printed '$got', not 'syntax error'"
  got=$("$cli" --version 2>&1) || fail "tavelko-cli --version exited $?"
  [[ "$got" == Tavelko/*" Version $version" ]] ||
    fail "tavelko-cli --version printed '$got', not the package version $version"
fi

# The window from the unpacked tree starts, evaluates a line and saves a picture of itself,
# with a home of its own so that it neither reads nor leaves the user's saved state.
win=$root/usr/bin/tavelko
if [ -x "$win" ]; then
  shot=$root/window.png
  home=$root/home
  mkdir -m 700 "$home"
  out=$(HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        XDG_STATE_HOME=$home/.local/state XDG_CACHE_HOME=$home/.cache XDG_RUNTIME_DIR=$home \
        QT_QPA_PLATFORM=offscreen timeout 60 "$win" --screenshot "$shot" '22/7' 2>&1) ||
    fail "tavelko --screenshot exited $?: $out"
  [ "$(head -c 4 "$shot" 2>/dev/null | tail -c 3)" = PNG ] || fail "tavelko --screenshot wrote no PNG: $out"
fi

# dpkg-shlibdeps found the libraries of both programs and of the module.
[ -n "$depends" ] || fail "Depends is empty"
for lib in libgmp libqt6widgets6 libqt6core6 libedit libpcre2-16 libcalcium0 libantic0 libflint-arb2 libflint17; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends does not name $lib: $depends"
done

desktop=$root/usr/share/applications/tavelko.desktop
metainfo=$root/usr/share/metainfo/tavelko.metainfo.xml
if [ -f "$desktop" ] && [ -f "$metainfo" ]; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
  echo "$out" | grep -qE ': (error|warning):' && fail "desktop-file-validate warns: $out"
  # The id is not a reverse domain name (the project owns no domain): that one warning is
  # taken as a note; any other finding fails.
  out=$(appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$metainfo" 2>&1) ||
    fail "appstreamcli validate: $out"
  grep -q '<launchable type="desktop-id">tavelko.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch tavelko.desktop"
  name=$(sed -n 's/^Name=//p' "$desktop" | head -1)
  grep -q "<name>$name</name>" "$metainfo" || fail "the metainfo's <name> is not the desktop entry's Name ($name)"
fi

for page in tavelko tavelko-cli; do
  gz=$root/usr/share/man/man1/$page.1.gz
  [ -f "$gz" ] || continue
  out=$(gzip -dc "$gz" | groff -k -man -Tutf8 -ww -z 2>&1) || fail "groff failed on $page.1: $out"
  [ -z "$out" ] || fail "groff warns on $page.1: $out"
done

if [ "$failures" -gt 0 ]; then
  echo "package test: $failures check(s) failed for $deb" >&2
  exit 1
fi
echo "package test: $(basename "$deb") passed (Depends: $depends)"
