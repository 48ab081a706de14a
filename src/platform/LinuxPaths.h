#pragma once

#include "platform/Paths.h"

namespace platform {

/// XDG locations: settings under the config home, Kor2Temp under the cache home.
class LinuxPaths : public Paths {
public:
    QString settingsDir() const override;
    QString homeDir() const override;
    QString tempDir() const override;

    /// Creates (mode 0700, not following links) or checks a private folder owned by this user.
    static bool ensurePrivateDir(const QString& path);
};

} // namespace platform
