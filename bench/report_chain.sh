#!/usr/bin/env bash
# floorplan-report on a 100,000-module left-deep chain of V cuts, for the
# record rather than for CI: data lines "i 1 h" with pseudo-random heights h
# from 1 to 65535, and a log written by hand (an initial report, no moves,
# the final solution <1><2>V<3>V... and its cost). Prints the wall time and
# peak resident memory of the whole report, area check included, from
# /usr/bin/time -v.
#
# The cost is worked out here, independently of the program: every module is
# 1 wide, so under a bound T on the height a module of height h <= T stands
# (width 1) and a taller one lies (width h, height 1); the least area is the
# least over T of T x (width of the row).
#
#   bench/report_chain.sh [path/to/floorplan-report] [modules]
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/floorplan-report}
modules=${2:-100000}
[ -x "$binary" ] || { echo "no program at $binary: build it first" >&2; exit 1; }
if [ ! -x /usr/bin/time ]; then
  apt-get update -qq && apt-get install -y -qq time
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v n="$modules" 'BEGIN {
  s = 2024
  for (i = 1; i <= n; i++) {
    s = (s * 1103515245 + 12345) % 2147483648
    printf "%d 1 %d\n", i, 1 + int(s / 65536) % 65535
  }
}' > "$work/chain.txt"

cost=$(cut -d' ' -f3 "$work/chain.txt" | sort -n | awk '
  { h[NR] = $1; total += $1 }
  END {
    best = total  # every module lying: one row of height 1
    prefix = 0
    for (k = 1; k <= NR; k++) {
      prefix += h[k]
      if (k < NR && h[k + 1] == h[k]) continue
      area = h[k] * (k + total - prefix)
      if (area < best) best = area
    }
    printf "%.0f\n", best
  }')

{
  echo "Initial Cost: $cost"
  echo
  echo "***Start of Simulated Annealing***"
  echo
  echo
  echo "***End of Simulated Annealing***"
  echo "Final solution:"
  awk -v n="$modules" 'BEGIN {
    printf "<1>"
    for (i = 2; i <= n; i++) printf "<%d>V", i
    printf "\n"
  }'
  echo
  echo "Cost: $cost"
} > "$work/chain.log"

status=0
/usr/bin/time -v -o "$work/time" "$binary" -o "$work/chain.svg" \
  "$work/chain.txt" "$work/chain.log" > "$work/out" 2> "$work/err" || status=$?
elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
printf '%d-module V chain, cost %s: status %d  wall %s  peak RSS %d KiB\n' \
  "$modules" "$cost" "$status" "$elapsed" "$rss"
if [ -s "$work/err" ]; then sed 's/^/    stderr: /' "$work/err"; fi
grep '^area' "$work/out" | sed 's/^/    stdout: /' || true
