#!/usr/bin/env bash
# Runs the export benchmarks and prints each figure as "name: value":
#   html-export-mbps, rtf-export-mbps   export throughput (input MB/s)
#   html-export-peer-mbps               the fastest of Debian's highlight,
#                                       source-highlight and pygmentize
#                                       writing HTML of the same file
#   html-export-peer-ratio              html-export-mbps / html-export-peer-mbps
#   preview-text-10mb-ms                the HTML preview's text for the browser
#                                       made from the same 10 MiB of lines
#   preview-text-html-export-ratio      its time against the HTML export's
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
here="$(cd "$(dirname "$0")" && pwd)"
pas="$corpus/fpc-compiler.pas"
[ -s "$pas" ] || "$here/../highlighters/make-corpus.sh" "$corpus" >&2

# The peers, from Debian's archive.
need=()
for p in highlight source-highlight python3-pygments; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${need[@]}" >&2 ||
    echo "run.sh: could not install ${need[*]}" >&2
fi

figures="$("$build/bench/export/ExportBench" --corpus="$corpus")"
echo "$figures"
ours="$(sed -n 's/^html-export-mbps: //p' <<<"$figures")"

# Each peer writes HTML of the file once; the best of three runs counts.
bytes="$(stat -c %s "$pas")"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
best=0
time_peer() {
  local t s
  for _ in 1 2 3; do
    s="$(date +%s.%N)"
    "$@" >/dev/null 2>&1 || return 0
    t="$(date +%s.%N)"
    best="$(awk -v b="$best" -v n="$bytes" -v s="$s" -v t="$t" \
      'BEGIN { r = n / 1e6 / (t - s); print (r > b ? r : b) }')"
  done
}
[ -x /usr/bin/highlight ] && time_peer /usr/bin/highlight -S pascal -O html -i "$pas" -o "$out"
[ -x /usr/bin/source-highlight ] &&
  time_peer /usr/bin/source-highlight -s pascal -f html -i "$pas" -o "$out"
[ -x /usr/bin/pygmentize ] && time_peer /usr/bin/pygmentize -l pascal -f html -o "$out" "$pas"

echo "html-export-peer-mbps: $best"
awk -v o="$ours" -v p="$best" 'BEGIN { if (p > 0 && o > 0) printf "html-export-peer-ratio: %.2f\n", o / p }'
