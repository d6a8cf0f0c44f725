# cmake -DOUTPUT=FILE -DSOURCES="a|b|..." -P ArtVersion.cmake: writes the
# header holding the digest of the art's sources (rewritten only when the
# digest changes, so that nothing is rebuilt for nothing).
string(REPLACE "|" ";" sources "${SOURCES}")
set(digests "")
foreach(source IN LISTS sources)
  file(SHA256 "${source}" digest)
  string(APPEND digests "${digest}")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 version)
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "// Made by the build from the art's sources.
#pragma once

namespace zk::art {
inline constexpr char ArtVersion[] = \"${version}\";
} // namespace zk::art
")
