#!/bin/sh
# Rebuilds the golden files of this folder (see README.md).
#   regenerate.sh [BUILD]              records expected.tar.xz from the programs of BUILD (default: build)
#   regenerate.sh --inputs [CORPORA]   cuts inputs.tar.xz anew from the bench corpora (default:
#                                      /tmp/vesk-corpora, made by ../shared/bench/make-corpora.sh)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same files give the same archive: sorted names, no dates or owners.
pack() {
    (cd "$work" && tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner -cf - "$2") | xz -9e -T1 >"$1.tmp"
    mv "$1.tmp" "$1"
}

# lines SOURCE FIRST COUNT NAME: COUNT whole lines of SOURCE from line FIRST on, as inputs/NAME.
lines() {
    sed -n "$2,$(($2 + $3 - 1))p" "$corpora/$1" >"$work/inputs/$4"
}

if [ "${1-}" = "--inputs" ]; then
    corpora=${2:-/tmp/vesk-corpora}
    mkdir -p "$work/inputs"
    # A few verses for the listings in every format, and a longer run of them, also with CR LF.
    lines kjv.txt 1 60 kjv_small.txt
    lines kjv.txt 23100 500 kjv.txt
    lines kjv_crlf.txt 23100 500 kjv_crlf.txt
    # Accents, umlauts and apostrophes, in UTF-8 and in Latin-1 (the twins have the same lines).
    for lang in de:1000:600 it:31000:700 es:5000:600 pt:2000:600 fr:1:700; do
        IFS=: read -r name first count <<EOF
$lang
EOF
        src=fortunes_$name
        [ "$name" = fr ] && src=faq_fr
        lines "$src.txt" "$first" "$count" "${src}.txt"
        lines "$src.latin1.txt" "$first" "$count" "${src}.latin1.txt"
    done
    # Longer runs, for tables of thousands of words.
    lines kjv.txt 1 6000 kjv_big.txt
    lines fortunes_de.txt 20000 3500 fortunes_de_big.txt
    lines fortunes_de.txt 1000 60 de_small.txt
    lines faq_fr.latin1.txt 200 60 fr_small.latin1.txt
    # Tags, entities and comments over several lines; C++ comments, under a C++ name and under another.
    lines debref.html 1 900 debref.html
    lines gtest_src.cc 1 1500 gtest_src.cc
    cp "$work/inputs/gtest_src.cc" "$work/inputs/gtest_src.cpp"
    pack "$here/inputs.tar.xz" inputs
    exit 0
fi

build=${1:-$root/build}
# The build unpacks the archive it records into; a first recording starts from an empty one.
[ -f "$here/expected.tar.xz" ] || { mkdir -p "$work/expected" && pack "$here/expected.tar.xz" expected; }
cmake --build "$build" --target golden_tests vesk-count
mkdir -p "$work/expected"
VESK_GOLDEN_RECORD="$work/expected" "$build/tests/golden_tests" --gtest_brief=1
# What changed against the recording it replaces.
mkdir -p "$work/old" && (cd "$work/old" && tar xJf "$here/expected.tar.xz")
diff -rq "$work/old/expected" "$work/expected" | sed "s|$work/||g" || true
pack "$here/expected.tar.xz" expected
echo "recorded $(ls "$work/expected" | wc -l) cases into $here/expected.tar.xz ($(stat -c %s "$here/expected.tar.xz") bytes)"
