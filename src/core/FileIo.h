#pragma once

#include "core/KorError.h"

#include <QByteArray>
#include <QString>

#include <functional>

/// The one place where users' files are opened and replaced. Names are the bytes of the
/// path, so names that are not UTF-8 work; nothing here blocks on a FIFO or a device.
namespace fileio {

/// A failed file operation: the text names the file and the reason; the parts stay
/// available for callers that word their own message.
class FileIoError : public KorError {
public:
    FileIoError(QString text, QByteArray path, int code, QString reason)
        : KorError(std::move(text)), m_path(std::move(path)), m_code(code),
          m_reason(std::move(reason)) {}
    const QByteArray& path() const { return m_path; }
    /// The errno of the failure, 0 when the file's kind was refused.
    int code() const { return m_code; }
    /// The reason alone, without the file's name.
    const QString& reason() const { return m_reason; }

private:
    QByteArray m_path;
    int m_code;
    QString m_reason;
};

/// Owns a file descriptor; closes it when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release();

private:
    int m_fd = -1;
};

/// The reason for an errno, in words.
QString ErrorText(int code);

/// The reason a file of this st_mode cannot be opened as a document ("It is a named pipe
/// (FIFO)." and the like); empty for a regular file.
QString KindRefusal(unsigned mode);

/// Opens a regular file for reading without ever blocking: FIFOs, sockets, devices and
/// directories are refused. Throws FileIoError "Cannot open file "<path>". <reason>".
UniqueFd OpenForReading(const QByteArray& rawPath);

/// The whole of a regular file, refused when larger than `limit` bytes. Throws
/// FileIoError: the open errors above, but "Failed to Load Stream "<path>". <reason>"
/// for what is not a regular file and when reading fails; a message naming both sizes
/// when the file is too large.
QByteArray ReadWhole(const QByteArray& rawPath, qint64 limit);

/// Writes the new content onto the descriptor from offset 0; returns false with errno set.
using Writer = std::function<bool(int fd)>;

/// Replaces a file's content so that a failure never leaves a half-written file: the data
/// goes to a temporary file beside the target (mode and owner kept, synced) that is
/// renamed over it. Symbolic links are written through. Where the folder is not writable
/// but the file is, the file is written in place, with its old content kept in the
/// private temporary folder until the write succeeded and put back when it failed.
/// With `mode` >= 0 the result gets those permission bits, else it keeps the old file's
/// (a new file gets 0666 less the umask).
/// Throws FileIoError "Cannot create file "<path>". <reason>"; the file then is as before.
void Replace(const QByteArray& rawPath, const Writer& write, int mode = -1);
void Replace(const QByteArray& rawPath, const QByteArray& bytes, int mode = -1);

/// Writes all bytes at the descriptor's position, retrying short writes.
bool WriteAll(int fd, const char* data, qint64 size);

/// Creates (mode 0700) or checks a folder owned by this user and private to it.
bool EnsurePrivateDir(const QString& path);

/// The private per-user temporary folder Kor2Temp under the cache home, ending in "/";
/// empty when it cannot be made private.
QString PrivateTempDir();

} // namespace fileio
