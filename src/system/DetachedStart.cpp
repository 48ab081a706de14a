#include "system/DetachedStart.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int StartDetached(const QString& program, const QStringList& arguments) {
    // Everything the children need is built before fork: they may not allocate.
    const QByteArray path = QFile::encodeName(program);
    QList<QByteArray> strings{path};
    for (const QString& a : arguments)
        strings.append(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(argv[0], argv.data());
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        if (grandchild < 0) {
            const int error = errno;
            (void)!::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // A successful exec closes the pipe unread; a failed one reports its errno.
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return n == sizeof error ? error : 0;
}
