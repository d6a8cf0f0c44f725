// The safe-write code before writes in place went through a journal: a
// temporary file renamed over the target, or, where the directory cannot be
// written, the file truncated and written where it stands.
#pragma once

#include <span>
#include <string>

#include "files/AtomicFile.h"

namespace zk::files::before {

ReadOutcome ReadFilePrefix(const std::string& path, std::size_t maxBytes);
WriteOutcome WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);
std::string TemporaryPrefixFor(const std::string& fileName);

} // namespace zk::files::before
