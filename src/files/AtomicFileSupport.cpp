#include "files/AtomicFileSupport.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <thread>

namespace zk::files {

namespace {
std::optional<std::size_t> failAfter;
} // namespace

namespace fault {
void FailWritesAfter(std::optional<std::size_t> bytes) {
    failAfter = bytes;
}
} // namespace fault

namespace detail {

namespace {

constexpr std::size_t TempSuffixLength = 6;
// How long a lock is waited for: far longer than any write of the game's
// files takes, short enough that a stopped process does not hang the game.
constexpr auto LockWait = std::chrono::seconds(5);

// The next bytes to write, shortened where an injected fault cuts them off;
// nullopt when the fault has been reached.
std::optional<std::size_t> NextChunk(std::size_t written, std::size_t total) {
    std::size_t chunk = total - written;
    if (failAfter) {
        if (written >= *failAfter) {
            return std::nullopt;
        }
        chunk = std::min(chunk, *failAfter - written);
    }
    return chunk;
}

// Creates a new temporary file with mode 0666 less the umask, named by the
// prefix and six random characters, and locks it before anything else can
// take it for stale: a clean-up that got hold of the lock first removes the
// name, so the writer takes another.
Fd CreateTemporary(const std::string& directory, const std::string& prefix, std::string& path) {
    static constexpr char Letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937_64 names(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<std::uint64_t>(::getpid()) << 32));
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < TempSuffixLength; ++i) {
            name += Letters[names() % (sizeof(Letters) - 1)];
        }
        path = directory + "/" + name;
        Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!fd.Valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return fd;
        }
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK || errno == EINTR) {
                continue; // a clean-up holds it and is removing it
            }
            // A file system without locks: no clean-up can lock the file
            // either, so none removes it.
        }
        struct stat mine {};
        struct stat named {};
        if (::fstat(fd.Get(), &mine) != 0 || ::lstat(path.c_str(), &named) != 0 ||
            !SameFile(mine, named)) {
            continue; // removed by a clean-up between its creation and the lock
        }
        return fd;
    }
    errno = EEXIST;
    return Fd(-1);
}

} // namespace

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

int Fd::Close() {
    int rc = 0;
    if (fd_ >= 0) {
        rc = ::close(fd_);
        fd_ = -1;
    }
    return rc;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteAll(int fd, std::span<const std::uint8_t> data, std::size_t& written, bool injectable) {
    while (written < data.size()) {
        std::size_t chunk = data.size() - written;
        if (injectable) {
            const auto allowed = NextChunk(written, data.size());
            if (!allowed) {
                errno = ENOSPC;
                return false;
            }
            chunk = *allowed;
        }
        const ssize_t n = ::write(fd, data.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

int ReadUpTo(int fd, std::size_t maxBytes, std::size_t sizeHint, std::vector<std::uint8_t>& bytes) {
    // The size on disk is only a hint for the first buffer; the reads decide.
    constexpr std::size_t Chunk = 64 * 1024;
    bytes.resize(std::min({maxBytes, sizeHint + 1, Chunk}));
    std::size_t got = 0;
    int error = 0;
    while (got < maxBytes) {
        if (got == bytes.size()) {
            bytes.resize(std::min(maxBytes, bytes.size() + Chunk));
        }
        const ssize_t n =
            ::pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return error;
}

bool SyncDirectory(const std::string& directory) {
    Fd dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot; the rename stands anyway.
    return dir.Valid() && ::fsync(dir.Get()) == 0;
}

int LockWithin(int fd, int operation) {
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0) {
            return 0;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return errno;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return EWOULDBLOCK;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

void RemoveStaleTemporaries(const std::string& directory, const std::string& prefix) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + TempSuffixLength || !name.starts_with(prefix)) {
            continue;
        }
        Fd stale(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held {};
        struct stat named {};
        // Locked, it is no writer's any more; still under its name, it is
        // not the target a writer has just renamed it to.
        if (stale.Valid() && ::fstat(stale.Get(), &held) == 0 && S_ISREG(held.st_mode) &&
            ::flock(stale.Get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(held, named)) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

Replaced ReplaceByRename(const std::string& target, std::span<const std::uint8_t> data,
                         const struct stat* previous, bool injectable, WriteOutcome& out) {
    const std::string directory = DirectoryOf(target);
    const std::string prefix = TemporaryPrefixFor(NameOf(target));
    RemoveStaleTemporaries(directory, prefix);
    std::string temp;
    Fd fd = CreateTemporary(directory, prefix, temp);
    if (!fd.Valid()) {
        out.error = errno;
        return previous && (errno == EACCES || errno == EPERM) ? Replaced::CannotReplace
                                                               : Replaced::Failed;
    }
    auto abandon = [&](int error, Replaced result) {
        out.error = error;
        ::unlink(temp.c_str());
        fd.Close();
        return result;
    };
    if (previous) {
        // The owner and group as before, or the file is not replaced: a file
        // of another user must not change hands. The mode last, since a
        // change of owner clears some of its bits.
        struct stat made {};
        if (::fchown(fd.Get(), previous->st_uid, previous->st_gid) != 0 &&
            (::fstat(fd.Get(), &made) != 0 || made.st_uid != previous->st_uid ||
             made.st_gid != previous->st_gid)) {
            return abandon(EPERM, Replaced::CannotReplace);
        }
        ::fchmod(fd.Get(), previous->st_mode & 07777); // where the file system keeps modes
    }
    out.contentStarted = true;
    if (!WriteAll(fd.Get(), data, out.bytesWritten, injectable)) {
        return abandon(errno, Replaced::Failed);
    }
    if (::fsync(fd.Get()) != 0) {
        return abandon(errno, Replaced::Failed);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        // A sticky directory lets only the owner replace a name.
        return abandon(error, previous && (error == EPERM || error == EACCES)
                                  ? Replaced::CannotReplace
                                  : Replaced::Failed);
    }
    // The content is on disk already; closing only lets go of the lock.
    fd.Close();
    SyncDirectory(directory);
    out.ok = true;
    out.error = 0;
    return Replaced::Done;
}

bool CreatePrivateDirectories(const std::string& directory) {
    for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
         slash = directory.find('/', slash + 1)) {
        const std::string part = directory.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat st {};
    return ::stat(directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace detail
} // namespace zk::files
