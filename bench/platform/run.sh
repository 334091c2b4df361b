#!/usr/bin/env bash
# Runs the component-layer figures (built beforehand) and prints each on a
# line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/platform"
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"

# Median real times (field 2).
table="$(medians 5 "$bin/platform_grid_bench")"
big="$(get "$table" PaintScreen/10000000 2)"
small="$(get "$table" PaintScreen/100 2)"
echo "grid-paint-rows-ratio: $(ratio "$big" "$small")"
