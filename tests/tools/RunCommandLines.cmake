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
# A good, a malformed, an empty and a missing file: four lines, each naming its file once.
file(WRITE "${WORK}/empty.xml" "")
run(${ZELXML} --utf8 check "${WORK}/good.xml" "${WORK}/bad.xml" "${WORK}/empty.xml"
    "${WORK}/missing.xml")
expect("zelxml --utf8 check" status EQUAL 1 AND output STREQUAL "${WORK}/good.xml: ok\n")
string(FIND "${errors}" "${WORK}/bad.xml:2:6: Ожидается строковая константа (стр. 1, поз. 6)\n"
       bad_at)
string(FIND "${errors}" "\n${WORK}/empty.xml: no document element\n" empty_at)
string(FIND "${errors}" "\n${WORK}/missing.xml: cannot open: " missing_at)
string(REGEX MATCHALL "\n" breaks "${errors}")
list(LENGTH breaks lines)
expect("zelxml check's lines" bad_at EQUAL 0 AND empty_at GREATER 0 AND missing_at GREATER 0
       AND lines EQUAL 3)
run(${ZELXML} --version)
expect("zelxml --version" status EQUAL 0 AND output MATCHES "^zelxml \\(zelXML\\) [0-9.]+\n$")
foreach(help -h --help)
  run(${ZELXML} ${help})
  string(FIND "${output}" "usage: zelxml" at)
  expect("zelxml ${help}" status EQUAL 0 AND at EQUAL 0)
endforeach()
execute_process(COMMAND ${EMULATOR} ${ZELXML} check - INPUT_FILE "${WORK}/good.xml"
                OUTPUT_VARIABLE output RESULT_VARIABLE status)
expect("zelxml check - (the standard input)" status EQUAL 0 AND output MATCHES "^<stdin>: ok\r?\n$")

# UTF-8 in, windows-1251 out: the module then reads the text as intended.
file(WRITE "${WORK}/russian-utf8.xml"
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<greeting>Привет, мир ☺</greeting>\n")
# Written over an older file, so that the replacing way is taken on every run.
file(WRITE "${WORK}/russian.xml" "an older output\n")
run(${ZELXML} convert "${WORK}/russian-utf8.xml" "${WORK}/russian.xml" --from utf-8)
expect("zelxml convert --from utf-8" status EQUAL 0 AND errors MATCHES "1 character not in windows-1251")
file(WRITE "${WORK}/russian.ls" "x = new(xtra \"zelXMLParser\")\n"
                                "put x.loadFromFile(the moviePath & \"russian.xml\")\n"
                                "put x.getText()\n")
run(${XTRA_HOST} --utf8 "${WORK}/russian.ls")
expect("the converted file through the module" output STREQUAL "-- 1\n-- \"Привет, мир ?\"\n")
file(READ "${WORK}/russian.xml" converted HEX)
string(FIND "${converted}" "cff0e8e2e5f2" at)  # Привет in windows-1251
expect("windows-1251 bytes" at GREATER 0)

# xtra-host: a folder as the script is named with the reason; --movie-path; --version.
run(${XTRA_HOST} "${WORK}")
expect("xtra-host with a folder" status EQUAL 2
       AND errors STREQUAL "xtra-host: cannot read the script \"${WORK}\": Is a directory\n")
file(WRITE "${WORK}/movie-path.ls" "put the moviePath\n")
run(${XTRA_HOST} --movie-path "${WORK}/movies" "${WORK}/movie-path.ls")
expect("xtra-host --movie-path" status EQUAL 0 AND output STREQUAL "-- \"${WORK}/movies/\"\n")
run(${XTRA_HOST} --version)
expect("xtra-host --version" status EQUAL 0 AND output MATCHES "^xtra-host \\(zelXML\\) [0-9.]+\n$")
run(${ZELXML} check --frobnicate)
string(FIND "${errors}" "zelxml check: unknown option \"--frobnicate\"" at)
expect("zelxml check with an unknown option" status EQUAL 2 AND at EQUAL 0)
