# What is installed besides the programs and their manual pages, and the
# Debian package made from it (`make deb`: CPack's DEB generator).

# The app-defaults files, under the class names the programs look up.
foreach(ad mainpanel/Trevalon dialogs/Asker dialogs/Hourglass)
  get_filename_component(class ${ad} NAME)
  install(FILES ${PROJECT_SOURCE_DIR}/${ad}.ad DESTINATION ${TREV_APPDEFAULTS_DIR} RENAME ${class})
endforeach()

# A placeholder for whoever ships the package.
set(CPACK_PACKAGE_CONTACT "Trevalon developers <trevalon@example.org>")

# The documentation: the README, the copyright file and a changelog with one
# entry for the version built, compressed as Debian installs it.
string(TIMESTAMP trev_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/changelog
     "trevalon (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Trevalon ${PROJECT_VERSION}.\n\n"
     " -- ${CPACK_PACKAGE_CONTACT}  ${trev_date}\n")
execute_process(COMMAND gzip -9n -c ${CMAKE_CURRENT_BINARY_DIR}/changelog
                OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/doc/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/trevalon)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevalon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "graphical side of a Unix software installer")
set(CPACK_PACKAGE_DESCRIPTION "Forms, dialogs and archive filters for installer shell scripts.
Trevalon is the graphical and stream-handling side of a software
installer whose control flow lives in shell scripts.  A script starts one
of its programs whenever it needs the user or a stream of distribution
data, and reads back the exit status, the lines printed and small files:
 * mainpanel, the form server (23 installer forms, Motif);
 * ferrule, an archive stream filter (compress, scramble, block, checksum);
 * tart, a tar lister with an output format of its own;
 * asker, a note or yes/no question dialog;
 * hourglass, a progress window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from the binaries; ferrule runs compress and zcat (gzip is
# essential: a dependency on it names the version tested); Mount CD-ROM
# opens a terminal.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ncompress, gzip (>= 1.12)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xterm)
# The app-defaults files are the site's to edit: conffiles.
set(trev_conffiles "")
foreach(class Trevalon Asker Hourglass)
  string(APPEND trev_conffiles "${TREV_APPDEFAULTS_DIR}/${class}\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/conffiles "${trev_conffiles}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/conffiles)
# The programs look for their app-defaults files below the prefix they were
# configured for: a package is made only from a tree for /usr (`make deb`).
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/cpack-refused.cmake
       "message(FATAL_ERROR \"This tree is configured for ${CMAKE_INSTALL_PREFIX}, not /usr: make the package with make deb\")\n")
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack-refused.cmake)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
