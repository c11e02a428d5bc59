#!/usr/bin/env bash
# Times whole runs of floorplan on the bundled benchmarks (and a random
# 300-module file) at a fixed clock, through the in-process entry, and prints
# per file: modules, moves, processor seconds, moves per second, final area
# and dead space.
#
#   bench/whole_runs.sh                 default parameters, fast hot path
#   bench/whole_runs.sh --compare       also the plain hot path, side by side,
#                                       with the speed-up and an output check
#   bench/whole_runs.sh --logless       the fast path writing its log beside
#                                       the logless path of floorplan-search,
#                                       best of three each, and a result check
#   bench/whole_runs.sh [--compare] -- PARAMETERS...
#                                       other parameters, e.g. -- 0.95 1000 1
set -euo pipefail
cd "$(dirname "$0")/.."

mode=()
if [ "${1:-}" = "--compare" ] || [ "${1:-}" = "--logless" ]; then
  mode=("$1")
  shift
fi
parameters=()
if [ "${1:-}" = "--" ]; then
  shift
  parameters=("$@")
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target floorplan_bench -j"$(nproc)" >/dev/null

printf '%-6s %-28s %7s %10s %9s %11s %12s %9s\n' path file modules moves seconds moves/s area dead
for file in examples/apte.txt examples/xerox.txt examples/hp.txt examples/ami33.txt \
            examples/n100.txt examples/n200.txt bench/data/rand300.txt; do
  build/floorplan_bench "${mode[@]}" "$file" "${parameters[@]}"
done
