#!/usr/bin/env bash
# The real program driven through the X server as a user drives it: F6,
# Ctrl+F6, Alt+2 and Shift+F6 move between three documents (the window's
# caption names the active one), typed text reaches the editor, F2 shows
# the hex view, and closing the window answers a real save question.
#   usage: keys_xdotool.sh <Tarnquill.exe> <tq_install_defaults.exe>
set -euo pipefail
source "$(dirname "$0")/../../win/xdotool_start.sh"

for f in a b c; do printf '%s\r\n' "$f" >"$dir/$f.txt"; done
start_on_file "$dir/a.txt"
# The other two through the hand-over of second starts.
for f in b c; do wine "$exe" "$(win_name "$dir/$f.txt")" >/dev/null 2>&1; done

caption_is() { wait_caption "Tarnquill - $(win_name "$dir/$1.txt")" "$2"; }

caption_is c "the hand-over"
key F6;        caption_is a "F6"
key ctrl+F6;   caption_is c "Ctrl+F6"
key shift+F6;  caption_is a "Shift+F6"
key alt+2;     caption_is b "Alt+2"
key alt+1;     caption_is a "Alt+1"
xdotool type "xy"
key F2
# F2 asks about the edits first: Yes saves them, then the hex view shows.
wait_for_question "F2"
xdotool key Return
wait_caption "Tarnquill" "F2 (the hex view)"
[ "$(text_of "$dir/a.txt")" = "xya" ] || fail "a.txt holds '$(cat "$dir/a.txt")'"
key F2
caption_is a "F2 back"
# A typed line, then closing the window: the save question is answered Yes.
xdotool type "z"
key alt+F4
wait_for_question "Alt+F4"
xdotool key Return
wait_program_end
[ "$(text_of "$dir/a.txt")" = "xyza" ] || fail "a.txt holds '$(cat "$dir/a.txt")' after the close"
echo "keys and save question: ok"
