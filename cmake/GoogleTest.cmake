# GoogleTest from Debian's sources, built with the project's own compiler so that the same
# suites run natively and, cross-built, under wine.
set(ZEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Environment of every test: the Windows leg runs under wine with a Russian user locale, so
# the ANSI code page is windows-1251 and the system's messages are Russian.
set(ZEL_TEST_ENVIRONMENT "")
if(WIN32)
  set(ZEL_WINEPREFIX "$ENV{HOME}/.cache/zelxml-wine" CACHE PATH "Wine prefix of the test leg")
  list(APPEND ZEL_TEST_ENVIRONMENT "WINEPREFIX=${ZEL_WINEPREFIX}" "WINEDEBUG=-all"
       "LC_ALL=ru_RU.UTF-8" "WINEDLLOVERRIDES=mscoree,mshtml=")
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
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ZEL_TEST_ENVIRONMENT}" TIMEOUT 900)
endfunction()
