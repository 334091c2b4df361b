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
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"
need_corpus "$corpus/cxx12-headers-100mb.txt" "$corpus/cxx12-headers.txt"

table="$(medians 3 "$bin")"
echo "commands-keystroke-us: $(get "$table" BM_Keystroke 2)"
echo "commands-replace-all-mbps: $(mbps "$(get "$table" BM_ReplaceAll/1/ 5)")"
echo "commands-replace-all-12mb-mbps: $(mbps "$(get "$table" BM_ReplaceAll/0/ 5)")"
echo "commands-replace-loop-mbps: $(mbps "$(get "$table" BM_ReplaceLoop/1 5)")"
echo "commands-replace-all-loop-ratio: $(ratio "$(get "$table" BM_ReplaceAll/1/ 2)" \
  "$(get "$table" BM_ReplaceLoop/1 2)" %.2f)"
