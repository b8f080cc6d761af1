#!/usr/bin/env bash
# Installs the Debian packages Pellion needs; only what is missing.
#   scripts/setup.sh [runtime] [build] [test]    (no argument: all three)
# runtime: running Pellion; build: building it and its package; test: the test suites.
set -euo pipefail

runtime=(
  libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins
  libsqlite3-0 libtalloc2 libfreeradius3 freeradius-common libqt6charts6 libssl3
  xdg-utils fonts-noto-cjk qt6-translations-l10n
)
build=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev libqt6opengl6-dev
  libsqlite3-dev
  libfreeradius-dev libtalloc-dev libpcre3-dev libssl-dev
  librsvg2-bin dpkg-dev ccache
)
test=(
  libgtest-dev libgmock-dev libbenchmark-dev
  freeradius freeradius-utils openssl eapoltest
  xvfb xauth imagemagick xdotool
  desktop-file-utils appstream libxml2-utils
  clang libclang-rt-14-dev clang-tidy clang-format
)

[ $# -gt 0 ] || set -- runtime build test
wanted=()
for set_name in "$@"; do
  case $set_name in
    runtime) wanted+=("${runtime[@]}") ;;
    build) wanted+=("${build[@]}") ;;
    test) wanted+=("${test[@]}") ;;
    *) echo "setup.sh: unknown package set '$set_name' (runtime, build, test)" >&2; exit 2 ;;
  esac
done

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "This is not a Debian or Ubuntu system (no dpkg-query/apt-get): nothing was installed." >&2
  echo "Install these packages (Debian 12 names) with your system's package manager:" >&2
  echo "  ${wanted[*]}" >&2
  exit 1
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${wanted[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "These packages are missing and installing them needs root; run as root:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi

# Tells whether freeradius is among the missing: only a server we install is kept from
# starting at boot; one the user had stays as it was.
installs_server=0
for p in "${missing[@]}"; do [ "$p" != freeradius ] || installs_server=1; done

# A policy-rc.d that refuses every start keeps the server package from starting a
# system-wide daemon while it installs; ours goes on any exit, failed or not.
policy=${PELLION_POLICY_RC_D:-/usr/sbin/policy-rc.d}
remove_policy() { "${as_root[@]}" rm -f "$policy"; }
if [ ! -e "$policy" ]; then
  trap remove_policy EXIT
  echo 'exit 101' | "${as_root[@]}" tee "$policy" >/dev/null
  "${as_root[@]}" chmod +x "$policy"
fi

"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

if [ "$installs_server" = 1 ]; then
  # The package enables a RADIUS server on 1812 at boot; Pellion's tests and demo server
  # run their own, and a user's own server must find the port free.
  if command -v systemctl >/dev/null; then
    "${as_root[@]}" systemctl disable freeradius.service >/dev/null 2>&1 || true
  fi
  if command -v update-rc.d >/dev/null; then
    "${as_root[@]}" update-rc.d freeradius disable >/dev/null 2>&1 || true
  fi
fi
