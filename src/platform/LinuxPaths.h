#pragma once

#include "platform/Paths.h"

namespace platform {

/// XDG locations: settings under the config home, Kor2Temp under the cache home.
class LinuxPaths : public Paths {
public:
    QString settingsDir() const override;
    QString homeDir() const override;
    QString tempDir() const override;
};

} // namespace platform
