# Install rules and packages.
#
#   cmake --install build --prefix DIR    programs, man pages, docs and the sample,
#                                         and on Linux the desktop entry and its icon
#   cpack --config build/CPackConfig.cmake   a .deb on Linux, a .zip from the MinGW build
#   cmake --build build-mingw --target installer   the Windows installer (NSIS)
#
# On Linux the programs go to bin/, their man pages to share/man/man1/, the
# README and docs/ to share/doc/tarvelkin/ and the sample script, with its
# config for ccview's shelf, to share/tarvelkin/examples/, the desktop entry
# to share/applications/ and its icon to share/icons/hicolor/. On Windows
# everything sits in one folder, as a zip is unpacked and as the installer
# installs it: the programs (with the Start menu's starter, ccview-start.exe),
# the README, docs\, and the sample as config\prog.sc (and config\prog.cc)
# beside tarvelkin.exe, which is where the programs look for them.
include(GNUInstallDirs)

set(tarvelkin_programs tarvelkin ccdump ccview tarvelkin-ls tarvelkin-draft)
if(WIN32)
  install(TARGETS ${tarvelkin_programs} ccview-start RUNTIME DESTINATION .)
  install(FILES README.md DESTINATION .)
  install(DIRECTORY docs/ DESTINATION docs)
  install(FILES examples/prog.sc DESTINATION config)
  # The example's config, for ccview's shelf, where the build could make it.
  install(FILES ${PROJECT_BINARY_DIR}/config/prog.cc DESTINATION config OPTIONAL)
else()
  install(TARGETS ${tarvelkin_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The man pages say where the examples and documents are for the prefix
  # of the install, which is known only then: they are written at install time.
  install(CODE "set(TARVELKIN_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
    set(TARVELKIN_BINARY_DIR \"${PROJECT_BINARY_DIR}\")
    set(TARVELKIN_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
    set(TARVELKIN_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(TARVELKIN_DOCDIR \"${CMAKE_INSTALL_DOCDIR}\")")
  install(SCRIPT cmake/manPages.cmake)
  # The desktop's application menu: an entry that starts ccview with no
  # arguments (the shelf, in the person's browser), and its icon in the
  # hicolor theme, drawn once as an SVG with PNG renderings for menus that
  # take only those.
  install(SCRIPT cmake/desktopEntry.cmake)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/tarvelkin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(icons ${PROJECT_SOURCE_DIR}/packaging/icons)
  install(FILES ${icons}/tarvelkin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${icons}/tarvelkin-${size}.png RENAME tarvelkin.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${PROJECT_BINARY_DIR}/man/tarvelkin.1 ${PROJECT_BINARY_DIR}/man/ccdump.1
                ${PROJECT_BINARY_DIR}/man/ccview.1 ${PROJECT_BINARY_DIR}/man/tarvelkin-ls.1
                ${PROJECT_BINARY_DIR}/man/tarvelkin-draft.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
  install(FILES examples/prog.sc ${PROJECT_BINARY_DIR}/config/prog.cc
          DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvelkin/examples)
endif()

set(CPACK_PACKAGE_NAME tarvelkin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "tarvelkin developers")
set(CPACK_PACKAGE_CONTACT "tarvelkin developers <tarvelkin@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "compiles command-line description scripts into configs for a graphical front end")
set(CPACK_PACKAGE_DESCRIPTION
    "tarvelkin checks a script that describes a console tool's command line and writes a compact \
binary config that a graphical front end loads. ccdump checks and prints a config; ccview writes \
a config's self-contained preview page; tarvelkin-ls is a language server that gives editors the \
compiler's messages, hover, completion and rename as scripts are written; tarvelkin-draft drafts a \
script that compiles from a program's own help text.")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvelkin.invalid/")
  # A static program needs nothing; a dynamic one gets what its libraries need.
  if(NOT TARVELKIN_STATIC)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
endif()
include(CPack)

# The Windows installer, with Debian's nsis (makensis) in the cross build:
#   cmake --build build-mingw --target installer   # build-mingw/tarvelkin-VERSION-win64-setup.exe
if(WIN32)
  find_program(TARVELKIN_MAKENSIS makensis)
  if(TARVELKIN_MAKENSIS)
    set(setup ${PROJECT_BINARY_DIR}/tarvelkin-${PROJECT_VERSION}-win64-setup.exe)
    add_custom_target(installer
      COMMAND ${CMAKE_COMMAND} -DBINARY_DIR=${PROJECT_BINARY_DIR} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
              -DVERSION=${PROJECT_VERSION} -DMAKENSIS=${TARVELKIN_MAKENSIS} -DOUTFILE=${setup}
              -P ${PROJECT_SOURCE_DIR}/cmake/nsisInstaller.cmake
      COMMENT "The Windows installer: ${setup}"
      VERBATIM)
    add_dependencies(installer ${tarvelkin_programs} ccview-start)
  endif()
endif()
