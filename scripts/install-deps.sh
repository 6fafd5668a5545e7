#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the demo and the Debian package need; installs
# only what is missing. The Windows build also needs the sources of Debian's tinyxml package, so
# source entries are enabled as well: a copy of the machine's own Debian entry with "Types: deb-src"
# (whatever mirror it names).
set -euo pipefail
packages=(cmake g++ make pkg-config ccache qt6-base-dev libtinyxml-dev libcli11-dev libgtest-dev libgmock-dev
  nlohmann-json3-dev nettle-dev
  libbenchmark-dev clang libclang-rt-14-dev clang-format xvfb xauth imagemagick xdotool xclip openbox x11-utils
  # the package: manual pages, icons, build flags, dependencies, and the checks of
  # scripts/check-package.sh (lintian, hardening-check from devscripts, ...)
  scdoc librsvg2-bin dpkg-dev lintian devscripts desktop-file-utils appstream man-db udev
  # the Windows build and its tests under Wine
  g++-mingw-w64-x86-64-posix wine64 wine googletest zip)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

source_list=/etc/apt/sources.list.d/trel-update-deb-src.sources
need_update=0
if ! apt-cache showsrc tinyxml 2>/dev/null | grep -q '^Package: tinyxml'; then
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
