# GoogleTest is built from the sources that Debian's googletest package ships,
# for the native build and the MinGW cross build alike.
set(ORVEX_GOOGLETEST_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ORVEX_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# orvex_add_unit_test(name SOURCES ... LIBS ... [LOCKS ...]): one GoogleTest
# program whose cases ctest lists one by one. Under the cross build they run
# through Wine. LOCKS names shared things (registry, display) that its cases
# must not use at the same time as other tests.
function(orvex_add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LOCKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  set(properties LABELS unit)
  if(ARG_LOCKS)
    list(APPEND properties RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES ${properties})
endfunction()
