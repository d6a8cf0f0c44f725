#include "files/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace zk::files {

namespace {

std::optional<std::size_t> failAfter;

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
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

// Where a write really lands: a symbolic link is followed to its target, so
// the link itself survives the rename.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) {
            return resolved.string();
        }
    }
    return path;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

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
    const std::string target = ResolveTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) {
        out.error = S_ISDIR(old.st_mode) ? EISDIR : EACCES;
        return out;
    }

    // mkstemp replaces the six trailing X with a unique name.
    std::string temp = DirectoryOf(target) + "/.zk-" + std::string(6, 'X');
    Fd fd(::mkstemp(temp.data()));
    if (!fd.Valid()) {
        out.error = errno;
        return out;
    }
    ::fchmod(fd.Get(), exists ? (old.st_mode & 07777) : 0644);

    auto fail = [&](int error) {
        out.error = error;
        fd.Close();
        ::unlink(temp.c_str());
        return out;
    };

    while (out.bytesWritten < data.size()) {
        std::size_t chunk = data.size() - out.bytesWritten;
        if (failAfter) {
            if (out.bytesWritten >= *failAfter) {
                return fail(ENOSPC);
            }
            chunk = std::min(chunk, *failAfter - out.bytesWritten);
        }
        const ssize_t n = ::write(fd.Get(), data.data() + out.bytesWritten, chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        out.bytesWritten += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.Get()) != 0) {
        return fail(errno);
    }
    if (fd.Close() != 0) {
        out.error = errno;
        ::unlink(temp.c_str());
        return out;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        out.error = errno;
        ::unlink(temp.c_str());
        return out;
    }
    out.ok = true;
    return out;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace fault {
void FailWritesAfter(std::optional<std::size_t> bytes) {
    failAfter = bytes;
}
} // namespace fault

} // namespace zk::files
