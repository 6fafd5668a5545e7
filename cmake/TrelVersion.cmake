# The project's one version (project() above) as a header for the programs' --version.
configure_file(${PROJECT_SOURCE_DIR}/cmake/trel_version.h.in
  ${PROJECT_BINARY_DIR}/generated/version/trel_version.h @ONLY)
add_library(trel_version INTERFACE)
target_include_directories(trel_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
