// The safe-write code as it was before writes in place went through a
// journal, kept for the benchmark alone so that the cost of a save is
// measured before and after side by side in one run.
#include "BeforeSafeWrite.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>

namespace zk::files::before {

namespace {

std::optional<std::size_t> failAfter; // never set: no faults in the benchmark

// Links followed before a chain counts as a loop, as the kernel does.
constexpr int MaxLinkHops = 40;
// The previous content kept for putting back after a failed write in place.
constexpr std::size_t MaxRestoreBytes = 16 * 1024 * 1024;
constexpr std::size_t NameMax = 255;
constexpr std::size_t TempSuffixLength = 6;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Close() {
        int rc = 0;
        if (fd_ >= 0) {
            rc = ::close(fd_);
            fd_ = -1;
        }
        return rc;
    }

private:
    int fd_;
};

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

// Writes all of data; false with errno set on failure. Injected faults apply
// only when `injectable`.
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

void SyncDirectory(const std::string& directory) {
    Fd dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) {
        ::fsync(dir.Get()); // some file systems cannot; the rename stands anyway
    }
}

// Temporary files of earlier writes of the same target whose writer has
// gone: a writer holds a lock on its temporary file until the rename.
void RemoveStaleTemporaries(const std::string& directory, const std::string& prefix) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() != prefix.size() + TempSuffixLength ||
            name.substr(0, prefix.size()) != prefix) {
            continue;
        }
        Fd stale(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (stale.Valid() && ::fstat(stale.Get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::flock(stale.Get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(dirFd, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

// Creates a new temporary file with mode 0666 less the umask, named by the
// prefix and six random characters.
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
        if (fd.Valid() || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return Fd(-1);
}

// The file written where it stands: for a directory that cannot be written.
// After a failure the previous content is put back as far as it can be.
WriteOutcome WriteInPlace(const std::string& target, std::span<const std::uint8_t> data) {
    WriteOutcome out;
    const ReadOutcome previous = ReadFilePrefix(target, MaxRestoreBytes + 1);
    const bool restorable =
        previous.opened && !previous.failed && previous.bytes.size() <= MaxRestoreBytes;
    Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!fd.Valid()) {
        out.error = errno;
        return out;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        out.error = EINVAL;
        return out;
    }
    if (::ftruncate(fd.Get(), 0) == 0 && WriteAll(fd.Get(), data, out.bytesWritten, true) &&
        ::fsync(fd.Get()) == 0) {
        out.ok = fd.Close() == 0;
        out.error = out.ok ? 0 : errno;
        return out;
    }
    out.error = errno;
    if (restorable && ::ftruncate(fd.Get(), 0) == 0 && ::lseek(fd.Get(), 0, SEEK_SET) == 0) {
        std::size_t restored = 0;
        if (WriteAll(fd.Get(), previous.bytes, restored, false)) {
            ::fsync(fd.Get());
        }
    }
    return out;
}

} // namespace

std::string TemporaryPrefixFor(const std::string& fileName) {
    constexpr std::size_t room = NameMax - TempSuffixLength - 5;
    return ".zk-" + fileName.substr(0, room) + ".";
}

ReadOutcome ReadFilePrefix(const std::string& path, std::size_t maxBytes) {
    ReadOutcome out;
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        out.failed = true;
        out.error = errno;
        return out;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
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
    // The size on disk is only a hint for the first buffer; the reads decide.
    constexpr std::size_t Chunk = 64 * 1024;
    const auto hint = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)) + 1;
    out.bytes.resize(std::min({maxBytes, hint, Chunk}));
    std::size_t got = 0;
    while (got < maxBytes) {
        if (got == out.bytes.size()) {
            out.bytes.resize(std::min(maxBytes, out.bytes.size() + Chunk));
        }
        const ssize_t n = ::read(fd.Get(), out.bytes.data() + got, out.bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            out.failed = true;
            out.error = errno;
            break;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    out.bytes.resize(got);
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

    const std::string directory = DirectoryOf(target);
    const std::string prefix = TemporaryPrefixFor(NameOf(target));
    RemoveStaleTemporaries(directory, prefix);
    std::string temp;
    Fd fd = CreateTemporary(directory, prefix, temp);
    if (!fd.Valid()) {
        if (exists && (errno == EACCES || errno == EPERM)) {
            return WriteInPlace(target, data);
        }
        out.error = errno;
        return out;
    }
    // Held until the rename: the file is in use, not stale.
    ::flock(fd.Get(), LOCK_EX | LOCK_NB);
    if (exists) {
        // Owner and group as before where the user may keep them; the mode
        // last, since a change of owner clears some of its bits.
        if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int sameGroup =
                ::fchown(fd.Get(), static_cast<uid_t>(-1), old.st_gid);
        }
        ::fchmod(fd.Get(), old.st_mode & 07777);
    }

    auto fail = [&](int error) {
        out.error = error;
        ::unlink(temp.c_str());
        fd.Close();
        return out;
    };
    if (!WriteAll(fd.Get(), data, out.bytesWritten, true)) {
        return fail(errno);
    }
    if (::fsync(fd.Get()) != 0) {
        return fail(errno);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    // The content is on disk already; closing only lets go of the lock.
    fd.Close();
    SyncDirectory(directory);
    out.ok = true;
    return out;
}

} // namespace zk::files::before
