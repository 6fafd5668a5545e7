# Linux builds take Debian's build flags with every hardening feature on, as a Debian package's
# programs are built (dpkg-buildflags: _FORTIFY_SOURCE, the strong stack protector, format checks,
# read-only relocations, immediate binding); the Debian package is made from such a build. They go
# where Debian's package builds put them, before the build type's own flags. Left out: sanitizer
# builds (the sanitizers do not support _FORTIFY_SOURCE, whose checked functions bypass their
# interceptors) and Debug builds (_FORTIFY_SOURCE without optimisation is a warning, so an error).
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NOT TREL_SANITIZE STREQUAL ""
    OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()
find_program(TREL_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TREL_DPKG_BUILDFLAGS)
  message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
  return()
endif()
# Run in the source folder, so that Debian's -ffile-prefix-map maps it to "." in the programs.
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
      ${TREL_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
