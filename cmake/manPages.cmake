# Writes the man pages to install, at install time. The pages name the
# installed examples and documents where the package puts them, under /usr;
# the prefix of an install (cmake --install build --prefix DIR) is known only
# now, so its folders take the place of /usr's. Set beforehand (install(CODE)):
# TARVELKIN_SOURCE_DIR, TARVELKIN_BINARY_DIR, TARVELKIN_DATADIR, TARVELKIN_DOCDIR.
foreach(dir TARVELKIN_DATADIR TARVELKIN_DOCDIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
  # In roff a backslash starts an escape, and a '-' may print as a hyphen that
  # a copied path would not match.
  string(REPLACE "\\" "\\e" ${dir} "${${dir}}")
  string(REPLACE "-" "\\-" ${dir} "${${dir}}")
endforeach()
foreach(page tarvelkin ccdump ccview tarvelkin-ls tarvelkin-draft)
  file(READ "${TARVELKIN_SOURCE_DIR}/man/${page}.1" text)
  string(REPLACE "/usr/share/doc/tarvelkin" "${TARVELKIN_DOCDIR}" text "${text}")
  string(REPLACE "/usr/share/tarvelkin" "${TARVELKIN_DATADIR}/tarvelkin" text "${text}")
  file(WRITE "${TARVELKIN_BINARY_DIR}/man/${page}.1" "${text}")
endforeach()
