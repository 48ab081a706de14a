#include "hex/HexFileIo.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace hexio {

namespace {

constexpr qint64 kChunk = 1 << 20;

bool kernelCopyUnsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL ||
           error == EBADF || error == EPERM;
}

qint64 bufferedCopy(int from, int to, qint64 done, qint64 limit) {
    std::vector<char> buffer(kChunk);
    while (done <= limit) {
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) return done;
        if (!writeAt(to, buffer.data(), got, done)) return -1;
        done += got;
    }
    return done;
}

} // namespace

qint64 copyWhole(int from, int to, qint64 limit) {
    struct stat source {};
    if (::fstat(from, &source) != 0) return -1;
    if (source.st_size <= limit && ::ioctl(to, FICLONE, from) == 0) {
        struct stat copy {};
        if (::fstat(to, &copy) == 0 && copy.st_size == source.st_size) return copy.st_size;
        if (::ftruncate(to, 0) != 0) return -1;
    }
    qint64 done = 0;
    while (done <= limit) {
        loff_t in = done, out = done;
        const size_t chunk = size_t(std::min<qint64>(1 << 30, limit + 1 - done));
        const ssize_t got = ::copy_file_range(from, &in, to, &out, chunk, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            if (kernelCopyUnsupported(errno)) return bufferedCopy(from, to, done, limit);
            return -1;
        }
        // Some file systems report 0 instead of an error; a plain read decides the end.
        if (got == 0) return bufferedCopy(from, to, done, limit);
        done += got;
    }
    return done;
}

int openWorking(const QString& path, bool truncate) {
    return ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (truncate ? O_TRUNC : 0), 0600);
}

bool readAt(int fd, char* data, qint64 count, qint64 offset) {
    while (count > 0) {
        const ssize_t got = ::pread(fd, data, size_t(count), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        data += got;
        count -= got;
        offset += got;
    }
    return true;
}

bool writeAt(int fd, const char* data, qint64 count, qint64 offset) {
    while (count > 0) {
        const ssize_t put = ::pwrite(fd, data, size_t(count), offset);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        data += put;
        count -= put;
        offset += put;
    }
    return true;
}

bool moveRange(int fd, qint64 from, qint64 to, qint64 count) {
    if (from == to || count <= 0) return true;
    std::vector<char> buffer(size_t(std::min(count, kChunk)));
    // Moving up, the tail end goes first so nothing is overwritten before it is read.
    const bool up = to > from;
    for (qint64 done = 0; done < count;) {
        const qint64 step = std::min<qint64>(qint64(buffer.size()), count - done);
        const qint64 at = up ? count - done - step : done;
        if (!readAt(fd, buffer.data(), step, from + at)) return false;
        if (!writeAt(fd, buffer.data(), step, to + at)) return false;
        done += step;
    }
    return true;
}

} // namespace hexio
