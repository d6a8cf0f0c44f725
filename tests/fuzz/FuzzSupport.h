// What every fuzz target shares: a scratch file per process for the bytes
// under test, and a check that stops the run as a crash libFuzzer records.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zk::fuzz {

// Stops the run: libFuzzer saves the input that got here.
[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

#define ZK_REQUIRE(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            ::zk::fuzz::Fail(#cond, __FILE__, __LINE__);                                           \
        }                                                                                          \
    } while (false)

// A directory of this process's own, on a memory file system when there is
// one: the writers flush every file, which a disk makes slow.
class ScratchDir {
public:
    ScratchDir() {
        std::string base = "/dev/shm";
        if (::access(base.c_str(), W_OK) != 0) {
            const char* tmp = std::getenv("TMPDIR");
            base = tmp && *tmp ? tmp : "/tmp";
        }
        std::string templ = base + "/zk-fuzz-XXXXXX";
        if (::mkdtemp(templ.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        path_ = templ + "/";
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Always ends in "/", as the program directory does.
    const std::string& Path() const { return path_; }

    // Replaces the file's content with the bytes, plainly (not through the
    // code under test).
    std::string Put(const std::string& name, const std::uint8_t* data, std::size_t size) const {
        const std::string file = path_ + name;
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (f == nullptr) {
            std::perror(file.c_str());
            std::abort();
        }
        if (size > 0 && std::fwrite(data, 1, size, f) != size) {
            std::perror(file.c_str());
            std::abort();
        }
        std::fclose(f);
        return file;
    }

private:
    std::string path_;
};

inline const ScratchDir& Scratch() {
    static const ScratchDir dir;
    return dir;
}

} // namespace zk::fuzz
