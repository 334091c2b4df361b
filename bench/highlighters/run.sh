#!/usr/bin/env bash
# Runs the highlighter benchmarks and prints each figure on its own line as
# "name: value" (benchmark tables go to stderr).
#   usage: run.sh <bench build folder> <corpus folder>
# The corpus folder must hold fpc-compiler.pas (see make-corpus.sh).
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
here="$(cd "$(dirname "$0")" && pwd)"
[ -s "$corpus/fpc-compiler.pas" ] || "$here/make-corpus.sh" "$corpus" >&2
bin="$build/bench/highlighters"
"$bin/PasSynBench" --corpus="$corpus"
"$bin/RegExprBench" --corpus="$corpus"
