# tarvelkin-draft on a saved help text, as the smallest proof that the program
# runs (in the Windows build, under Wine): the script it prints is the one it
# writes with -o, byte for byte (no carriage returns), and tarvelkin compiles
# it with "Config is created!".
#
#   cmake -DDRAFT=path/tarvelkin-draft -DTARVELKIN=path/tarvelkin -DHELP=frob-help.txt
#         -DWORK=dir [-DEMULATOR=wine64] -P saved.cmake
#
# Under Wine the programs take Windows paths: the root of the Linux file
# system is drive Z.
set(root "")
if(EMULATOR)
  set(root "Z:")
endif()
set(script "${WORK}/draft-saved.sc")
file(REMOVE "${script}" "${WORK}/draft-saved.cc")
execute_process(COMMAND ${EMULATOR} "${DRAFT}" --from "${root}${HELP}"
                OUTPUT_VARIABLE printed ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "tarvelkin-draft --from ended with ${status}: ${err}")
endif()
execute_process(COMMAND ${EMULATOR} "${DRAFT}" -o "${root}${script}" --from "${root}${HELP}" frob
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "tarvelkin-draft -o ended with ${status}: ${out}${err}")
endif()
file(READ "${script}" written)
if(NOT written STREQUAL printed)
  message(FATAL_ERROR "the script printed is not the one written:\n${printed}")
endif()
string(FIND "${written}" "\r" carriageReturn)
string(FIND "${written}" "\n# drafted from `frob --help`\n" header)
if(NOT carriageReturn EQUAL -1 OR header EQUAL -1)
  message(FATAL_ERROR "the script holds a carriage return, or not its header:\n${written}")
endif()
execute_process(COMMAND ${EMULATOR} "${TARVELKIN}" "${root}${script}" "${root}${WORK}/draft-saved.cc"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
string(FIND "${out}" "Config is created!" created)
if(NOT status EQUAL 0 OR created EQUAL -1 OR NOT err STREQUAL "")
  message(FATAL_ERROR "tarvelkin does not compile the draft cleanly (${status}):\n${out}${err}")
endif()
message(STATUS "tarvelkin-draft drafted the saved help text, and tarvelkin compiled the draft")
