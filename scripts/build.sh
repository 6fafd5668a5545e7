#!/usr/bin/env bash
# Configures and builds one variant, compiling through ccache (its cache in ccache's own folder,
# ~/.cache/ccache, kept between runs), so that a rebuild of the same sources is quick.
# Usage: scripts/build.sh BUILD_DIR [cmake options...] [-- targets...]   (default: all targets)
set -euo pipefail
dir=$1
shift
options=()
while (($#)) && [ "$1" != -- ]; do
  options+=("$1")
  shift
done
targets=()
if (($#)); then
  shift
  for target in "$@"; do
    targets+=(--target "$target")
  done
fi
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
