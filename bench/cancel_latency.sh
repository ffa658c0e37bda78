#!/usr/bin/env bash
# Cancel latency of the console: each slow kind of work runs in tavelko-cli with
# --timeout T, and the time past T until the process has ended is what the cancel cost
# (the start-up of about 1 ms included). Prints a Markdown row per kind with the median
# and the worst of the runs. Lines go through standard input (some are longer than one
# argument may be).
#   bench/cancel_latency.sh [--cli PATH] [--runs N] [--timeout WHOLE-SECONDS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=$root/build-release/bin/tavelko-cli
runs=5
timeout=1
while [ $# -gt 0 ]; do
  case "$1" in
    --cli) cli=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --timeout) timeout=$2; shift 2 ;;
    *) echo "usage: $0 [--cli PATH] [--runs N] [--timeout SECONDS]" >&2; exit 2 ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name<TAB>python expression giving the line
cases=$(cat <<'EOF'
power	"3^2147483647"
root	"2^(1/2)"
decimal text of a power	"7^10000000"
radix rendering	"(7^10000000)[36]"
long product line	"*".join(str(i) for i in range(1, 150001))
unit power	"(1[km])^5000000"
lexer unit resolution	"1[" + "*".join(["m"] * 1000000) + "]"
real number	"pi"
sum of a function and a root	"sin(1)+(1+5^(1/2))/2"
real in radix 16	"(exp(1))[16]"
EOF
)

echo "| work | median past the timeout | worst | result |"
echo "|---|---:|---:|---|"
while IFS=$'\t' read -r name expr; do
  python3 -c "print($expr)" > "$work/line"
  past=()
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$cli" --timeout "$timeout" < "$work/line" > "$work/out" || true
    end=$(date +%s%N)
    past+=("$(( (end - start) / 1000 - ${timeout%.*} * 1000000 ))")
  done
  sorted=$(printf '%s\n' "${past[@]}" | sort -n)
  median=$(sed -n "$(( (runs + 1) / 2 ))p" <<<"$sorted")
  worst=$(tail -1 <<<"$sorted")
  shape=$(head -c 24 "$work/out" | tr -d '\n')
  tail_mark=$(tail -c 4 "$work/out" | tr -d '\n')
  printf '| %s | %.1f ms | %.1f ms | `%s…%s` |\n' "$name" "$(bc -l <<<"$median/1000")" \
    "$(bc -l <<<"$worst/1000")" "$shape" "$tail_mark"
done <<<"$cases"
