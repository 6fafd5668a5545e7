#!/usr/bin/env bash
# Installs what is missing for the programs, builds them into build/, starts the stand-in printer
# and sends examples/ to it with `trel send`, showing the progress and the outcome. Exits with
# trel's status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --demo
# Only the programs: a new build/ leaves out the tests and benchmarks (scripts/test.sh turns them
# on); a build/ that has them keeps them.
options=()
[ -f build/CMakeCache.txt ] || options=(-DTREL_BUILD_TESTS=OFF -DTREL_BUILD_BENCH=OFF)
scripts/build.sh build "${options[@]}"

sim_output=$(mktemp)
build/bin/trel-printer-sim >"$sim_output" &
sim_pid=$!
stop_sim() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -f "$sim_output"
}
trap stop_sim EXIT

# The stand-in printer prints its port path as its first line.
port=""
for _ in $(seq 100); do
  port=$(head -n 1 "$sim_output")
  [ -n "$port" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "trel-printer-sim did not start" >&2
  exit 1
fi
echo "stand-in printer on $port"

status=0
build/bin/trel send --port "$port" --params examples/params.ini \
  --keywords examples/keywords.xml --more-keywords "keywords-extra1.xml;keywords-extra2.ini" ||
  status=$?
echo "trel send exited with status $status"
exit "$status"
