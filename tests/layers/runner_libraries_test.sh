#!/usr/bin/env bash
# pellion-run needs no display: neither its ELF NEEDED entries nor its link line name Qt's
# window libraries (SQLite it may use: it shares the task database).
#   runner_libraries_test.sh <pellion-run> [build.ninja]
set -uo pipefail
forbidden='libQt6Gui|libQt6Widgets|Qt6::Gui|Qt6::Widgets'
status=0
needed=$(readelf -d "$1" | grep NEEDED) || { echo "FAIL: readelf found no NEEDED in $1"; exit 1; }
if bad=$(grep -E "$forbidden" <<<"$needed"); then
  echo "FAIL: $1 needs: $bad"; status=1
fi
grep -q 'libQt6Core' <<<"$needed" || { echo "FAIL: $1 does not name libQt6Core; is this pellion-run?"; status=1; }
ninja_file=${2:-}
if [ -n "$ninja_file" ] && [ -f "$ninja_file" ]; then
  line=$(awk '
    /^build / && $0 ~ "[/ ]pellion-run: CXX_EXECUTABLE_LINKER" { inlink = 1; next }
    inlink && /^build / { inlink = 0 }
    inlink && /^  LINK_LIBRARIES = / { print; exit }' "$ninja_file")
  if [ -z "$line" ]; then
    echo "FAIL: no link line for pellion-run in $ninja_file"; status=1
  elif bad=$(grep -oE "[^ ]*($forbidden)[^ ]*" <<<"$line"); then
    echo "FAIL: pellion-run links: $bad"; status=1
  fi
fi
[ $status -eq 0 ] && echo "pellion-run: no Qt Gui or Qt Widgets"
exit $status
