#include "files/AtomicFileJournal.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "files/AtomicFileSupport.h"
#include "files/UserDirectories.h"

namespace zk::files::detail {

namespace {

// The mark of a file that a write in place may have left torn.
constexpr char TornMark[] = "user.zanfor-kelva.torn";
constexpr char JournalPrefix[] = "journal-";
constexpr char Magic[] = {'Z', 'K', 'J', '1'};
// Larger files are not written in place: both contents go into the journal.
constexpr std::size_t MaxContent = 16 * 1024 * 1024;

struct Journal {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::string path;                // where the file was, for the start-up clean-up
    std::vector<std::uint8_t> old;   // its content before the write
    std::vector<std::uint8_t> fresh; // the content written
};

std::uint64_t Checksum(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 1099511628211ull;
    }
    return hash;
}

void Put(std::vector<std::uint8_t>& out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void Put(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    Put(out, bytes.size());
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Magic, device, inode, then path, previous and new content each with its
// length, then the checksum of all that comes before it.
std::vector<std::uint8_t> Encode(const Journal& j) {
    std::vector<std::uint8_t> out(std::begin(Magic), std::end(Magic));
    Put(out, j.device);
    Put(out, j.inode);
    Put(out, {reinterpret_cast<const std::uint8_t*>(j.path.data()), j.path.size()});
    Put(out, j.old);
    Put(out, j.fresh);
    Put(out, Checksum(out));
    return out;
}

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::optional<std::uint64_t> Number() {
        if (bytes_.size() - at_ < 8) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i) {
            value |= static_cast<std::uint64_t>(bytes_[at_++]) << (8 * i);
        }
        return value;
    }
    std::optional<std::span<const std::uint8_t>> Bytes() {
        const auto size = Number();
        if (!size || *size > bytes_.size() - at_) {
            return std::nullopt;
        }
        const auto part = bytes_.subspan(at_, static_cast<std::size_t>(*size));
        at_ += part.size();
        return part;
    }
    std::size_t At() const { return at_; }
    void Skip(std::size_t n) { at_ += std::min(n, bytes_.size() - at_); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

std::optional<Journal> Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < sizeof(Magic) + 8 ||
        !std::equal(std::begin(Magic), std::end(Magic), bytes.begin())) {
        return std::nullopt;
    }
    Reader in(bytes);
    in.Skip(sizeof(Magic));
    Journal j;
    const auto device = in.Number();
    const auto inode = in.Number();
    const auto path = in.Bytes();
    const auto old = in.Bytes();
    const auto fresh = in.Bytes();
    if (!device || !inode || !path || !old || !fresh) {
        return std::nullopt;
    }
    const std::size_t body = in.At();
    const auto checksum = in.Number();
    if (!checksum || in.At() != bytes.size() || *checksum != Checksum(bytes.first(body))) {
        return std::nullopt;
    }
    j.device = *device;
    j.inode = *inode;
    j.path.assign(path->begin(), path->end());
    j.old.assign(old->begin(), old->end());
    j.fresh.assign(fresh->begin(), fresh->end());
    return j;
}

std::string JournalName(const struct stat& st) {
    return JournalPrefix + std::to_string(static_cast<std::uint64_t>(st.st_dev)) + "-" +
           std::to_string(static_cast<std::uint64_t>(st.st_ino));
}

std::optional<std::vector<std::uint8_t>> ReadWhole(int fd, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    if (ReadUpTo(fd, maxBytes, 0, bytes) != 0) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<Journal> LoadJournal(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        return std::nullopt;
    }
    const auto bytes = ReadWhole(fd.Get(), 2 * MaxContent + PATH_MAX + 64);
    return bytes ? Decode(*bytes) : std::nullopt;
}

// Whether every byte of the file comes from the previous or the new content
// at its place, and its length lies between theirs: what a write from the
// start that is cut off anywhere leaves, with or without the final cut to
// length.
bool IsMix(std::span<const std::uint8_t> file, const Journal& j) {
    const std::size_t shorter = std::min(j.old.size(), j.fresh.size());
    const std::size_t longer = std::max(j.old.size(), j.fresh.size());
    if (file.size() < shorter || file.size() > longer) {
        return false;
    }
    for (std::size_t i = 0; i < file.size(); ++i) {
        const bool fromOld = i < j.old.size() && file[i] == j.old[i];
        const bool fromNew = i < j.fresh.size() && file[i] == j.fresh[i];
        if (!fromOld && !fromNew) {
            return false;
        }
    }
    return true;
}

// The whole content of the file open as fd: from the start, cut to length,
// flushed.
bool Overwrite(int fd, std::span<const std::uint8_t> content, std::size_t& written,
               bool injectable) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, content, written, injectable) &&
           ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && ::fsync(fd) == 0;
}

// Clears the mark and flushes that, before the journal may go.
bool Unmark(int fd) {
    if (::fremovexattr(fd, TornMark) != 0 && errno != ENODATA && errno != ENOTSUP) {
        return false;
    }
    return ::fsync(fd) == 0;
}

// With the file locked: the journal's write finished, or the journal
// dropped where the file no longer holds what the write left. `writable` is
// the file open for reading and writing, or -1. Answers the content to read
// instead where the file could not be mended.
std::optional<std::vector<std::uint8_t>> SettleLocked(const std::string& journalPath, int fd,
                                                      int writable) {
    const auto journal = LoadJournal(journalPath);
    struct stat st {};
    if (!journal || ::fstat(fd, &st) != 0 ||
        journal->device != static_cast<std::uint64_t>(st.st_dev) ||
        journal->inode != static_cast<std::uint64_t>(st.st_ino)) {
        if (::access(journalPath.c_str(), F_OK) == 0) {
            ::unlink(journalPath.c_str()); // unreadable, or not this file's
        }
        return std::nullopt;
    }
    const auto now = ReadWhole(fd, std::max(journal->old.size(), journal->fresh.size()) + 1);
    if (!now) {
        return journal->fresh;
    }
    const bool marked = MarkedTorn(fd);
    if (*now != journal->fresh) {
        if (!marked && !IsMix(*now, *journal)) {
            // Written since by someone else: not ours to change.
            ::unlink(journalPath.c_str());
            return std::nullopt;
        }
        std::size_t written = 0;
        if (writable < 0 || !Overwrite(writable, journal->fresh, written, false)) {
            return journal->fresh;
        }
    }
    if (marked && (writable < 0 || !Unmark(writable))) {
        return journal->fresh;
    }
    ::unlink(journalPath.c_str());
    return std::nullopt;
}

// The file's real name, so that the journal finds it from another process
// whatever the name it was given through.
std::string RealPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) {
        return path;
    }
    std::string out(real);
    std::free(real);
    return out;
}

} // namespace

bool MarkedTorn(int fd) {
    return ::fgetxattr(fd, TornMark, nullptr, 0) >= 0;
}

std::optional<std::vector<std::uint8_t>> SettleJournal(const std::string& path, int fd,
                                                       const struct stat& st) {
    const std::string state = StateDirectory();
    if (state.empty()) {
        return std::nullopt;
    }
    const std::string journalPath = state + JournalName(st);
    if (::access(journalPath.c_str(), F_OK) != 0) {
        return std::nullopt; // the usual case: nothing pending
    }
    Fd writable(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    struct stat other {};
    if (writable.Valid() && (::fstat(writable.Get(), &other) != 0 || !SameFile(st, other))) {
        writable.Close();
    }
    const int lockFd = writable.Valid() ? writable.Get() : fd;
    if (LockWithin(lockFd, LOCK_EX) != 0) {
        // A writer still at work: what it means to write is what counts.
        const auto journal = LoadJournal(journalPath);
        return journal ? std::optional(journal->fresh) : std::nullopt;
    }
    auto served = SettleLocked(journalPath, fd, writable.Get());
    ::flock(lockFd, LOCK_UN);
    return served;
}

WriteOutcome WriteInPlace(const std::string& target, std::span<const std::uint8_t> data) {
    WriteOutcome out;
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        out.error = errno;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.error = EINVAL;
        return out;
    }
    const std::string state = StateDirectory();
    if (state.empty()) {
        out.error = ENOENT; // nowhere to keep a journal
        return out;
    }
    if (data.size() > MaxContent) {
        out.error = EFBIG;
        return out;
    }
    if (const int locked = LockWithin(fd.Get(), LOCK_EX); locked != 0) {
        out.error = locked == EWOULDBLOCK ? EBUSY : locked;
        return out;
    }
    // What an earlier write left unfinished comes first.
    const std::string journalPath = state + JournalName(st);
    if (::access(journalPath.c_str(), F_OK) == 0) {
        SettleLocked(journalPath, fd.Get(), fd.Get());
    }
    Journal journal;
    journal.device = static_cast<std::uint64_t>(st.st_dev);
    journal.inode = static_cast<std::uint64_t>(st.st_ino);
    journal.path = RealPath(target);
    auto old = ReadWhole(fd.Get(), MaxContent + 1);
    if (!old || old->size() > MaxContent) {
        out.error = old ? EFBIG : errno;
        return out;
    }
    journal.old = std::move(*old);
    journal.fresh.assign(data.begin(), data.end());
    WriteOutcome logged;
    if (!CreatePrivateDirectories(state) ||
        ReplaceByRename(journalPath, Encode(journal), nullptr, false, logged) != Replaced::Done) {
        out.error = logged.error != 0 ? logged.error : errno;
        return out;
    }
    // The mark before the first byte changes, flushed; a file system
    // without extended attributes has the journal alone.
    const bool marked = ::fsetxattr(fd.Get(), TornMark, "1", 1, 0) == 0;
    if (!marked && errno != ENOTSUP) {
        out.error = errno;
        ::unlink(journalPath.c_str());
        return out;
    }
    if (marked && ::fsync(fd.Get()) != 0) {
        out.error = errno;
        Unmark(fd.Get());
        ::unlink(journalPath.c_str());
        return out;
    }
    out.contentStarted = true;
    if (Overwrite(fd.Get(), data, out.bytesWritten, true)) {
        // Whole and on disk; a mark that stays keeps the journal, which the
        // next read settles.
        out.ok = Unmark(fd.Get());
        out.error = out.ok ? 0 : errno;
        if (out.ok) {
            ::unlink(journalPath.c_str());
        }
        return out;
    }
    out.error = errno;
    // Put the previous content back; should that fail too, the journal
    // stays and the next read finishes the write.
    std::size_t restored = 0;
    if (Overwrite(fd.Get(), journal.old, restored, false) && Unmark(fd.Get())) {
        ::unlink(journalPath.c_str());
    }
    return out;
}

void SettleAllJournals() {
    const std::string state = StateDirectory();
    DIR* dir = state.empty() ? nullptr : ::opendir(state.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::string temporary = TemporaryPrefixFor(JournalPrefix);
    temporary.pop_back(); // ".zk-journal-", the device and inode following
    for (const auto& name : names) {
        if (name.starts_with(temporary) && name.size() > temporary.size() + 6) {
            RemoveStaleTemporaries(state, name.substr(0, name.size() - 6));
            continue;
        }
        if (!name.starts_with(JournalPrefix)) {
            continue;
        }
        const std::string journalPath = state + name;
        const auto journal = LoadJournal(journalPath);
        struct stat st {};
        Fd fd(journal ? ::open(journal->path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1);
        if (!fd.Valid() && journal && errno != ENOENT && errno != ENOTDIR) {
            continue; // out of reach for now: settled when the file is next read
        }
        if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || JournalName(st) != name) {
            ::unlink(journalPath.c_str()); // unreadable, or its file is gone or replaced
            continue;
        }
        SettleJournal(journal->path, fd.Get(), st);
    }
}

} // namespace zk::files::detail
