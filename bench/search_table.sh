#!/usr/bin/env bash
# The README's table of floorplan-search results: per data file, the dead
# space of one default floorplan run and of searches of 10 and 60 seconds,
# all from the same base clock second, with the 60-second winner's
# parameters. Takes some 75 seconds a file.
#
#   bench/search_table.sh [--clock C] [--times "10 60"] [FILE...]
set -euo pipefail
cd "$(dirname "$0")/.."

clock=1767225600
times="10 60"
while [ $# -gt 0 ]; do
  case "$1" in
    --clock) clock="$2"; shift 2 ;;
    --times) times="$2"; shift 2 ;;
    *) break ;;
  esac
done
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  files=(examples/apte.txt examples/xerox.txt examples/hp.txt
         examples/ami33.txt examples/n100.txt examples/n200.txt
         bench/data/rand300.txt)
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target floorplan floorplan-search -j"$(nproc)" >/dev/null

# The dead space of a floorplan log's final cost, in percent.
dead_space() {  # DATAFILE COST
  awk -v cost="$2" 'NF >= 3 { total += $2 * $3 }
    END { printf "%.2f", 100 * (cost - total) / cost }' "$1"
}

header="| file | modules | default run |"
rule="|---|---:|---:|"
for t in $times; do
  header="$header search ${t} s |"
  rule="$rule---:|"
done
echo "$header winning parameters (search $(echo $times | awk '{print $NF}') s) |"
echo "$rule---|"
for file in "${files[@]}"; do
  modules=$(awk 'NF >= 3' "$file" | wc -l)
  # floorplan seeds from the clock; faketime is not needed, since
  # --replay with the default parameters is that very run.
  default_cost=$(build/floorplan-search --replay "$clock" 0.85 \
      "$(awk -v n="$modules" 'BEGIN { printf "%.17g", 2 ^ (n + 6) }')" 10 1 1 1 \
      "$file" | awk '/^Cost: / { print $2 }')
  row="| \`$file\` | $modules | $(dead_space "$file" "$default_cost") % |"
  parameters=""
  for t in $times; do
    summary=$(build/floorplan-search --quiet --time "$t" --clock "$clock" "$file")
    dead=$(echo "$summary" | sed -n 's/^cost: [0-9]* (dead space \([0-9.]*\) %.*/\1/p')
    runs=$(echo "$summary" | sed -n 's/^cost: .*, \([0-9]*\) runs)$/\1/p')
    row="$row $dead % ($runs runs) |"
    parameters=$(echo "$summary" | sed -n 's/^parameters: //p')
  done
  echo "$row \`$parameters\` |"
done
