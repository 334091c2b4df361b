#!/usr/bin/env bash
# Runs the component-kit figures (built beforehand) and prints each on a line
# of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/kit"
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"

# Median real times (field 2).
table="$(medians 5 "$bin/kit_memtable_bench")"
echo "memtable-sort-100k-ratio: $(ratio "$(get "$table" MemTableSort 2)" "$(get "$table" PlainSort 2)")"
echo "memtable-locate-100k-ratio: $(ratio "$(get "$table" MemTableLocate 2)" "$(get "$table" PlainFind 2)")"
echo "memtable-locate-100k-lower-bound-ratio: $(ratio "$(get "$table" MemTableLocate 2)" \
  "$(get "$table" LowerBound 2)")"
