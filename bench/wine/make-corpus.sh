#!/usr/bin/env bash
# Builds the Wine figures' corpus in the folder given as $1:
#   cxx12-headers-20mb.txt  the editor benchmarks' C/C++ corpus (see
#                           bench/editor/make-corpus.sh) repeated until the
#                           file holds 20 MB (20971520 bytes).
#   filedlg-10k/            10,000 small files of mixed-case names in mixed
#                           order, for the open dialog's listing.
# Rebuilt only when missing.
set -euo pipefail
out="${1:?usage: make-corpus.sh <corpus folder>}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/../editor/make-corpus.sh" "$out"
cpp="$out/cxx12-headers.txt"
big="$out/cxx12-headers-20mb.txt"
limit=20971520
"$here/../repeat-to-size.sh" "$cpp" "$big" "$limit"
many="$out/filedlg-10k"
if [ ! -d "$many" ] || [ "$(find "$many" -maxdepth 1 -type f | wc -l)" -ne 10000 ]; then
  rm -rf "$many"
  mkdir -p "$many"
  # Names whose order is not their making order, in both cases, with a few
  # extensions; each file holds a line of its own length.
  (cd "$many" && seq 1 10000 | awk '{ n = ($1 * 7919) % 10007; c = n % 2 ? "File" : "file";
      e = n % 3 ? ".txt" : ".Pas"; printf "%s%05d%s\n", c, n, e }' |
    while read -r name; do printf '%s\r\n' "$name" >"$name"; done)
fi
echo "corpus ready in $out: $(stat -c %s "$big") bytes" >&2
