#!/usr/bin/env bash
# scripts/demo-server.sh laid out as installed (beside pellion-demo-config): it prints its
# endpoint, answers a PAP request from its demo user, and Ctrl+C ends it with nothing left.
#   demo_server_test.sh SCRIPT TOOL
set -uo pipefail
script=$1
tool=$2
[ -x /usr/sbin/freeradius ] && command -v radclient >/dev/null || { echo "no FreeRADIUS server or radclient"; exit 77; }
source "$(dirname "$0")/checks.sh"
server_job=
cleanup_steps+=('[ -z "$server_job" ] || kill -TERM -- "-$server_job" 2>/dev/null')

mkdir -p "$work/installed" "$work/tmp"
cp "$script" "$work/installed/demo-server.sh"
cp "$tool" "$work/installed/pellion-demo-config"
ports=(28120 28130 47990)

# Its own process group, as in a terminal, so that the interrupt reaches it as Ctrl+C would.
set -m
TMPDIR=$work/tmp "$work/installed/demo-server.sh" "${ports[@]}" >"$work/out" 2>&1 &
server_job=$!
set +m

if ! timeout 30 grep -m1 -q 'Ready to process requests' <(tail -F -n +1 "$work/out" 2>/dev/null); then
  fail "the server did not become ready"; cat "$work/out" >&2
fi
for shown in "port ${ports[0]}" "port ${ports[1]}" "port ${ports[2]}" "Shared secret: *testing123"; do
  grep -q "$shown" "$work/out" || fail "does not print '$shown'"
done

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
[ -z "$(ls -A "$work/tmp")" ] || fail "left behind: $(ls -A "$work/tmp")"
pgrep -f "$work/tmp" >/dev/null && fail "a server process remains"

finish "demo server: all checks pass"
