#!/usr/bin/env bash
# Installs what is missing and builds the Debian package build/trel-update_<version>_<arch>.deb:
# builds the plain build folder (scripts/build.sh build, with any cmake options given) and lets
# CPack gather the programs and the package's files there. Prints the package's path last; with
# --install, installs the package with apt-get afterwards.
# Usage: scripts/package.sh [--install] [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
install=false
if [ "${1:-}" = "--install" ]; then
  install=true
  shift
fi
scripts/install-deps.sh
# The package's dates (changelog, metainfo) are the last commit's, so a rebuild gives the same ones.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export SOURCE_DATE_EPOCH
scripts/build.sh build "$@"
(cd build && cpack -G DEB >cpack.log) || {
  cat build/cpack.log >&2
  exit 1
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="build/trel-update_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
  echo "CPack did not write $deb" >&2
  exit 1
fi
if $install; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "./$deb"
fi
echo "$deb"
