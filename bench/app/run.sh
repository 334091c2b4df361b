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
[ -f "$corpus/cxx12-headers-100mb.txt" ] || { echo "run.sh: the 100 MB corpus is missing" >&2; exit 1; }

# CPU times: on a shared machine they vary far less than wall times.
table="$(medians 3 "$build/bench/app/app_findall_bench")"
for word in 0:frequent 1:rare; do
  for cs in 1:cs 0:ci; do
    w="${word%%:*}"; wn="${word#*:}"; c="${cs%%:*}"; cn="${cs#*:}"
    routine="$(get "$table" "BM_FindInDocuments/$w/$c/" 3)"
    loop="$(get "$table" "BM_FindLoop/$w/$c/" 3)"
    echo "findall-docs-ratio-$wn-$cn: $(ratio "$routine" "$loop")"
  done
done
