#!/usr/bin/env bash
# The command-line clients carry neither Qt's window libraries nor SQLite: not in their ELF
# NEEDED entries, and not on their link lines either (so no linker flag hides them).
#   client_libraries_test.sh <radclient> <radeapclient> [build.ninja]
set -uo pipefail
forbidden='libQt6Gui|libQt6Widgets|libsqlite3|-lsqlite3'
status=0
for client in "$1" "$2"; do
  needed=$(readelf -d "$client" | grep NEEDED) || { echo "FAIL: readelf found no NEEDED in $client"; status=1; continue; }
  if bad=$(grep -E "$forbidden" <<<"$needed"); then
    echo "FAIL: $client needs: $bad"; status=1
  fi
  grep -q 'libQt6Core' <<<"$needed" || { echo "FAIL: $client does not name libQt6Core; is this the client?"; status=1; }
done
ninja_file=${3:-}
if [ -n "$ninja_file" ] && [ -f "$ninja_file" ]; then
  for name in radclient radeapclient; do
    # The link statement of the executable and its LINK_LIBRARIES line.
    line=$(awk -v name="$name" '
      /^build / && $0 ~ ("[/ ]" name ": CXX_EXECUTABLE_LINKER") { inlink = 1; next }
      inlink && /^build / { inlink = 0 }
      inlink && /^  LINK_LIBRARIES = / { print; exit }' "$ninja_file")
    if [ -z "$line" ]; then
      echo "FAIL: no link line for $name in $ninja_file"; status=1
    elif bad=$(grep -oE "[^ ]*($forbidden)[^ ]*" <<<"$line"); then
      echo "FAIL: $name links: $bad"; status=1
    fi
  done
fi
[ $status -eq 0 ] && echo "radclient and radeapclient: no Qt Gui, Qt Widgets or SQLite"
exit $status
