#!/usr/bin/env bash
# The in-text calculator and a roll-up's hot key under real X keys on the US
# layout: "2*3=" leaves "2*3=6" and one undo takes "=6" back; "+", "1=1",
# "x == y", "pi=" and a second "=" stay as typed; a stored roll-up's hot key
# types its snippet into the active document.
#   usage: solve_xdotool.sh <Tarnquill.exe> <tq_install_defaults.exe>
set -euo pipefail
source "$(dirname "$0")/../../win/xdotool_start.sh"
on_exit() { wine reg delete 'HKCU\Software\Tarnquill\Rollup' /v 'Ctrl+Shift+F7' /f >/dev/null 2>&1; }

wine reg add 'HKCU\Software\Tarnquill\Rollup' /v 'Ctrl+Shift+F7' /t REG_SZ /d 'snip' /f >/dev/null 2>&1
: >"$dir/calc.txt"
start_on_file "$dir/calc.txt"
saved_is() {
  key ctrl+s
  wait_output "$1" "the text" "$2" text_of "$dir/calc.txt"
}

focus
xdotool type --delay 50 "2*3="
saved_is "2*3=6" "typing 2*3="
key ctrl+z
saved_is "2*3" "one undo"
focus
xdotool type --delay 50 " a+b 1=1 x == y pi= 4/2=="
saved_is "2*3 a+b 1=1 x == y pi= 4/2=2=" "typing code"
key ctrl+shift+F7
saved_is "2*3 a+b 1=1 x == y pi= 4/2=2=snip" "the roll-up's hot key"
key alt+F4
wait_program_end
echo "in-text calculator and roll-up key: ok"
