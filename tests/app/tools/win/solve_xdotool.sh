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
start_program '^Tarnquill - ' /n "$(win_name "$dir/calc.txt")"
focus() { xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true; }
saved_is() {
  local got=""
  focus
  xdotool key ctrl+s
  for _ in $(seq 1 30); do
    got="$(tr -d '\r' <"$dir/calc.txt")"
    [ "$got" = "$1" ] && return 0
    sleep 0.1
  done
  fail "after $2 the text is '$got', not '$1'"
}

focus
xdotool type --delay 50 "2*3="
saved_is "2*3=6" "typing 2*3="
focus
xdotool key ctrl+z
saved_is "2*3" "one undo"
focus
xdotool type --delay 50 " a+b 1=1 x == y pi= 4/2=="
saved_is "2*3 a+b 1=1 x == y pi= 4/2=2=" "typing code"
focus
xdotool key ctrl+shift+F7
saved_is "2*3 a+b 1=1 x == y pi= 4/2=2=snip" "the roll-up's hot key"
focus
xdotool key alt+F4
for _ in $(seq 1 50); do kill -0 "$prog" 2>/dev/null || break; sleep 0.2; done
kill -0 "$prog" 2>/dev/null && fail "the program did not end"
prog=""
echo "in-text calculator and roll-up key: ok"
