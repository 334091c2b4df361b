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
# Seldom, on a loaded machine, wine ends with an error before the program has
# printed a thing (not even GoogleTest's first line): the program never ran,
# so it is started once more, and the log says so.
if [ "$rc" -ne 0 ] && [ ! -s "$out" ]; then
  echo "wine-run.sh: wine ended with status $rc before the program printed anything; starting it once more"
  wine "$@" >"$out" 2>&1 </dev/null
  rc=$?
fi
cat "$out"
# One GoogleTest case as CTest runs it: a process that died (under Wine a
# stack overflow can end it with status 0) has printed no verdict of its own,
# and must not count as passed.
case " $* " in
  *" --gtest_filter="*)
    if [ "$rc" -eq 0 ] && { ! grep -qE '^\[  PASSED  \] [0-9]+ tests?\.' "$out" || grep -q '^\[  FAILED  \]' "$out"; }; then
      echo "wine-run.sh: the test program ended with status 0 but without GoogleTest's verdict (did it die?)"
      rc=1
    fi
    ;;
esac
rm -f "$out"
exit $rc
