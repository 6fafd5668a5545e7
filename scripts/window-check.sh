#!/usr/bin/env bash
# Tries the desktop tool as an operator would: on a virtual screen with a window manager (openbox),
# xdotool types and clicks against trel-printer-sim, and a screenshot of every step goes to OUT_DIR.
# It checks what a stray key or click must not break:
#   - during an update Enter, Space and Escape do nothing; Enter after "Download success." starts
#     the next update with Start, it never closes the tool through Exit;
#   - during an update the close box and Exit ask "An update is running. Stop it and close?":
#     No keeps the window and the update, Yes closes;
#   - Import of a file that cannot be read shows "Can't open:" and changes neither the working copy
#     nor the settings.
# Exits non-zero when a check fails. Usage: scripts/window-check.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
out=$(realpath -m "${2:-$build/window-check}")

if [ "${TREL_WINDOW_CHECK_SCREEN:-}" != 1 ]; then
  for program in trel-update trel-printer-sim; do
    if [ ! -x "$build/bin/$program" ]; then
      echo "no $build/bin/$program: build it first (scripts/build.sh $build)" >&2
      exit 1
    fi
  done
  mkdir -p "$out"
  TREL_WINDOW_CHECK_SCREEN=1 exec xvfb-run -a -s "-screen 0 1280x900x24" \
    env -u QT_QPA_PLATFORM "$0" "$build" "$out"
fi

# --- on the virtual screen ---
work=$(mktemp -d)
folder="$work/printer-setup"
mkdir "$folder"
started=()
cleanup() {
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$root"/examples/* "$folder/"
cp "$folder/params.ini" "$folder/TrelDefault.ini"
printf '[PRN]\r\nPrnFile1=%s\r\n[INI]\r\nIniFile=%s\r\n' "$folder/keywords.xml" \
  "$folder/params.ini" >"$folder/TrelTool.ini"

openbox >/dev/null 2>&1 &
started+=($!)
# The window manager must be up before the tool's window appears, or nothing frames and raises it.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
# Each answer comes 300 ms late, so an update lasts long enough to press keys during it.
"$build/bin/trel-printer-sim" --link "$folder/ttyPRINTER" --delay 300 \
  --log "$folder/frames.log" >"$work/printer.out" 2>&1 &
started+=($!)

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}
shot() { import -window root "$out/$1.png"; }
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
frames() { if [ -f "$folder/frames.log" ]; then wc -l <"$folder/frames.log"; else echo 0; fi; }
# Waits until the stand-in printer has had more than `count` frames (30 s at most).
wait_frames_beyond() {
  local count=$1
  for _ in $(seq 150); do
    [ "$(frames)" -gt "$count" ] && return 0
    sleep 0.2
  done
  return 1
}
# Waits until the stand-in printer has had more than `after` frames and then none for 2 s.
wait_update_end() {
  local last=-1 now
  wait_frames_beyond "$1"
  while now=$(frames) && [ "$now" != "$last" ]; do
    last=$now
    sleep 2
  done
}
# A place in the window's client area, in pixels from its top left corner.
click_at() { xdotool mousemove --window "$window" -- "$1" "$2" click 1; }
wait_gone() {
  local pid=$1
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.2
  done
  return 1
}

start_tool() {
  TREL_TOOL_DIR="$folder" "$build/bin/trel-update" >>"$work/tool.out" 2>&1 &
  tool=$!
  started+=("$tool")
  window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 \
    --name '^Printer Parameter Update$')
  timeout 20 xdotool windowmove --sync "$window" 40 40 # the title bar and its close box in view
  timeout 20 xdotool windowactivate --sync "$window"
  eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
  sleep 1
}

# Places measured on this virtual screen's fonts: Exit and Import in the client area, the close
# box in the title bar above it.
exit_x=947 exit_y=32 import_x=900 import_y=78

echo "== Start from the keyboard, stray keys during the update, Enter after it =="
start_tool
shot 01-started
xdotool type --delay 20 "$folder/ttyPRINTER" # the Port box has the focus
xdotool key Tab Tab Tab Return               # to Start, and press it
check "Start from the keyboard started the update" wait_frames_beyond 2
xdotool key Return space Escape
sleep 0.5
shot 02-keys-during-update
check "Enter, Space and Escape leave the window during an update" \
  test "$(windows_named 'Printer Parameter Update')" -eq 1
wait_update_end 2
shot 03-update-ended
done_frames=$(frames)
xdotool key Return
check "Enter after the update started the next one" wait_frames_beyond "$done_frames"
shot 04-enter-after-success
check "... and left the window open" test "$(windows_named 'Printer Parameter Update')" -eq 1

echo "== Close box and Exit during the update =="
xdotool key Escape
click_at $((WIDTH - 10)) -11 # the close box
sleep 1
shot 05-close-box-asks
check "the close box asks first" test "$(windows_named 'Printer Parameter Update')" -eq 2
xdotool key Return # No, the default
sleep 0.5
before=$(frames)
sleep 1
check "No keeps the window and the update" \
  test "$(windows_named 'Printer Parameter Update')" -eq 1 -a "$(frames)" -gt "$before"
click_at "$exit_x" "$exit_y"
sleep 1
shot 06-exit-asks
check "Exit asks first" test "$(windows_named 'Printer Parameter Update')" -eq 2
xdotool key y # Yes
check "Yes closes the tool" wait_gone "$tool"

echo "== Import of a file that cannot be read =="
working_copy=$(md5sum <"$folder/TrelDefault.ini")
settings=$(md5sum <"$folder/TrelTool.ini")
start_tool
click_at "$import_x" "$import_y"
sleep 1.5
xdotool type --delay 20 "$folder/missing.ini"
xdotool key Return
sleep 1
shot 07-import-cant-open
check "Import of a missing file says Error" test "$(windows_named Error)" -eq 1
xdotool key Return
sleep 0.5
shot 08-after-import-refused
check "the working copy and the settings are as they were" \
  test "$(md5sum <"$folder/TrelDefault.ini")" = "$working_copy" -a \
  "$(md5sum <"$folder/TrelTool.ini")" = "$settings"
xdotool key Escape
check "without an update Escape closes the tool" wait_gone "$tool"

echo "screenshots in $out"
if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
