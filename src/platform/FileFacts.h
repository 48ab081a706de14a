#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

/// Size and date of a directory entry, found the way a directory search finds it.
class FileFacts {
public:
    virtual ~FileFacts() = default;
    /// Size of the entry named (relative names against the current directory; a wildcard
    /// pattern gives its first match; a directory its entry size), or -1 when nothing matches.
    virtual qint64 size(const QString& fileName) const = 0;
    /// Last-write time of the entry, or an invalid date-time when there is none.
    virtual QDateTime lastWrite(const QString& fileName) const = 0;
};

} // namespace platform
