#include "TestWorld.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

TestWorld::TestWorld() {
    paths.settings = dir("config/Korvane");
    paths.home = dir("home");
    paths.temp = dir("cache/Kor2Temp");
    platform::VolumeInfo root;
    root.rootPath = path();
    root.caption = "/";
    root.type = platform::VolumeType::Fixed;
    root.totalBytes = 1 << 30;
    volumes.volumes = {root};
    platform::setPaths(&paths);
    platform::setShell(&shell);
    platform::setVolumes(&volumes);
}

namespace {
// QTemporaryDir cannot remove names that are not UTF-8, so the world removes itself by bytes.
int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return ::remove(path);
}
} // namespace

TestWorld::~TestWorld() {
    ::nftw(QFile::encodeName(m_dir.path()).constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    platform::setPaths(nullptr);
    platform::setShell(nullptr);
    platform::setVolumes(nullptr);
}

QString TestWorld::path(const QString& relative) const {
    return m_dir.path() + '/' + relative;
}

QString TestWorld::file(const QString& relative, const QByteArray& bytes) {
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile out(target);
    if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    return target;
}

QString TestWorld::dir(const QString& relative) {
    const QString target = path(relative);
    QDir().mkpath(target);
    return target.endsWith('/') ? target : target + '/';
}

QByteArray TestWorld::rawNameFile(const QString& folderRelative, const QByteArray& rawName,
                                  const QByteArray& bytes) {
    const QByteArray folder = QFile::encodeName(dir(folderRelative));
    const QByteArray full = folder + rawName;
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        if (!bytes.isEmpty()) (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
        ::close(fd);
    }
    return full;
}
