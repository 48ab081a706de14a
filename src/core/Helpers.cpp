#include "core/Helpers.h"

#include "platform/Host.h"

QString ExtensionKey(const QString& fileName) {
    // The extension never reaches past the last path separator.
    const qsizetype dot = fileName.lastIndexOf('.');
    if (dot < 0 || dot < fileName.lastIndexOf('/')) return {};
    QString key = fileName.mid(dot, 4);
    for (QChar& c : key)
        if (c >= 'a' && c <= 'z') c = QChar(c.unicode() - 'a' + 'A');
    return key;
}

qint64 QueryFileSize(const QString& fileName) {
    return platform::files().size(fileName);
}

QDateTime QueryFileDate(const QString& fileName) {
    return platform::files().lastWrite(fileName);
}

bool ShellRunFile(const QString& fileName, const QString& parameters, const QString& directory) {
    return platform::shell().runFile(fileName, parameters, directory);
}
