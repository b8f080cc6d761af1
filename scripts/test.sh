#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs every check: the layout check (once
# the tree is formatted), a normal build with warnings as errors and its tests, clang-tidy on
# the folders kept clean, the benchmarks compiled, the fuzz targets built with clang and run
# on a bounded number of inputs, the tests again under AddressSanitizer (leak checking on)
# and UndefinedBehaviorSanitizer; then builds the Debian package and checks it.
# Each stage prints its time. PELLION_SKIP_SANITIZERS=1 and PELLION_SKIP_FUZZ=1 leave those out.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh" runtime build test
jobs=${PELLION_JOBS:-$(nproc)}
export PELLION_JOBS=$jobs

# With ccache the package build reuses the normal build's objects (same flags, other directory).
cache=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$top CCACHE_NOHASHDIR=1
  cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

stage() {
  local name=$1; shift
  local start=$SECONDS
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - start)) s"
}

run_suite() {
  local build=$1; shift
  "$top/scripts/build.sh" "$build" "$build/dist" -DPELLION_WERROR=ON "${cache[@]}" "$@"
  ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 300
}

# The tree is formatted once in its own commit, which adds .clang-format-enforced; until
# then the layout is not checked.
check_format() {
  if [ -f "$top/.clang-format-enforced" ]; then
    "$top/scripts/format.sh" --check
  else
    echo "layout not enforced yet (no .clang-format-enforced)"
  fi
}

build_bench() {
  cmake --build "$top/build" -j"$jobs" --target pellion_bench
}

# Only the fuzz targets and what they link, with clang; each runs on the seed corpus and
# a bounded number of generated inputs. The corpus copy keeps what the run adds out of the tree.
# The slow unwinder follows allocations through libcrypto, so the suppressions can name the
# library function that lost them. A fixed seed makes the stage give the same verdict on the
# same tree; longer runs with other seeds (PELLION_FUZZ_SEED, PELLION_FUZZ_RUNS) look further.
fuzz_targets=(fuzz_packet_script fuzz_dictionary_line fuzz_reply_decoder)
run_fuzz() {
  local build=$top/build-fuzz
  CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPELLION_WERROR=ON -DPELLION_TESTS=OFF "${cache[@]}" >/dev/null
  cmake --build "$build" -j"$jobs" --target "${fuzz_targets[@]}"
  for target in "${fuzz_targets[@]}"; do
    rm -rf "$build/corpus/$target"
    mkdir -p "$build/corpus/$target"
    cp "$top/bench/corpus/$target"/* "$build/corpus/$target/"
    if ! (cd "$build" && ASAN_OPTIONS=fast_unwind_on_malloc=0 \
          LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0 \
          "$build/bench/$target" -runs="${PELLION_FUZZ_RUNS:-20000}" -seed="${PELLION_FUZZ_SEED:-1}" -max_len=4096 \
          "$build/corpus/$target" >"$build/$target.log" 2>&1); then
      cat "$build/$target.log"
      return 1
    fi
    echo "$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$build/$target.log" || tail -n 1 "$build/$target.log")"
  done
}

stage format check_format
stage build-and-test run_suite "$top/build"
# Only what changed since the last full clean run (a full run of every clean folder takes
# a quarter of an hour on two cores); `scripts/tidy.sh` alone checks them all.
stage tidy "$top/scripts/tidy.sh" -p "$top/build" --since "$(cat "$top/.tidy-baseline")"
stage bench build_bench
if [ "${PELLION_SKIP_FUZZ:-0}" != 1 ]; then stage fuzz run_fuzz; fi
if [ "${PELLION_SKIP_SANITIZERS:-0}" != 1 ]; then
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  stage sanitize-build-and-test run_suite "$top/build-sanitize" -DPELLION_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
fi
stage package "$top/scripts/package.sh" "$top/build-package" "$top/build-package/out" -DPELLION_WERROR=ON "${cache[@]}"
stage check-package "$top/packaging/check-package.sh" "$top"/build-package/out/pellion_*_amd64.deb
