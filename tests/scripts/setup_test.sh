#!/usr/bin/env bash
# scripts/setup.sh against stub dpkg-query, apt-get, id, sudo, systemctl and update-rc.d
# on a PATH that holds nothing else: no real package manager is ever called.
set -uo pipefail
setup=$1
source "$(dirname "$0")/checks.sh"

# A bin directory with the stubs and only the real tools the script itself uses.
make_bin() {
  local bin=$work/bin-$1; shift
  mkdir -p "$bin"
  for tool in grep tee chmod rm cat dirname; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
  for stub in "$@"; do
    case $stub in
      dpkg-query) cat >"$bin/dpkg-query" <<'STUB'
#!/bin/bash
# Installed packages are those listed in $FAKE_INSTALLED.
for p in $FAKE_INSTALLED; do [ "$p" = "${!#}" ] && { printf 'install ok installed'; exit 0; }; done
exit 1
STUB
      ;;
      apt-get) cat >"$bin/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get $* policy=$([ -e "$PELLION_POLICY_RC_D" ] && echo present || echo absent)" >>"$FAKE_LOG"
[ "$1" = install ] && [ "${FAKE_APT_FAIL:-0}" = 1 ] && exit 100
exit 0
STUB
      ;;
      id) printf '#!/bin/bash\necho "${FAKE_UID:-0}"\n' >"$bin/id" ;;
      sudo) printf '#!/bin/bash\necho "sudo $1" >>"$FAKE_LOG"\nexec "$@"\n' >"$bin/sudo" ;;
      systemctl|update-rc.d) printf '#!/bin/bash\necho "%s $*" >>"$FAKE_LOG"\n' "$stub" >"$bin/$stub" ;;
    esac
    chmod +x "$bin/$stub"
  done
  echo "$bin"
}

debian=$(make_bin debian dpkg-query apt-get id sudo systemctl update-rc.d)
debian_nosudo=$(make_bin nosudo dpkg-query apt-get id systemctl update-rc.d)
other=$(make_bin other id sudo)

# run NAME BIN ARGS...: runs setup.sh; sets status, out (stdout+stderr) and log (stub calls).
run() {
  case_name=$1; local bin=$2; shift 2
  export FAKE_LOG=$work/$case_name.log PELLION_POLICY_RC_D=$work/$case_name-policy-rc.d
  : >"$FAKE_LOG"
  out=$(PATH=$bin /bin/bash "$setup" "$@" 2>&1); status=$?
  log=$(cat "$FAKE_LOG")
}
expect_status() { if [ "$1" = 0 ]; then [ "$status" = 0 ] || fail "status $status, want 0: $out"; else [ "$status" != 0 ] || fail "status 0, want non-zero"; fi; }
expect_out() { grep -q -- "$1" <<<"$out" || fail "output lacks '$1': $out"; }
expect_log() { grep -q -- "$1" <<<"$log" || fail "calls lack '$1': $log"; }
expect_no_log() { ! grep -q -- "$1" <<<"$log" || fail "unexpected call '$1': $log"; }

every_package="libqt6widgets6 libfreeradius3 g++ cmake qt6-base-dev libgtest-dev freeradius xvfb desktop-file-utils"

# Not Debian: the list, no attempt, non-zero.
run not-debian "$other"
expect_status 1; expect_out "not a Debian"; expect_out "qt6-base-dev"; expect_out "libgtest-dev"
[ -z "$log" ] || fail "calls made: $log"

# Not root, no sudo: what to run as root, non-zero, nothing installed.
FAKE_UID=1000 FAKE_INSTALLED="" run no-sudo "$debian_nosudo"
expect_status 1; expect_out "run as root"; expect_out "apt-get install -y --no-install-recommends .*libqt6widgets6"
expect_no_log "apt-get"

# Not root with sudo: every change goes through sudo.
FAKE_UID=1000 FAKE_INSTALLED="" run with-sudo "$debian"
expect_status 0; expect_log "sudo apt-get"; expect_log "apt-get install .*libgtest-dev"

# A failed install: non-zero and our policy-rc.d is gone, though it was there during it.
FAKE_APT_FAIL=1 FAKE_INSTALLED="" run apt-fails "$debian"
expect_status 1; expect_log "apt-get install .* policy=present"
[ ! -e "$PELLION_POLICY_RC_D" ] || fail "policy-rc.d left behind"

# A policy-rc.d the system had stays.
case_name=own-policy; echo 'exit 0' >"$work/own-policy-policy-rc.d"
FAKE_INSTALLED="" run own-policy "$debian"
expect_status 0; [ "$(cat "$PELLION_POLICY_RC_D" 2>/dev/null)" = "exit 0" ] || fail "the system's policy-rc.d was changed"

# The server we install is not left enabled at boot; no policy-rc.d of ours remains.
FAKE_INSTALLED="" run installs-server "$debian"
expect_status 0; expect_log "apt-get install .* freeradius "; expect_log "systemctl disable freeradius"
expect_log "update-rc.d freeradius disable"; [ ! -e "$PELLION_POLICY_RC_D" ] || fail "policy-rc.d left behind"
expect_log "apt-get install .* eapoltest"

# A server the user had is left alone.
FAKE_INSTALLED="freeradius" run had-server "$debian"
expect_status 0; expect_log "apt-get install"; expect_no_log "systemctl"; expect_no_log "update-rc.d"

# start.sh's sets: runtime and build only.
FAKE_INSTALLED="" run start-sets "$debian" runtime build
expect_status 0; expect_log "apt-get install .*libqt6widgets6"; expect_log "apt-get install .*cmake"
expect_no_log "libgtest-dev"; expect_no_log "xvfb"; expect_no_log "freeradius "

# Nothing missing: no package manager call at all.
FAKE_INSTALLED="$every_package" run nothing-missing "$debian" runtime
expect_status 0
FAKE_INSTALLED="libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libsqlite3-0 libtalloc2 libfreeradius3 freeradius-common libssl3 xdg-utils fonts-noto-cjk libqt6charts6 qt6-translations-l10n" \
  run nothing-missing "$debian" runtime
expect_status 0; [ -z "$log" ] || fail "calls made: $log"

# An unknown set is refused.
run unknown-set "$debian" everything
expect_status 1; expect_out "unknown package set"

finish "setup.sh: all cases pass"
