# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh) writes
# trel-update_<version>_<arch>.deb there. Its dependencies are found by dpkg-shlibdeps from the
# programs' libraries, never written by hand.
set(package_programs trel trel-printer-sim)
if(TARGET trel-update)
  list(APPEND package_programs trel-update)
endif()
install(TARGETS ${package_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trel-update)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${TREL_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure a receipt printer over a USB serial link")
set(CPACK_PACKAGE_DESCRIPTION
  "trel-update sends a receipt printer a new set of parameters and print-format\n"
  "keyword tables over a USB-to-serial cable, frame by frame, each acknowledged by\n"
  "the printer. The package holds the desktop tool trel-update, the command line\n"
  "trel for terminals and scripts, and trel-printer-sim, a stand-in printer on a\n"
  "pseudo-terminal. Its udev rules give the logged-in user access to the printers'\n"
  "USB serial adapters and keep ModemManager away from them.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TREL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
