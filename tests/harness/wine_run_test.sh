#!/bin/sh
# The script CTest runs every Windows test through: a wine that ended before the
# program printed anything is started once more (never a program that ran and
# failed), and a GoogleTest case without GoogleTest's verdict fails.
set -u
runner="$1"
dir="$(mktemp -d "${TMPDIR:-/tmp}/tq-wine-run-test.XXXXXX")" || exit 1
trap 'rm -rf "$dir"' EXIT
# A stand-in for wine: each call takes the next line of $dir/plan,
# "status text" (text "-" prints nothing), and counts itself in $dir/calls.
cat >"$dir/wine" <<'FAKE'
#!/bin/sh
n=$(($(cat "$TQ_FAKE/calls" 2>/dev/null || echo 0) + 1))
echo "$n" >"$TQ_FAKE/calls"
line="$(sed -n "${n}p" "$TQ_FAKE/plan")"
status="${line%% *}"
text="${line#* }"
[ "$text" = "-" ] || printf '%s\n' "$text"
exit "$status"
FAKE
chmod +x "$dir/wine"
failures=0
# expect NAME PLAN EXPECTED_STATUS EXPECTED_CALLS ARGS...
expect() {
  name="$1" plan="$2" want_rc="$3" want_calls="$4"
  shift 4
  printf '%b' "$plan" >"$dir/plan"
  rm -f "$dir/calls"
  out="$(PATH="$dir:$PATH" TQ_FAKE="$dir" TQ_WORLD= sh "$runner" "$@")"
  rc=$?
  calls="$(cat "$dir/calls")"
  if [ "$rc" -ne "$want_rc" ] || [ "$calls" -ne "$want_calls" ]; then
    echo "FAILED: $name: status $rc (want $want_rc), wine started $calls times (want $want_calls)"
    printf '%s\n' "$out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}
verdict='[  PASSED  ] 1 test.'
expect "a silent early end is started again" "1 -\n0 $verdict\n" 0 2 t.exe --gtest_filter=A.B
expect "a second silent end fails" "1 -\n1 -\n" 1 2 t.exe --gtest_filter=A.B
expect "a program that printed and failed is not started again" "1 [  FAILED  ] A.B\n" 1 1 t.exe --gtest_filter=A.B
expect "a case without its verdict fails" "0 Running main() from gtest_main.cc\n" 1 1 t.exe --gtest_filter=A.B
expect "a case with its verdict passes" "0 $verdict\n" 0 1 t.exe --gtest_filter=A.B
expect "a program that is no test case keeps its status" "0 -\n" 0 1 tool.exe
[ "$failures" -eq 0 ]
