#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, the whole suite again under
# AddressSanitizer+UBSan, the threaded tests under ThreadSanitizer, and then the Windows build with
# its tests under Wine. Prints how long each stage took. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

stage_times=()
current_stage=""
current_start=0
print_stage_times() {
  if [ -n "$current_stage" ]; then
    stage_times+=("$current_stage: $((SECONDS - current_start)) s (failed)")
  fi
  ((${#stage_times[@]})) || return 0
  echo "== time per stage =="
  printf '  %s\n' "${stage_times[@]}"
}
trap print_stage_times EXIT

# Runs one stage: its name, then the command. A failure ends the script (set -e); the times so far,
# the failed stage's included, are printed on the way out.
stage() {
  current_stage=$1
  current_start=$SECONDS
  shift
  echo "== $current_stage =="
  "$@"
  stage_times+=("$current_stage: $((SECONDS - current_start)) s")
  current_stage=""
}

run_ctest() {
  (cd "$1" && shift && ctest --output-on-failure --timeout 300 -j2 "$@")
}

plain() {
  scripts/build.sh build
  run_ctest build
}

address_sanitizer() {
  scripts/build.sh build-asan -DTREL_SANITIZE=address -DTREL_BUILD_BENCH=OFF
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest build-asan
}

thread_sanitizer() {
  scripts/build.sh build-tsan -DTREL_SANITIZE=thread -DTREL_BUILD_BENCH=OFF
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest build-tsan -L threaded
}

# The Windows build with its tests under Wine; its end-to-end tests use the plain build's Linux trel
# and trel-printer-sim.
windows() {
  scripts/test-windows.sh build-win build
}

stage "install dependencies" scripts/install-deps.sh
stage "plain build" plain
stage "AddressSanitizer + UndefinedBehaviorSanitizer" address_sanitizer
stage "ThreadSanitizer (threaded tests)" thread_sanitizer
stage "Windows build, tests under Wine" windows
