#include "platform/LinuxShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace platform {

bool LinuxShell::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool LinuxShell::runFile(const QString& fileName, const QString& parameters,
                         const QString& directory) {
    const QString base = directory.isEmpty() ? QDir::currentPath() : directory;
    const QFileInfo file(QDir(base).absoluteFilePath(fileName));
    if (file.isFile() && file.isExecutable())
        return QProcess::startDetached(file.absoluteFilePath(), QProcess::splitCommand(parameters),
                                       base);
    return openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

} // namespace platform
