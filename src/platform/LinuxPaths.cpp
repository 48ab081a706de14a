#include "platform/LinuxPaths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty() || !QDir().mkpath(base)) return {};
    const QString dir = base + "/Kor2Temp";
    return ensurePrivateDir(dir) ? withSlash(dir) : QString();
}

bool LinuxPaths::ensurePrivateDir(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0) return false;
    return true;
}

} // namespace platform
