#!/usr/bin/env bash
# Builds into a build directory and installs the program directory.
#   scripts/build.sh [build-dir] [install-dir] [extra cmake arguments...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
dist=${2:-$top/dist}
shift $(( $# > 2 ? 2 : $# ))

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX="$dist" "$@"
cmake --build "$build" -j2
cmake --install "$build" >/dev/null
