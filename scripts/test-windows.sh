#!/usr/bin/env bash
# Builds the Windows build (scripts/build-windows.sh) and runs its tests under Wine.
# Usage: scripts/test-windows.sh [BUILD_DIR [LINUX_BUILD_DIR]]   (defaults: build-win, build)
#   The end-to-end tests use LINUX_BUILD_DIR's trel and trel-printer-sim, so build that first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
linux_build=$(realpath -m "${2:-$root/build}")
"$root/scripts/build-windows.sh" "$build" "$linux_build"
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# One Wine server for the whole run, so that each test program starts at once. Wine's own services
# start with the first program and would keep that program's output pipes open, so that CTest
# waited on them; started here, with their output elsewhere, they hold no test's pipes.
wineserver --kill >/dev/null 2>&1 || true  # a server still up from an earlier run of this prefix
# The server writes what it still holds whenever it ends; that goes to a file beside the build.
wineserver --persistent >"$build/wineserver.log" 2>&1
trap 'wineserver --kill' EXIT
wineboot >/dev/null 2>&1
cd "$build"
ctest --output-on-failure --timeout 300 -j2
