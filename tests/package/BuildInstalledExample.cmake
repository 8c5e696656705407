# Installs the build's XML library into a fresh prefix, builds the example program against it
# as an outside project does, runs it on the catalogue and compares what it prints and saves
# with the expected files beside it.
# cmake -DBUILD_DIR=... -DWORK=... -DEXAMPLE=... -DGENERATOR=... -DCOMPILER=... -DBUILD_TYPE=...
#       [-DTOOLCHAIN=...] [-DFLAGS=...] [-DEMULATOR=...] -P BuildInstalledExample.cmake
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                  ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}\n${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

# Line ends as the Windows runtime writes them count as line feeds.
function(expect_same_text what actual expected_file)
  file(READ "${expected_file}" expected)
  string(REPLACE "\r\n" "\n" actual "${actual}")
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n${actual}\nexpected:\n${expected}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run("cmake --install" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK}/prefix")

set(configure -S "${EXAMPLE}" -B "${WORK}/build" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${WORK}/prefix" "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}")
if(TOOLCHAIN)
  list(APPEND configure "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}")
else()
  list(APPEND configure "-DCMAKE_CXX_COMPILER=${COMPILER}")
endif()
if(FLAGS)
  list(APPEND configure "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}")
endif()
run("configuring the example" ${CMAKE_COMMAND} ${configure})
run("building the example" ${CMAKE_COMMAND} --build "${WORK}/build")

file(GLOB program "${WORK}/build/xml-outline" "${WORK}/build/xml-outline.exe")
run("the example" ${EMULATOR} ${program} "${EXAMPLE}/../catalog.xml" "${WORK}/counted.xml")
string(REPLACE "${WORK}/counted.xml" "COUNTED" output "${output}")
expect_same_text("the example printed" "${output}" "${EXAMPLE}/xml-outline.out")
file(READ "${WORK}/counted.xml" saved)
file(READ "${EXAMPLE}/counted-catalog.xml" expected_saved)
if(NOT saved STREQUAL expected_saved)
  message(FATAL_ERROR "the example saved:\n${saved}\nexpected:\n${expected_saved}")
endif()
