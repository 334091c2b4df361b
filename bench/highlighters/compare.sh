#!/usr/bin/env bash
# Sets the language scans of two bench builds against each other on this
# machine: runs the scans of LangScanBench from the old build and the new
# one in turn (old, new, old, new, ...), so a load that comes and goes
# falls on both alike, and prints per figure the best of the rounds of
# each build, the spread of its rounds (worst to best) and the change of
# the best figures, as "name: value" lines:
#   cpp-scan-mbps-old: 812.345 (spread 790.120-812.345)
#   cpp-scan-mbps-new: 809.001 (spread 801.500-809.001)
#   cpp-scan-mbps-change-percent: -0.41
# The last line says whether any best figure dropped by more than the
# allowed share (5%); the exit code is 1 then.
#   usage: compare.sh <old bench build> <new bench build> [corpus folder] [rounds]
# A bench build is a Release build with -DTQ_BENCH=ON (see scripts/bench);
# the corpus folder (default build/corpus) is made by make-corpus.sh when
# missing. Rounds defaults to 5.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
old="${1:?usage: compare.sh <old bench build> <new bench build> [corpus folder] [rounds]}"
new="${2:?usage: compare.sh <old bench build> <new bench build> [corpus folder] [rounds]}"
corpus="${3:-$here/../../build/corpus}"
rounds="${4:-5}"
for b in "$old" "$new"; do
  if [ ! -x "$b/bench/highlighters/LangScanBench" ]; then
    echo "compare.sh: $b/bench/highlighters/LangScanBench is missing (build the bench build first)" >&2
    exit 2
  fi
done
"$here/make-corpus.sh" "$corpus" >&2
results="$(mktemp)"
trap 'rm -f "$results"' EXIT
for ((r = 1; r <= rounds; ++r)); do
  for side in old new; do
    build="$old"
    [ "$side" = new ] && build="$new"
    echo "compare.sh: round $r of $rounds, $side build" >&2
    # Only the scans: the byte loops and the export are not what changes.
    "$build/bench/highlighters/LangScanBench" --corpus="$corpus" --benchmark_filter='scan/' \
        2>/dev/null | sed -n "s/^\([a-z]*-scan-mbps\): \(.*\)$/$side \1 \2/p" >>"$results"
  done
done
awk -v limit=5 '
  { v = $3 + 0; k = $2 SUBSEP $1
    if (!(k in best) || v > best[k]) best[k] = v
    if (!(k in worst) || v < worst[k]) worst[k] = v
    if (!($2 in seen)) { seen[$2] = 1; names[++n] = $2 } }
  END {
    bad = 0
    for (i = 1; i <= n; ++i) {
      name = names[i]; o = name SUBSEP "old"; w = name SUBSEP "new"
      printf "%s-old: %.3f (spread %.3f-%.3f)\n", name, best[o], worst[o], best[o]
      printf "%s-new: %.3f (spread %.3f-%.3f)\n", name, best[w], worst[w], best[w]
      change = best[o] > 0 ? 100 * (best[w] - best[o]) / best[o] : 0
      printf "%s-change-percent: %.2f\n", name, change
      if (change < -limit) bad = 1
    }
    printf "drop-over-%d-percent: %s\n", limit, bad ? "yes" : "no"
    exit bad
  }' "$results"
