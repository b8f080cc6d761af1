#!/usr/bin/env bash
# Runs a private FreeRADIUS server on 127.0.0.1 for a first test of Pellion, as you, in the
# foreground, from a configuration of its own (the one the tests use; nothing from
# /etc/freeradius, so no sudo); Ctrl+C ends it and removes its files. Demo users:
# bob / hello (PAP, CHAP, EAP-MD5) and simuser (EAP-SIM with fixed triplets).
# Help > "Load Example Tasks" in Pellion makes tasks aimed at it.
#   demo-server.sh [AUTH-PORT ACCT-PORT COA-PORT]   (default 18120 18130 37990)
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)

tool=
for candidate in "$here/pellion-demo-config" "$here/../dist/pellion-demo-config" \
                 "$here/../build/src/demoserver/pellion-demo-config"; do
  if [ -x "$candidate" ]; then tool=$candidate; break; fi
done
if [ -z "$tool" ]; then
  echo "pellion-demo-config not found: build first (scripts/start.sh or scripts/build.sh)." >&2
  exit 1
fi
server=/usr/sbin/freeradius
if [ ! -x "$server" ]; then
  echo "The FreeRADIUS server is not installed: sudo apt install freeradius (or scripts/setup.sh test)." >&2
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/pellion-demo-server.XXXXXX")
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

while IFS='=' read -r key value; do
  case $key in
    raddb) raddb=$value ;;
    auth_port) auth_port=$value ;;
    acct_port) acct_port=$value ;;
    coa_port) coa_port=$value ;;
    secret) secret=$value ;;
  esac
done < <("$tool" "$work" "$@")
[ -n "${raddb:-}" ] || exit 1

cat <<TEXT
Pellion demo server on 127.0.0.1
  Authentication and Status-Server: port $auth_port
  Accounting:                       port $acct_port
  CoA and Disconnect:               port $coa_port
  Shared secret:                    $secret
  Users: bob / hello (PAP, CHAP, EAP-MD5), simuser (EAP-SIM)
Press Ctrl+C to stop it.
TEXT

# In the background so that the traps run on Ctrl+C; its output comes here all the same.
"$server" -X -d "$raddb" </dev/null &
server_pid=$!
wait "$server_pid"
