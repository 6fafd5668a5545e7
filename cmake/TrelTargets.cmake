# Compiler settings shared by every target of ours: warnings are errors, C++20.
function(trel_target_settings target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# A static library of one subsystem, rooted at src/.
function(trel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  trel_target_settings(${name})
endfunction()

# Builds every test program labelled "threaded" and what it runs, and no other: the
# ThreadSanitizer run needs no more.
add_custom_target(trel_threaded_tests)

# A GoogleTest executable; LABELS "threaded" puts it in the ThreadSanitizer run too.
function(trel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  trel_target_settings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(properties ENVIRONMENT "TREL_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if("threaded" IN_LIST ARG_LABELS)
    add_dependencies(trel_threaded_tests ${name})
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties}
    DISCOVERY_TIMEOUT 60)
endfunction()
