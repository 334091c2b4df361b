#!/usr/bin/env bash
# The hex view under real keys in the real window: a byte typed there is a
# change of the document's, so Ctrl+S writes it to the file and Ctrl+Z takes
# it back (the byte typed over the undone one is what the next save writes).
#   usage: hex_xdotool.sh <Tarnquill.exe> <tq_install_defaults.exe>
set -euo pipefail
source "$(dirname "$0")/../../win/xdotool_start.sh"

printf 'abcd' >"$dir/h.bin"
start_program '^Tarnquill' /n "$(win_name "$dir/h.bin")"
bytes_are() {
  for _ in $(seq 1 50); do
    [ "$(cat "$dir/h.bin")" = "$1" ] && return 0
    sleep 0.1
  done
  fail "after $2 h.bin holds '$(cat "$dir/h.bin")', not '$1'"
}

wait_caption "Tarnquill - $(win_name "$dir/h.bin")" "the start"
key F2
wait_caption "Tarnquill" "F2"
xdotool type "41"
key ctrl+s
bytes_are "Abcd" "a typed byte and Ctrl+S"
# Each digit is an undo step: two undo the next byte, typed over again.
xdotool type "7a"
key ctrl+z
key ctrl+z
xdotool type "42"
key ctrl+s
bytes_are "ABcd" "another byte, Ctrl+Z twice, a third byte and Ctrl+S"
# Nothing is left unsaved: the window closes without a question.
key alt+F4
for _ in $(seq 1 50); do kill -0 "$prog" 2>/dev/null || break; sleep 0.2; done
kill -0 "$prog" 2>/dev/null && fail "the program did not end"
prog=""
echo "hex view keys: ok"
