#include "platform/Directories.h"

#include <QCoreApplication>
#include <QDir>

namespace zk::platform {

namespace {
std::string WithSlash(QString directory) {
    if (!directory.endsWith(QLatin1Char('/'))) {
        directory += QLatin1Char('/');
    }
    return directory.toStdString();
}
} // namespace

std::string ProgramDirectory() {
    return WithSlash(QCoreApplication::applicationDirPath());
}

std::string SettingsDirectory() {
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return WithSlash(QDir::cleanPath(configured));
    }
    return WithSlash(QDir::homePath() + QStringLiteral("/.config"));
}

} // namespace zk::platform
