# The zip for Windows users (cpack -G ZIP in the Windows build): trel.exe and the window
# trel-update.exe, its README, the licence (LICENSE as LICENSE.txt, which Windows opens with a
# double click) and the examples; unpacked, the window keeps its settings beside itself. The
# programs are linked statically, so they need no DLL beside them; they are stripped in the zip.
# The installer (packaging/windows/trel-update.nsi) takes the same files.
install(TARGETS trel RUNTIME DESTINATION .)
if(TARGET trel-update)
  install(TARGETS trel-update RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME trel)
set(CPACK_PACKAGE_VENDOR trel-update)
set(CPACK_PACKAGE_FILE_NAME trel-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
