# Install step for the level file (zklv.dat). Set by the caller:
#   ZK_LEVELS_DESTINATION  the program directory under the install prefix
#   ZK_LEVELS_CANDIDATES   level files to install from, the first that exists
# The editor writes the installed level file; an existing one is a designer's
# work and is never replaced.
set(zk_levels_target "$ENV{DESTDIR}${ZK_LEVELS_DESTINATION}/zklv.dat")
if(EXISTS "${zk_levels_target}")
  message(STATUS "Kept: ${zk_levels_target} (an installed level file is never replaced)")
else()
  set(zk_levels_source "")
  foreach(candidate IN LISTS ZK_LEVELS_CANDIDATES)
    if(EXISTS "${candidate}" AND zk_levels_source STREQUAL "")
      set(zk_levels_source "${candidate}")
    endif()
  endforeach()
  if(zk_levels_source STREQUAL "")
    message(FATAL_ERROR "No level file to install; looked for: ${ZK_LEVELS_CANDIDATES}")
  endif()
  file(INSTALL DESTINATION "${ZK_LEVELS_DESTINATION}" TYPE FILE
       PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
       FILES "${zk_levels_source}")
endif()
