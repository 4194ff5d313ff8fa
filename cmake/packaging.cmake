# The Debian package of the game, built by `cpack` in a build directory: the
# program, its desktop entry, metainfo and icons under /usr, depending on
# Debian's Qt 6 libraries (libqt6gui6 carries the xcb platform plugin),
# fontconfig (start-up initialises it itself) and the two font packages that
# stand in for Arial and Comic Sans MS.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Quarvel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "eight-tile sliding puzzle")
set(CPACK_PACKAGE_DESCRIPTION
  "Slide the eight numbered tiles on a 3 x 3 board back into order, one click at a time.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quarvel developers <developers@quarvel.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quarvel.org/")
# Qt keeps binary compatibility within a major version from the minor
# release built against on.
set(quarvel_qt_min "${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR}")
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6 (>= ${quarvel_qt_min})"
  "libqt6gui6 (>= ${quarvel_qt_min})"
  "libqt6core6 (>= ${quarvel_qt_min})"
  "libfontconfig1"
  "libstdc++6"
  "libgcc-s1"
  "libc6"
  "fonts-liberation"
  "fonts-comic-neue")

include(CPack)
