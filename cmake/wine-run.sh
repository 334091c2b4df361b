#!/bin/sh
# Runs a Windows test program under Wine for CTest.
#
# Wine starts helper processes of its own on demand (the desktop's explorer.exe
# whenever a window is first needed), and they inherit the Unix descriptors of
# the program that caused them. If that were CTest's output pipe, CTest would
# wait for it to close until the test's timeout. So the program writes to a
# file, and only this script's own process holds CTest's pipe.
out="$(mktemp "${TMPDIR:-/tmp}/tq-wine-run.XXXXXX")" || exit 125
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
