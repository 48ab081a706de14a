#include "platform/LinuxPaths.h"

#include "core/FileIo.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
QString withSlash(const QString& path) {
    return path.endsWith('/') ? path : path + '/';
}
} // namespace

QString LinuxPaths::settingsDir() const {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return withSlash(dir);
}

QString LinuxPaths::homeDir() const {
    return withSlash(QDir::homePath());
}

QString LinuxPaths::tempDir() const {
    return fileio::PrivateTempDir();
}

} // namespace platform
