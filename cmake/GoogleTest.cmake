# GoogleTest from Debian's sources, built with the project's own compiler so that the same
# suites run natively and, cross-built, under wine.
set(ZEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Environment of every test: the Windows leg runs under wine with a Russian user locale, so
# the ANSI code page is windows-1251 and the system's messages are Russian; scripts/wine sets
# that up, in the prefix of the way this machine runs wine (ZEL_WINE_MODE: native, or emulated
# where 32-bit programs run under qemu, several times slower).
set(ZEL_TEST_ENVIRONMENT "")
set(ZEL_TEST_TIMEOUT 900)
if(WIN32)
  set(ZEL_WINE_MODE "" CACHE STRING "How wine runs here: native or emulated (empty: ask)")
  set(zel_wine_mode ${ZEL_WINE_MODE})
  if(NOT zel_wine_mode)
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-emulation mode
                    OUTPUT_VARIABLE zel_wine_mode OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  if(NOT zel_wine_mode MATCHES "^(native|emulated)$")
    message(FATAL_ERROR "ZEL_WINE_MODE must be native or emulated, not '${zel_wine_mode}'")
  endif()
  if(zel_wine_mode STREQUAL "emulated")
    set(ZEL_TEST_TIMEOUT 3600)
  endif()
  # A wine start that hangs is stopped, and named, a little before ctest would kill it.
  math(EXPR zel_wine_timeout "${ZEL_TEST_TIMEOUT} - 60")
  list(APPEND ZEL_TEST_ENVIRONMENT "ZEL_WINE_MODE=${zel_wine_mode}"
       "ZEL_WINE_TIMEOUT=${zel_wine_timeout}")
else()
  list(APPEND ZEL_TEST_ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
       "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
endif()

# zel_add_test(name SOURCES ... LIBS ...): one test program, one ctest entry (a wine start
# costs about a second, so cases are not registered one by one).
function(zel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zel_test_main ${ARG_LIBS} zel_options)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ZEL_TEST_ENVIRONMENT}"
                                           TIMEOUT ${ZEL_TEST_TIMEOUT})
endfunction()
