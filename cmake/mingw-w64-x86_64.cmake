# Cross-compiles for 64-bit Windows with mingw-w64. The POSIX-threads variant of the compiler is
# the one whose standard library has std::thread and std::timed_mutex. Programs are linked
# statically, so trel.exe and each test program run without a DLL beside them.
#
# Libraries built for Windows (GoogleTest, TinyXML, CLI11's headers) are looked for under the
# prefixes in CMAKE_FIND_ROOT_PATH (scripts/build-windows.sh passes its own), never in the host's
# /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TREL_MINGW_TRIPLE}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests run under Wine, in a Wine prefix of the build folder's own, quietly.
find_program(TREL_WINE_PROGRAM wine REQUIRED)
set(TREL_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine" CACHE PATH "The Wine prefix the tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${TREL_WINE_PREFIX} WINEDEBUG=-all
  bash ${CMAKE_CURRENT_LIST_DIR}/wine-test-run.sh ${TREL_WINE_PROGRAM})
