#include "images/Metafiles.h"

#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QtEndian>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <emf2svg.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVANE_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KORVANE_ASAN 1
#endif

namespace {

constexpr int kConverterSeconds = 20;
constexpr qint64 kMaxSvgBytes = qint64(256) << 20;

QImage Refuse(QString* reason, const QString& text) {
    if (reason) *reason = text;
    return {};
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Runs in the forked child: only the converter and plain system calls, then _exit.
[[noreturn]] void ConvertInChild(const QByteArray& emf, int out) {
    alarm(kConverterSeconds);
#ifndef KORVANE_ASAN
    // The sanitiser's shadow memory would not fit under such a limit.
    const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
    char* svg = nullptr;
    size_t length = 0;
    generatorOptions options{};
    options.svgDelimiter = true;
    const int converted =
        emf2svg(const_cast<char*>(emf.constData()), size_t(emf.size()), &svg, &length, &options);
    const bool written = converted && svg && WriteAll(out, svg, length);
    _exit(written ? 0 : 1);
}

QByteArray EmfToSvg(const QByteArray& emf, QString* reason) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        if (reason) *reason = QStringLiteral("the converter cannot be started");
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        ConvertInChild(emf, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    if (child < 0) {
        ::close(pipeFds[0]);
        if (reason) *reason = QStringLiteral("the converter cannot be started");
        return {};
    }
    QByteArray svg;
    bool tooLong = false;
    char buffer[65536];
    pollfd waiting{pipeFds[0], POLLIN, 0};
    while (true) {
        const int ready = poll(&waiting, 1, kConverterSeconds * 1000);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            tooLong = true;
            break;
        }
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        svg.append(buffer, n);
        if (svg.size() > kMaxSvgBytes) {
            tooLong = true;
            break;
        }
    }
    ::close(pipeFds[0]);
    if (tooLong) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (tooLong || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (reason) *reason = QStringLiteral("the EMF data cannot be converted");
        return {};
    }
    return svg;
}

// Walks the records before the converter sees them: every record inside the file, sizes
// multiples of 4, the header's description inside the header record. libemf2svg trusts
// these fields (a description past the end is read past the buffer).
bool RecordsSound(const QByteArray& emf) {
    const auto* data = reinterpret_cast<const uchar*>(emf.constData());
    const qsizetype size = emf.size();
    const quint32 headerSize = qFromLittleEndian<quint32>(data + 4);
    if (headerSize < 88 || headerSize % 4 != 0 || headerSize > size) return false;
    const quint32 descriptionLength = qFromLittleEndian<quint32>(data + 64);
    const quint32 descriptionOffset = qFromLittleEndian<quint32>(data + 68);
    if (descriptionLength != 0 &&
        (descriptionOffset < 88 ||
         quint64(descriptionOffset) + 2 * quint64(descriptionLength) > headerSize))
        return false;
    qsizetype pos = 0;
    while (pos + 8 <= size) {
        const quint32 type = qFromLittleEndian<quint32>(data + pos);
        const quint32 length = qFromLittleEndian<quint32>(data + pos + 4);
        if (length < 8 || length % 4 != 0 || length > quint64(size - pos)) return false;
        pos += length;
        if (type == 14) return true;
    }
    return false;
}

} // namespace

QImage RenderSvg(const QByteArray& svg, QString* reason, qint64 maxPixels) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return Refuse(reason, QStringLiteral("the drawing cannot be read"));
    const QSize size = renderer.defaultSize();
    if (!PictureSizeAllowed(size.width(), size.height(), maxPixels, reason)) return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return Refuse(reason, QStringLiteral("there is not enough memory for the picture"));
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QImage RenderEmf(const QByteArray& bytes, QString* reason, qint64 maxPixels) {
    // The record type 1 and the " EMF" signature at offset 40 of the header record.
    if (bytes.size() < 88 || bytes[0] != 1 || bytes[1] != 0 || bytes.mid(40, 4) != " EMF")
        return Refuse(reason, QStringLiteral("it is not an EMF file"));
    if (!RecordsSound(bytes)) return Refuse(reason, QStringLiteral("the EMF records are damaged"));
    const QByteArray svg = EmfToSvg(bytes, reason);
    if (svg.isEmpty()) return {};
    return RenderSvg(svg, reason, maxPixels);
}

QImage RenderWmf(const QString& path, QString* reason, qint64 maxPixels) {
    QProcess converter;
    converter.setProcessChannelMode(QProcess::SeparateChannels);
    converter.setStandardInputFile(QProcess::nullDevice());
    converter.start(QStringLiteral("wmf2svg"), {QFileInfo(path).absoluteFilePath()});
    if (!converter.waitForStarted())
        return Refuse(reason, QStringLiteral("the program wmf2svg (libwmf-bin) is missing"));
    converter.closeWriteChannel();
    QByteArray svg;
    bool tooLong = false;
    while (converter.state() != QProcess::NotRunning) {
        if (!converter.waitForReadyRead(kConverterSeconds * 1000) &&
            converter.state() != QProcess::NotRunning) {
            tooLong = true;
            break;
        }
        svg += converter.readAllStandardOutput();
        converter.readAllStandardError();
        if (svg.size() > kMaxSvgBytes) {
            tooLong = true;
            break;
        }
    }
    if (tooLong) {
        converter.kill();
        converter.waitForFinished();
        return Refuse(reason, QStringLiteral("the WMF data cannot be converted"));
    }
    converter.waitForFinished();
    svg += converter.readAllStandardOutput();
    if (converter.exitStatus() != QProcess::NormalExit || converter.exitCode() != 0 ||
        svg.isEmpty())
        return Refuse(reason, QStringLiteral("the WMF data cannot be converted"));
    return RenderSvg(svg, reason, maxPixels);
}
