#pragma once

#include "platform/FileFacts.h"

namespace platform {

/// File facts from stat(2), with wildcard names resolved to their first match.
class LinuxFileFacts : public FileFacts {
public:
    qint64 size(const QString& fileName) const override;
    QDateTime lastWrite(const QString& fileName) const override;

    /// The path a directory search for fileName finds first, or an empty string.
    static QString firstMatch(const QString& fileName);
};

} // namespace platform
