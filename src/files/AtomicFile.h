// Reading a bounded prefix of a file and writing a file whole, so that a
// crash at any instant leaves the previous content or the new one as the
// game reads the file, never anything else.
//
// Replacing: the new content goes to a temporary file beside the target,
// which is flushed (fsync) and then renamed over the target; then the
// directory is flushed. A process killed at any system call leaves the old
// name bound to the old file or the new name to the new, complete file,
// since the rename is atomic. After a power cut the same holds: the new
// file's data reached the disk before the rename was made (the fsync
// before it), so the name can never point at a file whose data is missing;
// the rename itself is a single change of the directory that a journaling
// file system applies whole or not at all, and the flush of the directory
// makes it last before the write reports success.
//
// Writing in place: where the directory cannot take a new file, or the
// target belongs to another user (who must keep it), the file is written
// where it stands, under an exclusive lock, through a journal in the
// player's state directory ($XDG_STATE_HOME/zanfor-kelva/). In order:
//  1. the journal (the file's device and inode, its real path, its previous
//     and its new content, a checksum) is written to a temporary file,
//     flushed, renamed to journal-<device>-<inode> and the state directory
//     flushed: it exists whole or not at all, and it exists before the
//     target changes;
//  2. the target gets a mark (the extended attribute user.zanfor-kelva.torn)
//     and is flushed, so that the mark is on disk before any byte changes;
//  3. the new content is written from the start, the file cut to its
//     length, and flushed;
//  4. the mark is removed and that flushed; only then
//  5. the journal is removed.
// A crash or a power cut before 1 is complete leaves the target untouched.
// After it, the target holds the old content, the new one or a mix of the
// two, and the journal says which write it was: the next read of the target
// through the library (ReadFilePrefix, the start-up clean-up, the next
// write) finishes the write from the journal and then removes mark and
// journal, in that order; a journal whose removal was lost finds the new
// content in place and simply goes. A reader without the journal (another
// user) finds the mark on any file that may be torn, from 2 to 4, and gets a
// failed read (EIO): the game's load-failure message, never a wrong level
// set. Readers take a shared lock, so a live write is never seen half done.
// A file system without extended attributes has the journal alone.
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
// A write in place that a crash interrupted is finished first (or, where the
// file cannot be written, its new content is what is read); a file that may
// be torn by another user's interrupted write fails with EIO.
ReadOutcome ReadFilePrefix(const std::string& path, std::size_t maxBytes);

struct WriteOutcome {
    bool ok = false;
    std::size_t bytesWritten = 0; // bytes of the new content that reached a file
    int error = 0;                // errno of the failure
    // The new content began to be written; a failure before that means the
    // file could not be made (or opened) at all.
    bool contentStarted = false;
};

// Writes data as the whole new content of path.
//  - A symbolic link is followed to its final target, which is created when
//    it is missing; the link stays.
//  - A target the user could not write in place is refused (EACCES): one
//    whose permission bits allow no writing at all (also for the superuser,
//    as the platform's read-only attribute would be), or one the user has no
//    write permission for, whatever the directory allows.
//  - A new file gets mode 0666 less the umask; a replaced file keeps its
//    mode, owner and group. A file that could only be replaced by one of
//    another owner or group (another user's file) is written in place.
//  - Where the directory cannot take a new file but the file can be
//    written, the file is written in place; should that fail, its previous
//    content is put back.
//  - Writers of one file do not disturb each other: the last to finish wins.
// Replacing splits a hard link: the other names keep the previous content.
WriteOutcome WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);

// Keeps a change of a file whole against another game changing it at the
// same moment: read the file, change it and write it while holding one, and
// what the other game wrote in between is never undone. Holders for files
// of one directory wait for each other, a few seconds at most; where the
// directory cannot be opened the change goes on without waiting.
class ChangeLock {
public:
    explicit ChangeLock(const std::string& path);
    ~ChangeLock();
    ChangeLock(const ChangeLock&) = delete;
    ChangeLock& operator=(const ChangeLock&) = delete;

private:
    int fd_ = -1;
};

bool FileExists(const std::string& path);

// The prefix of the temporary files a write of `target` uses, in the
// target's directory: ".zk-<name>." followed by six characters.
std::string TemporaryPrefixFor(const std::string& fileName);

// What interrupted writes of these files left behind: temporary files no
// live writer holds are removed, and writes in place are finished from
// their journals (every journal of the player's is looked at).
void CleanUpInterruptedWrites(const std::vector<std::string>& targets);

namespace fault {
// Fault injection for the write paths: the next writes fail once this many
// bytes of the new content have been written. nullopt switches it off.
void FailWritesAfter(std::optional<std::size_t> bytes);
} // namespace fault

} // namespace zk::files
