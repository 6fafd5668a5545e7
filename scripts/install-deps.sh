#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the demo and the Debian package need; installs
# only what is missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev libtinyxml-dev libcli11-dev libgtest-dev libgmock-dev
  libbenchmark-dev clang libclang-rt-14-dev clang-format xvfb xauth imagemagick xdotool openbox x11-utils
  # the package: manual pages, icons, dependencies, and the checks of scripts/check-package.sh
  scdoc librsvg2-bin dpkg-dev lintian desktop-file-utils appstream man-db udev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
