#!/usr/bin/env bash
# Builds the highlighter benchmarks' corpus in the folder given as $1:
#   fpc-compiler.pas  the .pas, .pp and .inc files of the compiler folder of
#                     Debian's fpc-source-3.2.2, concatenated in byte-wise
#                     sorted path order and cut at 10 MiB (10485760 bytes).
# Rebuilt only when missing, so repeated runs cost nothing.
set -euo pipefail
out="${1:?usage: make-corpus.sh <corpus folder>}"
src=/usr/share/fpcsrc/3.2.2/compiler
limit=10485760
mkdir -p "$out"
if [ ! -d "$src" ]; then
  echo "make-corpus.sh: $src is missing (apt-get install -y fpc-source-3.2.2)" >&2
  exit 1
fi

pas="$out/fpc-compiler.pas"
if [ ! -s "$pas" ] || [ "$(stat -c %s "$pas")" -ne "$limit" ]; then
  tmp="$pas.tmp.$$"
  (cd "$src" && find . -type f \( -name '*.pas' -o -name '*.pp' -o -name '*.inc' \) -print0 \
     | LC_ALL=C sort -z | xargs -0 cat) >"$tmp"
  truncate -s "$limit" "$tmp"
  mv "$tmp" "$pas"
fi
echo "corpus ready in $out: $(stat -c %s "$pas") bytes of Object Pascal" >&2
