#!/usr/bin/env bash
# The speed table: whole tavelko-cli processes of a Release build, each row timed by one
# hyperfine run together with bench/gmp_reference doing the same work on GMP alone, so
# every median stands beside the reference's median and their ratio. Prints a Markdown
# table on standard output (hyperfine's own report goes to standard error) and keeps the
# JSON exports and the table in the output directory.
# shellcheck disable=SC2016  # backquotes in single quotes are Markdown code in labels
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
release=$root/build-release
jobs=${JOBS:-2}

usage() {
  cat <<'EOF'
Usage: bench/speed_table.sh [OPTIONS] [ROW ...]

Rows are picked by name or shell pattern ("sqrt2-*"); without any, every row runs.

  --build DIR        time DIR/bin/tavelko-cli; repeat to time several builds side by side
                     in the same hyperfine runs (default: build-release, which the script
                     configures and builds; other directories are used as they are)
  --runs N           timed runs per command (default 10; rows whose trial run took over
                     30 s get 3 runs and no warm-up)
  --max-seconds S    skip a command whose trial run takes longer than S seconds
  --quick            the same as --max-seconds 5
  --out DIR          where the JSON exports and table.md go (default build-release/speed_table)
  --list             list the rows and exit
  -h, --help         this text
EOF
}

builds=()
runs=10
max_seconds=""
out=""
list_only=0
patterns=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) builds+=("$(cd "$2" && pwd)"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --max-seconds) max_seconds=$2; shift 2 ;;
    --quick) max_seconds=5; shift ;;
    --out) out=$2; shift 2 ;;
    --list) list_only=1; shift ;;
    -h|--help) usage; exit 0 ;;
    -*) echo "speed_table: unknown option $1" >&2; usage >&2; exit 2 ;;
    *) patterns+=("$1"); shift ;;
  esac
done
[ ${#builds[@]} -gt 0 ] || builds=("$release")
out=${out:-$release/speed_table}

# Shell quoting for the command texts hyperfine hands to sh.
q() { printf "'%s'" "${1//\'/\'\\\'\'}"; }

# --- the rows: name, label, tavelko-cli arguments (shell text), gmp_reference arguments ---
work=$out/input
units_file=$root/bench/units_lines.txt
row_names=(); row_labels=(); row_cli=(); row_ref=()
row() { row_names+=("$1"); row_labels+=("$2"); row_cli+=("$3"); row_ref+=("$4"); }
row pow-100k   '`2^100000`'                        "$(q '2^100000')"                        "pow 2 100000"
row pow-1m     '`2^1000000`'                       "$(q '2^1000000')"                       "pow 2 1000000"
row fac-5k     '`1*2*…*5000` (one line)'           "< $(q "$work/fac5000.txt")"             "fac 5000"
row fac-20k    '`1*2*…*20000` (one line)'          "< $(q "$work/fac20000.txt")"            "fac 20000"
row sqrt2-10k  '`2^(1/2)`, 10,000 digits'          "--digits 10000 $(q '2^(1/2)')"          "sqrt2 10000"
row sqrt2-100k '`2^(1/2)`, 100,000 digits'         "--digits 100000 $(q '2^(1/2)')"         "sqrt2 100000"
row sqrt2-1m   '`2^(1/2)`, 1,000,000 digits'       "--digits 1000000 $(q '2^(1/2)')"        "sqrt2 1000000"
row cbrt2-100k '`2^(1/3)`, 100,000 digits'         "--digits 100000 $(q '2^(1/3)')"         "root 3 100000"
row radix36    '`(2^1000000)[36]`'                 "$(q '(2^1000000)[36]')"                 "radix 2 1000000 36"
row recip      '`1/9999991` (1,666,665-digit cycle)' "$(q '1/9999991')"                     "recip 9999991"
row units      'bench/units_lines.txt, `--digits 40`' "--digits 40 < $(q "$units_file")"   ""
row startup    '`1+1`'                             "$(q '1+1')"                             "one"
row memory     'peak memory, `--timeout 10 2^(1/2)`' ""                                    ""

if [ "$list_only" = 1 ]; then
  for i in "${!row_names[@]}"; do printf '%-11s %s\n' "${row_names[$i]}" "${row_labels[$i]}"; done
  exit 0
fi

selected() {
  [ ${#patterns[@]} -eq 0 ] && return 0
  local p
  for p in "${patterns[@]}"; do
    # shellcheck disable=SC2254  # the pattern is meant to match as a glob
    case "$1" in $p) return 0 ;; esac
  done
  return 1
}
any=0
for name in "${row_names[@]}"; do selected "$name" && any=1; done
[ "$any" = 1 ] || { echo "speed_table: no row matches ${patterns[*]} (see --list)" >&2; exit 2; }

# --- tools and builds ---
need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
dpkg-query -W -f='${Status}' libgmp-dev 2>/dev/null | grep -q 'install ok installed' || need+=(libgmp-dev)
if [ ${#need[@]} -gt 0 ]; then
  echo "speed_table: installing ${need[*]}" >&2
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if [ ! -f "$release/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELKO_UI=OFF >&2
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$release/CMakeCache.txt" ||
  echo "speed_table: warning: $release is not a Release build" >&2
cmake --build "$release" -j "$jobs" --target tavelko-cli gmp_reference >&2
ref_bin=$release/bin/gmp_reference
for b in "${builds[@]}"; do
  [ -x "$b/bin/tavelko-cli" ] || { echo "speed_table: no $b/bin/tavelko-cli" >&2; exit 1; }
done

mkdir -p "$out" "$work"
seq -s '*' 1 5000 >"$work/fac5000.txt"
seq -s '*' 1 20000 >"$work/fac20000.txt"
[ -f "$units_file" ] || python3 "$root/bench/make_unit_lines.py" "$units_file"
unit_lines=$(wc -l <"$units_file")

# --- formatting ---
fmt_time() {  # seconds -> "850 µs", "12.3 ms", "4.56 s"
  awk -v t="$1" 'BEGIN {
    if (t < 0.001) printf "%.0f µs", t * 1e6;
    else if (t < 1) printf "%.3g ms", t * 1e3;
    else printf "%.3g s", t }'
}
fmt_ratio() {  # a / b as "×N"
  awk -v a="$1" -v b="$2" 'BEGIN {
    if (b <= 0) { print "–"; exit }
    r = a / b; if (r >= 100) printf "×%.0f", r; else printf "×%.3g", r }'
}

# The label of a build in the header: "tavelko-cli", or its directory when there are several.
build_label() {
  if [ ${#builds[@]} -eq 1 ]; then echo "tavelko-cli"; else echo "tavelko-cli (${1#"$root"/})"; fi
}

header="| work |"
rule="| --- |"
for b in "${builds[@]}"; do header+=" $(build_label "$b") median |"; rule+=" ---: |"; done
header+=" GMP reference median |"
rule+=" ---: |"
for b in "${builds[@]}"; do
  if [ ${#builds[@]} -eq 1 ]; then header+=" ratio |"; else header+=" ratio (${b#"$root"/}) |"; fi
  rule+=" ---: |"
done
table=("$header" "$rule")

# One trial run of a shell command, killed after max_seconds; prints its seconds, or
# "timeout" / "exit N".
trial() {
  local t0 t1 rc=0
  t0=$(date +%s.%N)
  if [ -n "$max_seconds" ]; then
    timeout "$max_seconds" sh -c "$1" >/dev/null 2>&1 || rc=$?
  else
    sh -c "$1" >/dev/null 2>&1 || rc=$?
  fi
  t1=$(date +%s.%N)
  if [ "$rc" = 124 ] && [ -n "$max_seconds" ]; then echo timeout
  elif [ "$rc" != 0 ]; then echo "exit $rc"
  else awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }'
  fi
}

# Medians (seconds) of the commands in a hyperfine export, one a line in command order.
medians() {
  python3 -c 'import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(r["median"])' "$1"
}

time_row() {  # index
  local i=$1 name=${row_names[$1]} cells=() ok=() names=() cmds=() slow=0 j t b
  for j in "${!builds[@]}"; do
    b=${builds[$j]}
    local cmd
    cmd="$(q "$b/bin/tavelko-cli") ${row_cli[$i]}"
    echo "speed_table: $name: trial run of $(build_label "$b")" >&2
    t=$(trial "$cmd")
    case "$t" in
      timeout) cells[j]="> $max_seconds s (skipped)" ;;
      exit*) cells[j]="failed ($t)" ;;
      *) ok+=("$j"); names+=("$(build_label "$b")"); cmds+=("$cmd")
         awk -v t="$t" 'BEGIN { exit !(t > 30) }' && slow=1 ;;
    esac
  done
  if [ -n "${row_ref[$i]}" ]; then names+=(gmp_reference); cmds+=("$(q "$ref_bin") ${row_ref[$i]}"); fi

  local warmup=2 n=$runs note="" shell=()
  if [ "$slow" = 1 ]; then warmup=0; [ "$n" -gt 3 ] && n=3; note=" ($n runs)"; fi
  # Without a redirection the commands run without a shell, which times short runs better.
  case "${row_cli[$i]}" in *"<"*) ;; *) shell=(--shell=none) ;; esac
  local json=$out/$name.json ref_median="" args=() found=() k=0
  declare -A med=()
  for j in "${!cmds[@]}"; do args+=(-n "${names[$j]}" "${cmds[$j]}"); done
  if [ ${#cmds[@]} -gt 0 ]; then
    hyperfine --warmup "$warmup" --runs "$n" --output=null --style basic "${shell[@]}" \
              --export-json "$json" "${args[@]}" >&2
    mapfile -t found < <(medians "$json")
  fi
  for j in "${ok[@]}"; do med[b$j]=${found[$k]}; k=$((k + 1)); done
  [ -z "${row_ref[$i]}" ] || ref_median=${found[$k]}

  local line="| ${row_labels[$i]}$note |"
  for j in "${!builds[@]}"; do
    if [ -n "${med[b$j]:-}" ]; then cells[j]=$(fmt_time "${med[b$j]}"); fi
    line+=" ${cells[$j]} |"
  done
  if [ -n "$ref_median" ]; then line+=" $(fmt_time "$ref_median") |"; else line+=" – |"; fi
  for j in "${!builds[@]}"; do
    if [ -z "${med[b$j]:-}" ]; then line+=" – |"
    elif [ -n "$ref_median" ]; then line+=" $(fmt_ratio "${med[b$j]}" "$ref_median") |"
    else line+=" $(awk -v n="$unit_lines" -v t="${med[b$j]}" 'BEGIN { printf "%.0f lines/s", n / t }') |"
    fi
  done
  table+=("$line")
}

# Peak resident memory of a cancelled square root, per digit shown, against the GMP
# reference computing as many digits.
memory_row() {
  local b kb digits cells=() ratios=() ref_cell="–"
  for b in "${builds[@]}"; do
    echo "speed_table: memory: $(build_label "$b") for 10 s" >&2
    /usr/bin/time -f %M -o "$work/rss" "$b/bin/tavelko-cli" --timeout 10 '2^(1/2)' \
      >"$work/memory.out" || true
    kb=$(tail -n 1 "$work/rss")
    digits=$(( $(tr -cd 0-9 <"$work/memory.out" | wc -c) - 1 ))  # after the point
    if [ "$digits" -le 0 ]; then cells+=("no digits"); ratios+=("–"); continue; fi
    /usr/bin/time -f %M -o "$work/rss.ref" "$ref_bin" sqrt2 "$digits" >/dev/null
    local ref_kb
    ref_kb=$(tail -n 1 "$work/rss.ref")
    cells+=("$(awk -v k="$kb" -v d="$digits" 'BEGIN {
      printf "%.1f MiB, %d digits, %.1f B/digit", k / 1024, d, k * 1024 / d }')")
    ref_cell=$(awk -v k="$ref_kb" -v d="$digits" 'BEGIN {
      printf "%.1f MiB, %.1f B/digit", k / 1024, k * 1024 / d }')
    ratios+=("$(fmt_ratio "$kb" "$ref_kb")")
  done
  [ ${#builds[@]} -eq 1 ] || ref_cell="$ref_cell (digits of the last build)"
  local line="| ${row_labels[$1]} |"
  for b in "${cells[@]}"; do line+=" $b |"; done
  line+=" $ref_cell |"
  for b in "${ratios[@]}"; do line+=" $b |"; done
  table+=("$line")
}

for i in "${!row_names[@]}"; do
  selected "${row_names[$i]}" || continue
  if [ "${row_names[$i]}" = memory ]; then memory_row "$i"; else time_row "$i"; fi
done

printf '%s\n' "${table[@]}" | tee "$out/table.md"
