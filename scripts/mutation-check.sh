#!/usr/bin/env bash
# Shows which tests catch a few hand-made faults: applies each fault of scripts/mutations.txt to a copy of a
# commit's src/, one at a time, builds the logic tests (no GUI) and lists the tests that fail. Run it before
# and after a change to the tests to see that they still catch what they caught.
#   scripts/mutation-check.sh COMMIT LABEL [WORK_DIR=/tmp/vesk-mutation]
# Results in WORK_DIR/result-LABEL.txt, one line per fault: its id and file, then the failing tests, or
# NOT CAUGHT, or NOT FOUND when the text to change is not in src/ of that commit. A label already finished
# is printed again, not rerun (delete its result file to run it anew).
set -uo pipefail
cd "$(dirname "$0")/.."
repo=$PWD rev=$1 label=$2 work=${3:-/tmp/vesk-mutation}
faults="$repo/scripts/mutations.txt" tree="$work/tree-$label" out="$work/result-$label.txt"
mkdir -p "$work"
exec 9>"$work/lock-$label"
flock 9
if [ -f "$out" ] && tail -n 1 "$out" | grep -q '^# done'; then cat "$out"; exit 0; fi
rm -rf "$tree"
git worktree prune
git worktree add -q --detach "$tree" "$rev" || exit 1
cd "$tree"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESK_BUILD_GUI=OFF >/dev/null || exit 1
cmake --build build >/dev/null || { echo "build of $rev failed" >&2; exit 1; }
ctest --test-dir build -j "$(nproc)" --timeout 300 >/dev/null || { echo "tests of $rev fail before any fault" >&2; exit 1; }
: >"$out"
while IFS=$'\t' read -r id old new; do
    [[ -z "$id" || "$id" == \#* ]] && continue
    # The first source file that holds the text exactly once.
    file=$(grep -rlF --include='*.cpp' --include='*.h' -- "$old" src | while read -r f; do
        [ "$(grep -cF -- "$old" "$f")" = 1 ] && { echo "$f"; break; }
    done)
    if [ -z "$file" ]; then echo "$id	NOT FOUND" >>"$out"; continue; fi
    python3 - "$file" "$old" "$new" <<'PY'
import pathlib, sys
path = pathlib.Path(sys.argv[1])
path.write_text(path.read_text().replace(sys.argv[2], sys.argv[3], 1))
PY
    if ! cmake --build build >/dev/null 2>&1; then
        echo "$id	($file) BUILD FAILS" >>"$out"
    else
        failed=$(ctest --test-dir build -j "$(nproc)" --timeout 300 2>&1 |
            sed -n 's/^.*[0-9] - \([^ ]*\) .*(Failed)$/\1/p' | sort -u | tr '\n' ' ')
        echo "$id	($file) ${failed:-NOT CAUGHT}" >>"$out"
    fi
    # A restored file must look changed to the build, or the fault would stay compiled in.
    git checkout -q -- "$file" && touch "$file"
done <"$faults"
echo "# done $(date +%T) at $(git rev-parse --short HEAD)" >>"$out"
cat "$out"
