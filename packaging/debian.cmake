# SPDX-License-Identifier: MIT
# The Debian package: `cpack` in the build folder (or ./dev.sh package) makes vantrel_*.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "The Vantrel developers")
set(CPACK_PACKAGE_CONTACT "${VANTREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search-and-rescue trainer: find the hidden ELT")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel trains search-and-rescue pilots. Fly an aircraft across a 50 by 50
nautical-mile map, listen for a hidden emergency locator transmitter with a
direction finder, read your position from a VOR/DME, ask for hints, and reveal
the ELT for a score and a rating.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VANTREL_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Stripping keeps the compilers' notes; Debian's own packages drop them, and so do we.
set(CPACK_VANTREL_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip_notes.cmake)
# The libraries it links come from dpkg-shlibdeps; the fonts it is drawn in, the SQLite driver
# Qt SQL loads as a plugin for the logbook, the charts library (named too, so that the package
# says it even where shlibdeps is not run), and the Wayland platform for Wayland desktops, are
# named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libqt6sql6-sqlite, libqt6charts6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
