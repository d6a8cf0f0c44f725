#include "platform/Directories.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "files/UserDirectories.h"

namespace zk::platform {

namespace {
std::string WithSlash(QString directory) {
    if (!directory.endsWith(QLatin1Char('/'))) {
        directory += QLatin1Char('/');
    }
    return directory.toStdString();
}

// The executable's path as the kernel names it, byte for byte; empty when
// it cannot be told.
std::string ExecutablePath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < path.size()) {
            path.resize(static_cast<std::size_t>(n));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool IsUtf8(const std::string& bytes) {
    const QByteArray raw = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(raw).toUtf8() == raw;
}
} // namespace

std::string ProgramDirectory() {
    const std::string executable = ExecutablePath();
    const auto slash = executable.find_last_of('/');
    if (executable.empty() || executable.front() != '/' || slash == std::string::npos) {
        return WithSlash(QCoreApplication::applicationDirPath());
    }
    const std::string directory = executable.substr(0, slash + 1);
    if (IsUtf8(directory)) {
        return directory;
    }
    // Qt names files in UTF-8 alone, so it cannot reach a directory whose
    // name is not: the directory is reached through a descriptor the program
    // holds for its whole run instead, a name every part of it can use.
    static const int held = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (held < 0) {
        return directory;
    }
    return "/proc/self/fd/" + std::to_string(held) + "/";
}

std::string SettingsDirectory() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return WithSlash(QDir::cleanPath(configured));
    }
    // Without HOME, the home the password database gives, not the root.
    const QString home = QFile::decodeName(files::HomeDirectory().c_str());
    return WithSlash(QDir::cleanPath(home + QStringLiteral("/.config")));
}

} // namespace zk::platform
