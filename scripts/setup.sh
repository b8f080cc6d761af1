#!/usr/bin/env bash
# Installs the Debian packages Pellion needs to build, run and test; only what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libsqlite3-dev
  libfreeradius-dev libtalloc-dev libpcre3-dev libssl-dev
  freeradius freeradius-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  xdg-utils fonts-noto-cjk
  xvfb xauth imagemagick xdotool
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  # The server package must not start a system-wide daemon on install; tests run their own.
  had_policy=0; [ -e /usr/sbin/policy-rc.d ] && had_policy=1
  [ "$had_policy" = 1 ] || echo exit 101 | "${sudo_cmd[@]}" tee /usr/sbin/policy-rc.d >/dev/null
  "${sudo_cmd[@]}" chmod +x /usr/sbin/policy-rc.d
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  [ "$had_policy" = 1 ] || "${sudo_cmd[@]}" rm -f /usr/sbin/policy-rc.d
fi
