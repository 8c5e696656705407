# Runs xtra-host (under the emulator, for the Windows build) on one example script and compares
# what it prints with the expected output beside the script.
# cmake -DPROGRAM=... [-DEMULATOR=...] -DSCRIPT=x.ls -P RunExample.cmake
string(REGEX REPLACE "\\.ls$" ".out" expected_file "${SCRIPT}")
file(READ "${expected_file}" expected)
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --utf8 "${SCRIPT}"
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xtra-host ended with ${status}:\n${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "xtra-host printed:\n${output}\nexpected:\n${expected}\n${errors}")
endif()
