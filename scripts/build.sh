#!/usr/bin/env bash
# Builds into a build directory and installs the program directory.
#   scripts/build.sh [build-dir] [install-dir] [extra cmake arguments...]
# Uses every core (PELLION_JOBS overrides) and Ninja where it is installed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
dist=${2:-$top/dist}
shift $(( $# > 2 ? 2 : $# ))

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX="$dist" "$@"
cmake --build "$build" -j"${PELLION_JOBS:-$(nproc)}"
cmake --install "$build" >/dev/null
