#pragma once

#include <QByteArray>

#include <sys/types.h>

#include <dirent.h>

/// One directory entry, named by the bytes stored on disk.
struct DirEntry {
    QByteArray name;
    bool isDir = false; ///< a directory, or a symbolic link to one
    bool isSymlink = false;
    bool hasFacts = false; ///< mode, size and time were read
    mode_t mode = 0;
    qint64 size = 0;
    qint64 modifiedMs = 0; ///< last write, milliseconds since the epoch (UTC)
};

/// Reads a directory by its path in bytes, so names that are not UTF-8 stay reachable.
/// Symbolic links are followed for the facts; a dangling or looping link is reported as the
/// link itself. A directory that cannot be opened simply has no entries.
class DirReader {
public:
    /// TypeOnly fills isDir (stat only where the directory does not tell the type);
    /// Full also reads mode, size and modification time of every entry.
    enum class Facts { TypeOnly, Full };

    DirReader(const QByteArray& directory, Facts facts);
    ~DirReader();
    DirReader(const DirReader&) = delete;
    DirReader& operator=(const DirReader&) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    /// The errno of a failed open, 0 when open.
    int error() const { return m_error; }
    /// The next entry, "." and ".." included; false at the end.
    bool next(DirEntry& entry);

private:
    DIR* m_dir = nullptr;
    int m_error = 0;
    Facts m_facts;
};
