#!/usr/bin/env bash
# A longer fuzz campaign: builds the clang AddressSanitizer+UBSan configuration with the fuzz
# targets and runs each target for SECONDS (default 600) on its seeds, one after the other.
# New inputs land in build-asan/fuzz/found/<target>; crashes in build-asan/fuzz/crashes.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DTREL_SANITIZE=address -DTREL_FUZZ=ON \
  -DTREL_BUILD_BENCH=OFF
mkdir -p build-asan/fuzz/crashes
status=0
for target in build-asan/fuzz/*_fuzz; do
  name=$(basename "$target")
  mkdir -p "build-asan/fuzz/found/$name"
  log="build-asan/fuzz/$name.log"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-asan/fuzz/crashes/$name-" \
    "build-asan/fuzz/found/$name" "tests/fuzz/corpus/$name" >"$log" 2>&1; then
    status=1
    echo "$name: FAILED (see $log)"
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  echo "$name: $runs executions in ${seconds}s"
done
exit "$status"
