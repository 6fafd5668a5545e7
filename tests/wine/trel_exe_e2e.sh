#!/usr/bin/env bash
# trel.exe under Wine against the Linux stand-in printer: the printer's pseudo-terminal is linked
# into the Wine prefix as a COM port (dosdevices/comN), so trel.exe's Win32 serial code talks to it
# as to a real port. Each case checks that trel.exe ends as the Linux trel does.
#
# Usage: trel_exe_e2e.sh CASE
#   CASE: serial-port | examples | port-names | refusal | dropped-answer | wrong-sequence |
#         hang-up | missing-port | ports | interrupt | record | several-printers | package |
#         installer
# Environment: TREL_EXE (trel.exe), TREL_SERIAL_TESTS (serial_port_com_tests.exe), TREL_LINUX_BIN
#   (the Linux trel and trel-printer-sim), TREL_EXAMPLES_DIR, TREL_CPACK_CONFIG (the Windows
#   build's CPackConfig.cmake), TREL_INSTALLER (the installer), WINEPREFIX.
set -euo pipefail

: "${TREL_EXE:?}" "${TREL_LINUX_BIN:?}" "${TREL_EXAMPLES_DIR:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all
readonly success="Download success."
# No case may hang the test run; a hang is a failure of its own.
readonly limit=120

work=$(mktemp -d)
sim_pids=()
sim_outs=()
stop_sim() {
  local index
  for index in "${!sim_pids[@]}"; do
    kill "${sim_pids[$index]}" 2>/dev/null || true
    wait "${sim_pids[$index]}" 2>/dev/null || true
    exec {sim_outs[$index]}<&-
  done
  sim_pids=()
  sim_outs=()
}
cleanup() {
  stop_sim
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# A Linux path as Windows programs under Wine name it: drive Z: is the root.
windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# Starts a stand-in printer, beside those already running, whose port the Wine prefix knows as the
# COM port $1 (lower case, as Wine's own links are); further arguments go to the printer. Sets
# sim_port to its Linux path. The printer creates the link and then prints its port path, so once
# that line is read the COM port exists.
add_sim() {
  local com=$1
  shift
  local fifo=$work/sim-$com.fifo
  rm -f "$fifo"
  mkfifo "$fifo"
  "$TREL_LINUX_BIN/trel-printer-sim" --link "$WINEPREFIX/dosdevices/$com" "$@" >"$fifo" &
  sim_pids+=($!)
  local out
  exec {out}<"$fifo"
  sim_outs+=("$out")
  IFS= read -r -t 10 sim_port <&"$out" || fail "trel-printer-sim did not start"
}

# Starts a stand-in printer in place of those before (see add_sim).
start_sim() {
  stop_sim
  add_sim "$@"
}

# Runs a command with the hang guard; sets status and output (stderr and stdout, CRs removed).
run() {
  status=0
  output=$(timeout "$limit" "$@" 2>&1) || status=$?
  output=${output//$'\r'/}
  [ "$status" -ne 124 ] || fail "$* did not end within $limit s"
}

trel_exe() {
  run wine "$TREL_EXE" "$@"
}

trel_linux() {
  run "$TREL_LINUX_BIN/trel" "$@"
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1: $output"
}

expect_text() {
  grep -qF -- "$1" <<<"$output" || fail "no \"$1\" in: $output"
}

same_files() {
  cmp -s "$1" "$2" || fail "$1 and $2 differ"
  [ -s "$1" ] || fail "$1 is empty"
}

# Two parameter items: the job is the clock frame, one data frame and the end frame.
two_items() {
  printf '[1]\r\nNameEn=item 1\r\nCommand=A\r\nDataMode=1\r\nIsValid=1\r\nIsHide=0\r\n'
  printf '[2]\r\nNameEn=item 2\r\nCommand=B\r\nDataMode=1\r\nIsValid=1\r\nIsHide=0\r\n'
}

# What one run of a send left: its status and its last line; with "frames", also how many frames
# it sent.
outcome() {
  echo -n "status $status, last line \"$(tail -n 1 <<<"$output")\""
  [ "$1" != frames ] || echo -n ", $(grep -c ' sent ' <<<"$output") frames"
}

# The same fault against the Linux trel and against trel.exe must end the same way. $1 says what
# counts: "frames" (the outcome and the frames sent) or "outcome" alone; $2 is the COM port; the
# rest goes to the printer.
fault_ends_as_on_linux() {
  local compared=$1 com=$2
  shift 2
  two_items >"$work/params.ini"
  start_sim "$com" "$@"
  trel_linux send --port "$sim_port" --params "$work/params.ini" --trace
  local linux
  linux=$(outcome "$compared")
  start_sim "$com" "$@"
  trel_exe send --port "$com" --params "$(windows_path "$work/params.ini")" --trace
  local windows
  windows=$(outcome "$compared")
  [ "$linux" = "$windows" ] || fail "Linux: $linux; Windows: $windows"
  echo "$*: $windows"
}

examples_args() {
  local folder=$1
  echo --params "$folder/params.ini" --keywords "$folder/keywords.xml" \
    --more-keywords "keywords-extra1.xml;keywords-extra2.ini"
}

case_examples() {
  start_sim com5
  # shellcheck disable=SC2046
  trel_exe send --port com5 --record "$(windows_path "$work/sent.bin")" \
    $(examples_args "$(windows_path "$TREL_EXAMPLES_DIR")")
  expect_status 0
  expect_text "$success"
  # shellcheck disable=SC2046
  trel_linux record --out "$work/recorded.bin" $(examples_args "$TREL_EXAMPLES_DIR")
  expect_status 0
  same_files "$work/sent.bin" "$work/recorded.bin"
}

# COM ports above 9 exist only in the device namespace; every spelling reaches the port.
# (Port numbers differ between cases, so that cases may run side by side.)
case_port_names() {
  two_items >"$work/params.ini"
  local params
  params=$(windows_path "$work/params.ini")
  local name
  for name in COM6 'com6' '\\.\COM6'; do
    start_sim com6
    trel_exe send --port "$name" --params "$params"
    expect_status 0
    expect_text "$success"
  done
  start_sim com12
  trel_exe send --port '\\.\COM12' --params "$params"
  expect_status 0
  expect_text "$success"
}

case_missing_port() {
  two_items >"$work/params.ini"
  trel_exe send --port com9 --params "$(windows_path "$work/params.ini")"
  expect_status 3
  expect_text "Error: Sorry,can't open the port,please try again."
  expect_text "com9: no such port"
}

# A printer's adapter as Windows keeps it in the registry, which Wine's setup interface lists.
readonly planted_adapter='HKLM\System\CurrentControlSet\Enum\USB\VID_067B&PID_2303'
remove_planted_adapter() {
  wine reg delete "$planted_adapter" /f >/dev/null 2>&1 || true
}

# The setup interface's "Ports" class is listed; Wine's holds no device, so --all and sn: find no
# printer and refuse the send, and `trel ports` says that no adapter is plugged in. With an adapter
# planted in the registry, the port is listed and the hint goes. (Wine reports no problem code for
# any device, so the hints of failed drivers are tested on made-up device data only.)
case_ports() {
  remove_planted_adapter
  trel_exe ports
  expect_status 0
  expect_text "no serial ports present"
  expect_text "hint: no USB serial adapter is present: plug in the printer's USB cable (Device Manager lists what is connected)"
  two_items >"$work/params.ini"
  trel_exe send --all --params "$(windows_path "$work/params.ini")"
  expect_status 2
  expect_text "--all: no port is a printer's"
  trel_exe send --port sn:A10K3Z7Q --params "$(windows_path "$work/params.ini")"
  expect_status 2
  expect_text "sn:A10K3Z7Q: no adapter has this serial number; no adapter with a serial number is present"

  trap 'remove_planted_adapter; cleanup' EXIT
  local key="$planted_adapter\\A10K3Z7Q"
  wine reg add "$key" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f >/dev/null
  wine reg add "$key" /v FriendlyName /d 'Prolific USB-to-Serial Comm Port (COM42)' /f >/dev/null
  wine reg add "$key\\Device Parameters" /v PortName /d COM42 /f >/dev/null
  trel_exe ports
  expect_status 0
  expect_text "Prolific USB-to-Serial Comm Port (COM42)  reported as com42"
  ! grep -qF "hint:" <<<"$output" || fail "a hint with a printer's adapter present: $output"
}

# Ctrl-C reaches a Windows console program as a console control event (Wine turns SIGINT into
# one): the job ends, the port is closed and the status is 130, as on Linux.
case_interrupt() {
  two_items >"$work/params.ini"
  start_sim com13 --delay 3000
  local fifo=$work/trel.fifo
  mkfifo "$fifo"
  wine "$TREL_EXE" send --port com13 --params "$(windows_path "$work/params.ini")" >"$fifo" 2>&1 &
  local trel=$! line started=0
  exec {trel_out}<"$fifo"
  # The printer holds each answer back for 3 s, so the job is still waiting when it is told to end.
  while IFS= read -r -t 30 line <&"$trel_out"; do
    if [[ $line == Downloading* ]]; then
      started=1
      break
    fi
  done
  [ "$started" -eq 1 ] || fail "trel.exe did not start the job"
  kill -INT "$trel"
  output=$(timeout "$limit" cat <&"$trel_out" | tr -d '\r')
  exec {trel_out}<&-
  status=0
  wait "$trel" || status=$?
  expect_status 130
}

# Two printers at once through two COM ports, with the update log and the events: both jobs
# succeed, every line parses, and the log's SHA-256 of the parameter list is sha256sum's.
case_several_printers() {
  two_items >"$work/params.ini"
  stop_sim
  add_sim com15
  add_sim com16 --delay 10
  local log=$work/log.jsonl
  status=0
  wine "$TREL_EXE" send --port com15 --port com16 --params "$(windows_path "$work/params.ini")" \
    --log "$(windows_path "$log")" --json >"$work/events.jsonl" 2>"$work/err.txt" || status=$?
  output=$(tr -d '\r' <"$work/err.txt")
  expect_status 0
  expect_text "com15: $success"
  expect_text "com16: $success"
  expect_text "2 of 2 printers updated"
  local digest
  digest=$(sha256sum "$work/params.ini" | cut -d' ' -f1)
  python3 - "$work/events.jsonl" "$log" "$digest" <<'PYTHON' || fail "the JSON lines do not hold what the jobs did"
import json, sys
events = [json.loads(line) for line in open(sys.argv[1])]
log = [json.loads(line) for line in open(sys.argv[2])]
outcomes = {e["port"]: e["ok"] for e in events if e["event"] == "outcome"}
assert outcomes == {"com15": True, "com16": True}, outcomes
assert sorted(line["port"] for line in log) == ["com15", "com16"], log
for line in log:
    assert line["ok"] and line["status"] == 0 and line["framesSent"] == 3, line
    assert line["files"][0]["sha256"] == sys.argv[3], line
PYTHON
}

# One set of files to record: the name of the set, then trel's file options for the Linux trel
# with Linux paths; the same options go to trel.exe with Windows paths.
record_both() {
  local name=$1
  shift
  local linux_args=("$@") windows_args=() arg
  for arg in "$@"; do
    if [[ $arg == /* ]]; then
      windows_args+=("$(windows_path "$arg")")
    else
      windows_args+=("$arg")
    fi
  done
  trel_linux record --out "$work/$name.linux.bin" "${linux_args[@]}"
  local linux=$status
  trel_exe record --out "$(windows_path "$work/$name.windows.bin")" "${windows_args[@]}"
  [ "$status" -eq "$linux" ] || fail "$name: Linux status $linux, Windows status $status: $output"
  if [ "$linux" -eq 0 ]; then
    same_files "$work/$name.linux.bin" "$work/$name.windows.bin"
  fi
  echo "$name: identical"
}

# Fixtures of the golden recordings, and names with letters beyond ASCII.
write_fixtures() {
  local dir=$work/fixtures
  mkdir -p "$dir" "$dir/Grüße"
  two_items >"$dir/two.ini"
  {
    printf '[1]\r\nNameEn=long\r\nCommand=%s\r\nDataMode=1\r\nIsValid=1\r\nIsHide=0\r\n' \
      "$(printf 'x%.0s' {1..96})"
    printf '[2]\r\nNameEn=hex\r\nCommand=1B40\r\nDataMode=0\r\nIsValid=1\r\nIsHide=0\r\n'
    printf '[3]\r\nNameEn=wide\r\nCommand=Grüße €\r\nDataMode=2\r\nIsValid=1\r\nIsHide=0\r\n'
    printf '[4]\r\nNameEn=utf8\r\nCommand=Grüße €\\r\\a\r\nDataMode=3\r\nIsValid=1\r\nIsHide=0\r\n'
  } >"$dir/mixed.ini"
  printf '[General]\r\nFirstKeyNum=1\r\n' >"$dir/main.ini"
  printf '[General]\r\nFirstKeyNum=2\r\n[KeyTrans1]\r\nKeyTrans=1\r\n1=ab\002xy\r\n[KeyTrans2]\r\nKeyTrans=0\r\n' \
    >"$dir/extra.ini"
  cp "$dir/two.ini" "$dir/Grüße/paramètres.ini"
  cp "$TREL_EXAMPLES_DIR/keywords.xml" "$dir/Grüße/clés.xml"
  cp "$dir/extra.ini" "$dir/Grüße/überzählig.ini"
}

case_record() {
  write_fixtures
  local dir=$work/fixtures ex=$TREL_EXAMPLES_DIR
  local extras="keywords-extra1.xml;keywords-extra2.ini"
  record_both examples --params "$ex/params.ini" --keywords "$ex/keywords.xml" --more-keywords "$extras"
  record_both examples-reboot --params "$ex/params.ini" --keywords "$ex/keywords.xml" \
    --more-keywords "$extras" --reboot --netprinter 1
  record_both two-items --params "$dir/two.ini"
  record_both mixed-modes --params "$dir/mixed.ini" --reboot
  record_both empty-slots --params "$dir/two.ini" --keywords "$dir/main.ini" \
    --more-keywords "extra.ini;;extra.ini;"
  record_both ten-names --params "$dir/two.ini" --keywords "$dir/extra.ini" \
    --more-keywords "$(printf 'extra.ini;%.0s' {1..9})extra.ini"
  record_both non-ascii-names --params "$dir/Grüße/paramètres.ini" \
    --keywords "$dir/Grüße/clés.xml" --more-keywords "überzählig.ini"
  record_both missing-keyword-file --params "$ex/params.ini" --keywords "$dir/missing.xml"
}

case_serial_port() {
  start_sim com14
  run env TREL_TEST_COM_PORT=com14 wine "$TREL_SERIAL_TESTS"
  echo "$output"
  expect_status 0
}

# The zip holds trel.exe, its README and the examples, and trel.exe runs from it alone: it imports
# no DLL of the compiler's runtime, and records the examples as the Linux trel does.
case_package() {
  (cd "$work" && cpack -G ZIP --config "$TREL_CPACK_CONFIG" >/dev/null)
  local zip
  zip=$(find "$work" -maxdepth 1 -name 'trel-*-windows-x64.zip')
  [ -n "$zip" ] || fail "cpack made no zip"
  mkdir "$work/unpacked"
  (cd "$work/unpacked" && cmake -E tar xf "$zip")
  local top
  top=$(find "$work/unpacked" -mindepth 1 -maxdepth 1 -type d)
  local entry
  for entry in trel.exe trel-update.exe README.txt LICENSE.txt examples/params.ini \
    examples/keywords.xml examples/keywords-extra1.xml examples/keywords-extra2.ini; do
    [ -f "$top/$entry" ] || fail "the zip has no $entry"
  done
  for program in trel.exe trel-update.exe; do
    if x86_64-w64-mingw32-objdump -p "$top/$program" | grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
      fail "$program needs the compiler's runtime DLLs"
    fi
  done
  # Names relative to the unpacked folder, with Windows' separator.
  cd "$top"
  run wine trel.exe record --out frames.bin --params 'examples\params.ini' \
    --keywords 'examples\keywords.xml' --more-keywords "keywords-extra1.xml;keywords-extra2.ini"
  cd "$work"
  expect_status 0
  # shellcheck disable=SC2046
  trel_linux record --out "$work/linux.bin" $(examples_args "$TREL_EXAMPLES_DIR")
  same_files "$top/frames.bin" "$work/linux.bin"
}

# Waits (30 s at most) until the command fails: an NSIS uninstaller copies itself to the temporary
# folder and returns at once, and removes the files from there.
wait_until_gone() {
  for _ in $(seq 150); do
    "$@" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

case_installer() {
  : "${TREL_INSTALLER:?}"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\trel-update'
  local folder="$WINEPREFIX/drive_c/Program Files/trel-update"
  local shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Printer Parameter Update.lnk"
  run wine "$TREL_INSTALLER" /S
  expect_status 0
  local entry
  for entry in trel-update.exe trel.exe README.txt LICENSE.txt uninstall.exe examples/params.ini \
    examples/keywords-extra2.ini; do
    [ -f "$folder/$entry" ] || fail "the installer put no $entry into Program Files"
  done
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  run wine reg query "$key"
  expect_status 0
  for entry in 'DisplayName.*Printer Parameter Update' 'DisplayVersion' 'Publisher.*trel-update' \
    'EstimatedSize' 'QuietUninstallString.*uninstall.exe" /S'; do
    grep -qE "$entry" <<<"$output" || fail "Apps & Features lacks $entry: $output"
  done
  run wine "$folder/uninstall.exe" /S
  expect_status 0
  wait_until_gone test -e "$folder" || fail "the uninstaller left $(ls -R "$folder")"
  [ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
  wait_until_gone wine reg query "$key" || fail "the uninstaller left $key"
}

case_name=${1:?a case name}
case "$case_name" in
  serial-port) case_serial_port ;;
  examples) case_examples ;;
  port-names) case_port_names ;;
  refusal) fault_ends_as_on_linux frames com7 --nak 2 ;;
  dropped-answer) fault_ends_as_on_linux frames com8 --drop 2 ;;
  wrong-sequence)
    fault_ends_as_on_linux frames com10 --wrong-seq 2
    fault_ends_as_on_linux frames com10 --wrong-seq 2 --wrong-seq 3
    ;;
  # Whether the answer sent just before the hang-up is still read varies (Linux reads it, Wine drops
  # it), and with it the frames sent; the job fails the same way.
  hang-up) fault_ends_as_on_linux outcome com11 --hang-up 2 ;;
  missing-port) case_missing_port ;;
  ports) case_ports ;;
  interrupt) case_interrupt ;;
  record) case_record ;;
  several-printers) case_several_printers ;;
  package) case_package ;;
  installer) case_installer ;;
  *) fail "no case $case_name" ;;
esac
echo "passed: $case_name"
