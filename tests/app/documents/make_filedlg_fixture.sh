#!/bin/sh
# Makes the open dialog's folders on the host (Wine's CreateSymbolicLinkA
# reports success but makes nothing): a listing folder with the names,
# sizes and dates the dialog must show, and a search tree with a link back
# up and a folder beyond MAX_PATH.
#   usage: make_filedlg_fixture.sh <folder>
set -eu
mkdir -p "${1:?usage: make_filedlg_fixture.sh <folder>}"
root="$(cd "$1" && pwd)"
rm -rf "$root"
mkdir -p "$root/listing" "$root/search"

cd "$root/listing"
printf 'hello' > a.b.txt
truncate -s 1000 README
truncate -s 1234567 Foo.TXT
printf 'x' > .hidden
printf 'y' > notes.abcdefghijklmnopqrstuvwxyz0123
printf 'z' > old.txt
touch -d '1970-01-02 12:00:00 UTC' old.txt
truncate -s 2147483648 big2g.bin
truncate -s 3221225472 big3g.bin
mkdir folder.txt

cd "$root/search"
mkdir -p sub/deeper .dot
printf 1 > alpha.txt
printf 2 > sub/Alphabet.pas
printf 3 > sub/deeper/ALPHA.c
printf 4 > sub/beta.txt
printf 5 > .dot/alpha-hidden.txt
printf 6 > .alpha-dot.txt
ln -s .. sub/up
# A folder whose path passes MAX_PATH (260 characters) under Windows.
long="$root/search/long"
for i in 1 2 3 4 5 6; do long="$long/$(printf 'd%.0s' $(seq 1 50))$i"; done
mkdir -p "$long"
printf 7 > "$long/alpha-deep.txt"
