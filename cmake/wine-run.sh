#!/bin/sh
# Runs a Windows test program under Wine for CTest.
#
# Wine starts helper processes of its own on demand (the desktop's explorer.exe
# whenever a window is first needed), and they inherit the Unix descriptors of
# the program that caused them. If that were CTest's output pipe, CTest would
# wait for it to close until the test's timeout. So the program writes to a
# file, and only this script's own process holds CTest's pipe.
# A test that sends real input or needs the foreground (CTest gives it
# TQ_WORLD=input) runs on the X server and wine server scripts/test keeps for
# such tests alone, when there is one.
if [ "${TQ_WORLD:-}" = input ] && [ -n "${TQ_INPUT_DISPLAY:-}" ] && [ -n "${TQ_INPUT_WINEPREFIX:-}" ]; then
  DISPLAY="$TQ_INPUT_DISPLAY"
  WINEPREFIX="$TQ_INPUT_WINEPREFIX"
  export DISPLAY WINEPREFIX
fi
out="$(mktemp "${TMPDIR:-/tmp}/tq-wine-run.XXXXXX")" || exit 125
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
