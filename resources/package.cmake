# The Debian package: `cpack` (scripts/package.sh) turns the install layout
# into corvanta_<version>_<arch>.deb, installing under /usr. Included from the
# top-level CMakeLists.txt after the install rules; needs the site addresses
# that resources.cmake reads.

if(NOT (UNIX AND NOT APPLE))
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvanta)
set(CPACK_PACKAGE_VENDOR Quillmoor)
set(CPACK_PACKAGE_CONTACT "Quillmoor <${CORVANTA_SITE_SupportEmail}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Join several PDF files into one")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Made in <build>/package; scripts/package.sh copies it to the top of the clone.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CORVANTA_SITE_HomePage}")
# CPack puts the summary above this as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvanta joins an ordered list of PDF files into a single PDF, written as
joined.pdf on the Desktop. Files are added one by one, by folder or by drag
and drop, reordered with the mouse or the keyboard, and joined by pdftk;
password-protected files are joined with the passwords the user types.")
# The libraries come from dpkg-shlibdeps; pdftk, the fonts the window asks
# for (Calibri and Arial, through their metric-compatible stand-ins) and Qt's
# own translations, for the dialogs' buttons in the user's language, are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "pdftk-java, fonts-crosextra-carlito, fonts-liberation2, qt6-translations-l10n")
# xdg-open is what opens the joined file, the samples folder and the help
# pages with the desktop's own programs; without it they quietly open nothing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/corvanta)

include(CPack)
