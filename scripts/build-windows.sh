#!/usr/bin/env bash
# Builds the engine for Windows with mingw-w64 into build-win/ (or BUILD_DIR): trel.exe, the unit
# tests, the end-to-end tests that run trel.exe under Wine, and the zip for Windows users. The
# window is not built (there is no Qt for Windows among Debian's packages). The libraries come from
# Debian and are built once with the cross compiler into BUILD_DIR/deps: GoogleTest from the
# googletest package's sources, TinyXML from the tinyxml source package with Debian's patches, and
# CLI11's and nlohmann-json's headers.
# Usage: scripts/build-windows.sh [BUILD_DIR [LINUX_BUILD_DIR]]
#   LINUX_BUILD_DIR (default build/) holds the Linux trel and trel-printer-sim the Wine tests use.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
linux_build=$(realpath -m "${2:-$root/build}")
deps=$build/deps
prefix=$deps/prefix
toolchain=$root/cmake/mingw-w64-x86_64.cmake
triple=x86_64-w64-mingw32
jobs=$(nproc)
# Every compilation goes through ccache, as the Linux builds' do (scripts/build.sh).
launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
mkdir -p "$prefix/include" "$prefix/lib"

build_googletest() {
  [ -f "$prefix/lib/libgtest.a" ] && return
  echo "building GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$deps/googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "${launcher[@]}" >/dev/null
  cmake --build "$deps/googletest" -j"$jobs" >/dev/null
  cmake --install "$deps/googletest" >/dev/null
}

# apt-get source unpacks with dpkg-source, which applies debian/patches/series in order, as the
# Debian build does; the library is then built from the files the Debian build compiles, with the
# same TIXML_USE_STL.
build_tinyxml() {
  [ -f "$prefix/lib/libtinyxml.a" ] && return
  echo "building TinyXML for Windows from Debian's source package"
  local work=$deps/tinyxml
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$work" && apt-get source -qq tinyxml 2>&1) | grep -v '^W: Download is performed unsandboxed' || true
  local source
  source=$(find "$work" -maxdepth 1 -type d -name 'tinyxml-*' | head -n 1)
  if [ -z "$source" ] || [ ! -f "$source/.pc/applied-patches" ]; then
    echo "the tinyxml source package could not be fetched and patched (are deb-src entries enabled?" \
      "scripts/install-deps.sh enables them)" >&2
    exit 1
  fi
  local objects=()
  for unit in tinyxml tinyxmlparser tinyxmlerror; do
    ccache "$triple-g++-posix" -O2 -DTIXML_USE_STL -c "$source/$unit.cpp" -o "$work/$unit.o"
    objects+=("$work/$unit.o")
  done
  "$triple-ar" rcs "$prefix/lib/libtinyxml.a" "${objects[@]}"
  install -m 644 "$source/tinyxml.h" "$prefix/include/"
}

install_cli11() {
  [ -f "$prefix/share/cmake/CLI11/CLI11Config.cmake" ] && return
  mkdir -p "$prefix/share/cmake"
  cp -r /usr/include/CLI "$prefix/include/"
  cp -r /usr/share/cmake/CLI11 "$prefix/share/cmake/"
}

# nlohmann-json is header-only: its headers and CMake package are used as they are.
install_nlohmann_json() {
  [ -f "$prefix/share/cmake/nlohmann_json/nlohmann_jsonConfig.cmake" ] && return
  mkdir -p "$prefix/share/cmake"
  cp -r /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
}

# A Wine prefix of our own, made once without any window or download prompt. Its windows go to
# Wine's null display driver, so the window's tests need no X server; Wine's own fonts go into its
# font folder, so that the dialogs' "MS Shell Dlg" is Tahoma, as on Windows.
prepare_wine() {
  export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  [ -f "$WINEPREFIX/system.reg" ] && return
  echo "preparing the Wine prefix"
  env -u DISPLAY wineboot --init >/dev/null 2>&1
  env -u DISPLAY wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver --wait
}

build_googletest
build_tinyxml
install_cli11
install_nlohmann_json
prepare_wine
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_FIND_ROOT_PATH="$prefix" -DTREL_BUILD_BENCH=OFF \
  -DTREL_LINUX_BUILD_DIR="$linux_build" "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$jobs"
# The zip for Windows users: the programs, their README, the licence and the examples.
(cd "$build" && cpack -G ZIP >/dev/null)
echo "made $(find "$build" -maxdepth 1 -name 'trel-*-windows-x64.zip')"
# The installer, of the same files and the window's icon.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage=$build/installer-files
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$build/src/win32/trel-update.ico" \
  -DOUTFILE="$build/trel-update-$version-setup.exe" "$root/packaging/windows/trel-update.nsi"
echo "made $build/trel-update-$version-setup.exe"
