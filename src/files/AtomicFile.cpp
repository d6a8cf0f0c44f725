#include "files/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "files/AtomicFileJournal.h"
#include "files/AtomicFileSupport.h"

namespace zk::files {

using detail::DirectoryOf;
using detail::Fd;
using detail::NameOf;

namespace {

// Links followed before a chain counts as a loop, as the kernel does.
constexpr int MaxLinkHops = 40;
constexpr std::size_t NameMax = 255;
constexpr std::size_t TempSuffixLength = 6;

// Where a write really lands: a chain of symbolic links is followed to its
// last member, which need not exist yet. nullopt for a loop.
std::optional<std::string> ResolveTarget(std::string path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::string link(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 256, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
            return path; // changed under us: let the write find out
        }
        link.resize(static_cast<std::size_t>(n));
        path = !link.empty() && link.front() == '/' ? link : DirectoryOf(path) + "/" + link;
    }
    return std::nullopt;
}

// Whether the user could write the existing file in place.
bool WritableInPlace(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Finishes a write in place of the file that a crash interrupted.
void SettlePending(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.Valid() && ::fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode)) {
        detail::SettleJournal(path, fd.Get(), st);
    }
}

} // namespace

std::string TemporaryPrefixFor(const std::string& fileName) {
    constexpr std::size_t room = NameMax - TempSuffixLength - 5;
    return ".zk-" + fileName.substr(0, room) + ".";
}

ReadOutcome ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadOutcome out;
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) {
        out.failed = true;
        out.error = errno;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.failed = true;
        out.error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return out;
    }
    out.opened = true;
    // What an interrupted write in place means the file to hold, where the
    // file itself could not be given it.
    auto settled = [&] {
        auto bytes = detail::SettleJournal(path, fd.Get(), st);
        if (bytes) {
            bytes->resize(std::min(bytes->size(), maxBytes));
            out.bytes = std::move(*bytes);
        }
        return bytes.has_value();
    };
    if (settled()) {
        return out;
    }
    // A writer in place holds the file locked from its mark to the end; a
    // reader that cannot get the lock still has the mark to go by. A mark
    // found now may be a writer's of this user that ended a moment ago.
    detail::LockWithin(fd.Get(), LOCK_SH);
    if (detail::MarkedTorn(fd.Get())) {
        ::flock(fd.Get(), LOCK_UN);
        if (settled()) {
            return out;
        }
        detail::LockWithin(fd.Get(), LOCK_SH);
        if (detail::MarkedTorn(fd.Get())) {
            out.failed = true;
            out.error = EIO;
            return out;
        }
    }
    const auto size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
    if (const int error = detail::ReadUpTo(fd.Get(), maxBytes, size, out.bytes); error != 0) {
        out.failed = true;
        out.error = error;
    }
    return out;
}

WriteOutcome WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data) {
    WriteOutcome out;
    const auto resolved = ResolveTarget(path);
    if (!resolved) {
        out.error = ELOOP;
        return out;
    }
    const std::string& target = *resolved;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        out.error = S_ISDIR(old.st_mode) ? EISDIR : EACCES;
        return out;
    }
    if (exists && !WritableInPlace(target, old)) {
        out.error = EACCES;
        return out;
    }
    if (exists) {
        SettlePending(target);
    }
    // Another user's file stays theirs: only the superuser could hand the
    // replacement over to them.
    if (exists && old.st_uid != ::geteuid() && ::geteuid() != 0) {
        return detail::WriteInPlace(target, data);
    }
    const auto replaced = detail::ReplaceByRename(target, data, exists ? &old : nullptr, true, out);
    if (replaced == detail::Replaced::CannotReplace) {
        return detail::WriteInPlace(target, data);
    }
    return out;
}

ChangeLock::ChangeLock(const std::string& path) {
    // The directory is locked, not the file: a write replaces the file, and
    // a lock on the one replaced would hold no later game back.
    const auto target = path.empty() ? std::nullopt : ResolveTarget(path);
    if (target) {
        fd_ = ::open(DirectoryOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (fd_ < 0) {
        return;
    }
    // Once a wait has run out (a stopped process, or another user, keeping
    // the directory locked), later changes only try: a close that writes
    // many keys must not stand still for each of them.
    static std::atomic<bool> waitRanOut{false};
    int locked = 0;
    if (!waitRanOut) {
        locked = detail::LockWithin(fd_, LOCK_EX);
    } else if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        locked = errno;
    }
    if (locked == EWOULDBLOCK) {
        waitRanOut = true;
    }
    if (locked != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

ChangeLock::~ChangeLock() {
    if (fd_ >= 0) {
        ::close(fd_); // lets go of the lock
    }
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void CleanUpInterruptedWrites(const std::vector<std::string>& targets) {
    for (const auto& path : targets) {
        const auto target = path.empty() ? std::nullopt : ResolveTarget(path);
        if (target) {
            detail::RemoveStaleTemporaries(DirectoryOf(*target),
                                           TemporaryPrefixFor(NameOf(*target)));
            SettlePending(*target);
        }
    }
    detail::SettleAllJournals();
}

} // namespace zk::files
