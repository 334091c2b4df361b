#!/usr/bin/env bash
# Builds the highlighter benchmarks' corpus in the folder given as $1:
#   fpc-compiler.pas  the .pas, .pp and .inc files of the compiler folder of
#                     Debian's fpc-source-3.2.2, concatenated in byte-wise
#                     sorted path order and cut at 10 MiB (10485760 bytes).
# Rebuilt only when missing, so repeated runs cost nothing.
set -euo pipefail
out="${1:?usage: make-corpus.sh <corpus folder>}"
src=/usr/share/fpcsrc/3.2.2/compiler
limit=10485760
mkdir -p "$out"
if [ ! -d "$src" ]; then
  echo "make-corpus.sh: $src is missing (apt-get install -y fpc-source-3.2.2)" >&2
  exit 1
fi

pas="$out/fpc-compiler.pas"
if [ ! -s "$pas" ] || [ "$(stat -c %s "$pas")" -ne "$limit" ]; then
  tmp="$pas.tmp.$$"
  (cd "$src" && find . -type f \( -name '*.pas' -o -name '*.pp' -o -name '*.inc' \) -print0 \
     | LC_ALL=C sort -z | xargs -0 cat) >"$tmp"
  truncate -s "$limit" "$tmp"
  mv "$tmp" "$pas"
fi
echo "corpus ready in $out: $(stat -c %s "$pas") bytes of Object Pascal" >&2

# The corpora of the C++, SQL, Perl, Java, JavaScript and ADSP-21xx scans,
# each rebuilt only when missing:
#   cxx12-headers.txt   made by bench/editor/make-corpus.sh (libstdc++ 12 headers);
#   postgis.sql         extension/postgis--3.3.2.sql of postgresql-15-postgis-3-scripts;
#   perl-modules.pm     the .pm files of perl-modules-5.36, in byte-wise sorted path order;
#   java-util.java      the .java files under java.base/java/util/ in lib/src.zip of
#                       openjdk-17-source, sorted;
#   typescript.js       lib/typescript.js of node-typescript;
#   adsp.dsp            the ADSP-21xx golden inputs repeated up to 10 MiB.
# Packages are fetched with apt-get download and unpacked, never installed.
here="$(cd "$(dirname "$0")" && pwd)"
[ -s "$out/cxx12-headers.txt" ] || "$here/../editor/make-corpus.sh" "$out"

# unpack_package <package>: prints a folder holding the unpacked package.
unpack_package() {
  local dir="$out/.pkg/$1"
  if [ ! -d "$dir/root" ]; then
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get download -q "$1" >&2 && dpkg-deb -x ./*.deb root && rm -f ./*.deb)
  fi
  echo "$dir/root"
}

if [ ! -s "$out/postgis.sql" ]; then
  root="$(unpack_package postgresql-15-postgis-3-scripts)"
  cp "$(find "$root" -path '*/extension/postgis--3.3.2.sql' | head -1)" "$out/postgis.sql.tmp"
  mv "$out/postgis.sql.tmp" "$out/postgis.sql"
fi
if [ ! -s "$out/perl-modules.pm" ]; then
  root="$(unpack_package perl-modules-5.36)"
  (cd "$root" && find . -type f -name '*.pm' -print0 | LC_ALL=C sort -z | xargs -0 cat) \
    >"$out/perl-modules.pm.tmp"
  mv "$out/perl-modules.pm.tmp" "$out/perl-modules.pm"
fi
if [ ! -s "$out/java-util.java" ]; then
  root="$(unpack_package openjdk-17-source)"
  zip="$(find "$root" -name src.zip | head -1)"
  rm -rf "$out/.pkg/java-util" && mkdir -p "$out/.pkg/java-util"
  unzip -q "$zip" 'java.base/java/util/*' -d "$out/.pkg/java-util"
  (cd "$out/.pkg/java-util" && find . -type f -name '*.java' -print0 | LC_ALL=C sort -z \
     | xargs -0 cat) >"$out/java-util.java.tmp"
  mv "$out/java-util.java.tmp" "$out/java-util.java"
fi
if [ ! -s "$out/typescript.js" ]; then
  root="$(unpack_package node-typescript)"
  cp "$(find "$root" -path '*/lib/typescript.js' | head -1)" "$out/typescript.js.tmp"
  mv "$out/typescript.js.tmp" "$out/typescript.js"
fi
if [ ! -s "$out/adsp.dsp" ]; then
  python3 - "$here/../../tests/highlighters/golden/adsp" "$out/adsp.dsp.tmp" <<'PY'
import glob, re, sys
lines = []
for path in sorted(glob.glob(sys.argv[1] + '/*.golden')):
    for l in open(path, encoding='latin-1'):
        if l.startswith('> '):
            q = l[2:].rstrip('\n')[1:-1]
            lines.append(re.sub(r'\\x([0-9A-F]{2})|\\(.)',
                                lambda m: chr(int(m.group(1), 16)) if m.group(1) else m.group(2), q))
text = ''.join(l + '\n' for l in lines).encode('latin-1')
limit = 10485760
with open(sys.argv[2], 'wb') as f:
    f.write((text * (limit // len(text) + 1))[:limit])
PY
  mv "$out/adsp.dsp.tmp" "$out/adsp.dsp"
fi
echo "language corpora ready in $out" >&2
# The web and script highlighters' corpora, from the same kind of packages:
#   glibc-x86.S       the .S files under sysdeps/x86, sysdeps/x86_64 and
#                     sysdeps/i386 of glibc-source's tarball, sorted by path
#   gfortran-dg.f     the .f, .f90, .F, .F90 and .for files under
#                     gcc/testsuite/gfortran.dg of gcc-12-source's tarball, sorted
#   python-doc.html   the .html files of python3.11-doc, sorted, cut at 10 MiB
# $1 corpus file, $2 tarball, $3 folder pattern inside it, then find's name tests.
from_tarball() {
  local file="$1" tarball="$2" pattern="$3"
  shift 3
  [ -s "$file" ] && return 0
  local tmp="$file.tmp.$$"
  rm -rf "$tmp.d" && mkdir -p "$tmp.d"
  tar -xJf "$tarball" -C "$tmp.d" --wildcards "$pattern"
  (cd "$tmp.d" && find . -type f \( "$@" \) -print0 | LC_ALL=C sort -z | xargs -0 cat) >"$tmp"
  rm -rf "$tmp.d"
  mv "$tmp" "$file"
}

if [ ! -s "$out/glibc-x86.S" ]; then
  glibc="$(unpack_package glibc-source)"
  from_tarball "$out/glibc-x86.S" "$(ls "$glibc"/usr/src/glibc/glibc-*.tar.xz | head -1)" \
    '*/sysdeps/[xi]*/*' \( -path '*/sysdeps/x86/*' -o -path '*/sysdeps/x86_64/*' -o -path '*/sysdeps/i386/*' \) -name '*.S'
fi
if [ ! -s "$out/gfortran-dg.f" ]; then
  gcc="$(unpack_package gcc-12-source)"
  from_tarball "$out/gfortran-dg.f" "$(ls "$gcc"/usr/src/gcc-12/gcc-*.tar.xz | head -1)" \
    '*/gcc/testsuite/gfortran.dg/*' -name '*.f' -o -name '*.f90' -o -name '*.F' -o -name '*.F90' -o -name '*.for'
fi
html="$out/python-doc.html"
if [ ! -s "$html" ] || [ "$(stat -c %s "$html")" -ne "$limit" ]; then
  doc="$(unpack_package python3.11-doc)"
  (cd "$doc" && find . -type f -name '*.html' -print0 | LC_ALL=C sort -z | xargs -0 cat) >"$html.tmp.$$"
  truncate -s "$limit" "$html.tmp.$$"
  mv "$html.tmp.$$" "$html"
fi
echo "corpus ready in $out: $(stat -c %s "$out/glibc-x86.S") bytes of x86 assembly," \
  "$(stat -c %s "$out/gfortran-dg.f") of Fortran, $(stat -c %s "$html") of HTML" >&2
