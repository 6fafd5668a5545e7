#!/usr/bin/env bash
# A longer fuzz campaign: builds the clang AddressSanitizer+UBSan configuration with the fuzz
# targets and runs each target for SECONDS (default 600) on its seeds, as many at once as there are
# processors; with target names, only those. New inputs land in build-asan/fuzz/found/<target>;
# crashes in build-asan/fuzz/crashes.
# Usage: scripts/fuzz.sh [SECONDS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DTREL_SANITIZE=address -DTREL_FUZZ=ON \
  -DTREL_BUILD_BENCH=OFF
mkdir -p build-asan/fuzz/crashes

# Runs one target and prints its executions; fails when it found a fault.
run_target() {
  local target=$1 name log runs status=0
  name=$(basename "$target")
  log="build-asan/fuzz/$name.log"
  mkdir -p "build-asan/fuzz/found/$name"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-asan/fuzz/crashes/$name-" \
    "build-asan/fuzz/found/$name" "tests/fuzz/corpus/$name" >"$log" 2>&1 || status=1
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  if [ "$status" -ne 0 ]; then
    echo "$name: FAILED after $runs executions (see $log)"
  else
    echo "$name: $runs executions in ${seconds}s"
  fi
  return "$status"
}

status=0
running=0
targets=(build-asan/fuzz/*_fuzz)
if [ "$#" -gt 0 ]; then
  targets=("${@/#/build-asan/fuzz/}")
fi
for target in "${targets[@]}"; do
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit "$status"
