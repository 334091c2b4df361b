#!/usr/bin/env bash
# Runs the application benchmarks (built beforehand) and prints each figure
# on a line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
# The corpus comes from bench/editor/make-corpus.sh.
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
export TQ_CORPUS="$corpus"
[ -f "$corpus/cxx12-headers-100mb.txt" ] || { echo "run.sh: the 100 MB corpus is missing" >&2; exit 1; }

# CPU times: on a shared machine they vary far less than wall times.
table="$("$build/bench/app/app_findall_bench" --benchmark_format=csv --benchmark_repetitions=3 \
           --benchmark_report_aggregates_only=true 2>/dev/null |
         awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $4 }')"
get() { awk -v n="$1" 'index($1, n) == 1 { print $2; exit }' <<<"$table"; }
for word in 0:frequent 1:rare; do
  for cs in 1:cs 0:ci; do
    w="${word%%:*}"; wn="${word#*:}"; c="${cs%%:*}"; cn="${cs#*:}"
    routine="$(get "BM_FindInDocuments/$w/$c/")"
    loop="$(get "BM_FindLoop/$w/$c/")"
    awk -v n="findall-docs-ratio-$wn-$cn" -v a="$routine" -v b="$loop" \
        'BEGIN { printf "%s: %.3f\n", n, a / b }'
  done
done
