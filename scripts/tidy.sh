#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over src/, using the compile commands of a configured build
# folder (default build/; src/ui only when that build configured the GUI), and prints every finding and
# their count. Exits 1 when there is a finding, unless --report is given.
#   scripts/tidy.sh [--report] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
report=0
if [ "${1:-}" = --report ]; then
    report=1
    shift
fi
build=${1:-build}
database="$build/compile_commands.json"
[ -f "$database" ] || { echo "tidy: $database is missing; configure $build first" >&2; exit 2; }

files=$(git ls-files 'src/*.cpp')
grep -q '/src/ui/' "$database" || files=$(grep -v '^src/ui/' <<<"$files")
# clang-tidy fails on its findings (they are errors): the findings are read from its output instead.
output=$(xargs -P "$(nproc)" -n 3 clang-tidy -p "$build" --quiet <<<"$files" 2>/dev/null || true)
findings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' <<<"$output" | sed "s|^$PWD/||" | sort -u || true)
count=$(grep -c . <<<"$findings" || true)
[ -z "$findings" ] || printf '%s\n' "$findings"
echo "clang-tidy: $count finding(s) in src/"
[ "$count" -eq 0 ] || [ "$report" -eq 1 ] || exit 1
