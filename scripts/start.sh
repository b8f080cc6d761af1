#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, installs into dist/ and starts Pellion.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build" "$top/dist" -DPELLION_TESTS=OFF
exec "$top/dist/Pellion"
