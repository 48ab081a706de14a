#pragma once

#include <QDateTime>
#include <QString>

/// The extension from the last "." of the name (dot included, empty without one),
/// upper-cased in ASCII and cut to four characters: "photo.jpeg" gives ".JPE".
QString ExtensionKey(const QString& fileName);

/// Size in bytes of the entry a directory search finds (any attribute; a wildcard gives
/// its first match, a directory its entry size), or -1 when none. Never throws.
qint64 QueryFileSize(const QString& fileName);

/// Last-write time of the entry; invalid when it does not exist.
QDateTime QueryFileDate(const QString& fileName);

/// Opens or runs the file with the desktop's default action; every argument passes whole.
bool ShellRunFile(const QString& fileName, const QString& parameters = {},
                  const QString& directory = {});
