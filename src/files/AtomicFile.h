// Reading a bounded prefix of a file and writing a file whole: the bytes go to
// a temporary file beside the target, are flushed, and the temporary file is
// renamed over the target. A failed write leaves the previous file as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zk::files {

struct ReadOutcome {
    bool opened = false;             // the file exists, is a regular file and could be opened
    bool failed = false;             // opening or a read failed
    int error = 0;                   // errno of the failure, 0 when none
    std::vector<std::uint8_t> bytes; // what was read, at most the limit asked for
};

// Reads at most maxBytes from the start of the file. Never blocks on pipes or
// devices and never trusts the file's size: only regular files are read.
ReadOutcome ReadFilePrefix(const std::string& path, std::size_t maxBytes);

struct WriteOutcome {
    bool ok = false;
    std::size_t bytesWritten = 0; // bytes of the new content that reached a file
    int error = 0;                // errno of the failure
};

// Writes data as the whole new content of path.
//  - A symbolic link is followed to its final target, which is created when
//    it is missing; the link stays.
//  - A target the user could not write in place is refused (EACCES): one
//    whose permission bits allow no writing at all (also for the superuser,
//    as the platform's read-only attribute would be), or one the user has no
//    write permission for, whatever the directory allows.
//  - A new file gets mode 0666 less the umask; a replaced file keeps its
//    mode (and its owner and group where the user may keep them).
//  - The temporary file is named after the target; a stale one that an
//    interrupted write of the same target left behind is removed first.
//  - After the rename the directory is flushed, so the new name survives a
//    power cut.
//  - Where the directory cannot be written but the file can, the file is
//    written in place; should that fail, its previous content is put back.
// Replacing splits a hard link: the other names keep the previous content.
WriteOutcome WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);

bool FileExists(const std::string& path);

// The prefix of the temporary files a write of `target` uses, in the
// target's directory: ".zk-<name>." followed by six characters.
std::string TemporaryPrefixFor(const std::string& fileName);

namespace fault {
// Fault injection for the write paths: the next writes fail once this many
// bytes of the new content have been written. nullopt switches it off.
void FailWritesAfter(std::optional<std::size_t> bytes);
} // namespace fault

} // namespace zk::files
