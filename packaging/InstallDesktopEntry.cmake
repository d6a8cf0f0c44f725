# Install step for the desktop entry: the template with the launcher's
# absolute path under the install prefix. Set by the caller: ZK_APP_ID,
# ZK_DESKTOP_TEMPLATE.
set(zk_launcher "${CMAKE_INSTALL_PREFIX}/bin/zanfor-kelva")

# Exec: quoted when the path holds a reserved character; inside the quotes
# '"', '`', '$' and '\' are escaped with '\', then every '\' of the value is
# doubled as in any desktop-entry string, and '%' is written '%%'.
if(zk_launcher MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" zk_exec "${zk_launcher}")
  set(zk_exec "\"${zk_exec}\"")
else()
  set(zk_exec "${zk_launcher}")
endif()
string(REPLACE "\\" "\\\\" zk_exec "${zk_exec}")
string(REPLACE "%" "%%" ZK_DESKTOP_EXEC "${zk_exec}")
string(REPLACE "\\" "\\\\" ZK_DESKTOP_TRYEXEC "${zk_launcher}")

set(zk_desktop_dir "${CMAKE_INSTALL_PREFIX}/share/applications")
set(zk_desktop_file "$ENV{DESTDIR}${zk_desktop_dir}/${ZK_APP_ID}.desktop")
message(STATUS "Installing: ${zk_desktop_file}")
configure_file("${ZK_DESKTOP_TEMPLATE}" "${zk_desktop_file}" @ONLY)
file(CHMOD "${zk_desktop_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${zk_desktop_dir}/${ZK_APP_ID}.desktop")
