// What the parts of the safe-write code share: descriptors that close
// themselves, whole writes and bounded reads, flushing a directory, locks
// that wait a bounded time, temporary files that a clean-up can tell from
// live ones, and the replacement of a file by renaming a temporary file over
// it. Not for use outside src/files/.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/AtomicFile.h"

namespace zk::files::detail {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Close();

private:
    int fd_;
};

std::string DirectoryOf(const std::string& path);
std::string NameOf(const std::string& path);
bool SameFile(const struct stat& a, const struct stat& b);

// Writes all of data at the descriptor's offset; false with errno set.
// Injected faults (fault::FailWritesAfter) apply only when `injectable`.
bool WriteAll(int fd, std::span<const std::uint8_t> data, std::size_t& written, bool injectable);

// Reads from the start of the file until its end or maxBytes. 0, or the
// errno of a failed read (what was read until then stays in `bytes`).
int ReadUpTo(int fd, std::size_t maxBytes, std::size_t sizeHint, std::vector<std::uint8_t>& bytes);

// Flushes the directory's entries; false where the file system cannot.
bool SyncDirectory(const std::string& directory);

// A flock of the kind asked (LOCK_SH or LOCK_EX), waiting at most a few
// seconds for another process to let go. 0, or the errno of the failure
// (EWOULDBLOCK when the wait ran out).
int LockWithin(int fd, int operation);

// Temporary files named `prefix` and six characters whose writer has gone: a
// writer holds a lock on its temporary file until the rename. Only a file
// this process could lock, and that still bears the name, is removed.
void RemoveStaleTemporaries(const std::string& directory, const std::string& prefix);

enum class Replaced {
    Done,
    Failed,        // out.error tells why; the target is as it was
    CannotReplace, // no new file could be made beside the target, or none that
                   // keeps the previous file's owner and group: nothing changed
};

// Writes data to a new temporary file beside the target, flushes it and
// renames it over the target, then flushes the directory. With `previous`,
// the new file takes its owner, group and mode.
Replaced ReplaceByRename(const std::string& target, std::span<const std::uint8_t> data,
                         const struct stat* previous, bool injectable, WriteOutcome& out);

// Creates the directory and every missing parent with mode 0700.
bool CreatePrivateDirectories(const std::string& directory);

} // namespace zk::files::detail
