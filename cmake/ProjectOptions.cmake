# Options every target of the project links: the include root, warnings as errors, and the
# sanitizers of the asan preset. Third-party code (GoogleTest) does not link this.
add_library(zel_options INTERFACE)
target_include_directories(zel_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(zel_options INTERFACE -Wall -Wextra -Werror)

if(WIN32)
  # The module must load on a bare Windows: no runtime DLLs besides the system's own.
  target_link_options(zel_options INTERFACE -static -static-libgcc -static-libstdc++)
  # ... and on every Windows that Director ran on, from XP up: the headers then declare nothing
  # newer, and every program and module carries the toolchain's one newer import itself.
  target_compile_definitions(zel_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                                                   _WIN32_WINNT=0x0501 WINVER=0x0501)
  set(zel_linked_types EXECUTABLE SHARED_LIBRARY MODULE_LIBRARY)
  target_sources(zel_options INTERFACE
    "$<$<IN_LIST:$<TARGET_PROPERTY:TYPE>,${zel_linked_types}>:${PROJECT_SOURCE_DIR}/src/platform/win32/TickCount64Import.cpp>")
else()
  # Each load of a module gets state of its own, as on Windows: no symbol of the standard
  # library's headers may bind the module to the process (which would keep dlclose from
  # unloading it).
  target_compile_options(zel_options INTERFACE $<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)
endif()

if(ZEL_SANITIZE)
  set(ZEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                          -fno-omit-frame-pointer)
  if(ZEL_FUZZ)
    list(APPEND ZEL_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${ZEL_SANITIZER_FLAGS})
  add_link_options(${ZEL_SANITIZER_FLAGS})
endif()
