#include "core/FileIo.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fileio {

namespace {

QString shown(const QByteArray& path) {
    return QFile::decodeName(path);
}

[[noreturn]] void fail(const char* pattern, const QByteArray& path, int code,
                       const QString& reason) {
    throw FileIoError(QString::fromLatin1(pattern).arg(shown(path), reason), path, code, reason);
}

[[noreturn]] void cannotOpen(const QByteArray& path, int code) {
    fail("Cannot open file \"%1\". %2", path, code, ErrorText(code));
}

[[noreturn]] void cannotCreate(const QByteArray& path, int code) {
    fail("Cannot create file \"%1\". %2", path, code, ErrorText(code));
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash >= 0 ? path.left(slash + 1) : QByteArray();
}

// Where a symbolic link points: the file that is really replaced.
QByteArray resolved(const QByteArray& path) {
    QByteArray target = path;
    if (char* real = ::realpath(path.constData(), nullptr)) {
        target = real;
        std::free(real);
    }
    return target;
}

bool copyDescriptor(int from, int to) {
    std::vector<char> buffer(1 << 20);
    if (::lseek(from, 0, SEEK_SET) < 0) return false;
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!WriteAll(to, buffer.data(), got)) return false;
    }
}

// The temporary file beside the target was refused: write the target itself, keeping the
// old content aside so that a failed write can be undone.
void replaceInPlace(const QByteArray& path, const QByteArray& target, const Writer& write) {
    const QString scratch = PrivateTempDir();
    if (scratch.isEmpty()) cannotCreate(path, EACCES);
    QByteArray backupName = QFile::encodeName(scratch) + "kor-old-XXXXXX";
    UniqueFd backup(::mkostemp(backupName.data(), O_CLOEXEC));
    if (!backup.valid()) cannotCreate(path, errno);
    const auto dropBackup = [&] { ::unlink(backupName.constData()); };

    UniqueFd file(::open(target.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW));
    if (!file.valid()) {
        const int code = errno;
        dropBackup();
        cannotCreate(path, code);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        dropBackup();
        fail("Cannot create file \"%1\". %2", path, 0, KindRefusal(info.st_mode));
    }
    if (!copyDescriptor(file.get(), backup.get()) || ::fsync(backup.get()) != 0) {
        const int code = errno;
        dropBackup();
        cannotCreate(path, code);
    }
    const bool written = ::lseek(file.get(), 0, SEEK_SET) == 0 && ::ftruncate(file.get(), 0) == 0 &&
                         write(file.get()) && ::fsync(file.get()) == 0;
    if (written) {
        dropBackup();
        return;
    }
    const int code = errno;
    const bool restored = ::ftruncate(file.get(), 0) == 0 &&
                          ::lseek(file.get(), 0, SEEK_SET) == 0 &&
                          copyDescriptor(backup.get(), file.get()) && ::fsync(file.get()) == 0;
    if (!restored)
        throw FileIoError(
            QStringLiteral("Cannot create file \"%1\". %2 The old content is kept in \"%3\".")
                .arg(shown(path), ErrorText(code), shown(backupName)),
            path, code, ErrorText(code));
    dropBackup();
    cannotCreate(path, code);
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = other.release();
    }
    return *this;
}

UniqueFd::~UniqueFd() {
    if (m_fd >= 0) ::close(m_fd);
}

int UniqueFd::release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

QString ErrorText(int code) {
    return QString::fromLocal8Bit(strerror(code));
}

QString KindRefusal(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QStringLiteral("It is a folder.");
    if (S_ISFIFO(mode)) return QStringLiteral("It is a named pipe (FIFO).");
    if (S_ISSOCK(mode)) return QStringLiteral("It is a socket.");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("It is a device.");
    return QStringLiteral("It is not a regular file.");
}

UniqueFd OpenForReading(const QByteArray& rawPath) {
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    int fd;
    do
        fd = ::open(rawPath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int code = errno;
        struct stat info {};
        // A socket cannot be opened at all: say what it is rather than "no such device".
        if (code == ENXIO && ::stat(rawPath.constData(), &info) == 0 && !S_ISREG(info.st_mode))
            fail("Cannot open file \"%1\". %2", rawPath, 0, KindRefusal(info.st_mode));
        cannotOpen(rawPath, code);
    }
    UniqueFd file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) cannotOpen(rawPath, errno);
    if (!S_ISREG(info.st_mode))
        fail("Cannot open file \"%1\". %2", rawPath, 0, KindRefusal(info.st_mode));
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return file;
}

QByteArray ReadWhole(const QByteArray& rawPath, qint64 limit) {
    UniqueFd file;
    try {
        file = OpenForReading(rawPath);
    } catch (const FileIoError& error) {
        // It exists but holds no stream of bytes to load.
        if (error.code() != 0) throw;
        fail("Failed to Load Stream \"%1\". %2", rawPath, 0, error.reason());
    }
    struct stat info {};
    ::fstat(file.get(), &info);
    if (info.st_size > limit)
        throw FileIoError(QStringLiteral("\"%1\" is too large to load: %2 MB, more than %3 MB.")
                              .arg(shown(rawPath))
                              .arg(qint64(info.st_size) >> 20)
                              .arg(limit >> 20),
                          rawPath, EFBIG, QStringLiteral("The file is too large."));
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    std::vector<char> buffer(1 << 20);
    // Read at most one byte past the limit: a file that grows meanwhile is still refused.
    while (bytes.size() <= limit) {
        const size_t want = size_t(qMin<qint64>(qint64(buffer.size()), limit + 1 - bytes.size()));
        const ssize_t got = ::read(file.get(), buffer.data(), want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail("Failed to Load Stream \"%1\". %2", rawPath, errno, ErrorText(errno));
        if (got == 0) return bytes;
        bytes.append(buffer.data(), got);
    }
    fail("Failed to Load Stream \"%1\". %2", rawPath, EFBIG, ErrorText(EFBIG));
}

void Replace(const QByteArray& rawPath, const Writer& write, int mode) {
    const QByteArray target = resolved(rawPath);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        fail("Cannot create file \"%1\". %2", rawPath, 0, KindRefusal(old.st_mode));
    if (exists && ::access(target.constData(), W_OK) != 0) cannotCreate(rawPath, errno);

    QByteArray temp = folderOf(target) + ".kor-save-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (exists && (code == EACCES || code == EPERM))
            return replaceInPlace(rawPath, target, write);
        cannotCreate(rawPath, code);
    }
    mode_t bits;
    if (mode >= 0) {
        bits = mode_t(mode) & 0777;
        if (exists) (void)!::fchown(fd, old.st_uid, old.st_gid);
    } else if (exists) {
        bits = old.st_mode & 07777;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) bits &= 0777; // no set-id bits for others
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        bits = 0666 & ~mask;
    }
    const bool written = ::fchmod(fd, bits) == 0 && write(fd) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int code = written ? errno : writeError;
        ::unlink(temp.constData());
        cannotCreate(rawPath, code);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        cannotCreate(rawPath, code);
    }
    // The rename itself reaches the disk with the folder.
    UniqueFd folder(::open(folderOf(target).isEmpty() ? "." : folderOf(target).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
}

void Replace(const QByteArray& rawPath, const QByteArray& bytes, int mode) {
    Replace(
        rawPath, [&bytes](int fd) { return WriteAll(fd, bytes.constData(), bytes.size()); }, mode);
}

bool WriteAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(qMin<qint64>(size, SSIZE_MAX)));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool EnsurePrivateDir(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0) return false;
    return true;
}

QString PrivateTempDir() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty() || !QDir().mkpath(base)) return {};
    const QString dir = base + "/Kor2Temp";
    return EnsurePrivateDir(dir) ? dir + '/' : QString();
}

} // namespace fileio
