#!/usr/bin/env bash
# Tries the desktop tool as an operator would: on a virtual laptop screen (1366 x 768) with a window
# manager (openbox), xdotool types and clicks against trel-printer-sim, and a screenshot of every
# step goes to OUT_DIR. It checks what a stray key or click must not break and what must never be
# lost or sent unseen:
#   - the whole window, title bar included, is on the 1366 x 768 screen, and on 1920 x 1080 at
#     QT_SCALE_FACTOR 1.5 and 2560 x 1440 at 2;
#   - during an update Enter, Space and Escape do nothing; Enter after "Download success." starts
#     the next update with Start, it never closes the tool through Exit;
#   - during an update the close box and Exit ask "An update is running. Stop it and close?":
#     No keeps the window and the update, Yes closes;
#   - Import of a file that cannot be read shows "Can't open:", of one without parameter items
#     "Sorry,no item.", and neither changes the working copy or the settings;
#   - pasted line breaks and non-hex characters of a HEX command do not reach the working copy;
#   - the table cannot be edited during an update; a list that cannot be stored is not sent;
#   - a keyword file that cannot be opened is asked about before anything is sent;
#   - unsaved edits are asked about before the window closes;
#   - a second start on the same tool folder says the tool is already running and ends;
#   - a tool folder that cannot be written is said at start-up;
#   - a refused frame is named under the error message.
# Exits non-zero when a check fails. Usage: scripts/window-check.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
out=$(realpath -m "${2:-$build/window-check}")
title='Printer Parameter Update'

# --- one screen of another size and scale: the window must be on it whole ---
if [ "${TREL_WINDOW_CHECK_SCREEN:-}" = fit ]; then
  work=$(mktemp -d)
  trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
  cp "$root"/examples/* "$work/"
  cp "$work/params.ini" "$work/TrelDefault.ini"
  openbox >/dev/null 2>&1 &
  sleep 1
  TREL_TOOL_DIR="$work" "$build/bin/trel-update" >/dev/null 2>&1 &
  window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name "^$title\$")
  sleep 2
  import -window root "$out/$3.png"
  eval "$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print "y=" $NF} /Height/ {print "h=" $NF}')"
  top_extent=$(xprop -id "$window" _NET_FRAME_EXTENTS | awk -F', ' '{print $3}')
  screen_height=${4#*x}
  echo "window at y=$y, ${h} high, title bar $top_extent, screen $screen_height high"
  [ $((y - top_extent)) -ge 0 ] && [ $((y + h)) -le "$screen_height" ]
  exit
fi

if [ "${TREL_WINDOW_CHECK_SCREEN:-}" != 1 ]; then
  for program in trel-update trel-printer-sim; do
    if [ ! -x "$build/bin/$program" ]; then
      echo "no $build/bin/$program: build it first (scripts/build.sh $build)" >&2
      exit 1
    fi
  done
  mkdir -p "$out"
  fits=0
  for screen in "1920x1080 1.5" "2560x1440 2"; do
    set -- $screen
    echo "== the window on $1 at a scale of $2 =="
    if TREL_WINDOW_CHECK_SCREEN=fit QT_SCALE_FACTOR=$2 xvfb-run -a -s "-screen 0 ${1}x24" \
      env -u QT_QPA_PLATFORM "$0" "$build" "$out" "fit-$1-x$2" "$1"; then
      echo "ok: the whole window is on the screen"
    else
      echo "FAILED: the whole window is on the screen"
      fits=1
    fi
  done
  TREL_WINDOW_CHECK_SCREEN=1 xvfb-run -a -s "-screen 0 1366x768x24" \
    env -u QT_QPA_PLATFORM "$0" "$build" "$out" || exit
  exit "$fits"
fi

# --- on the virtual laptop screen ---
work=$(mktemp -d)
folder="$work/printer-setup"
mkdir "$folder"
started=()
cleanup() {
  chmod -R u+w "$folder" 2>/dev/null || true
  for pid in "${started[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$root"/examples/* "$folder/"
cp "$folder/params.ini" "$folder/TrelDefault.ini"
settings() {
  printf '[PRN]\r\nPrnFile1=%s\r\nXmlFile2=%s\r\n[INI]\r\nIniFile=%s\r\n' "$folder/keywords.xml" \
    "${1:-}" "$folder/params.ini" >"$folder/TrelTool.ini"
}
settings

openbox >/dev/null 2>&1 &
started+=($!)
# The window manager must be up before the tool's window appears, or nothing frames and raises it.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
# Each answer comes 300 ms late, so an update lasts long enough to press keys during it.
start_printer() {
  "$build/bin/trel-printer-sim" --link "$folder/ttyPRINTER" --delay 300 --log "$folder/frames.log" \
    "$@" >"$work/printer.out" 2>&1 &
  printer=$!
  started+=("$printer")
  for _ in $(seq 50); do
    [ -e "$folder/ttyPRINTER" ] && return
    sleep 0.1
  done
}
start_printer

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
# Waits until `count` windows are named `name` (10 s at most).
wait_windows() {
  for _ in $(seq 50); do
    [ "$(windows_named "$1")" -eq "$2" ] && return 0
    sleep 0.2
  done
  return 1
}
# A parameter's command as the working copy holds it (UTF-8, or UTF-16 after an Import).
stored_command() {
  local text=(cat)
  [ "$(head -c 2 "$folder/TrelDefault.ini" | od -An -tx1 | tr -d ' ')" = fffe ] &&
    text=(iconv -f UTF-16 -t UTF-8)
  "${text[@]}" <"$folder/TrelDefault.ini" | tr -d '\r' |
    awk -v section="[$1]" '$0 == section {in_section = 1; next} /^\[/ {in_section = 0}
      in_section && /^Command=/ {sub(/^Command=/, ""); print}'
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
  window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name "^$title\$")
  timeout 20 xdotool windowactivate --sync "$window"
  eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH, HEIGHT
  sleep 1
}

# Places measured on this virtual screen's fonts, in the client area of the fitted window: Exit,
# Start, the Port box and Import; the table's rows (row 1 at the top, 20 pixels apart), its check boxes and its
# CommandStr column; the box under the table, Change and Save. The close box is in the title bar.
exit_x=947 exit_y=32 start_x=853 start_y=32 port_x=185 port_y=32 import_x=900 import_y=77
row_y() { echo $((298 + 20 * ($1 - 1))); }
check_x=44 command_x=485 box_x=415 box_y=660 change_x=845 change_y=645 save_x=920 save_y=663

echo "== The window on the 1366 x 768 screen =="
start_tool
shot 00-fits-1366x768
eval "$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print "y=" $NF} /Height/ {print "h=" $NF}')"
top_extent=$(xprop -id "$window" _NET_FRAME_EXTENTS | awk -F', ' '{print $3}')
check "the whole window, title bar included, is on the screen" \
  test $((y - top_extent)) -ge 0 -a $((y + h)) -le 768

echo "== Start from the keyboard, stray keys during the update, Enter after it =="
shot 01-started
xdotool type --delay 20 "$folder/ttyPRINTER" # the Port box has the focus
xdotool key Tab Tab Tab Return               # to Start, and press it
check "Start from the keyboard started the update" wait_frames_beyond 2
xdotool key Return space Escape
sleep 0.5
shot 02-keys-during-update
check "Enter, Space and Escape leave the window during an update" \
  test "$(windows_named "$title")" -eq 1
echo "== The table cannot be edited during the update =="
click_at "$command_x" "$(row_y 2)"
xdotool type --delay 20 "77"
xdotool key Return
shot 03-no-edit-during-update
wait_update_end 2
check "a click on a command during the update opened no editor" test "$(stored_command 2)" = 1B40
shot 04-update-ended
done_frames=$(frames)
xdotool key Return
check "Enter after the update started the next one" wait_frames_beyond "$done_frames"
shot 05-enter-after-success
check "... and left the window open" test "$(windows_named "$title")" -eq 1

echo "== Close box and Exit during the update =="
xdotool key Escape
click_at $((WIDTH - 10)) -11 # the close box
sleep 1
shot 06-close-box-asks
check "the close box asks first" test "$(windows_named "$title")" -eq 2
xdotool key Return # No, the default
sleep 0.5
before=$(frames)
sleep 1
check "No keeps the window and the update" \
  test "$(windows_named "$title")" -eq 1 -a "$(frames)" -gt "$before"
click_at "$exit_x" "$exit_y"
sleep 1
shot 07-exit-asks
check "Exit asks first" test "$(windows_named "$title")" -eq 2
xdotool key y # Yes
check "Yes closes the tool" wait_gone "$tool"

echo "== Import of a file that cannot be read, and of one without parameter items =="
working_copy=$(md5sum <"$folder/TrelDefault.ini")
saved_settings=$(md5sum <"$folder/TrelTool.ini")
: >"$folder/empty.ini"
start_tool
n=8
for name in missing.ini empty.ini; do
  click_at "$import_x" "$import_y"
  sleep 1.5
  xdotool type --delay 20 "$folder/$name"
  xdotool key Return
  sleep 1
  shot "0$n-import-$name"
  n=$((n + 1))
  check "Import of $name says Error" test "$(windows_named Error)" -eq 1
  xdotool key Return
  sleep 0.5
done
check "the working copy and the settings are as they were" \
  test "$(md5sum <"$folder/TrelDefault.ini")" = "$working_copy" -a \
  "$(md5sum <"$folder/TrelTool.ini")" = "$saved_settings"

echo "== Pasted line breaks and non-hex characters stay out =="
click_at "$command_x" "$(row_y 7)" # Shop name, UTF8: its edit box opens
printf 'Line one\nLine two' | xclip -selection clipboard
xdotool key ctrl+a ctrl+v Return
sleep 0.3
shot 10-line-breaks-removed
click_at "$command_x" "$(row_y 2)" # Initialise printer, HEX
xdotool type --delay 20 "1G 2z"
xdotool key Return
sleep 0.3
shot 11-hex-digits-only
click_at "$save_x" "$save_y"
sleep 0.5
check "the pasted text was stored without its line break" \
  test "$(stored_command 7)" = "Line oneLine two"
check "the HEX command was stored with its digits only" test "$(stored_command 2)" = 12

echo "== Leaving with unsaved edits asks first =="
click_at "$check_x" "$(row_y 3)" # a check box: an edit
xdotool key Escape
sleep 1
shot 12-unsaved-edits-asked
check "Escape with unsaved edits asks" test "$(windows_named "$title")" -eq 2
xdotool key Return # Cancel, the default
sleep 0.5
check "Cancel keeps the window" test "$(windows_named "$title")" -eq 1

echo "== A list that cannot be stored is not sent =="
chmod a-w "$folder/TrelDefault.ini"
before=$(frames)
click_at "$port_x" "$port_y"
xdotool key ctrl+a
xdotool type --delay 20 "$folder/ttyPRINTER"
click_at "$start_x" "$start_y"
sleep 1
shot 13-save-fail-at-start
check "Start says Save fail." test "$(windows_named 'Save ini file')" -eq 1
xdotool key Return
sleep 2
check "... and sends nothing" test "$(frames)" -eq "$before"
chmod u+w "$folder/TrelDefault.ini"

echo "== A keyword file that cannot be opened is asked about first =="
click_at "$save_x" "$save_y" # stores the edit, so the next question is the keyword file's
kill "$tool"
wait "$tool" 2>/dev/null || true
settings "missing.xml;"
before=$(frames)
start_tool
xdotool type --delay 20 "$folder/ttyPRINTER"
click_at "$start_x" "$start_y"
sleep 1
shot 14-keyword-file-asked
check "Start names the missing keyword file" test "$(windows_named "$title")" -eq 2
xdotool key Return # No, the default
sleep 2
check "... and No sends nothing" test "$(frames)" -eq "$before"

echo "== A second start on the same tool folder =="
TREL_TOOL_DIR="$folder" "$build/bin/trel-update" >"$work/second.out" 2>&1 &
second=$!
started+=("$second")
check "the second start says the tool is already running" wait_windows "$title" 2
shot 15-second-start
xdotool key Return
check "... and ends" wait_gone "$second"
check "... with the folder in its message" grep -q "already running with the folder $folder" \
  "$work/second.out"
kill "$tool"
wait "$tool" 2>/dev/null || true

echo "== A refused frame is named under the error message =="
kill "$printer"
wait "$printer" 2>/dev/null || true
settings
start_printer --nak 3
start_tool
xdotool type --delay 20 "$folder/ttyPRINTER"
click_at "$start_x" "$start_y"
check "the refused frame ends in an Error box" wait_windows Error 1
shot 16-refused-frame-named
xdotool key Return
kill "$tool"
wait "$tool" 2>/dev/null || true

echo "== A tool folder that cannot be written =="
chmod a-w "$folder"
start_tool
shot 17-folder-cannot-be-written
xdotool key Escape
check "without an update or edits Escape closes the tool" wait_gone "$tool"
chmod u+w "$folder"

echo "screenshots in $out"
if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
