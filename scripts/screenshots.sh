#!/usr/bin/env bash
# Makes the screenshots of the documentation: starts build/vesk on a virtual display, counts the bundled
# sample, and saves the main, parameters and help windows into docs/.
# Needs xvfb-run and imagemagick's import. Usage: scripts/screenshots.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -x "$build/vesk" ] || { echo "No $build/vesk: build it first." >&2; exit 1; }
sample="$PWD/data/samples/sample_en.txt"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

shoot() {  # shoot <file> <window title> [VAR=value...]
    local file="$1" title="$2"
    shift 2
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" LANG=C.UTF-8 \
        VESK_SCREENSHOT_INPUT="$sample" "$@" \
        xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
            "$0" & pid=$!
            sleep 4
            import -window "$1" "$2"
            kill $pid' "$PWD/$build/vesk" "$title" "docs/$file"
    echo "docs/$file"
}


# The main window is titled with program text 1 and the version: major, ".", minor and "7".
major=$(sed -n 's/^project(VESK VERSION \([0-9]*\)\.\([0-9]*\).*/\1/p' CMakeLists.txt)
minor=$(sed -n 's/^project(VESK VERSION \([0-9]*\)\.\([0-9]*\).*/\2/p' CMakeLists.txt)
main_title="VESK ${major}.${minor}7"

shoot main-window.png "$main_title"
shoot parameters-window.png "VESK: Set parameters" VESK_SCREENSHOT_PARAMS=1
shoot help-window.png "VESK: Help" VESK_SCREENSHOT_HELP=1
