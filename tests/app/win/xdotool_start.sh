# What the xdotool scripts of the main window share, sourced with their own
# arguments (<Tarnquill.exe> <tq_install_defaults.exe>): the program's and
# the installer's paths in $exe and $install, a temporary folder $dir, the
# default settings installed when the prefix has none, and the steps of a
# run: start_program and start_on_file, which start the program and wait for
# its window, focus and key, which send it keys, the waits wait_output,
# wait_caption and wait_for_question, and wait_program_end. On exit the
# program still running is killed, a function on_exit the script defines
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

# start_on_file <file>: the program on that file alone (/n), waited for
# until its window's caption names the file.
start_on_file() {
  start_program '^Tarnquill' /n "$(win_name "$1")"
  wait_caption "Tarnquill - $(win_name "$1")" "the start"
}

# focus: the main window brought to the front, where the keys typed next go.
focus() { xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true; }

# key <keys>: the keys to the main window, brought to the front first.
key() { focus; xdotool key "$1"; }

# wait_output <expected> <what> <after what> <command>...: waits up to 5 s for
# the command's output (what it reads: a caption, a file) to be expected.
wait_output() {
  local want="$1" what="$2" after="$3" got=""
  shift 3
  for _ in $(seq 1 50); do
    got="$("$@")"
    [ "$got" = "$want" ] && return 0
    sleep 0.1
  done
  fail "after $after $what is '$got', not '$want'"
}

# wait_caption <caption> <after what>: waits for the main window's caption
# to read caption.
wait_caption() { wait_output "$1" "the caption" "$2" xdotool getwindowname "$win"; }

# text_of <file>: the file's text with its line ends' CRs left out.
text_of() { tr -d '\r' <"$1"; }

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

# wait_program_end: waits up to 10 s for the program to end, as it does once
# its window has closed.
wait_program_end() {
  for _ in $(seq 1 50); do kill -0 "$prog" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$prog" 2>/dev/null && fail "the program did not end"
  prog=""
}
