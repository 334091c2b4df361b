#!/usr/bin/env bash
# Builds the editor benchmarks' corpora in the folder given as $1:
#   cxx12-headers.txt        every file under /usr/include/c++/12, concatenated
#                            in byte-wise sorted path order (about 11.9 MB);
#   cxx12-headers-100mb.txt  that text repeated until the file holds 100 MB
#                            (104857600 bytes; the last copy is cut there).
# Both are rebuilt only when missing, so repeated runs cost nothing.
set -euo pipefail
out="${1:?usage: make-corpus.sh <corpus folder>}"
src=/usr/include/c++/12
mkdir -p "$out"
if [ ! -d "$src" ]; then
  echo "make-corpus.sh: $src is missing (apt-get install -y libstdc++-12-dev)" >&2
  exit 1
fi

cpp="$out/cxx12-headers.txt"
big="$out/cxx12-headers-100mb.txt"
limit=104857600

if [ ! -s "$cpp" ]; then
  tmp="$cpp.tmp.$$"
  (cd "$src" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 cat) >"$tmp"
  mv "$tmp" "$cpp"
fi

"$(dirname "$0")/../repeat-to-size.sh" "$cpp" "$big" "$limit"
echo "corpora ready in $out: $(stat -c %s "$cpp") and $(stat -c %s "$big") bytes" >&2
