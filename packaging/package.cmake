# The Debian package that scripts/package builds with CPack: tralvik_2.2.0-1_amd64.deb.
# Its dependencies come from the installed binary through dpkg-shlibdeps, so a library that
# the program starts to link reaches the package without an edit here. Three it needs without
# linking them are listed below, and CPack adds the computed ones to them.

set(TRALVIK_MAINTAINER "Tralvik <info@tralvik.nl>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tralvik)
# The file version has four parts; a Debian version has the upstream three and a revision.
set(CPACK_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_VENDOR Tralvik)
set(CPACK_PACKAGE_CONTACT "${TRALVIK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TRALVIK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layout is measured in Liberation Sans: in the DejaVu fonts a desktop falls back
# to, the labels run into each other. What the layout does not set (the menu bar, the boxes, the
# section view) takes the desktop's font, and on a system with Liberation alone fontconfig
# answers "sans-serif" with Liberation Mono: DejaVu, Debian's default, keeps those in a sans
# font there too. Qt's own dialogs speak Dutch from Qt's catalogue.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# dpkg unpacks what the archive says; control files and folders get Debian's usual modes.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Debian's descriptions are English; the project's own description is the window's Dutch.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ultimate moment of a reinforced-concrete beam section")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tralvik is a calculator with which students check a rectangular
reinforced-concrete beam section in bending to NEN-EN 1992-1-1 (Eurocode 2).
Choose the concrete class, the steel grade, the bars, the stirrups, the
cover, the height and the width; the window shows the design values, the
steel area, the effective depth and the ultimate moment by four models side
by side. The texts of the window are Dutch.")

# The files only a Debian package has are laid out here and added by CPack alone, so that
# cmake --install does not put them into a home folder. The copyright goes with every install.
set(debian_only "${CMAKE_CURRENT_BINARY_DIR}/debian-only")
set(docdir "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}")
file(REMOVE_RECURSE "${debian_only}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog" "${debian_only}/${docdir}/changelog.Debian" @ONLY)
# gzip -n leaves out the name and time, so that the same sources give the same package.
execute_process(COMMAND gzip -9nf changelog.Debian WORKING_DIRECTORY "${debian_only}/${docdir}"
                COMMAND_ERROR_IS_FATAL ANY)
configure_file("${CMAKE_CURRENT_LIST_DIR}/lintian-overrides"
               "${debian_only}/${CMAKE_INSTALL_DATADIR}/lintian/overrides/${CPACK_PACKAGE_NAME}" COPYONLY)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALLED_DIRECTORIES "${debian_only};${CPACK_PACKAGING_INSTALL_PREFIX}")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/copyright" DESTINATION "${docdir}")

include(CPack)
