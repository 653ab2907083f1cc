# Writes the desktop entry to install, at install time: its Exec line names
# the installed ccview by its absolute path, which is known only now (the
# prefix of cmake --install, or /usr for the .deb). A bare name would do for
# the .deb, whose /usr/bin every session has in PATH, but not for an install
# into ~/.local or /opt/..., whose bin/ a desktop session rarely has in PATH,
# and it could start another installed ccview. Set beforehand (install(CODE)):
# TARVELKIN_SOURCE_DIR, TARVELKIN_BINARY_DIR, TARVELKIN_BINDIR.
set(program "${TARVELKIN_BINDIR}/ccview")
if(NOT IS_ABSOLUTE "${program}")
  set(program "${CMAKE_INSTALL_PREFIX}/${program}")
endif()
cmake_path(SET program NORMALIZE "${program}")
foreach(code RANGE 1 31)
  string(ASCII ${code} control)
  string(FIND "${program}" "${control}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the desktop entry cannot name ${program}: it holds a control character")
  endif()
endforeach()
# The Exec line's rules: an argument holding a reserved character is quoted,
# and inside the quotes " ` $ and \ take a backslash; % starts a field code
# and is doubled. Then the whole value is a string, whose own escape doubles
# every backslash once more.
if(program MATCHES "[ \"'\\\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
  set(program "\"${program}\"")
endif()
string(REPLACE "%" "%%" program "${program}")
string(REPLACE "\\" "\\\\" program "${program}")
set(CCVIEW_EXEC "${program}")
configure_file("${TARVELKIN_SOURCE_DIR}/packaging/tarvelkin.desktop.in"
               "${TARVELKIN_BINARY_DIR}/packaging/tarvelkin.desktop" @ONLY)
