# A script error ends xtra-host with status 1 and names the script's line on the error output,
# after what ran before it was printed.
# cmake -DPROGRAM=... [-DEMULATOR=...] -DWORK=folder -P RunFailingScript.cmake
file(WRITE "${WORK}/failing.ls" "put 1\nput 2 +\nput 3\n")
file(WRITE "${WORK}/stops.ls" "put \"before\"\nx = undefinedVariable\nput \"after\"\n")
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" "${WORK}/failing.ls"
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT output STREQUAL "" OR NOT errors MATCHES "failing.ls:2: ")
  message(FATAL_ERROR "a script that does not parse: ${status}\n${output}\n${errors}")
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" "${WORK}/stops.ls"
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT output STREQUAL "-- \"before\"\n" OR NOT errors MATCHES "stops.ls:2: ")
  message(FATAL_ERROR "a script that fails: ${status}\n${output}\n${errors}")
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" --module "${WORK}/no-such-module"
                INPUT_FILE "${WORK}/stops.ls" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "a module that cannot be loaded: ${status}")
endif()
