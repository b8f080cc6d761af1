#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every test: once in a normal build
# with warnings as errors, once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then builds the Debian package and checks it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" runtime build test
jobs=${PELLION_JOBS:-$(nproc)}

run_suite() {
  local build=$1; shift
  "$top/scripts/build.sh" "$build" "$build/dist" -DPELLION_WERROR=ON "$@"
  ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 300
}

run_suite "$top/build"
if [ "${PELLION_SKIP_SANITIZERS:-0}" != 1 ]; then
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  run_suite "$top/build-sanitize" -DPELLION_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
"$top/scripts/package.sh" "$top/build-package" "$top/build-package/out" -DPELLION_WERROR=ON
"$top/packaging/check-package.sh" "$top"/build-package/out/pellion_*_amd64.deb
