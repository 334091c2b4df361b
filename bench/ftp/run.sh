#!/usr/bin/env bash
# Runs the FTP listing figures (built beforehand) and prints each on a line of
# its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/ftp/ftp_listing_bench"

# CPU time: the machine is shared, and the wall clock there measures the
# neighbours as much as the code.
medians() {
  "$@" --benchmark_color=false --benchmark_format=csv --benchmark_repetitions=5 \
       --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $4 }'
}
get() { awk -v n="$2" '$1 == n { print $2; exit }' <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", a / b }'; }

table="$(medians "$bin")"
echo "ftp-sort-100k-ratio: $(ratio "$(get "$table" SortByName)" "$(get "$table" SortNamesOnly)")"
echo "ftp-cache-100k-ratio: $(ratio "$(get "$table" CacheSaveAndLoad)" "$(get "$table" ReadAndSplit)")"
