#!/usr/bin/env bash
# Installs what building and testing VESK needs (Debian 12), then configures and builds into build/.
# Sourced by ./run, ./run-tests and .ci/run.
set -euo pipefail

VESK_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libicu-dev python3
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev xvfb xauth fonts-dejavu-core imagemagick
    python3-dask python3-distributed)
# Only the quality gates of .ci/run need these: clang with libFuzzer and the sanitizers, and its tools.
VESK_CI_PACKAGES=(clang libclang-rt-14-dev clang-format clang-tidy git)

# vesk_install_missing [PACKAGE...]: the packages named, else VESK_PACKAGES.
vesk_install_missing() {
    local wanted=("$@") missing=()
    [ ${#wanted[@]} -gt 0 ] || wanted=("${VESK_PACKAGES[@]}")
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local cmd=(apt-get install -y --no-install-recommends "${missing[@]}")
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive "${cmd[@]}"
    elif command -v sudo >/dev/null 2>&1; then
        sudo apt-get update
        sudo DEBIAN_FRONTEND=noninteractive "${cmd[@]}"
    else
        echo "Missing packages. As root, run:" >&2
        echo "  apt-get update && ${cmd[*]}" >&2
        exit 1
    fi
}

vesk_build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j "$(nproc)"
}
