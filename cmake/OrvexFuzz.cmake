# orvex_add_fuzz_target(name SOURCES ... LIBS ...): a libFuzzer program
# fuzz_<name> with its seeds in tests/fuzz/corpus/<name>, and a short smoke
# run of it for ctest. scripts/fuzz.sh runs every target for longer.
set(ORVEX_FUZZ_SMOKE_SECONDS 10 CACHE STRING "Seconds of the smoke run of each fuzz target")

function(orvex_add_fuzz_target name)
  if(NOT ORVEX_FUZZ OR WIN32)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${name} ${ARG_SOURCES})
  target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(regressions ${PROJECT_SOURCE_DIR}/tests/fuzz/regressions/${name})
  # The smoke reads the seeds and the inputs that once found a fault, and
  # writes what it finds into the build tree, never into the sources.
  set(work ${CMAKE_BINARY_DIR}/fuzz-smoke/${name})
  add_test(NAME fuzz.${name}.smoke
    COMMAND ${PROJECT_SOURCE_DIR}/tests/fuzz/smoke.sh ${ORVEX_FUZZ_SMOKE_SECONDS}
            $<TARGET_FILE:fuzz_${name}> ${work} ${corpus} ${regressions})
  set_tests_properties(fuzz.${name}.smoke PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
