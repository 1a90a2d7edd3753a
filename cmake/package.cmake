# The Debian package, made from the install rules: cpack -G DEB in the build folder.
# Its dependencies are worked out from the binary's links (dpkg-shlibdeps, from dpkg-dev),
# plus what no link reveals: the SVG image plugin that draws the pictures, and fontconfig's
# configuration, without which Qt finds no fonts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexlora)
set(CPACK_PACKAGE_VENDOR "The Vexlora developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TrueType font viewer and installer")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEXLORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VEXLORA_HOME_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fontconfig")
# Metric stand-ins for Arial, the face of the preview's sample text and of the About box's link;
# and Qt's own catalogues, which speak the person's language in Qt's texts (the context menus).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
# CPack puts the summary first and indents these lines as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vexlora is a small, fast desktop program for looking at TrueType fonts.
Walk your drives and folders, see the .ttf files of a folder and click one:
Vexlora loads it privately, without installing it, and previews it as an
editable sample text (with size, bold and italic) or as a character map
from which one character can be copied. A second tab lists the installed
fonts, and the Install button copies the previewed file into your fonts
folder.")

include(CPack)
