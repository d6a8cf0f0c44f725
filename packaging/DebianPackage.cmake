# The Debian package, made by `make package` (CPack, DEB generator): the tree
# `cmake --install` lays out, under /usr, with the launcher in /usr/games and
# the program directory in /usr/lib/games/zanfor-kelva, where Debian puts a
# game's programs (DebianLayout.cmake). The program directory is then
# read-only for the player.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zanfor-kelva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zanfor Games")
set(CPACK_PACKAGE_CONTACT "Zanfor Games <post@zanfor-games.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-swapping puzzle with a level editor")
set(CPACK_PACKAGE_DESCRIPTION
  "A board of 9 by 7 tiles carries connections of three kinds. One tile is held;
click any movable tile to swap it with the held one. A level is solved when
every connection meets its twin on the neighbouring tile and none leads off
the board. Up to 500 levels with progress kept in saved games, a practice
mode, a challenge mode and a level editor, in German and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install with DESTDIR into the staging tree under the real prefix, so that
# the paths written into installed files (the desktop entry's Exec) name /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Qt 6 runtime (core, gui with its X11 platform plugin, widgets,
# multimedia) comes from the libraries the program and its sound module link;
# sounds play through GStreamer, whose WAV reader is in plugins-good.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/DebianLayout.cmake)
set(CPACK_ZK_LAUNCHER_TEMPLATE ${CMAKE_CURRENT_SOURCE_DIR}/zanfor-kelva.in)
set(CPACK_ZK_APP_ID ${ZK_APP_ID})

include(CPack)
