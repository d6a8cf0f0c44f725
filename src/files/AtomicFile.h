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
    std::size_t bytesWritten = 0; // bytes that reached the temporary file
    int error = 0;                // errno of the failure
};

// Writes data as the whole new content of path. A target whose permission
// bits allow no writing at all counts as write-protected and is refused, also
// for the superuser, as the platform's read-only attribute would be.
WriteOutcome WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);

bool FileExists(const std::string& path);

namespace fault {
// Fault injection for the write paths: the next writes fail once this many
// bytes have been written to a temporary file. nullopt switches it off.
void FailWritesAfter(std::optional<std::size_t> bytes);
} // namespace fault

} // namespace zk::files
