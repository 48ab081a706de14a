#include "platform/ExeBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class MemoryBytes : public ExeBytes {
public:
    explicit MemoryBytes(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    quint64 size() const override { return quint64(m_bytes.size()); }
    QByteArray read(quint64 offset, quint64 length) const override {
        if (!contains(offset, length) || length > maxRead) return {};
        return m_bytes.mid(qsizetype(offset), qsizetype(length));
    }

private:
    QByteArray m_bytes;
};

// Directory walks make many small reads close together; one cached block turns them
// into a handful of system calls.
class FileBytes : public ExeBytes {
public:
    FileBytes(int fd, quint64 size) : m_fd(fd), m_size(size) {}
    ~FileBytes() override { ::close(m_fd); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    quint64 size() const override { return m_size; }

    QByteArray read(quint64 offset, quint64 length) const override {
        if (!contains(offset, length) || length > maxRead) return {};
        if (length <= smallRead) {
            const quint64 blockStart = offset - offset % blockSize;
            if (m_blockStart != blockStart || m_block.isEmpty()) loadBlock(blockStart);
            if (offset + length <= m_blockStart + quint64(m_block.size()))
                return m_block.mid(qsizetype(offset - m_blockStart), qsizetype(length));
        }
        return readAt(offset, length);
    }

private:
    static constexpr quint64 blockSize = 64 * 1024;
    static constexpr quint64 smallRead = 4096;

    void loadBlock(quint64 start) const {
        m_blockStart = start;
        m_block = readAt(start, qMin(blockSize + smallRead, m_size - start));
    }

    // A short read (the file shrank meanwhile) gives an empty result, never stale bytes.
    QByteArray readAt(quint64 offset, quint64 length) const {
        QByteArray out(qsizetype(length), Qt::Uninitialized);
        quint64 done = 0;
        while (done < length) {
            const ssize_t n = ::pread(m_fd, out.data() + done, length - done, off_t(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return {};
            done += quint64(n);
        }
        return out;
    }

    int m_fd;
    quint64 m_size;
    mutable quint64 m_blockStart = 0;
    mutable QByteArray m_block;
};

} // namespace

std::shared_ptr<const ExeBytes> ExeBytes::fromMemory(QByteArray bytes) {
    return std::make_shared<MemoryBytes>(std::move(bytes));
}

std::shared_ptr<const ExeBytes> ExeBytes::fromFile(const QByteArray& rawPath) {
    if (rawPath.isEmpty() || rawPath.contains('\0')) return nullptr;
    const int fd = ::open(rawPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_shared<FileBytes>(fd, quint64(st.st_size));
}

} // namespace platform
