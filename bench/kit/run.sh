#!/usr/bin/env bash
# Runs the component-kit figures (built beforehand) and prints each on a line
# of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/kit"

# Median real time of each case: "<name> <real_time>".
medians() {
  "$@" --benchmark_color=false --benchmark_format=csv --benchmark_repetitions=5 \
       --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $3 }'
}
get() { awk -v n="$2" '$1 == n { print $2; exit }' <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / b }'; }

table="$(medians "$bin/kit_memtable_bench")"
echo "memtable-sort-100k-ratio: $(ratio "$(get "$table" MemTableSort)" "$(get "$table" PlainSort)")"
echo "memtable-locate-100k-ratio: $(ratio "$(get "$table" MemTableLocate)" "$(get "$table" PlainFind)")"
echo "memtable-locate-100k-lower-bound-ratio: $(ratio "$(get "$table" MemTableLocate)" "$(get "$table" LowerBound)")"
