#!/usr/bin/env bash
# Installs the Debian packages that are missing: with --demo only what building the programs and
# running the demo need (scripts/demo.sh); without it also what the tests, the Debian package and
# the Windows build need (scripts/test.sh). The Windows build also needs the sources of Debian's
# tinyxml package, so for it source entries are enabled as well: a copy of the machine's own Debian
# entry with "Types: deb-src" (whatever mirror it names).
# Usage: scripts/install-deps.sh [--demo]
set -euo pipefail
demo_only=false
case "${1:-}" in
  --demo) demo_only=true ;;
  "") ;;
  *)
    echo "usage: $0 [--demo]" >&2
    exit 2
    ;;
esac
# The programs, with their manual pages and icons; ccache for every build; dpkg-dev for Debian's
# build flags.
packages=(cmake g++ make pkg-config ccache dpkg-dev qt6-base-dev libtinyxml-dev libcli11-dev
  nlohmann-json3-dev nettle-dev scdoc librsvg2-bin)
$demo_only || packages+=(
  # the tests and benchmarks; clang for the sanitizer build with the fuzz targets, and its formatter
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
  # the window on a virtual screen (scripts/window-check.sh, scripts/screenshot.sh)
  xvfb xauth imagemagick xdotool xclip openbox x11-utils
  # the checks of the Debian package (scripts/check-package.sh): lintian, hardening-check, ...
  lintian devscripts desktop-file-utils appstream man-db udev
  # the Windows build, its tests under Wine, the zip and the installer
  g++-mingw-w64-x86-64-posix wine64 wine fonts-wine googletest zip nsis)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

source_list=/etc/apt/sources.list.d/trel-update-deb-src.sources
need_update=0
if ! $demo_only && ! apt-cache showsrc tinyxml 2>/dev/null | grep -q '^Package: tinyxml'; then
  debian_entry=/etc/apt/sources.list.d/debian.sources
  if [ -f "$debian_entry" ]; then
    sed 's/^Types:.*$/Types: deb-src/' "$debian_entry" | "${sudo_cmd[@]}" tee "$source_list" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/trel-update-deb-src.list >/dev/null
  fi
  need_update=1
fi

if ((${#missing[@]})) || ((need_update)); then
  "${sudo_cmd[@]}" apt-get update -qq
fi
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
