#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

/// The hex document's bytes: a private file in the temporary folder, never held in
/// memory as a whole, read for display through a 64 KiB window. Each copy holds a lock on
/// its file for its whole life, so that another instance can tell an abandoned copy
/// (left by a program that was killed) from one in use.
///
/// Failed writes throw KorError "Cannot write the working copy"; failed reads
/// "Cannot read the working copy".
class THexWorkingCopy {
public:
    static constexpr int kReadWindowSize = 65536;

    /// Claims a new name ("<8 hex digits>.HEXW") in the temporary folder; none when the
    /// folder is unusable.
    THexWorkingCopy();
    /// Closes the file and removes it.
    ~THexWorkingCopy();
    THexWorkingCopy(const THexWorkingCopy&) = delete;
    THexWorkingCopy& operator=(const THexWorkingCopy&) = delete;

    /// Full path of the working copy ("" when the temp folder was unusable).
    QString name() const { return m_name; }
    qint32 size() const { return m_size; }
    bool isOpen() const { return m_fd >= 0; }
    int handle() const { return m_fd; }

    /// Opens the file emptied; throws "Cannot create the working copy in the temporary
    /// folder" when that fails.
    void open();
    /// Empties and closes the file.
    void close();
    /// Opens the file emptied and copies the source descriptor into it. Returns the bytes
    /// copied (more than `limit` when the source is larger), or -1 on a read or write error.
    qint64 fillFrom(int source, qint64 limit);

    /// count bytes at position; throws when they cannot be read.
    QByteArray read(qint32 position, qint32 count) const;
    /// Like read, but false instead of an error.
    bool readInto(char* data, qint32 count, qint32 position) const;
    /// Up to `want` bytes from position through the read window; count gets how many
    /// (0 beyond the data or when reading fails).
    const uchar* windowAt(qint64 position, int want, int& count);

    void writeByte(qint32 index, uchar value);
    /// Inserts count bytes before position; room is reserved first, so a full disk stops
    /// the insertion before anything moved.
    void insert(const char* data, qint32 count, qint32 position);
    /// Removes the bytes start..end-1.
    void remove(qint32 start, qint32 end);
    void truncate(qint32 size);

    /// Removes the working copies in `folder` that no running instance holds, leaving
    /// those of other running instances alone; returns how many went.
    static int RemoveAbandoned(const QString& folder);

private:
    [[noreturn]] void throwWriteError() const;

    QString m_name;
    int m_lock = -1;
    int m_fd = -1;
    qint32 m_size = 0;
    QByteArray m_window;
    qint32 m_windowStart = -1;
    qint32 m_windowLength = 0;
};
