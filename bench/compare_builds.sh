#!/usr/bin/env bash
# Moves a second of two builds side by side, on the schedules of the long runs
# floorplan-search makes (the same temperatures, ten to a hundred times fewer
# of them, so that a run takes seconds), through floorplan_bench --logless:
# the fast path writing its log to /dev/null, and the logless path of the
# search. The builds take turns, REPEATS times; each figure is the best of
# its build's turns, as a busy machine only ever slows a run down. Last, the
# processor time of the default run of bench/data/rand300.txt, log included.
#
#   bench/compare_builds.sh OLD_BUILD_DIR NEW_BUILD_DIR [REPEATS]   (default 5)
#
# Both build directories need floorplan_bench (cmake --build DIR --target
# floorplan_bench).
set -euo pipefail
cd "$(dirname "$0")/.."
old=$1
new=$2
repeats=${3:-5}
for dir in "$old" "$new"; do
  [ -x "$dir/floorplan_bench" ] || { echo "no $dir/floorplan_bench: build it first" >&2; exit 1; }
done

runs=(
  "examples/ami33.txt 0.9999 21 3.5 3 1 1"
  "examples/n100.txt 0.9995 53.85 0.08975 2 1 1"
  "examples/n200.txt 0.999 26 0.044 2 1 1"
)

results=$(mktemp)
trap 'rm -f "$results"' EXIT
for ((turn = 0; turn < repeats; turn++)); do
  for run in "${runs[@]}"; do
    for build in old new; do
      dir=$old
      [ "$build" = new ] && dir=$new
      # shellcheck disable=SC2086  # the run is a file and its parameters
      "$dir/floorplan_bench" --logless $run |
        awk -v build="$build" '$1 == "log" || $1 == "nolog" { print build, $2, $1, $6 }' >> "$results"
    done
  done
  for build in old new; do
    dir=$old
    [ "$build" = new ] && dir=$new
    "$dir/floorplan_bench" bench/data/rand300.txt |
      awk -v build="$build" '{ print build, $2, "cpu-seconds", $5 }' >> "$results"
  done
done

# Best per build: the most moves a second, the least processor time.
awk '
  { key = $2 " " $3
    if (!(key in seen)) { seen[key] = 1; order[++n] = key }
    slot = $1 SUBSEP key
    if (!(slot in value)) value[slot] = $4
    else if ($3 == "cpu-seconds" ? $4 < value[slot] : $4 > value[slot])
      value[slot] = $4 }
  END {
    printf "%-24s %-12s %12s %12s %8s\n", "file", "path", "old", "new", "new/old"
    for (i = 1; i <= n; i++) {
      split(order[i], part, " ")
      o = value["old" SUBSEP order[i]]; w = value["new" SUBSEP order[i]]
      if (part[2] == "cpu-seconds")
        printf "%-24s %-12s %12.3f %12.3f %7.3fx\n", part[1], part[2], o, w, w / o
      else
        printf "%-24s %-12s %12.0f %12.0f %7.3fx\n", part[1], part[2] " moves/s", o, w, w / o
    }
  }' "$results"
