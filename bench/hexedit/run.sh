#!/usr/bin/env bash
# Runs the hex view's benchmarks (built beforehand) on the editor's 100 MB
# corpus and prints each figure as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
big="$corpus/cxx12-headers-100mb.txt"
[ -f "$big" ] || { echo "run.sh: $big is missing (run bench/editor/make-corpus.sh first)" >&2; exit 1; }
work="$corpus/hexedit-work"
"$build/bench/hexedit/hexedit_files_bench" "$big" "$work"
rm -rf "$work"
