#!/usr/bin/env bash
# Runs the editor benchmarks (built beforehand) and prints each figure on a
# line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
# The corpora come from make-corpus.sh in the same corpus folder.
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/editor"
export TQ_CORPUS="$corpus"
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"
big="$corpus/cxx12-headers-100mb.txt"
need_corpus "$big" "$corpus/cxx12-headers.txt"

# --- line store ----------------------------------------------------------
ls_table="$(medians 3 "$bin/editor_linestore_bench")"
base_ms="$(get "$ls_table" BM_Load_Baseline 2)"
list_ms="$(get "$ls_table" BM_Load_EditList 2)"
echo "linestore-load-baseline-ms: $base_ms"
echo "linestore-load-ms: $list_ms"
echo "linestore-load-time-ratio: $(ratio "$list_ms" "$base_ms")"
size="$(stat -c %s "$big")"
read -r _ base_rss _ base_heap _ _ < <("$bin/editor_linestore_bench" --memory baseline "$big")
read -r _ list_rss _ list_heap _ _ < <("$bin/editor_linestore_bench" --memory editlist "$big")
echo "linestore-load-mem-ratio: $(ratio "$list_rss" "$size")"
echo "linestore-load-heap-ratio: $(ratio "$list_heap" "$size")"
echo "linestore-load-baseline-mem-ratio: $(ratio "$base_rss" "$size")"
echo "linestore-insert-delete-middle-us: $(get "$ls_table" BM_InsertDeleteMiddle 2)"
echo "linestore-insert-delete-far-apart-us: $(get "$ls_table" BM_InsertDeleteFarApart 2)"

# --- range scan ----------------------------------------------------------
rs_table="$(medians 3 "$bin/editor_rangescan_bench")"
echo "rangescan-mbps: $(mbps "$(get "$rs_table" BM_RangeScanFull 5)")"
echo "rangescan-after-put-us: $(get "$rs_table" BM_RescanAfterPut 2)"

# --- search --------------------------------------------------------------
se_table="$(medians 3 "$bin/editor_search_bench")"
search_figures() {  # <word> <word's name> <case> <case's name>
  echo "search-findall-ratio-$2-$4: $(ratio "$(get "$se_table" "BM_FindAll/$1/$3/" 2)" \
    "$(get "$se_table" "BM_FindLoop/$1/$3/" 2)")"
  echo "search-findall-mbps-$2-$4: $(mbps "$(get "$se_table" "BM_FindAll/$1/$3/" 5)")"
}
search_cases search_figures
