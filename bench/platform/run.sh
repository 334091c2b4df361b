#!/usr/bin/env bash
# Runs the component-layer figures (built beforehand) and prints each on a
# line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/platform"

# Median real time of each case: "<name> <real_time>".
medians() {
  "$@" --benchmark_format=csv --benchmark_repetitions=5 \
       --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $3 }'
}
get() { awk -v n="$2" 'index($1, n) == 1 { print $2; exit }' <<<"$1"; }

table="$(medians "$bin/platform_grid_bench")"
big="$(get "$table" PaintScreen/10000000)"
small="$(get "$table" PaintScreen/100)"
echo "grid-paint-rows-ratio: $(awk -v a="$big" -v b="$small" 'BEGIN { printf "%.3f\n", a / b }')"
