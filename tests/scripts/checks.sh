# Sourced by the script tests: a work directory removed at exit, and fail/finish to count
# failed checks and end with the right status.
work=$(mktemp -d)
cleanup_steps=()
trap 'for step in "${cleanup_steps[@]}"; do eval "$step"; done; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL${case_name:+ [$case_name]}: $*" >&2; failures=$((failures + 1)); }
finish() {
  [ "$failures" = 0 ] && echo "$1"
  exit $((failures > 0))
}
