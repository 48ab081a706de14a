#include "core/FileIo.h"

#include "SmallVolume.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const KorError& error) {
        return error.text();
    }
    return {};
}

} // namespace

class TestFileIo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void replaceKeepsPermissionsAndLeavesNoTemporary();
    void replaceFollowsSymbolicLinks();
    void replaceRefusesReadOnlyFile();
    void replaceIntoMissingFolderFails();
    void fullVolumeKeepsTheOriginal();
    void unwritableFolderIsWrittenInPlace();
    void failedStreamingWriteKeepsTheOriginal();
    void readRefusesWhatIsNotAFile();
    void readLimit();
    void nameThatIsNotUtf8();
};

void TestFileIo::replaceKeepsPermissionsAndLeavesNoTemporary() {
    QTemporaryDir dir;
    const QByteArray path = native(dir.filePath("doc.txt"));
    fileio::Replace(path, QByteArray("first"));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("first"));
    QVERIFY(::chmod(path.constData(), 0640) == 0);
    fileio::Replace(path, QByteArray("second"));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("second"));
    struct stat info {};
    QVERIFY(::stat(path.constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 0777), 0640);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.txt"});
}

void TestFileIo::replaceFollowsSymbolicLinks() {
    QTemporaryDir dir;
    const QString real = dir.filePath("real.txt");
    const QString link = dir.filePath("link.txt");
    fileio::Replace(native(real), QByteArray("old"));
    QVERIFY(QFile::link(real, link));
    fileio::Replace(native(link), QByteArray("new"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(fileio::ReadWhole(native(real), 100), QByteArray("new"));
}

void TestFileIo::replaceRefusesReadOnlyFile() {
    if (::geteuid() == 0) QSKIP("root may write any file");
    QTemporaryDir dir;
    const QByteArray path = native(dir.filePath("locked.txt"));
    fileio::Replace(path, QByteArray("keep"));
    QVERIFY(::chmod(path.constData(), 0444) == 0);
    QVERIFY(errorOf([&] {
                fileio::Replace(path, QByteArray("lost"));
            }).startsWith("Cannot create file \""));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("keep"));
}

void TestFileIo::replaceIntoMissingFolderFails() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/doc.txt");
    QCOMPARE(errorOf([&] { fileio::Replace(native(path), QByteArray("x")); }),
             QString("Cannot create file \"%1\". No such file or directory").arg(path));
}

void TestFileIo::fullVolumeKeepsTheOriginal() {
    SmallVolume volume;
    if (!volume.mounted()) QSKIP("needs root to mount a small file system");
    const QByteArray path = native(volume.path("doc.txt"));
    const QByteArray original(40 << 10, 'a');
    fileio::Replace(path, original);
    const QString error = errorOf([&] { fileio::Replace(path, QByteArray(40 << 10, 'b')); });
    QCOMPARE(
        error,
        QString("Cannot create file \"%1\". No space left on device").arg(QFile::decodeName(path)));
    QCOMPARE(fileio::ReadWhole(path, 1 << 20), original);
    QCOMPARE(QDir(volume.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.txt"});
}

void TestFileIo::unwritableFolderIsWrittenInPlace() {
    // A folder nobody may add to, holding a file that may be written: an immutable folder
    // refuses new names even to root.
    QTemporaryDir dir;
    const QString folder = dir.filePath("shut");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray path = native(folder + "/doc.txt");
    fileio::Replace(path, QByteArray("old content"));
    QVERIFY(::chmod(path.constData(), 0666) == 0);
    const bool immutable = RunQuietly("chattr", {"+i", folder});
    if (!immutable && ::geteuid() == 0) QSKIP("the file system refuses immutable folders");
    if (!immutable) QVERIFY(::chmod(native(folder).constData(), 0555) == 0);
    const auto reopen = qScopeGuard([&] {
        if (immutable) RunQuietly("chattr", {"-i", folder});
        ::chmod(native(folder).constData(), 0755);
    });

    fileio::Replace(path, QByteArray("new"));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("new"));
    struct stat info {};
    QVERIFY(::stat(path.constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 0777), 0666);
    // The copy of the old content is gone once the write succeeded.
    QCOMPARE(QDir(fileio::PrivateTempDir()).entryList({"kor-old-*"}, QDir::Files), QStringList());

    const QString error = errorOf([&] {
        fileio::Replace(path, [](int fd) {
            ::write(fd, "partial", 7);
            errno = ENOSPC;
            return false;
        });
    });
    QVERIFY2(error.endsWith("No space left on device"), qPrintable(error));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("new"));
}

void TestFileIo::failedStreamingWriteKeepsTheOriginal() {
    QTemporaryDir dir;
    const QByteArray path = native(dir.filePath("doc.bin"));
    fileio::Replace(path, QByteArray("keep me"));
    const QString error = errorOf([&] {
        fileio::Replace(path, [](int fd) {
            ::write(fd, "half", 4);
            errno = EIO;
            return false;
        });
    });
    QCOMPARE(error,
             QString("Cannot create file \"%1\". Input/output error").arg(QFile::decodeName(path)));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("keep me"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"doc.bin"});
}

void TestFileIo::readRefusesWhatIsNotAFile() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.txt");
    const QString fifo = dir.filePath("pipe");
    QVERIFY(::mkfifo(native(fifo).constData(), 0600) == 0);
    const QString socketPath = dir.filePath("sock");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, native(socketPath).constData(), sizeof address.sun_path);
    QVERIFY(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    const auto closeSocket = qScopeGuard([&] { ::close(sock); });

    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {missing, "No such file or directory"}, {dir.path(), "It is a folder."},
        {fifo, "It is a named pipe (FIFO)."},   {socketPath, "It is a socket."},
        {"/dev/zero", "It is a device."},
    };
    for (const auto& item : cases) {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(errorOf([&] { fileio::OpenForReading(native(item.path)); }),
                 QString("Cannot open file \"%1\". %2").arg(item.path, item.reason));
        QVERIFY(timer.elapsed() < 1000);
    }
    QCOMPARE(errorOf([&] { fileio::ReadWhole(native(fifo), 100); }),
             QString("Failed to Load Stream \"%1\". It is a named pipe (FIFO).").arg(fifo));
    QCOMPARE(errorOf([&] { fileio::Replace(native(fifo), QByteArray("x")); }),
             QString("Cannot create file \"%1\". It is a named pipe (FIFO).").arg(fifo));
}

void TestFileIo::readLimit() {
    QTemporaryDir dir;
    const QString big = dir.filePath("big.txt");
    fileio::Replace(native(big), QByteArray(3 << 20, 'x'));
    QCOMPARE(fileio::ReadWhole(native(big), 3 << 20).size(), 3 << 20);
    QCOMPARE(errorOf([&] { fileio::ReadWhole(native(big), 2 << 20); }),
             QString("\"%1\" is too large to load: 3 MB, more than 2 MB.").arg(big));
}

void TestFileIo::nameThatIsNotUtf8() {
    QTemporaryDir dir;
    const QByteArray path = native(dir.path()) + "/caf\xe9.txt";
    // QTemporaryDir cannot remove a name that is not UTF-8.
    const auto cleanUp = qScopeGuard([&] { ::unlink(path.constData()); });
    fileio::Replace(path, QByteArray("bytes"));
    QCOMPARE(fileio::ReadWhole(path, 100), QByteArray("bytes"));
    QVERIFY(::access(path.constData(), F_OK) == 0);
}

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
