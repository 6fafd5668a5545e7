# Where the Debian package puts things. The package installs below /usr whatever
# CMAKE_INSTALL_PREFIX says; udev's rules folder is the one the machine's udev names.
include(GNUInstallDirs)
set(TREL_PACKAGE_PREFIX /usr)
set(TREL_PACKAGE_PROGRAM_FOLDER ${TREL_PACKAGE_PREFIX}/${CMAKE_INSTALL_BINDIR})

find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_get_variable(TREL_UDEV_DIR udev udevdir)
endif()
if(NOT TREL_UDEV_DIR)
  set(TREL_UDEV_DIR /lib/udev)
endif()
set(TREL_UDEV_RULES_DIR ${TREL_UDEV_DIR}/rules.d)
