#!/usr/bin/env bash
# Makes the screenshots of the documentation by driving build/vesk from outside, as a user would: on a virtual
# 1280x1024 display it types the bundled English sample's name into the input box, presses the count button,
# opens the parameters and help windows and saves each window into docs/, at scale 1 (name.png) and at
# scale 2 (name@2x.png), and at scale 1 the results window's table and its two charts (results-*.png); then
# counts the Greek and the Russian samples the same way and saves the main window (main-window-el.png,
# main-window-ru.png). Needs Xvfb (xvfb-run), xdotool and imagemagick's import.
# Usage: scripts/screenshots.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -x "$build/vesk" ] || { echo "No $build/vesk: build it first." >&2; exit 1; }
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing." >&2; exit 1; }
done

# The main window is titled with program text 1 and the version: major, ".", minor and "7".
major=$(sed -n 's/^project(VESK VERSION \([0-9]*\)\.\([0-9]*\).*/\1/p' CMakeLists.txt)
minor=$(sed -n 's/^project(VESK VERSION \([0-9]*\)\.\([0-9]*\).*/\2/p' CMakeLists.txt)
main_title="VESK ${major}.${minor}7"

# Runs on the virtual display: $1 the program, $2 the sample, $3 the main window's title, $4 the suffix, $5 the
# folder of the screenshots, $6 "all" for every window, else the main window only.
drive='
program="$1" sample="$2" title="$3" suffix="$4" docs="$5" windows="$6"
# Started in the folder of the sample, whose name then reads as the user would type it.
cd "$(dirname "$sample")"
"$program" & pid=$!
trap "kill $pid 2>/dev/null" EXIT
find_window() {  # waits up to 20 s for a window with this title
    local id
    for _ in $(seq 40); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.5
    done
    echo "No window \"$1\"" >&2
    exit 1
}
keys() { xdotool windowfocus "$1" && shift && xdotool key --delay 80 "$@" && sleep 1; }
main=$(find_window "$title")
sleep 2
# With no saved state the focus starts on the "Input file" button; Tab leads into the input box.
keys "$main" Tab
xdotool type --delay 5 "$(basename "$sample")"
# Leaving the box shows the file size; the count button is pressed by its mnemonic, Alt+W.
keys "$main" Tab
keys "$main" alt+w
sleep 3
import -window "$main" "$docs/main-window$suffix.png"
[ "$windows" = all ] || exit 0
if [ -z "$suffix" ]; then
    # "Table and chart" by its mnemonic, Alt+B; Ctrl+Tab turns to the chart tab, Alt+H reaches the chart list.
    keys "$main" alt+b
    results=$(find_window "VESK: Table and chart")
    import -window "$results" "$docs/results-table.png"
    keys "$results" ctrl+Tab
    import -window "$results" "$docs/results-top-words.png"
    keys "$results" alt+h Down
    import -window "$results" "$docs/results-zipf.png"
    keys "$results" Escape
fi
keys "$main" F1
help=$(find_window "VESK: Help")
import -window "$help" "$docs/help-window$suffix.png"
keys "$help" Escape
# "Set parameters" by its mnemonic, Alt+S.
keys "$main" alt+s
params=$(find_window "VESK: Set parameters")
sleep 1
import -window "$params" "$docs/parameters-window$suffix.png"
'


shoot() {  # shoot <sample> <scale> <suffix> <windows>
    local sample="$PWD/data/samples/$1" home
    shift
    home="$(mktemp -d)"
    mkdir "$home/Documents"
    cp "$sample" "$home/Documents/"
    env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home" LANG=C.UTF-8 \
        QT_SCALE_FACTOR="$1" xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash -c "$drive" drive "$PWD/$build/vesk" "$home/Documents/$(basename "$sample")" "$main_title" "$2" "$PWD/docs" "$3"
    rm -rf "$home"
    echo "docs/main-window$2.png"
}

shoot sample_en.txt 1 "" all
shoot sample_en.txt 2 "@2x" all
shoot sample_el.txt 1 "-el" main
shoot sample_ru.txt 1 "-ru" main
