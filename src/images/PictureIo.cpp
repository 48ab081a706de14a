#include "images/PictureIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pictureio {

QByteArray ReadWhole(const QString& path, QString* reason) {
    auto fail = [&](const QString& text) {
        if (reason) *reason = text;
        return QByteArray();
    };
    const QFileInfo info(path);
    // Checked before opening: opening a FIFO or a device for reading could block.
    if (!info.exists()) return fail(QStringLiteral("the file does not exist"));
    if (!info.isFile()) return fail(QStringLiteral("it is not a regular file"));
    if (info.size() > kMaxPictureFileBytes) return fail(QStringLiteral("the file is too large"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    QByteArray bytes = file.read(kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) return fail(QStringLiteral("the file is too large"));
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    return bytes;
}

bool Replace(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace pictureio
