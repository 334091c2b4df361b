#!/usr/bin/env bash
# Runs the figures measured under Wine in a private Xvfb and prints each on a
# line of its own as "name: value".
#   usage: run.sh <bench build folder> <corpus folder>
# The programs are MinGW targets of the regular MinGW build ($TQ_BUILD/mingw,
# built here when needed); the corpus comes from make-corpus.sh.
set -euo pipefail
corpus="${2:?usage: run.sh <bench build folder> <corpus folder>}"
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib.sh"
source "$TQ_ROOT/tests/ftp/servers/ftp-servers.sh"
trap 'tq_stop_ftp_servers; tq_cleanup' EXIT

big="$corpus/cxx12-headers-20mb.txt"

tq_setup vsftpd python3 curl
tq_configure_mingw
cmake --build "$TQ_BUILD/mingw" --target editor_wine_open_bench listview_wine_fill_bench \
  settings_wine_bench hexedit_wine_page_bench ftp_wine_download_bench main_wine_bench \
  main_wine_startup_bench macro_wine_playback_bench clipboard_wine_copy_bench richedit_wine_bench \
  search_wine_bench filedlg_wine_list_bench Tarnquill tq_install_defaults -j "$TQ_JOBS" >&2
tq_wine_prefix
tq_start_xvfb
tq_start_wineserver

# bench <program> [args...]: one of the programs above under Wine, its lines
# without their carriage returns.
bench() {
  local program="$1"
  shift
  wine "$TQ_BUILD/mingw/bench/wine/$program.exe" "$@" </dev/null | tr -d '\r'
}
# The Windows name of a file of ours.
winpath() { echo "Z:${1//\//\\}"; }

# The main window: start-up against notepad (settings installed), then big
# files, typing, tab changes and Close All against the bare parts.
wine reg query 'HKCU\Software\Tarnquill' /v Version >/dev/null 2>&1 ||
  wine "$TQ_BUILD/mingw/tests/app/win/tq_install_defaults.exe" >/dev/null 2>&1
# With a returning user's session too (five documents and two roll-ups; the
# breakdown of where the time goes is on stderr).
bench main_wine_startup_bench "$(winpath "$TQ_BUILD/mingw/src/app/Tarnquill.exe")" 'C:\windows\temp' |
  grep '^main-'
pas="$corpus/fpc-compiler.pas"
if [ -f "$pas" ]; then
  bench main_wine_bench "$(winpath "$pas")" 'C:\windows\temp' | grep '^main-'
fi

# The rich-text control and the help window against the bare rich-edit
# control in the same process (best of three each, taken in turns).
if [ -f "$pas" ]; then
  bench richedit_wine_bench "$(winpath "$pas")" | grep -E '^(richedit|help)-.*-ratio:'
fi

# Search in all documents (50 documents cut from the 20 MB corpus) and Replace
# All in the 20 MB document through the main window, against the portable
# routine and a bare editor window in the same run.
if [ -f "$big" ]; then
  bench search_wine_bench "$(winpath "$big")" 'C:\windows\temp' | grep -e '^findall-wine-' -e '^replace-all-wine-'
fi

# Settings loaded and saved against raw advapi32 calls; the program takes the
# best of three of each itself.
bench settings_wine_bench | grep '^settings-wine-'

# Keyboard macros: 10,000 keystrokes played into the main window against the
# same text typed through the editor's commands.
bench macro_wine_playback_bench | grep '^macro-playback-'

[ -f "$big" ] || { echo "run.sh: $big is missing (run make-corpus.sh first)" >&2; exit 1; }
# Copying 20 MB with the clipboard history window made but hidden, against
# the same copy without it.
bench clipboard_wine_copy_bench "$big" | grep '^clipboard-copy-'

# Best of three runs: the first one also warms the file cache and Wine.
best=""
for _ in 1 2 3; do
  line="$(bench editor_wine_open_bench "$big" | grep '^editor-wine-open-20mb-s:')"
  value="${line#*: }"
  if [ -z "$best" ] || awk -v a="$value" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$value"; fi
done
echo "editor-wine-open-20mb-s: $best"

# The open dialog's listing of 10,000 files into its table, sorted by name,
# against a plain FindFirstFileA loop in the same run (best of three each).
many="$corpus/filedlg-10k"
if [ -d "$many" ]; then
  bench filedlg_wine_list_bench "$(winpath "$many")" | grep '^filedlg-wine-list-10k'
fi

# Filling a 10,000-row report list view, against raw messages in the same run
# (the program takes the best of five rounds itself).
bench listview_wine_fill_bench | grep '^listview-fill-10k'

# Paging through the 100 MB file in the hex view, against one ExtTextOut per
# row in the same program (bench/editor/make-corpus.sh makes the file).
hexfile="$corpus/cxx12-headers-100mb.txt"
if [ -f "$hexfile" ]; then
  bench hexedit_wine_page_bench "$hexfile" | grep '^hex-wine-page'
fi
# A 100 MB binary file over PASV from a local vsftpd: TMFtp under Wine against
# native curl as the peer, best of three each, in the same run.
tq_ftp_tree
head -c 100000000 /dev/urandom >"$TQ_FTP_DIR/root/pub/big.bin"
tq_start_vsftpd
peer=""
for _ in 1 2 3; do
  speed="$(curl -s --ftp-pasv -o /dev/null -w '%{speed_download}' "ftp://127.0.0.1:$TQ_FTP_PORT/pub/big.bin")"
  if [ -z "$peer" ] || awk -v a="$speed" -v b="$peer" 'BEGIN { exit !(a > b) }'; then peer="$speed"; fi
done
peer="$(awk -v s="$peer" 'BEGIN { printf "%.1f", s / 1e6 }')"
ours="$(bench ftp_wine_download_bench "$TQ_FTP_PORT" /pub/big.bin 'C:\windows\temp\tq-ftp-bench.bin' |
  sed -n 's/^ftp-download-mbps: //p')"
echo "ftp-download-mbps: ${ours:-0}"
echo "ftp-download-peer-mbps: $peer"
echo "ftp-download-peer-ratio: $(awk -v a="${ours:-0}" -v b="$peer" 'BEGIN { printf "%.3f", a / b }')"

# Printing 1,000 pages of highlighted Pascal with the print dialog's
# defaults, on the "PDF" printer and on a memory context of its page size
# (CUPS and cups-pdf from scripts/printer-setup.sh); the PDF's page count
# comes from pdfinfo, then the PDF goes.
pas="$corpus/fpc-compiler.pas"
if [ -f "$pas" ]; then
  "$TQ_ROOT/scripts/printer-setup.sh" >&2
  cmake --build "$TQ_BUILD/mingw" --target print_wine_bench -j "$TQ_JOBS" >&2
  title="tqprintbench_$$"
  bench print_wine_bench "$(winpath "$pas")" "$title" | grep '^print-' | grep -v '^print-pages:'
  pdf=""
  for _ in $(seq 1 600); do
    # No match yet is not an error (ls says 2, which would end the script).
    pdf="$(ls "$HOME"/PDF/*"$title"*.pdf 2>/dev/null | head -1 || true)"
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
    pdf=""
    sleep 0.5
  done
  if [ -n "$pdf" ]; then
    echo "print-pdf-pages: $(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')"
    rm -f "$pdf"
  fi
fi
