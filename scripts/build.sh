#!/usr/bin/env bash
# Configures and builds one variant, compiling through ccache (its cache in ccache's own folder,
# ~/.cache/ccache, kept between runs), so that a rebuild of the same sources is quick.
# Usage: scripts/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
dir=$1
shift
cmake -S "$(dirname "$0")/.." -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
