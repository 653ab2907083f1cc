# A session with tarvelkin-ls from a file, as the smallest proof that the
# server runs (in the Windows build, under Wine): initialize, the sample with
# a blank after "name =" opened, shutdown, exit. The answers must hold the
# compiler's warning as a diagnostic, and the server must end with status 0.
#
#   cmake -DLS=path/tarvelkin-ls -DSAMPLE=examples/prog.sc -DWORK=dir [-DEMULATOR=wine64] -P smoke.cmake
file(READ "${SAMPLE}" text)
string(REPLACE "name=Fast mode" "name = Fast mode" text "${text}")
# The script as a JSON string (the sample holds no other character that needs it).
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\r" "\\r" text "${text}")
string(REPLACE "\n" "\\n" text "${text}")
# Each message framed; appended one by one, as the script's ";" would split a list.
set(input "")
function(send message)
  string(LENGTH "${message}" length)
  set(input "${input}Content-Length: ${length}\r\n\r\n${message}" PARENT_SCOPE)
endfunction()
send("{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"initialize\",\"params\":{\"capabilities\":{}}}")
send("{\"jsonrpc\":\"2.0\",\"method\":\"initialized\",\"params\":{}}")
send("{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didOpen\",\"params\":{\"textDocument\":{\"uri\":\"file:///c%3A/work/prog.sc\",\"languageId\":\"tarvelkin\",\"version\":1,\"text\":\"${text}\"}}}")
send("{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"shutdown\"}")
send("{\"jsonrpc\":\"2.0\",\"method\":\"exit\"}")
file(WRITE "${WORK}/ls-smoke-input.txt" "${input}")
execute_process(COMMAND ${EMULATOR} "${LS}" INPUT_FILE "${WORK}/ls-smoke-input.txt"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarvelkin-ls ended with ${status}: ${err}\n${out}")
endif()
set(diagnostic "\"range\":{\"end\":{\"character\":16,\"line\":11},\"start\":{\"character\":6,\"line\":11}},\"severity\":2,\"source\":\"tarvelkin\"")
foreach(expected
    "\"positionEncoding\":\"utf-16\""
    "\"message\":\"caption \\\" Fast mode\\\" of key \\\"fast\\\" begins with a blank: write name= with no blank after \\\"=\\\"\",${diagnostic}"
    "\"uri\":\"file:///c%3A/work/prog.sc\",\"version\":1"
    "{\"id\":2,\"jsonrpc\":\"2.0\",\"result\":null}")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the answers lack ${expected}:\n${out}")
  endif()
endforeach()
message(STATUS "tarvelkin-ls answered the session")
