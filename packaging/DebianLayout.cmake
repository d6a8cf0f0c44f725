# Run by CPack on the staged tree before it makes the Debian package: moves
# the install from the layout of `cmake --install` (bin/, lib/zanfor-kelva/)
# into the one Debian gives games (section 11.11 of its policy):
#   /usr/games/zanfor-kelva          the launcher, on every player's PATH
#   /usr/lib/games/zanfor-kelva/     the program directory
# and writes the launcher and the desktop entry's command for these places.
# Set by the package configuration: CPACK_ZK_LAUNCHER_TEMPLATE.
set(stage "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr")
if(NOT EXISTS "${stage}/bin/zanfor-kelva" OR NOT IS_DIRECTORY "${stage}/lib/zanfor-kelva")
  message(FATAL_ERROR "DebianLayout: no staged install under ${stage}")
endif()

file(MAKE_DIRECTORY "${stage}/lib/games" "${stage}/games")
file(RENAME "${stage}/lib/zanfor-kelva" "${stage}/lib/games/zanfor-kelva")
file(REMOVE "${stage}/bin/zanfor-kelva")
file(GLOB others "${stage}/bin/*")
if(NOT others)
  file(REMOVE_RECURSE "${stage}/bin")
endif()

# The launcher with the path from /usr/games to the program directory.
set(ZK_LAUNCHER_TO_PROGRAM ../lib/games/zanfor-kelva)
configure_file("${CPACK_ZK_LAUNCHER_TEMPLATE}" "${stage}/games/zanfor-kelva" @ONLY)
file(CHMOD "${stage}/games/zanfor-kelva" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The desktop entry runs the launcher where it now lies.
set(desktop "${stage}/share/applications/${CPACK_ZK_APP_ID}.desktop")
file(READ "${desktop}" entry)
string(REPLACE "=/usr/bin/zanfor-kelva\n" "=/usr/games/zanfor-kelva\n" entry "${entry}")
if(NOT entry MATCHES "\nExec=/usr/games/zanfor-kelva\n" OR
   NOT entry MATCHES "\nTryExec=/usr/games/zanfor-kelva\n")
  message(FATAL_ERROR "DebianLayout: the desktop entry does not run /usr/games/zanfor-kelva")
endif()
file(WRITE "${desktop}" "${entry}")
