#!/usr/bin/env bash
# Runs clang-tidy with the tree's .clang-tidy over sources of a configured build.
#   scripts/tidy.sh [-p build-dir] [--since commit] [source files or folders...]
# No files: the folders CI keeps clean (below). "all": every source of src/ and tests/.
# --since: of those, only the sources that changed since the commit or include a header that
# did (as the build's dependency records tell); all of them when .clang-tidy changed or the
# commit is unknown. CI passes the last commit a full run found clean (.tidy-baseline).
# Findings are errors; the exit status is non-zero when there is any.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
if [ "${1:-}" = -p ]; then build=$(cd "$2" && pwd); shift 2; fi
since=
if [ "${1:-}" = --since ]; then since=$2; shift 2; fi

# Folders whose findings are fixed: every folder of the tree. A new folder joins once it is clean.
clean_folders=(radius clients taskstore dictformat demoserver reports taskdef platform dictmanager execution shell scheduling mschap)

# The run verdict, run history, group files, pellion-run and the packet decoder.
clean_folders+=(verdict history groupfile runner decoder)

# The column rule the reports and the decoder share.
clean_folders+=(textcolumns)

if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy.sh: no $build/compile_commands.json; build first (scripts/build.sh)" >&2
  exit 2
fi
tidy=${CLANG_TIDY:-$(command -v clang-tidy-14 || command -v clang-tidy)}
runner=${RUN_CLANG_TIDY:-$(command -v run-clang-tidy-14 || command -v run-clang-tidy)}

patterns=()
if [ $# -eq 0 ]; then
  for folder in "${clean_folders[@]}"; do patterns+=("^$top/(src|tests)/$folder/"); done
elif [ "$1" = all ]; then
  patterns=("^$top/(src|tests)/")
else
  for path in "$@"; do patterns+=("^$(realpath "$path")"); done
fi
regex=$(IFS='|'; echo "${patterns[*]}")
if [ -n "$since" ]; then
  if ! git -C "$top" cat-file -e "$since^{commit}" 2>/dev/null; then
    echo "tidy.sh: $since is not in this checkout's history; checking every source"
  elif git -C "$top" diff --quiet "$since" -- .clang-tidy; then
    regex=$("$top/scripts/tidy-affected.py" "$top" "$build" "$since" "($regex)")
    if [ -z "$regex" ]; then
      echo "tidy.sh: no source changed since $since"
      exit 0
    fi
  fi
fi
# The runner's colours and chatter (each command line, the counts of suppressed warnings) are dropped.
set +e
"$runner" -clang-tidy-binary "$tidy" -p "$build" -j "${PELLION_JOBS:-$(nproc)}" -quiet "($regex)" 2>&1 \
  | sed -u 's/\x1b\[[0-9;]*m//g' \
  | grep -v -E '^(\S*clang-tidy(-[0-9]+)? |[0-9]+ warnings? generated|Suppressed [0-9]+ warnings|Use -header-filter)'
status=${PIPESTATUS[0]}
set -e
exit "$status"
