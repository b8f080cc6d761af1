#!/usr/bin/env bash
# scripts/demo-server.sh laid out as installed (beside pellion-demo-config): it prints its
# endpoint, answers a PAP request from its demo user, and Ctrl+C ends it with nothing left.
# Run as root, it is run a second time as nobody (no sudo, not in the group freerad,
# /etc/freeradius unreadable), as a new user would run it.
#   demo_server_test.sh SCRIPT TOOL
set -uo pipefail
script=$1
tool=$2
[ -x /usr/sbin/freeradius ] && command -v radclient >/dev/null || { echo "no FreeRADIUS server or radclient"; exit 77; }
source "$(dirname "$0")/checks.sh"
server_job=
cleanup_steps+=('[ -z "$server_job" ] || kill -TERM -- "-$server_job" 2>/dev/null')

# Other users pass through the work directory to the installed files and their own.
chmod 711 "$work"
mkdir -p "$work/installed"
cp "$script" "$work/installed/demo-server.sh"
cp "$tool" "$work/installed/pellion-demo-config"
chmod 755 "$work/installed" "$work/installed/demo-server.sh" "$work/installed/pellion-demo-config"
ports=(28120 28130 47990)

# run_case NAME USER: starts the script as USER, checks it, ends it with Ctrl+C.
run_case() {
  case_name=$1
  echo "running the script $case_name"
  local user=$2 as=() home=$work/home-$2
  mkdir -p "$home/tmp"
  chown -R "$user" "$home"
  [ "$user" = "$(id -un)" ] || as=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups --)

  # Its own process group, as in a terminal, so that the interrupt reaches it as Ctrl+C would.
  set -m
  HOME=$home TMPDIR=$home/tmp "${as[@]}" "$work/installed/demo-server.sh" "${ports[@]}" >"$home.out" 2>&1 &
  server_job=$!
  set +m

  if ! timeout 30 grep -m1 -q 'Ready to process requests' <(tail --pid="$server_job" -F -n +1 "$home.out" 2>/dev/null); then
    fail "the server did not become ready: $(cat "$home.out")"
    kill -TERM -- "-$server_job" 2>/dev/null
    wait "$server_job" 2>/dev/null
    server_job=
    return
  fi
  for shown in "port ${ports[0]}" "port ${ports[1]}" "port ${ports[2]}" "Shared secret: *testing123"; do
    grep -q "$shown" "$home.out" || fail "does not print '$shown'"
  done

  local reply
  reply=$(echo 'User-Name = "bob", User-Password = "hello"' |
    timeout 20 radclient -r 1 -t 3 "127.0.0.1:${ports[0]}" auth testing123 2>&1)
  grep -q 'Received Access-Accept' <<<"$reply" || fail "PAP for bob: $reply"
  reply=$(echo 'User-Name = "bob", User-Password = "wrong"' |
    timeout 20 radclient -r 1 -t 3 "127.0.0.1:${ports[0]}" auth testing123 2>&1)
  grep -q 'Received Access-Reject' <<<"$reply" || fail "a wrong password: $reply"

  kill -INT -- "-$server_job"
  timeout 20 tail --pid="$server_job" -f /dev/null || fail "Ctrl+C did not end it"
  wait "$server_job" 2>/dev/null
  server_job=
  [ -z "$(ls -A "$home/tmp")" ] || fail "left behind: $(ls -A "$home/tmp")"
  pgrep -f "$home/tmp" >/dev/null && fail "a server process remains"
}

run_case "as $(id -un)" "$(id -un)"
if [ "$(id -u)" = 0 ]; then
  if id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
    run_case "as nobody" nobody
  else
    echo "skipped as nobody: no such user or no setpriv"
  fi
fi

finish "demo server: all checks pass"
