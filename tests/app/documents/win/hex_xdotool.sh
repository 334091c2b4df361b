#!/usr/bin/env bash
# The hex view under real keys in the real window: a byte typed there is a
# change of the document's, so Ctrl+S writes it to the file and Ctrl+Z takes
# it back (the byte typed over the undone one is what the next save writes).
#   usage: hex_xdotool.sh <Tarnquill.exe> <tq_install_defaults.exe>
set -euo pipefail
source "$(dirname "$0")/../../win/xdotool_start.sh"

printf 'abcd' >"$dir/h.bin"
start_on_file "$dir/h.bin"
bytes_are() { wait_output "$1" "h.bin" "$2" cat "$dir/h.bin"; }

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
wait_program_end
echo "hex view keys: ok"
