#!/bin/sh
# Times vesk-count beside the peer word counters of the shared bench harness (../shared/bench beside this
# repository, or VESK_PEER_BENCH), in one interleaved run.
#   bench/run-peers.sh [BUILD_DIR] [run-peers.sh options and corpora ...]
# BUILD_DIR defaults to build-release beside this folder; configure it with -DCMAKE_BUILD_TYPE=Release.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build="$here/../build-release"
if [ $# -gt 0 ] && [ -d "$1" ]; then build=$1; shift; fi
build=$(cd "$build" && pwd)
if [ ! -x "$build/vesk-count" ]; then
    echo "no vesk-count in $build: build it first (cmake --build $build --target vesk-count)" >&2
    exit 2
fi
peers="${VESK_PEER_BENCH:-$here/../../shared/bench}"
exec "$peers/run-peers.sh" --candidate "vesk=$build/vesk-count {}" "$@"
