#!/usr/bin/env bash
# The whole update from trel-update.exe's window under Wine to the Linux stand-in printer, whose
# pseudo-terminal the Wine prefix maps as COM6; the frames the window records as they go out must
# be byte-identical to what the Linux `trel record` records of the same files.
# Environment: TREL_WINDOW_TESTS (win32_window_tests.exe), TREL_LINUX_BIN (the Linux trel and
#   trel-printer-sim), TREL_EXAMPLES_DIR, WINEPREFIX.
set -euo pipefail
: "${TREL_WINDOW_TESTS:?}" "${TREL_LINUX_BIN:?}" "${TREL_EXAMPLES_DIR:?}" "${WINEPREFIX:?}"
export WINEDEBUG=-all

work=$(mktemp -d)
sim=
cleanup() {
  [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A Linux path as Windows programs under Wine name it: drive Z: is the root.
windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

examples=$TREL_EXAMPLES_DIR
"$TREL_LINUX_BIN/trel" record --out "$work/expected.bin" --params "$examples/params.ini" \
  --keywords "$examples/keywords.xml" --more-keywords "keywords-extra1.xml;keywords-extra2.ini" \
  >/dev/null 2>&1
mkfifo "$work/sim.out"
"$TREL_LINUX_BIN/trel-printer-sim" --link "$WINEPREFIX/dosdevices/com6" >"$work/sim.out" &
sim=$!
exec {from_sim}<"$work/sim.out"
IFS= read -r -t 10 _ <&"$from_sim" || { echo "trel-printer-sim did not start" >&2; exit 1; }

output=$(TREL_WINDOW_PORT=com6 TREL_WINDOW_RECORDING="$(windows_path "$work/expected.bin")" \
  TREL_WINDOW_EXAMPLES="$(windows_path "$examples")" \
  timeout 120 wine "$TREL_WINDOW_TESTS" --gtest_filter='*WholeUpdateToTheStandInPrinter*' 2>&1) ||
  { echo "$output"; exit 1; }
echo "$output"
grep -q '\[  PASSED  \] 1 test' <<<"$output"
