#!/usr/bin/env bash
# Installs what running and building need, builds (incrementally on an existing checkout),
# installs into dist/ and starts Pellion. What the programs and the user wrote in dist/
# (Pellion.dat, script/, Log/, the user dictionaries) stays as it is.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" runtime build
"$top/scripts/build.sh" "$top/build" "$top/dist" -DPELLION_TESTS=OFF
exec "$top/dist/Pellion"
