#!/usr/bin/env bash
# Large inputs, for the record rather than for CI: a 20,000-module file run for
# one temperature (T0 1 below Tf 10: 40,001 to 80,001 moves), and a
# 1,000,000-module file loaded and released after a refused lambda. Prints the
# wall time and peak resident memory of each, from /usr/bin/time -v.
#
#   bench/large_inputs.sh [path/to/floorplan]    (default: build/floorplan)
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/floorplan}
[ -x "$binary" ] || { echo "no program at $binary: build it first" >&2; exit 1; }
if [ ! -x /usr/bin/time ]; then
  apt-get update -qq && apt-get install -y -qq time
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Modules 1..N with sides from a fixed pseudo-random sequence, 1 to 100.
generate() {
  awk -v n="$1" 'BEGIN {
    s = 12345
    for (i = 1; i <= n; i++) {
      s = (s * 1103515245 + 12345) % 2147483648; w = 1 + int(s / 65536) % 100
      s = (s * 1103515245 + 12345) % 2147483648; h = 1 + int(s / 65536) % 100
      printf "%d %d %d\n", i, w, h
    }
  }' > "$2"
}

# Runs the program under /usr/bin/time -v; prints one row of the table.
measure() {
  local label=$1
  shift
  local status=0
  /usr/bin/time -v -o "$work/time" "$binary" "$@" > "$work/out" 2> "$work/err" ||
    status=$?
  local elapsed rss moves
  elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  moves=$(grep -c '[YN]$' "$work/out" || true)
  printf '%-34s status %3d  moves %7d  wall %10s  peak RSS %8d KiB\n' \
    "$label" "$status" "$moves" "$elapsed" "$rss"
  if [ -s "$work/err" ]; then sed 's/^/    stderr: /' "$work/err"; fi
  tail -n 1 "$work/out" | sed 's/^/    stdout: /'
}

generate 20000 "$work/modules20k.txt"
generate 1000000 "$work/modules1m.txt"
measure "20,000 modules, 0.5 1 10" "$work/modules20k.txt" 0.5 1 10
measure "1,000,000 modules, lambda 0" "$work/modules1m.txt" 0
