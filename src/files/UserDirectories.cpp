#include "files/UserDirectories.h"

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace zk::files {

namespace {

bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string WithSlash(std::string directory) {
    if (directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

} // namespace

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); Absolute(home)) {
        return home;
    }
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || !Absolute(found->pw_dir)) {
            return {};
        }
        return found->pw_dir;
    }
}

std::string StateDirectory() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); Absolute(state)) {
        return WithSlash(state) + "zanfor-kelva/";
    }
    const std::string home = HomeDirectory();
    if (home.empty()) {
        return {};
    }
    return WithSlash(home) + ".local/state/zanfor-kelva/";
}

} // namespace zk::files
