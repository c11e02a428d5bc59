#!/usr/bin/env bash
# Large inputs, for the record rather than for CI. Prints the moves, wall time,
# moves a second and peak resident memory of each run, from /usr/bin/time -v.
#
#   bench/large_inputs.sh [path/to/floorplan]    (default: build/floorplan)
#       a 20,000-module file run for one temperature (T0 1 below Tf 10:
#       40,001 to 80,001 moves), and a 1,000,000-module file loaded and
#       released after a refused lambda.
#   bench/large_inputs.sh --sizes SECONDS FLOORPLAN_SEARCH...
#       strips (module i is 1 x (i + 1): every staircase of the first,
#       left-deep floorplan is as long as its subtree) and random files of
#       2,000 to 20,000 modules, one temperature each (0.5 1 0.9 1 1 1) or
#       SECONDS at most, every given build in turn on each file, so that two
#       builds compare side by side. Each run is the floorplan run of one
#       clock second (floorplan-search --replay), so all builds make the
#       same moves.
set -euo pipefail
cd "$(dirname "$0")/.."
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

strips() {
  awk -v n="$1" 'BEGIN { for (i = 1; i <= n; i++) printf "%d 1 %d\n", i, i + 1 }' > "$2"
}

# Runs a program under /usr/bin/time -v, for at most `limit` seconds when
# set (status 124 then); prints one row of the table.
limit=
measure() {
  local label=$1
  shift
  local status=0
  local stop=()
  if [ -n "$limit" ]; then stop=(timeout "$limit"); fi
  /usr/bin/time -v -o "$work/time" "${stop[@]}" "$@" > "$work/out" 2> "$work/err" ||
    status=$?
  local elapsed rss moves seconds
  elapsed=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  moves=$(grep -c '[YN]$' "$work/out" || true)
  seconds=$(echo "$elapsed" | awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')
  printf '%-34s status %3d  moves %7d  wall %8s  moves/s %8.0f  peak RSS %8d KiB\n' \
    "$label" "$status" "$moves" "$elapsed" "$(echo "$moves $seconds" | awk '{ printf "%f", ($2 > 0 ? $1 / $2 : 0) }')" "$rss"
  if [ -s "$work/err" ]; then sed 's/^/    stderr: /' "$work/err"; fi
}

if [ "${1:-}" = "--sizes" ]; then
  limit=$2
  shift 2
  for n in 2000 5000 10000 20000; do
    strips "$n" "$work/strips$n.txt"
    generate "$n" "$work/random$n.txt"
  done
  for kind in strips random; do
    for n in 2000 5000 10000 20000; do
      for binary in "$@"; do
        measure "$kind $n $binary" \
          "$binary" --replay 1767225600 0.5 1 0.9 1 1 1 "$work/$kind$n.txt"
      done
    done
  done
  exit 0
fi

binary=${1:-build/floorplan}
[ -x "$binary" ] || { echo "no program at $binary: build it first" >&2; exit 1; }
generate 20000 "$work/modules20k.txt"
generate 1000000 "$work/modules1m.txt"
measure "20,000 modules, 0.5 1 10" "$binary" "$work/modules20k.txt" 0.5 1 10
tail -n 1 "$work/out" | sed 's/^/    stdout: /'
measure "1,000,000 modules, lambda 0" "$binary" "$work/modules1m.txt" 0
tail -n 1 "$work/out" | sed 's/^/    stdout: /'
