# Shared set-up for the scripts: packages, build folders, the Wine prefix and
# a private X server. Sourced, never run on its own.
set -euo pipefail

TQ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TQ_BUILD="${TQ_BUILD:-$TQ_ROOT/build}"
TQ_JOBS="${TQ_JOBS:-$(nproc)}"

tq_log() { printf '==> %s\n' "$*" >&2; }

# Installs the Debian packages that are missing. `apt-get update` may fail for
# one unreachable index; the install then still works from what was fetched.
tq_need_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  tq_log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q >/dev/null 2>&1 || tq_log "apt-get update reported errors; going on"
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}

TQ_BASE_PACKAGES=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 googletest wine wine64 fonts-wine fonts-liberation xvfb xauth
  xdotool xclip imagemagick x11-utils)

tq_setup() { tq_need_packages "${TQ_BASE_PACKAGES[@]}" "$@"; }

# ccache, when the machine has it, makes rebuilds in several checkouts of the
# project cheap (paths below CCACHE_BASEDIR are hashed relative).
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$TQ_ROOT")}"
fi
tq_launcher() {
  if command -v ccache >/dev/null 2>&1; then
    echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
  fi
}

tq_configure_native() {
  local dir="$TQ_BUILD/native"
  # Configure every time (cheap once cached): a new subsystem folder is only
  # seen by a fresh configure.
  cmake -S "$TQ_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQ_SANITIZE=ON \
    $(tq_launcher) >/dev/null
}

tq_configure_mingw() {
  local dir="$TQ_BUILD/mingw"
  cmake -S "$TQ_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$TQ_ROOT/cmake/mingw-w64.cmake" $(tq_launcher) >/dev/null
}

# The run's own Wine prefix, made once and reused; never the user's ~/.wine.
tq_wine_env() {
  # TQ_WINEPREFIX names another prefix of the run (the input world's below).
  export WINEPREFIX="${TQ_WINEPREFIX:-$TQ_BUILD/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs: there is nobody to answer them. No menu
  # builder either: it would turn the file associations and shortcuts the
  # program writes into .desktop and MIME files on the host's desktop.
  # Nor a host browser or mail program for the http and mailto addresses
  # ShellExecute is given: with winebrowser off it returns 11 and starts nothing.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winebrowser.exe=d"
  # Whatever still looks for the user's XDG folders finds the build folder's.
  export XDG_DATA_HOME="$TQ_BUILD/xdg/data"
  export XDG_CONFIG_HOME="$TQ_BUILD/xdg/config"
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
}

tq_wine_prefix() {
  tq_wine_env
  if [ ! -f "$WINEPREFIX/.tq-ready" ]; then
    tq_log "creating the Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    # The editor's default font is Courier New; Liberation Mono has its metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f \
      >/dev/null 2>&1
    wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { tq_log "wineboot failed"; return 1; }
    touch "$WINEPREFIX/.tq-ready"
  fi
  if [ ! -f "$WINEPREFIX/.tq-unmanaged" ]; then
    # Without a window manager Wine waits about 2 s for every managed window
    # that is hidden; unmanaged windows are hidden at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w || true
    touch "$WINEPREFIX/.tq-unmanaged"
  fi
  if [ ! -f "$WINEPREFIX/.tq-home-unlinked" ]; then
    # Wine links the prefix user's Desktop, Documents and the like to the
    # home folder itself, so a desktop shortcut the program writes would land
    # in the real home. Empty folders inside the prefix take their place
    # (wineboot -u leaves them as they are).
    local user_dir name
    for user_dir in "$WINEPREFIX"/drive_c/users/*; do
      for name in Desktop Documents Downloads Music Pictures Videos; do
        if [ -L "$user_dir/$name" ]; then
          rm -f "$user_dir/$name"
          mkdir -p "$user_dir/$name"
        fi
      done
    done
    touch "$WINEPREFIX/.tq-home-unlinked"
  fi
  if [ ! -f "$WINEPREFIX/.tq-arial" ]; then
    # The help topics and the ASCII table ask for Arial; Liberation Sans has
    # its metrics, and with the replacement Wine lists "Arial" as a font.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans' /f >/dev/null 2>&1
    wineserver -w || true
    touch "$WINEPREFIX/.tq-arial"
  fi
  if [ ! -f "$WINEPREFIX/.tq-fixedsys" ]; then
    # The program's default editor font is FixedSys, a monospaced font that
    # Windows shows at any size asked for. Wine has it at one pixel size only
    # and answers every other with a proportional font, which the editor's
    # fixed columns then spread apart; Liberation Mono is monospaced.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'FixedSys' /d 'Liberation Mono' /f >/dev/null 2>&1
    wineserver -w || true
    touch "$WINEPREFIX/.tq-fixedsys"
  fi
  if [ ! -f "$WINEPREFIX/.tq-wine-fonts" ]; then
    # Wine draws the caption buttons, check marks and scroll arrows with
    # Marlett and takes Tahoma as the interface font; this Wine does not find
    # Debian's copies by itself, so without them every caption button reads
    # "0 1 r" and captions are measured in a stand-in. The prefix's own Fonts
    # folder is always searched.
    local font fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts_dir"
    for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
      if [ ! -f "/usr/share/wine/fonts/$font" ]; then
        tq_log "fonts-wine has no $font"
        return 1
      fi
      cp -f "/usr/share/wine/fonts/$font" "$fonts_dir/$font"
    done
    wineserver -w || true
    touch "$WINEPREFIX/.tq-wine-fonts"
  fi
  if [ ! -f "$WINEPREFIX/.tq-printers" ] && lpstat -p PDF >/dev/null 2>&1; then
    # Wine copies the CUPS queues into the prefix only when it boots it; a
    # prefix made before the PDF printer existed learns of it this way.
    wineboot -u >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.tq-printers"
  fi
}

# The desktop the tests see: a folder of the build tree with known contents
# (two folders, "b" and "A", and a file), in place of the prefix user's own,
# which Wine would otherwise link to the home folder. Wine follows "User
# Shell Folders" and writes "Shell Folders" from it; tests that read or
# change the shell folders take the CTest resource lock "shell-folders".
tq_desktop_fixture() {
  tq_wine_env
  local desktop="$TQ_BUILD/test-desktop"
  mkdir -p "$desktop/b" "$desktop/A"
  printf 'desktop\r\n' >"$desktop/note.txt"
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Desktop \
    /t REG_EXPAND_SZ /d "Z:${desktop//\//\\}" /f >/dev/null 2>&1
}

TQ_XVFB_PID=""
TQ_WINESERVER_STARTED=""
TQ_INPUT_XVFB_PID=""
TQ_INPUT_WINESERVER_STARTED=""

# Starts an X server of our own (Xvfb has no window manager) and leaves its
# pid in TQ_XVFB_STARTED_PID and its display in TQ_XVFB_STARTED_DISPLAY.
tq_launch_xvfb() {
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TQ_XVFB_STARTED_PID=$!
  local num
  read -r -t 20 num <"$fifo" || { rm -f "$fifo"; tq_log "Xvfb did not start"; return 1; }
  rm -f "$fifo"
  TQ_XVFB_STARTED_DISPLAY=":$num"
}

# A private X server for the run.
tq_start_xvfb() {
  tq_launch_xvfb || return 1
  TQ_XVFB_PID=$TQ_XVFB_STARTED_PID
  export DISPLAY="$TQ_XVFB_STARTED_DISPLAY"
}

tq_start_wineserver() {
  tq_wine_env
  wineserver -p && TQ_WINESERVER_STARTED=1
  # Start Wine's own background processes now, detached from every pipe:
  # started later by a test, they would inherit CTest's output pipe and keep
  # it open, so CTest would wait for them until the timeout.
  wine cmd.exe /c ver </dev/null >/dev/null 2>&1 || true
}

# The tests that send real keys and clicks, or need the foreground window
# (they take the CTest lock "focus", so they run one at a time), run in a
# world of their own: a second X server, and a second prefix with its own wine
# server. With one world, a window of any test running beside them could take
# the front or the X input focus, and their keys landed there. Each world has
# one keyboard focus and one foreground, and in this one only a single test
# runs at a time. cmake/wine-run.sh moves a test here when CTest gives it
# TQ_WORLD=input. The prefix is a copy of the run's own, made once (quicker
# than a second wineboot), and takes the same set-up steps.
tq_input_prefix() {
  local prefix="$TQ_BUILD/wineprefix-input"
  if [ ! -f "$prefix/.tq-ready" ]; then
    tq_log "copying the Wine prefix for the tests that send real input"
    rm -rf "$prefix"
    cp -a "$TQ_BUILD/wineprefix" "$prefix"
  fi
  (
    export TQ_WINEPREFIX="$prefix"
    tq_wine_prefix
    tq_desktop_fixture
  )
}

tq_start_input_world() {
  tq_launch_xvfb || return 1
  TQ_INPUT_XVFB_PID=$TQ_XVFB_STARTED_PID
  export TQ_INPUT_DISPLAY="$TQ_XVFB_STARTED_DISPLAY"
  export TQ_INPUT_WINEPREFIX="$TQ_BUILD/wineprefix-input"
  (
    export TQ_WINEPREFIX="$TQ_INPUT_WINEPREFIX" DISPLAY="$TQ_INPUT_DISPLAY"
    tq_wine_env
    wineserver -p
    wine cmd.exe /c ver </dev/null >/dev/null 2>&1 || true
  ) && TQ_INPUT_WINESERVER_STARTED=1
}

# What a Wine run must never add outside the prefix: top-level links and
# .desktop files in the home folder and the run's XDG folders, and entries of
# their "applications" folders.
tq_host_desktop_state() {
  local dir
  for dir in "$HOME" "$TQ_BUILD/xdg/data" "$TQ_BUILD/xdg/config"; do
    [ -d "$dir" ] || continue
    find "$dir" -maxdepth 1 \( -name '*.lnk' -o -name '*.desktop' \) -print 2>/dev/null
  done
  for dir in "$HOME/.local/share/applications" "$TQ_BUILD/xdg/data/applications"; do
    [ -d "$dir" ] && find "$dir" -mindepth 1 -print 2>/dev/null
  done
  true
}

tq_cleanup() {
  if [ -n "$TQ_INPUT_WINESERVER_STARTED" ]; then
    WINEPREFIX="$TQ_INPUT_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
    TQ_INPUT_WINESERVER_STARTED=""
  fi
  if [ -n "$TQ_INPUT_XVFB_PID" ]; then
    kill "$TQ_INPUT_XVFB_PID" >/dev/null 2>&1 || true
    wait "$TQ_INPUT_XVFB_PID" 2>/dev/null || true
    TQ_INPUT_XVFB_PID=""
  fi
  if [ -n "$TQ_WINESERVER_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    TQ_WINESERVER_STARTED=""
  fi
  if [ -n "$TQ_XVFB_PID" ]; then
    kill "$TQ_XVFB_PID" >/dev/null 2>&1 || true
    wait "$TQ_XVFB_PID" 2>/dev/null || true
    TQ_XVFB_PID=""
  fi
}
