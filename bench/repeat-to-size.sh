#!/usr/bin/env bash
# Makes <target> the text of <source> repeated until it holds exactly
# <bytes> bytes (the last copy cut there); a target of that size already
# there is kept, so repeated runs cost nothing.
#   usage: repeat-to-size.sh <source> <target> <bytes>
set -euo pipefail
src="${1:?usage: repeat-to-size.sh <source> <target> <bytes>}"
target="${2:?usage: repeat-to-size.sh <source> <target> <bytes>}"
limit="${3:?usage: repeat-to-size.sh <source> <target> <bytes>}"
if [ ! -s "$target" ] || [ "$(stat -c %s "$target")" -ne "$limit" ]; then
  tmp="$target.tmp.$$"
  size="$(stat -c %s "$src")"
  copies=$(( (limit + size - 1) / size ))
  : >"$tmp"
  for ((i = 0; i < copies; i++)); do cat "$src" >>"$tmp"; done
  truncate -s "$limit" "$tmp"
  mv "$tmp" "$target"
fi
