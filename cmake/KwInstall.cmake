# Install rules and the Debian package.
#
# Layout under the prefix (any prefix works, /usr for the package):
#   bin/kwconsole, bin/kwlayout
#   <libdir>/KwLOutMan10/   the module and the two shared libraries it and the console share
#   share/kwloutman10/      the help file (when one is put beside the sources) and the screenshot
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man1, share/bash-completion
# The programs find the module and the help relative to their own location, so nothing is patched
# at install time.

# Debian's multiarch library folder for every prefix, so that the package and a local install agree.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
  set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH "Object code libraries (lib)")
endif()
include(GNUInstallDirs)

set(KW_MODULE_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/KwLOutMan10")
set(KW_DATA_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/kwloutman10")

# Paths from the programs' folder to the module folder and the data folder, compiled into the programs.
file(RELATIVE_PATH KW_BIN_TO_MODULE "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${KW_MODULE_INSTALL_DIR}")
file(RELATIVE_PATH KW_BIN_TO_DATA "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${KW_DATA_INSTALL_DIR}")

set(KW_PROGRAM_RPATH "$ORIGIN/${KW_BIN_TO_MODULE}")

# kw_install_program(<target>): a program in bin that finds the project's shared libraries once installed.
function(kw_install_program target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${KW_PROGRAM_RPATH}")
  target_compile_definitions(${target} PRIVATE KW_BIN_TO_MODULE="${KW_BIN_TO_MODULE}"
                                               KW_BIN_TO_DATA="${KW_BIN_TO_DATA}" KW_VERSION="${PROJECT_VERSION}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# kw_install_private_library(<target>): a shared library of the project in the module folder.
function(kw_install_private_library target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${target} LIBRARY DESTINATION ${KW_MODULE_INSTALL_DIR} NAMELINK_SKIP)
endfunction()
