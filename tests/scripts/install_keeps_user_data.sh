#!/usr/bin/env bash
# Installing over a program directory keeps what the programs and the user wrote there
# and refreshes the program's own files.
#   install_keeps_user_data.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/checks.sh"
dir=$work

cmake --install "$build" --prefix "$dir" >/dev/null
for made in dictionary/userdefine/dictionary dictionary/dictionary Language/English.ini script Log; do
  [ -e "$dir/$made" ] || fail "the first install did not make $made"
done

# What Glossor, Pellion and the user write.
echo '$INCLUDE Acme' >>"$dir/dictionary/userdefine/dictionary"
echo 'VENDOR Acme 64000' >"$dir/dictionary/userdefine/Acme"
echo 'task database' >"$dir/Pellion.dat"
echo 'User-Name = "bob"' >"$dir/script/1.txt"
echo 'a run' >"$dir/Log/PellionLog.txt"
# A program file changed in place: the install puts the shipped one back.
echo 'changed' >"$dir/Language/English.ini"

cmake --install "$build" --prefix "$dir" >/dev/null

grep -qx '\$INCLUDE Acme' "$dir/dictionary/userdefine/dictionary" || fail "the user index lost its \$INCLUDE line"
[ "$(cat "$dir/dictionary/userdefine/Acme" 2>/dev/null)" = 'VENDOR Acme 64000' ] || fail "the vendor file changed"
[ "$(cat "$dir/Pellion.dat")" = 'task database' ] || fail "Pellion.dat changed"
[ "$(cat "$dir/script/1.txt")" = 'User-Name = "bob"' ] || fail "script/ changed"
[ "$(cat "$dir/Log/PellionLog.txt")" = 'a run' ] || fail "Log/ changed"
grep -qx 'changed' "$dir/Language/English.ini" && fail "the language file was not refreshed"

finish "install keeps user data"
