#!/usr/bin/env bash
# Takes docs/main-window-windows.png: trel-update.exe under Wine on a virtual laptop screen
# (1366 x 768) with a window manager, with the examples loaded from a tool folder of its own, as
# docs/main-window.png shows the Linux window. It uses a Wine prefix of its own, drawn by Wine's X11
# driver (the test prefix uses the null driver), with Wine's own fonts, so the dialog's
# "MS Shell Dlg" is Tahoma as on Windows.
# Usage: scripts/screenshot-windows.sh [WINDOWS_BUILD_DIR]   (default: build-win)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
program="$build/bin/trel-update.exe"
if [ ! -f "$program" ]; then
  echo "no $program: build it first (scripts/build-windows.sh)" >&2
  exit 1
fi
# shellcheck source=scripts/example-tool-folder.sh
. "$root/scripts/example-tool-folder.sh"
cp "$program" "$folder/"
printf '[PRN]\r\nPrnFile1=%s\r\nXmlFile2=%s\r\nOpenSel=1\r\n[INI]\r\nIniFile=%s\r\n' \
  'C:\printer-setup\keywords.xml' "keywords-extra1.xml;keywords-extra2.ini" \
  'C:\printer-setup\params.ini' >"$folder/TrelTool.ini"

export WINEPREFIX=$build/wine-screenshot WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  env -u DISPLAY wineboot --init >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver --wait
fi
# The folder as drive C: sees it, so the paths in the picture name no folder of this machine.
rm -rf "$WINEPREFIX/drive_c/printer-setup"
ln -s "$folder" "$WINEPREFIX/drive_c/printer-setup"
xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  sleep 1
  TREL_TOOL_DIR="C:\\printer-setup" wine "C:\\printer-setup\\trel-update.exe" &
  tool=$!
  sleep 6
  import -window root -trim +repage "$1"
  kill "$tool" "$manager"
  wineserver --kill
  wait || true
' shot "$folder/main-window-windows.png"
rm -f "$WINEPREFIX/drive_c/printer-setup"
mv "$folder/main-window-windows.png" "$root/docs/main-window-windows.png"
echo "wrote docs/main-window-windows.png"
