# The same commit gives the same bytes, whatever the folder and the day:
# the linker stamps no time into the programs, the compiler writes the
# project's paths relative to its top, and __DATE__ and __TIME__ (the build
# date and time of every trace record) come from SOURCE_DATE_EPOCH, which
# GCC reads from its environment. When the caller does not set it, it is the
# time of the last commit; a copy without git history keeps the clock.
# The Windows programs only: they are what a release ships.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ORVEX_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE ORVEX_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()

if(NOT MINGW)
  return()
endif()
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)
if(ORVEX_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  foreach(language C CXX)
    set(CMAKE_${language}_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ORVEX_SOURCE_DATE_EPOCH})
  endforeach()
  # A release tree names the time in every compile command as well, so that
  # a new commit rebuilds what carries its date. Other trees keep their
  # objects from one commit to the next.
  if(ORVEX_RELEASE)
    add_compile_definitions(ORVEX_SOURCE_DATE_EPOCH=${ORVEX_SOURCE_DATE_EPOCH})
  endif()
elseif(ORVEX_RELEASE)
  message(WARNING "No SOURCE_DATE_EPOCH and no git history: this release build carries today's date.")
endif()
