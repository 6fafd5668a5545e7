#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build, the Debian package built,
# installed and removed again (scripts/check-package.sh), the whole suite again under
# AddressSanitizer+UBSan built with clang (with the fuzz targets), the threaded tests under
# ThreadSanitizer, and then the Windows build with its tests under Wine. Prints how long each stage
# took. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
stage_started=$SECONDS
# Prints how long the stage before took, then the next stage's title.
stage() {
  echo "   (took $((SECONDS - stage_started)) s)"
  stage_started=$SECONDS
  echo "== $1 =="
}
# A build without tests (a build/ that scripts/demo.sh made, say) fails here instead of passing.
run_ctest() {
  (cd "$1" && shift && ctest --output-on-failure --no-tests=error --timeout 300 -j2 "$@")
}
echo "== plain build =="
# The tests and benchmarks on, also in a build/ that scripts/demo.sh made with the programs alone.
scripts/build.sh build -DTREL_BUILD_TESTS=ON -DTREL_BUILD_BENCH=ON
run_ctest build
stage "Debian package"
scripts/check-package.sh
stage "AddressSanitizer + UndefinedBehaviorSanitizer (clang), with the fuzz targets"
# clang, so the libFuzzer targets build inside this configuration; each runs on its seeds and then
# briefly (ctest label "fuzz").
scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DTREL_SANITIZE=address -DTREL_FUZZ=ON \
  -DTREL_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest build-asan
stage "ThreadSanitizer (threaded tests)"
scripts/build.sh build-tsan -DTREL_SANITIZE=thread -DTREL_BUILD_BENCH=OFF -- trel_threaded_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_ctest build-tsan -L threaded
stage "Windows build, tests under Wine"
# Its end-to-end tests use the plain build's Linux trel and trel-printer-sim.
scripts/test-windows.sh build-win build
echo "   (took $((SECONDS - stage_started)) s; whole run $SECONDS s)"
