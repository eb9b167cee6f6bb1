# The Debian package (make package): cpack -G DEB over the install rules.
set(EDID_MAINTAINER "The EDID editor developers <maintainers@edidedit.example>"
    CACHE STRING "The package's maintainer")

# Debian wants the copyright and a gzipped changelog in the package's doc folder.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${EDID_MAINTAINER}")
configure_file(packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nf -k ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES packaging/debian/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME edidedit)
set(CPACK_PACKAGE_VENDOR "The EDID editor developers")
set(CPACK_PACKAGE_CONTACT "${EDID_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and command-line decoder for monitor EDIDs")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop editor for the 128-byte base block of the EDID a monitor reports:\n"
    "a grid of hex cells, each section decoded into plain words and re-encoded\n"
    "from its controls, the checksum kept right. It opens data files, raw\n"
    "binaries, hex text and registry exports, reads attached monitors, prints\n"
    "the decoded report and keeps extension blocks as read.\n"
    "\n"
    "edidtool decodes, converts and reads EDIDs on the command line.")
# CPack puts the summary in front as the synopsis line.
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${EDID_HOMEPAGE_URL}")
# dpkg-shlibdeps works out the libraries the programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
