# `cpack` builds a Debian package from the install rules (resources/CMakeLists.txt).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmarinth)
set(CPACK_PACKAGE_VENDOR "Velmarinth developers")
set(CPACK_PACKAGE_CONTACT "Velmarinth developers <velmarinth@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose web addresses with the mouse")
# The extended description keeps to Debian's 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "A one-line URL box above an on-screen keyboard of letters, digits, URL symbols
and keys that type whole parts of an address, with URL templates, sending the
address to a browser and saving it as an Internet Shortcut file.
The interface is in Japanese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/velmarinth/velmarinth")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt and X libraries; the fonts, Qt's Japanese message-box texts and the Wayland
# platform plugin are only loaded at run time (without an X display the program starts on Wayland, and Qt
# aborts when the plugin is missing).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
