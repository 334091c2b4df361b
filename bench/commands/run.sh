#!/usr/bin/env bash
# Runs the command benchmarks (built beforehand) and prints each figure on a
# line of its own as "name: value":
#   commands-keystroke-us              one keystroke on the first line of the
#                                      100 MB text with a highlighter (goal < 1000)
#   commands-replace-all-mbps          replace-all of a frequent word, 100 MB text
#   commands-replace-all-12mb-mbps     the same on the 12 MB text (linear time:
#                                      about the same rate)
#   commands-replace-loop-mbps         a plain loop building the replaced text
#   commands-replace-all-loop-ratio    replace-all time / plain loop time, 100 MB
#   usage: run.sh <bench build folder> <corpus folder>
# The corpora come from bench/editor/make-corpus.sh in the same corpus folder.
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/commands/editor_commands_bench"
export TQ_CORPUS="$corpus"
for f in "$corpus/cxx12-headers-100mb.txt" "$corpus/cxx12-headers.txt"; do
  [ -f "$f" ] || { echo "run.sh: $f is missing (run bench/editor/make-corpus.sh first)" >&2; exit 1; }
done

# Google Benchmark's CSV: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...
# Prints "<name> <real_time> <time_unit> <bytes_per_second>" for each median row.
table="$("$bin" --benchmark_format=csv --benchmark_repetitions=3 \
         --benchmark_report_aggregates_only=true 2>/dev/null |
  awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1);
                               print $1, $3, $5, ($6 == "" ? 0 : $6) }')"
get() { awk -v n="$1" -v f="$2" 'index($1, n) == 1 { print $f; exit }' <<<"$table"; }
mbps() { awk -v b="$1" 'BEGIN { printf "%.1f\n", b / 1e6 }'; }

echo "commands-keystroke-us: $(get BM_Keystroke 2)"
echo "commands-replace-all-mbps: $(mbps "$(get BM_ReplaceAll/1/ 4)")"
echo "commands-replace-all-12mb-mbps: $(mbps "$(get BM_ReplaceAll/0/ 4)")"
echo "commands-replace-loop-mbps: $(mbps "$(get BM_ReplaceLoop/1 4)")"
echo "commands-replace-all-loop-ratio: $(awk -v a="$(get BM_ReplaceAll/1/ 2)" \
  -v b="$(get BM_ReplaceLoop/1 2)" 'BEGIN { printf "%.2f\n", a / b }')"
