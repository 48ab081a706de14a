#pragma once

#include "core/KorError.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// A failure of the zip directory reader; text() gives its message.
class EZipErr : public KorError {
public:
    using KorError::KorError;
};

/// Reads the table of contents of a zip archive (its end record and central directory)
/// without extracting anything. Directory entries and empty stored files are left out;
/// the other records are kept whole, in archive order. Names are the bytes as stored.
class TZipFile {
public:
    /// Holds no entry list; queries raise "No ZIP file specified".
    TZipFile() = default;
    /// Opens the archive at once; throws EZipErr like OpenArchive.
    explicit TZipFile(const QString& path);
    ~TZipFile();
    TZipFile(const TZipFile&) = delete;
    TZipFile& operator=(const TZipFile&) = delete;

    /// Drops what was held and reads the archive's directory. An empty path opens nothing.
    /// A path without any "." gets ".zip" appended. Throws EZipErr "Cannot open specified
    /// file", "<path> is not a valid ZIP file" (the path as given), "Disk spanning not yet
    /// implemented"; after a failure nothing stays open and no entry list is held.
    void OpenArchive(const QString& path);
    /// OpenArchive for a path given as the bytes of its name.
    void OpenArchiveRaw(const QByteArray& rawPath);

    /// Number of kept entries; throws "No ZIP file specified" without an entry list.
    int EntryCount() const;
    /// The kept central directory record at index (0 is the first in the archive), whole.
    QByteArray Entry(int index) const;
    /// The entry's stored name with every "\" turned into "/".
    QByteArray EntryPath(int index) const;
    /// The part of EntryPath after its last "/", with A to Z made small.
    QByteArray EntryFileName(int index) const;
    /// The end of central directory record with its comment, as read.
    QByteArray EndRecord() const { return m_endRecord; }

private:
    void close();
    const QByteArray& record(int index) const;

    int m_fd = -1;
    bool m_hasList = false;
    bool m_lowerCase = true;
    QByteArray m_endRecord;
    QList<QByteArray> m_records;
};
