#pragma once

#include "platform/Shell.h"

namespace platform {

/// Opens through the desktop's URL handlers and starts executables directly.
class LinuxShell : public Shell {
public:
    bool openUrl(const QUrl& url) override;
    bool runFile(const QString& fileName, const QString& parameters,
                 const QString& directory) override;
};

} // namespace platform
