#!/usr/bin/env bash
# Builds the Wine figures' corpus in the folder given as $1:
#   cxx12-headers-20mb.txt  the editor benchmarks' C/C++ corpus (see
#                           bench/editor/make-corpus.sh) repeated until the
#                           file holds 20 MB (20971520 bytes).
# Rebuilt only when missing.
set -euo pipefail
out="${1:?usage: make-corpus.sh <corpus folder>}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/../editor/make-corpus.sh" "$out"
cpp="$out/cxx12-headers.txt"
big="$out/cxx12-headers-20mb.txt"
limit=20971520
"$here/../repeat-to-size.sh" "$cpp" "$big" "$limit"
echo "corpus ready in $out: $(stat -c %s "$big") bytes" >&2
