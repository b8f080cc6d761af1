#!/usr/bin/env bash
# Checks a built pellion_*.deb without installing it: its files, its metadata, the desktop
# entries and the AppStream metainfo (and lintian's view where lintian is installed).
#   packaging/check-package.sh pellion_<version>_amd64.deb
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

contents=$(dpkg-deb -c "$deb")
for path in ./usr/lib/pellion/Pellion ./usr/lib/pellion/Glossor ./usr/lib/pellion/radclient \
            ./usr/lib/pellion/radeapclient ./usr/lib/pellion/pellion-demo-config ./usr/lib/pellion/demo-server.sh \
            ./usr/lib/pellion/pellion-run ./usr/bin/pellion-run \
            ./usr/lib/pellion/dictionary/dictionary ./usr/lib/pellion/dictionary/userdefine/dictionary \
            ./usr/lib/pellion/Language/English.ini ./usr/lib/pellion/Help/index.html \
            ./usr/lib/pellion/icons/pellion-48.png \
            ./usr/bin/Pellion ./usr/bin/Glossor ./usr/bin/pellion-demo-server \
            ./usr/share/applications/org.example.pellion.Pellion.desktop \
            ./usr/share/applications/org.example.pellion.Glossor.desktop \
            ./usr/share/metainfo/org.example.pellion.Pellion.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/pellion.svg \
            ./usr/share/icons/hicolor/48x48/apps/pellion.png ./usr/share/icons/hicolor/256x256/apps/pellion.png; do
  grep -q " $path\( ->.*\)\?$" <<<"$contents" || fail "missing $path"
done
# Nothing a user writes is shipped: it is made per user.
grep -q 'Pellion.dat' <<<"$contents" && fail "ships a task database"

info=$(dpkg-deb -I "$deb")
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for needed in libfreeradius3 freeradius-common libqt6widgets6 libqt6core6 libsqlite3-0 libtalloc2 libc6 \
              qt6-translations-l10n; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q '^ Package: pellion$' <<<"$info" || fail "package name"
grep -q '^ Architecture: amd64$' <<<"$info" || fail "architecture"
case $(basename "$deb") in pellion_*_amd64.deb) ;; *) fail "file name $(basename "$deb")" ;; esac

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" || echo "lintian reported the above (not a failure of this check)"
fi

[ "$failures" = 0 ] && echo "package checks pass: $(basename "$deb")"
exit $((failures > 0))
