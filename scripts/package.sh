#!/usr/bin/env bash
# Builds the Debian package pellion_<version>_amd64.deb into an output directory.
#   scripts/package.sh [build-dir] [output-dir] [extra cmake arguments...]
# The programs and their data go to /usr/lib/pellion, Pellion and Glossor onto PATH,
# the desktop entries, icons and metainfo into /usr/share.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-package}
out=${2:-$top}
shift $(( $# > 2 ? 2 : $# ))
# cpack runs inside the build directory: name both directories absolutely.
mkdir -p "$build" "$out"
build=$(cd "$build" && pwd)
out=$(cd "$out" && pwd)

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr -DPELLION_PROGRAM_DIR=lib/pellion -DPELLION_TESTS=OFF "$@"
cmake --build "$build" -j"${PELLION_JOBS:-$(nproc)}"
mkdir -p "$out"
rm -f "$build"/cpack/pellion_*_amd64.deb
(cd "$build" && cpack -G DEB -B "$build/cpack") >/dev/null
cp "$build"/cpack/pellion_*_amd64.deb "$out/"
ls "$out"/pellion_*_amd64.deb
