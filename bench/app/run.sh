#!/usr/bin/env bash
# Runs the application benchmarks (built beforehand) and prints each figure
# on a line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
# The corpus comes from bench/editor/make-corpus.sh.
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
export TQ_CORPUS="$corpus"
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"
need_corpus "$corpus/cxx12-headers-100mb.txt"

# CPU times: on a shared machine they vary far less than wall times.
table="$(medians 3 "$build/bench/app/app_findall_bench")"
figures() {  # <word> <word's name> <case> <case's name>
  echo "findall-docs-ratio-$2-$4: $(ratio "$(get "$table" "BM_FindInDocuments/$1/$3/" 3)" \
    "$(get "$table" "BM_FindLoop/$1/$3/" 3)")"
}
search_cases figures
