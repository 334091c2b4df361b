# What the xdotool scripts of the main window share, sourced with their own
# arguments (<Tarnquill.exe> <tq_install_defaults.exe>): the program's and
# the installer's paths in $exe and $install, a temporary folder $dir, the
# default settings installed when the prefix has none, and start_program,
# which starts the program and waits for its window, key, wait_caption and
# wait_for_question, which waits for a question box to take the keys. On exit
# the program still running is killed, a function on_exit the script defines
# runs, and the folder goes.
exe="$1"
install="$2"
dir="$(mktemp -d)"
prog=""
win=""
finish() {
  [ -n "$prog" ] && kill "$prog" 2>/dev/null || true
  if declare -F on_exit >/dev/null; then on_exit || true; fi
  rm -rf "$dir"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A Linux path as the program sees it.
win_name() { printf 'Z:%s' "${1//\//\\}"; }

wine reg query 'HKCU\Software\Tarnquill' /v Version >/dev/null 2>&1 || wine "$install" >/dev/null 2>&1

# start_program <caption pattern> <argument>...: the program in the
# background ($prog), and its first visible window whose caption matches
# ($win), waited for up to 20 s.
start_program() {
  local pattern="$1"
  shift
  wine "$exe" "$@" >/dev/null 2>&1 &
  prog=$!
  win=""
  for _ in $(seq 1 100); do
    win="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)"
    [ -n "$win" ] && return 0
    sleep 0.2
  done
  fail "no main window captioned '$pattern'"
}

# key <keys>: the keys to the main window, brought to the front first.
key() { xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true; xdotool key "$1"; }

# wait_caption <caption> <after what>: waits up to 5 s for the main window's
# caption to read caption.
wait_caption() {
  local got=""
  for _ in $(seq 1 50); do
    got="$(xdotool getwindowname "$win")"
    [ "$got" = "$1" ] && return 0
    sleep 0.1
  done
  fail "after $2 the caption is '$got', not '$1'"
}

# wait_for_question <what>: waits up to 10 s for a window other than the main
# window ($win) to take the X input focus, as a question box does when it
# shows; keys sent before it is up would reach the editor instead.
wait_for_question() {
  local focused=""
  for _ in $(seq 1 100); do
    focused="$(xdotool getwindowfocus 2>/dev/null || true)"
    # A captioned window of its own: not the main window, nor the moment in
    # between when the focus is nowhere.
    if [ -n "$focused" ] && [ "$focused" != "$win" ] &&
      [ -n "$(xdotool getwindowname "$focused" 2>/dev/null || true)" ]; then
      return 0
    fi
    sleep 0.1
  done
  fail "no question after $1"
}
