#include "hex/HexWorkingCopy.h"

#include "core/KorError.h"
#include "hex/HexFileIo.h"
#include "platform/Host.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

quint32 tickCount() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return quint32(quint64(now.tv_sec) * 1000 + quint64(now.tv_nsec) / 1000000);
}

// A copy made a moment ago may not hold its lock yet.
constexpr time_t kYoungSeconds = 10;

} // namespace

THexWorkingCopy::THexWorkingCopy() : m_window(kReadWindowSize, '\0') {
    QString dir = platform::paths().tempDir().trimmed();
    if (dir.isEmpty()) return;
    if (!dir.endsWith('/')) dir += '/';
    quint32 tick = tickCount();
    for (int attempt = 0; attempt < 4096; ++attempt) {
        const QString name =
            dir + QStringLiteral("%1.HEXW").arg(tick, 8, 16, QLatin1Char('0')).toUpper();
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            m_lock = fd;
            m_name = name;
            return;
        }
        if (errno != EEXIST) return;
        tick = std::max(tickCount(), tick + 1);
    }
}

THexWorkingCopy::~THexWorkingCopy() {
    close();
    if (!m_name.isEmpty()) ::unlink(QFile::encodeName(m_name).constData());
    if (m_lock >= 0) ::close(m_lock);
}

void THexWorkingCopy::open() {
    close();
    if (!m_name.isEmpty()) m_fd = hexio::openWorking(m_name, true);
    if (m_fd < 0) throw KorError("Cannot create the working copy in the temporary folder");
}

void THexWorkingCopy::close() {
    if (m_fd >= 0) {
        (void)!::ftruncate(m_fd, 0);
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = 0;
    m_windowStart = -1;
}

qint64 THexWorkingCopy::fillFrom(int source, qint64 limit) {
    open();
    const qint64 copied = hexio::copyWhole(source, m_fd, limit);
    if (copied < 0 || copied > limit) {
        close();
        return copied;
    }
    m_size = qint32(copied);
    return copied;
}

bool THexWorkingCopy::readInto(char* data, qint32 count, qint32 position) const {
    return m_fd >= 0 && hexio::readAt(m_fd, data, count, position);
}

QByteArray THexWorkingCopy::read(qint32 position, qint32 count) const {
    QByteArray bytes(count, Qt::Uninitialized);
    if (!readInto(bytes.data(), count, position))
        throw KorError("Cannot read the working copy\r\n" + m_name);
    return bytes;
}

const uchar* THexWorkingCopy::windowAt(qint64 position, int want, int& count) {
    count = 0;
    if (position < 0 || position >= m_size || m_fd < 0) return nullptr;
    if (m_windowStart < 0 || m_windowStart > position ||
        position + want > qint64(m_windowStart) + kReadWindowSize) {
        m_windowStart = qint32(std::max<qint64>(0, position - kReadWindowSize / 2));
        m_windowLength = std::min<qint32>(kReadWindowSize, m_size - m_windowStart);
        if (!hexio::readAt(m_fd, m_window.data(), m_windowLength, m_windowStart)) {
            m_windowStart = -1;
            return nullptr;
        }
    }
    count = int(std::min<qint64>(
        {qint64(want), m_size - position, m_windowStart + m_windowLength - position}));
    return reinterpret_cast<const uchar*>(m_window.constData()) + (position - m_windowStart);
}

void THexWorkingCopy::throwWriteError() const {
    throw KorError("Cannot write the working copy\r\n" + m_name);
}

void THexWorkingCopy::writeByte(qint32 index, uchar value) {
    if (!hexio::writeAt(m_fd, reinterpret_cast<const char*>(&value), 1, index)) throwWriteError();
    if (m_windowStart >= 0 && index >= m_windowStart && index < m_windowStart + m_windowLength)
        m_window[index - m_windowStart] = char(value);
}

void THexWorkingCopy::insert(const char* data, qint32 count, qint32 position) {
    if (m_fd < 0) open();
    const qint32 old = m_size;
    if (::posix_fallocate(m_fd, old, count) != 0) {
        (void)!::ftruncate(m_fd, old);
        throwWriteError();
    }
    m_size = old + count;
    m_windowStart = -1;
    if (!hexio::moveRange(m_fd, position, qint64(position) + count, old - position) ||
        !hexio::writeAt(m_fd, data, count, position))
        throwWriteError();
}

void THexWorkingCopy::remove(qint32 start, qint32 end) {
    m_windowStart = -1;
    if (!hexio::moveRange(m_fd, end, start, m_size - end)) throwWriteError();
    truncate(m_size - (end - start));
}

void THexWorkingCopy::truncate(qint32 size) {
    m_windowStart = -1;
    if (::ftruncate(m_fd, size) != 0) throwWriteError();
    m_size = size;
}

int THexWorkingCopy::RemoveAbandoned(const QString& folder) {
    if (folder.isEmpty()) return 0;
    int removed = 0;
    const time_t now = ::time(nullptr);
    const QStringList names = QDir(folder).entryList({"*.HEXW"}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        struct stat info {};
        // Holding the lock ourselves means no instance holds it: the copy is abandoned.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime + kYoungSeconds < now && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}
