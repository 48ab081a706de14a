#pragma once

#include <QByteArray>
#include <QString>

/// The picture codecs' only contact with files: whole-file reads of regular files and
/// writes that replace the target through a temporary file renamed into place.
namespace pictureio {

/// Pictures larger than this are not read into memory.
constexpr qint64 kMaxPictureFileBytes = qint64(1) << 30;

/// The file's bytes; on failure empty with a message naming the file and the reason in
/// `reason` (not a regular file, unreadable, larger than the limit).
QByteArray ReadWhole(const QString& path, QString* reason);

/// Writes `bytes` as the file at `path` atomically; false on any failure, the file then
/// untouched.
bool Replace(const QString& path, const QByteArray& bytes);

} // namespace pictureio
