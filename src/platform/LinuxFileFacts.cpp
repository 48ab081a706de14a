#include "platform/LinuxFileFacts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace platform {

namespace {
bool statEntry(const QString& path, struct stat& st) {
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ||
           ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}
} // namespace

QString LinuxFileFacts::firstMatch(const QString& fileName) {
    if (fileName.isEmpty()) return {};
    const QString absolute = QDir::current().absoluteFilePath(fileName);
    const QFileInfo info(absolute);
    const QString name = info.fileName();
    if (!name.contains('*') && !name.contains('?')) {
        struct stat st {};
        return statEntry(absolute, st) ? absolute : QString();
    }
    const QDir dir(info.path());
    const QStringList hits =
        dir.entryList({name}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDir::Unsorted);
    return hits.isEmpty() ? QString() : dir.filePath(hits.first());
}

qint64 LinuxFileFacts::size(const QString& fileName) const {
    const QString path = firstMatch(fileName);
    struct stat st {};
    if (path.isEmpty() || !statEntry(path, st)) return -1;
    return st.st_size;
}

QDateTime LinuxFileFacts::lastWrite(const QString& fileName) const {
    const QString path = firstMatch(fileName);
    if (path.isEmpty()) return {};
    return QFileInfo(path).lastModified();
}

} // namespace platform
