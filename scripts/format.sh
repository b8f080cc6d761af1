#!/usr/bin/env bash
# Formats the C and C++ sources with clang-format and the tree's .clang-format.
#   scripts/format.sh [--check] [files...]    (no files: every source under src/, tests/, bench/)
# --check changes nothing and fails, listing the files, when any would change.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
check=0
if [ "${1:-}" = --check ]; then check=1; shift; fi
format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format)}

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(git ls-files 'src/*.c' 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp')
fi

if [ "$check" = 0 ]; then
  printf '%s\0' "${files[@]}" | xargs -0 -r -n50 -P"${PELLION_JOBS:-$(nproc)}" "$format" -i --style=file
  exit 0
fi
mapfile -t unformatted < <(printf '%s\0' "${files[@]}" | xargs -0 -r -n1 -P"${PELLION_JOBS:-$(nproc)}" \
  sh -c '"$0" --style=file --dry-run -Werror "$1" >/dev/null 2>&1 || echo "$1"' "$format")
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (run scripts/format.sh): ${unformatted[*]}" >&2
  exit 1
fi
