# Builds the Windows installer: run by the target "installer" of a Windows
# build (packaging.cmake), with BINARY_DIR, SOURCE_DIR, VERSION, MAKENSIS and
# OUTFILE set. Installs the build into a staging folder, as the zip holds it,
# writes the lists of its files (install.nsh: SetOutPath and File lines;
# uninstall.nsh: a Delete line for each file, then an RMDir for each folder,
# the deepest first), and runs makensis on packaging/installer.nsi.
set(work "${BINARY_DIR}/installer")
set(stage "${work}/stage")
file(REMOVE_RECURSE "${work}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BINARY_DIR}" --prefix "${stage}" --strip
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "installing the build into ${stage} failed")
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(outPath "-")
set(bytes 0)
foreach(file IN LISTS files)
  # Written into NSIS strings as they are: none of its special characters.
  if("${stage}/${file}" MATCHES "[$\"`]")
    message(FATAL_ERROR "the installer cannot name ${stage}/${file}")
  endif()
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" winFile "${file}")
  if(NOT folder STREQUAL outPath)
    set(outPath "${folder}")
    if(folder STREQUAL "")
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    else()
      string(REPLACE "/" "\\" winFolder "${folder}")
      string(APPEND install "SetOutPath \"$INSTDIR\\${winFolder}\"\n")
    endif()
  endif()
  string(APPEND install "File \"${stage}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${winFile}\"\n")
  while(NOT folder STREQUAL "")
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
  file(SIZE "${stage}/${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# The deepest folders first: each is removed only once empty.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(REPLACE "/" "\\" winFolder "${folder}")
  string(APPEND uninstall "RMDir \"$INSTDIR\\${winFolder}\"\n")
endforeach()
file(WRITE "${work}/install.nsh" "${install}")
file(WRITE "${work}/uninstall.nsh" "${uninstall}")

math(EXPR kib "(${bytes} + 1023) / 1024")
execute_process(COMMAND "${MAKENSIS}" -V2 "-DVERSION=${VERSION}" "-DOUTFILE=${OUTFILE}" "-DLISTS=${work}"
                        "-DICON=${SOURCE_DIR}/packaging/icons/tarvelkin.ico" "-DSIZE=${kib}"
                        "${SOURCE_DIR}/packaging/installer.nsi"
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis failed")
endif()
