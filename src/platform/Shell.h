#pragma once

#include <QString>
#include <QUrl>

namespace platform {

/// The desktop's open and run facilities (stands in for ShellExecute).
class Shell {
public:
    virtual ~Shell() = default;
    /// Opens a web address or document with the desktop's registered program.
    virtual bool openUrl(const QUrl& url) = 0;
    /// Runs an executable file directly, or opens any other file with its default program.
    /// Each argument is passed whole; parameters are split like a shell command line.
    virtual bool runFile(const QString& fileName, const QString& parameters,
                         const QString& directory) = 0;
};

} // namespace platform
