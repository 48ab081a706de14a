#include "images/PictureIo.h"

#include "core/FileIo.h"
#include "core/KorError.h"

#include <QFile>

namespace pictureio {

QByteArray ReadWhole(const QString& path, QString* reason) {
    try {
        return fileio::ReadWhole(QFile::encodeName(path), kMaxPictureFileBytes);
    } catch (const KorError& error) {
        if (reason) *reason = error.text();
        return {};
    }
}

bool Replace(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) return false;
    try {
        fileio::Replace(QFile::encodeName(path), bytes);
        return true;
    } catch (const KorError&) {
        return false;
    }
}

} // namespace pictureio
