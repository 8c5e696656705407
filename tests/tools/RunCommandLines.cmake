# The tools as programs: bad arguments named, help, and text in the console's encoding by
# default. Natively the test runs in a UTF-8 locale, so the default is UTF-8; under wine the
# output is a pipe and the ANSI code page windows-1251, so the default is the module's bytes.
# cmake -DXTRA_HOST=... -DZELXML=... [-DEMULATOR=...] -DWORK=folder -P RunCommandLines.cmake
function(run)
  execute_process(COMMAND ${EMULATOR} ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  string(REPLACE "\r\n" "\n" output "${output}")
  string(REPLACE "\r\n" "\n" errors "${errors}")
  set(output "${output}" PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
  set(status "${status}" PARENT_SCOPE)
endfunction()

# expect(what CONDITION...): the condition as if() reads it.
function(expect what)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${what}: status ${status}\n${output}\n${errors}")
  endif()
endfunction()

if(EMULATOR)
  set(default_option --raw)
else()
  set(default_option --utf8)
endif()

# xtra-host: the argument that is wrong, and what was expected.
run(${XTRA_HOST} --run-mode browser)
string(FIND "${errors}" "xtra-host: --run-mode takes author or projector, not \"browser\"\n\nusage:" at)
expect("--run-mode browser" status EQUAL 2 AND at EQUAL 0)
run(${XTRA_HOST} --module)
string(FIND "${errors}" "--module needs the PATH of a module" at)
expect("--module without its path" status EQUAL 2 AND at GREATER -1)
run(${XTRA_HOST} --fast)
string(FIND "${errors}" "unknown option \"--fast\"" at)
expect("an unknown option" status EQUAL 2 AND at GREATER -1)
run(${XTRA_HOST} --help)
string(FIND "${output}" "usage: xtra-host" at)
expect("--help" status EQUAL 0 AND at EQUAL 0)

# xtra-host: a Russian message as the console reads it.
file(WRITE "${WORK}/message.ls" "x = new(xtra \"zelXMLParser\")\nput x.childCount()\nput x.errorMsg()\n")
run(${XTRA_HOST} "${WORK}/message.ls")
set(default "${output}")
run(${XTRA_HOST} ${default_option} "${WORK}/message.ls")
expect("xtra-host's default encoding" status EQUAL 0 AND default STREQUAL output)
run(${XTRA_HOST} --utf8 "${WORK}/message.ls")
string(FIND "${output}" "-- \"Ошибка: не выбран текущий узел.\"" at)
expect("xtra-host --utf8" at GREATER -1)

# zelxml check: a good, a malformed and a missing file, one line each, status 1.
file(WRITE "${WORK}/good.xml" "<a/>")
file(WRITE "${WORK}/bad.xml" "<a>\n<b x=1/></a>")
run(${ZELXML} check "${WORK}/good.xml" "${WORK}/bad.xml" "${WORK}/missing.xml")
set(default "${output}${errors}")
expect("zelxml check" status EQUAL 1 AND output STREQUAL "${WORK}/good.xml: ok\n")
run(${ZELXML} ${default_option} check "${WORK}/good.xml" "${WORK}/bad.xml" "${WORK}/missing.xml")
expect("zelxml's default encoding" default STREQUAL "${output}${errors}")
run(${ZELXML} --utf8 check "${WORK}/bad.xml" "${WORK}/missing.xml")
string(FIND "${errors}" "${WORK}/bad.xml:2:6: Ожидается строковая константа (стр. 1, поз. 6)" at)
string(FIND "${errors}" "\n${WORK}/missing.xml: Cannot open file \"" missing_at)
expect("zelxml --utf8 check" status EQUAL 1 AND at EQUAL 0 AND missing_at GREATER 0)
run(${ZELXML} check --frobnicate)
string(FIND "${errors}" "zelxml check: unknown option \"--frobnicate\"" at)
expect("zelxml check with an unknown option" status EQUAL 2 AND at EQUAL 0)
