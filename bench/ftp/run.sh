#!/usr/bin/env bash
# Runs the FTP listing figures (built beforehand) and prints each on a line of
# its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
set -euo pipefail
build="${1:?usage: run.sh <bench build folder> <corpus folder>}"
bin="$build/bench/ftp/ftp_listing_bench"
source "$(cd "$(dirname "$0")" && pwd)/../run-lib.sh"

# CPU time: the machine is shared, and the wall clock there measures the
# neighbours as much as the code.
table="$(medians 5 "$bin")"
echo "ftp-sort-100k-ratio: $(ratio "$(get "$table" SortByName 3)" "$(get "$table" SortNamesOnly 3)")"
echo "ftp-cache-100k-ratio: $(ratio "$(get "$table" CacheSaveAndLoad 3)" "$(get "$table" ReadAndSplit 3)")"
