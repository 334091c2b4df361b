#!/usr/bin/env bash
# Runs the highlighter benchmarks and prints each figure on its own line as
# "name: value" (benchmark tables go to stderr).
#   usage: run.sh <bench build folder> <corpus folder>
# The corpus folder must hold the corpora of make-corpus.sh.
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/make-corpus.sh" "$corpus" >&2
bin="$build/bench/highlighters"
"$bin/PasSynBench" --corpus="$corpus"
"$bin/RegExprBench" --corpus="$corpus"

# The six language scans and the HTML export of the C/C++ corpus, whose
# speed is then set against the fastest outside highlighter that writes HTML
# of the same file in this run (each one given at most two minutes).
figures="$("$bin/LangScanBench" --corpus="$corpus")"
echo "$figures"
cxx="$corpus/cxx12-headers.txt"
bytes="$(stat -c %s "$cxx")"
best=0
peer_mbps() {  # <command...>: the command's MB/s on the corpus, or nothing
  local start end
  start="$(date +%s.%N)"
  timeout 120 "$@" >/dev/null 2>&1 || return 0
  end="$(date +%s.%N)"
  awk -v b="$bytes" -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", b / 1e6 / (e - s) }'
}
for peer in highlight source-highlight pygmentize; do
  command -v "$peer" >/dev/null 2>&1 || continue
  case "$peer" in
    highlight) mbps="$(peer_mbps highlight -S cpp -O html -i "$cxx" -o /dev/null)" ;;
    source-highlight) mbps="$(peer_mbps source-highlight -s cpp -f html -i "$cxx" -o /dev/null)" ;;
    pygmentize) mbps="$(peer_mbps pygmentize -l cpp -f html -o /dev/null "$cxx")" ;;
  esac
  [ -n "$mbps" ] || continue
  echo "html-export-cpp-peer-$peer-mbps: $mbps"
  best="$(awk -v a="$best" -v b="$mbps" 'BEGIN { print (b > a) ? b : a }')"
done
ours="$(sed -n 's/^html-export-cpp-mbps: //p' <<<"$figures")"
if [ -n "$ours" ] && awk -v b="$best" 'BEGIN { exit !(b > 0) }'; then
  awk -v o="$ours" -v b="$best" 'BEGIN { printf "html-export-cpp-peer-ratio: %.3f\n", o / b }'
fi
"$bin/WebSynBench" --corpus="$corpus"
