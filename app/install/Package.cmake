# CPack's Debian package of the install rules. The libraries the program
# links come from dpkg-shlibdeps; the pieces Qt loads at run time are named
# here: the SVG icon engine (libqt6svg6), the French texts of Qt's own
# dialogs, and xdg-utils for opening documents and finding the text editor.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${POLYX_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Polyx'X")
set(CPACK_PACKAGE_CONTACT "Polyx'X developers <dev@polyxx.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Traduction des scripts Skrivo dans vos propres codes")
set(CPACK_PACKAGE_DESCRIPTION
  "Polyx'X rewrites Skrivo letter templates (scripts of the Sanvor medical\n\
records software) received from a correspondent with the practitioner's own\n\
field codes, or into a neutral universal language, by joining two\n\
dictionaries. It keeps the dictionaries, the list of universal questions,\n\
the work files and their backups. French interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, xdg-utils")
# Skrivo is Windows software, started through Wine.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
include(CPack)
