#!/usr/bin/env bash
# Takes docs/main-window.png: the desktop tool on a virtual screen, with the examples loaded from a
# tool folder of its own (TREL_TOOL_DIR), so the operator's own settings are never touched. The
# examples are copied to /tmp/printer-setup, so the paths in the picture name no folder of the
# machine it was taken on.
# Usage: scripts/screenshot.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool="$build/bin/trel-update"
if [ ! -x "$tool" ]; then
  echo "no $tool: build it first (scripts/build.sh $build)" >&2
  exit 1
fi
# shellcheck source=scripts/example-tool-folder.sh
. "$root/scripts/example-tool-folder.sh"
printf '[PRN]\r\nPrnFile1=%s\r\nXmlFile2=%s\r\nOpenSel=1\r\n[INI]\r\nIniFile=%s\r\n' \
  "$folder/keywords.xml" "keywords-extra1.xml;keywords-extra2.ini" \
  "$folder/params.ini" >"$folder/TrelTool.ini"

# On a laptop's screen (1366 x 768) with a window manager, as most operators see it; -trim cuts the
# empty screen around the window and its frame.
TREL_TOOL_DIR="$folder" xvfb-run -a -s "-screen 0 1366x768x24" env -u QT_QPA_PLATFORM bash -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  "$1" &
  tool=$!
  sleep 3
  import -window root -trim +repage "$2"
  kill "$tool" "$manager"
  wait "$tool" "$manager" || true
' shot "$tool" "$folder/main-window.png"
mv "$folder/main-window.png" "$root/docs/main-window.png"
echo "wrote docs/main-window.png"
