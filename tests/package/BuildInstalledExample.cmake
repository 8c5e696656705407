# Installs the build's XML library into a fresh prefix and uses it as an outside project does,
# with nothing of the source tree on its include path:
#   - the installed headers are exactly the ones the package names (HEADERS), no internal one
#     besides them;
#   - each of them compiles alone, warnings as errors, and an internal header is not found;
#   - the example program builds against the package, runs on the catalogue, and prints and
#     saves what the expected files beside it hold.
# cmake -DBUILD_DIR=... -DWORK=... -DEXAMPLE=... -DHEADERS=a.h,b.h,... -DGENERATOR=...
#       -DCOMPILER=... -DBUILD_TYPE=... [-DTOOLCHAIN=...] [-DFLAGS=...] [-DEMULATOR=...]
#       -P BuildInstalledExample.cmake
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

# Configures and builds the project in source into build, as every outside project here is.
function(build_outside_project what source build)
  set(configure -S "${source}" -B "${build}" -G "${GENERATOR}"
      "-DCMAKE_PREFIX_PATH=${WORK}/prefix" "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}")
  if(TOOLCHAIN)
    list(APPEND configure "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}")
  else()
    list(APPEND configure "-DCMAKE_CXX_COMPILER=${COMPILER}")
  endif()
  if(FLAGS)
    list(APPEND configure "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}")
  endif()
  run("configuring ${what}" ${CMAKE_COMMAND} ${configure})
  run("building ${what}" ${CMAKE_COMMAND} --build "${build}" --parallel 2)
endfunction()

function(expect_installed_headers include_dir)
  string(REPLACE "," ";" expected "${HEADERS}")
  file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${include_dir}" "${include_dir}/*")
  set(extra ${installed})
  list(REMOVE_ITEM extra ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  if(extra OR missing)
    message(FATAL_ERROR "the installed headers differ from the package's list:\n"
                        "installed but not listed: ${extra}\nlisted but not installed: ${missing}")
  endif()
endfunction()

# A project with one source per installed header that includes it and nothing else, and a
# target that includes an internal header, which must not be found.
function(check_headers_alone include_dir)
  string(REPLACE "," ";" headers "${HEADERS}")
  set(project "${WORK}/headers")
  set(sources "")
  foreach(header IN LISTS headers)
    string(MAKE_C_IDENTIFIER "${header}" name)
    file(WRITE "${project}/${name}.cpp" "#include \"${header}\"\n")
    list(APPEND sources "${name}.cpp")
  endforeach()
  file(WRITE "${project}/internal.cpp" "#include \"XmlDom/XmlContentReader.h\"\n")
  list(JOIN sources " " sources)
  file(WRITE "${project}/CMakeLists.txt" "\
cmake_minimum_required(VERSION 3.25)
project(installed_headers LANGUAGES CXX)
find_package(zelXML 1.0 REQUIRED)
add_library(each_header OBJECT ${sources})
target_link_libraries(each_header PRIVATE zelXML::XmlDom)
target_compile_options(each_header PRIVATE -Wall -Wextra -Werror)
add_library(internal_header OBJECT EXCLUDE_FROM_ALL internal.cpp)
target_link_libraries(internal_header PRIVATE zelXML::XmlDom)
")
  build_outside_project("each installed header alone" "${project}" "${WORK}/headers-build")
  execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK}/headers-build" --target internal_header
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(status EQUAL 0 OR NOT "${output}${errors}" MATCHES "XmlContentReader.h")
    message(FATAL_ERROR "an internal header was found through the package (${status}):\n"
                        "${output}\n${errors}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
run("cmake --install" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK}/prefix")
set(include_dir "${WORK}/prefix/include/zelXML")
expect_installed_headers("${include_dir}")
check_headers_alone("${include_dir}")
build_outside_project("the example" "${EXAMPLE}" "${WORK}/build")

file(GLOB program "${WORK}/build/xml-outline" "${WORK}/build/xml-outline.exe")
run("the example" ${EMULATOR} ${program} "${EXAMPLE}/../catalog.xml" "${WORK}/counted.xml")
string(REPLACE "${WORK}/counted.xml" "COUNTED" output "${output}")
expect_same_text("the example printed" "${output}" "${EXAMPLE}/xml-outline.out")
file(READ "${WORK}/counted.xml" saved)
file(READ "${EXAMPLE}/counted-catalog.xml" expected_saved)
if(NOT saved STREQUAL expected_saved)
  message(FATAL_ERROR "the example saved:\n${saved}\nexpected:\n${expected_saved}")
endif()
