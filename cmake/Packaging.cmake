# SPDX-FileCopyrightText: 2026 The Sanoria developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of the installed tree: `make package` builds it in Release
# with the /usr prefix.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sanoria)
set(CPACK_PACKAGE_VENDOR "The Sanoria developers")
set(CPACK_PACKAGE_CONTACT "The Sanoria developers <developers@sanoria.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop symptom checker")
set(CPACK_PACKAGE_DESCRIPTION
    "Sanoria ranks the conditions of its catalogue that fit the symptoms you enter,\n"
    "each with a probability, and warns you to go to hospital when a critical\n"
    "symptom is strong. sanoria-cli runs the same checks from a terminal.\n"
    "Sanoria gives information, not a medical diagnosis.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins and the SVG icon plugin are loaded at run time, so
# shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
