#include "finder/ZipFile.h"

#include "finder/WildSet.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 kEndSignature = 0x06054B50;
constexpr quint32 kCentralSignature = 0x02014B50;
constexpr qint64 kWindow = 8192;
constexpr qint64 kEndSize = 22;
constexpr qint64 kCentralSize = 46;
constexpr qint64 kReadAhead = 64 * 1024;

quint16 le16(const QByteArray& bytes, qsizetype at) {
    return quint16(uchar(bytes[at]) | uchar(bytes[at + 1]) << 8);
}

quint32 le32(const QByteArray& bytes, qsizetype at) {
    return quint32(le16(bytes, at)) | quint32(le16(bytes, at + 2)) << 16;
}

// Up to length bytes from offset; fewer at the end of the file or when reading fails.
QByteArray readAt(int fd, qint64 offset, qint64 length) {
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, bytes.data() + done, size_t(length - done), offset + done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

// The central directory is read in blocks rather than in two calls per record.
class BlockReader {
public:
    explicit BlockReader(int fd) : m_fd(fd) {}
    QByteArray read(qint64 offset, qint64 length) {
        if (offset < m_start || offset + length > m_start + m_block.size()) {
            m_block = readAt(m_fd, offset, std::max(length, kReadAhead));
            m_start = offset;
        }
        return m_block.mid(offset - m_start, length);
    }

private:
    int m_fd;
    qint64 m_start = 0;
    QByteArray m_block;
};

bool verifiedEndRecord(int fd, qint64 offset) {
    const QByteArray end = readAt(fd, offset, kEndSize);
    if (end.size() < kEndSize || le32(end, 0) != kEndSignature) return false;
    const QByteArray central = readAt(fd, le32(end, 16), 4);
    return central.size() == 4 && le32(central, 0) == kCentralSignature;
}

// Windows of 8 KiB from the end towards the start, each overlapping the one after it by
// the four bytes of a signature; the lowest verified candidate of a window wins.
qint64 findEndRecord(int fd, qint64 fileSize) {
    qint64 windowEnd = fileSize;
    qint64 windowStart = std::max<qint64>(0, fileSize - kWindow);
    while (true) {
        const QByteArray window = readAt(fd, windowStart, windowEnd - windowStart);
        for (qsizetype at = 0; at + 4 <= window.size(); ++at)
            if (le32(window, at) == kEndSignature && verifiedEndRecord(fd, windowStart + at))
                return windowStart + at;
        if (windowStart == 0) return -1;
        windowEnd = windowStart + 4;
        windowStart = std::max<qint64>(0, windowStart - (kWindow - 4));
    }
}

} // namespace

TZipFile::TZipFile(const QString& path) {
    OpenArchive(path);
}

TZipFile::~TZipFile() {
    close();
}

void TZipFile::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_hasList = false;
    m_endRecord.clear();
    m_records.clear();
}

void TZipFile::OpenArchive(const QString& path) {
    OpenArchiveRaw(QFile::encodeName(path));
}

void TZipFile::OpenArchiveRaw(const QByteArray& rawPath) {
    close();
    if (rawPath.isEmpty()) return;
    QByteArray name = rawPath;
    if (!name.contains('.')) name += ".zip";

    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st;
    if (fd < 0) throw EZipErr("Cannot open specified file");
    // Only regular files: a FIFO or a device named like an archive must not stall the scan.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EZipErr("Cannot open specified file");
    }
    try {
        const qint64 endAt = findEndRecord(fd, st.st_size);
        if (endAt < 0)
            throw EZipErr(
                QStringLiteral("%1 is not a valid ZIP file").arg(QFile::decodeName(rawPath)));
        const QByteArray end = readAt(fd, endAt, kEndSize);
        if (le16(end, 4) != 0 || le16(end, 6) != 0)
            throw EZipErr("Disk spanning not yet implemented");
        m_endRecord = readAt(fd, endAt, kEndSize + le16(end, 20));

        // Records are kept only when read whole and signed as central records: a truncated
        // or lying directory ends the list at the first record that is not.
        BlockReader reader(fd);
        qint64 offset = le32(end, 16);
        const int count = le16(end, 8);
        for (int k = 0; k < count; ++k) {
            const QByteArray fixed = reader.read(offset, kCentralSize);
            if (fixed.size() < kCentralSize || le32(fixed, 0) != kCentralSignature) break;
            const qint64 size =
                kCentralSize + le16(fixed, 28) + le16(fixed, 30) + qint64(le16(fixed, 32));
            QByteArray entry = reader.read(offset, size);
            if (entry.size() < size) break;
            const bool emptyStored =
                le16(entry, 10) == 0 && le32(entry, 20) == 0 && le32(entry, 24) == 0;
            if (!emptyStored) m_records.append(entry);
            offset += size;
        }
    } catch (...) {
        ::close(fd);
        m_endRecord.clear();
        m_records.clear();
        throw;
    }
    m_fd = fd;
    m_hasList = true;
}

const QByteArray& TZipFile::record(int index) const {
    if (!m_hasList) throw EZipErr("No ZIP file specified");
    if (index < 0 || index >= m_records.size())
        throw EZipErr(QStringLiteral("Entry index %1 out of range").arg(index));
    return m_records[index];
}

int TZipFile::EntryCount() const {
    if (!m_hasList) throw EZipErr("No ZIP file specified");
    return int(m_records.size());
}

QByteArray TZipFile::Entry(int index) const {
    return record(index);
}

QByteArray TZipFile::EntryPath(int index) const {
    const QByteArray& entry = record(index);
    QByteArray path = entry.mid(kCentralSize, le16(entry, 28));
    path.replace('\\', '/');
    return path;
}

QByteArray TZipFile::EntryFileName(int index) const {
    const QByteArray path = EntryPath(index);
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    return m_lowerCase ? WildLowered(name) : name;
}
