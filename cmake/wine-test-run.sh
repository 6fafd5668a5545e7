#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest: wine-test-run.sh WINE PROGRAM [ARGS...].
# A test program prints a line as it starts. One that fails without a single byte of output never
# got that far: once in a few thousand runs Wine gives up on a program before it runs, and with
# WINEDEBUG=-all says nothing. Such a run is named and tried once more with Wine's errors shown;
# a program that printed anything keeps its status.
set -uo pipefail
wine=$1
shift
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$wine" "$@" >"$output" 2>&1
status=$?
cat "$output"
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
  echo "Wine ended the program with status $status before it printed anything; trying once more"
  WINEDEBUG=err+all "$wine" "$@"
  status=$?
fi
exit "$status"
