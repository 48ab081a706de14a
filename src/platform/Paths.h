#pragma once

#include <QString>

namespace platform {

/// Where the program keeps its files; stands in for the Windows directory and C:\Kor2Temp.
class Paths {
public:
    virtual ~Paths() = default;
    /// The folder that holds Kor2.ini, ending in "/"; created when missing.
    virtual QString settingsDir() const = 0;
    /// The start directory of the tree (the user's home), ending in "/".
    virtual QString homeDir() const = 0;
    /// The private per-user temp folder Kor2Temp (mode 0700), ending in "/"; created on demand.
    /// Returns an empty string when it cannot be created or is not private.
    virtual QString tempDir() const = 0;

    QString settingsFile(const QString& name) const { return settingsDir() + name; }
};

} // namespace platform
