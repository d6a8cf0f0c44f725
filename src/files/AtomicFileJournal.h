// The journal of the writes made in place. Where the directory of a file
// cannot take a new file, or the file belongs to another user, the file is
// written where it stands, and a crash part-way would leave it torn. So,
// before the file is touched, its previous and its new content go into a
// journal in the player's state directory, flushed; the next read of the
// file through the library finds the journal and finishes the write. The
// file carries a mark (an extended attribute) for as long as it may be torn,
// so that a reader without the journal, another user, refuses it rather
// than take a torn file for a whole one. Not for use outside src/files/.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/AtomicFile.h"

namespace zk::files::detail {

// Writes data over the existing regular file `target` (no link) through the
// journal. A failure part-way puts the previous content back.
WriteOutcome WriteInPlace(const std::string& target, std::span<const std::uint8_t> data);

// Settles what an interrupted write in place left for the file open as `fd`
// (read only; `path` names it, `st` is its status): the file is given its new
// content and the journal goes. Where this user cannot write the file, the
// content it should hold is answered, for the read to give instead.
// nullopt: read the file as it is.
std::optional<std::vector<std::uint8_t>> SettleJournal(const std::string& path, int fd,
                                                       const struct stat& st);

// Whether the file bears the mark of a write in place that has not finished.
bool MarkedTorn(int fd);

// Every journal in the player's state directory: one whose file is gone, or
// has been replaced by another, is removed; the others are settled. Journals
// that an interrupted write left half made are removed.
void SettleAllJournals();

} // namespace zk::files::detail
