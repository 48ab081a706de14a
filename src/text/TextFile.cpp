#include "text/TextFile.h"

#include "core/KorError.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString shown(const QByteArray& path) {
    return QFile::decodeName(path);
}

QString reason(int error) {
    return QString::fromLocal8Bit(strerror(error));
}

[[noreturn]] void cannotCreate(const QByteArray& path, int error) {
    throw KorError(QStringLiteral("Cannot create file \"%1\". %2").arg(shown(path), reason(error)));
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

QByteArray ReadWholeFile(const QByteArray& path, qint64 limit) {
    int fd;
    do
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw KorError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(shown(path), reason(errno)));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        throw KorError(QStringLiteral("Failed to Load Stream"));
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        throw KorError(QStringLiteral("Failed to Load Stream"));
    if (info.st_size > limit)
        throw KorError(QStringLiteral("\"%1\" is too large to load: %2 MB, more than %3 MB.")
                           .arg(shown(path))
                           .arg(info.st_size >> 20)
                           .arg(limit >> 20));
    // Read at most one byte past the limit: a file that grows meanwhile is still refused.
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) throw KorError(QStringLiteral("Failed to Load Stream"));
    if (file.error() != QFileDevice::NoError)
        throw KorError(QStringLiteral("Failed to Load Stream"));
    return bytes;
}

void WriteWholeFile(const QByteArray& path, const QByteArray& bytes) {
    // Write where a symbolic link points, beside the real file.
    QByteArray target = path;
    if (char* real = ::realpath(path.constData(), nullptr)) {
        target = real;
        std::free(real);
    }
    struct stat old;
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && ::access(target.constData(), W_OK) != 0) cannotCreate(path, errno);

    const qsizetype slash = target.lastIndexOf('/');
    QByteArray temp = (slash >= 0 ? target.left(slash + 1) : QByteArray()) + ".kor-save-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) cannotCreate(path, errno);
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) mode &= 0777; // no set-id bits for others
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(temp.constData());
        cannotCreate(path, written ? errno : writeError);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        cannotCreate(path, error);
    }
}

TextContent LoadTextDocument(const QByteArray& bytes, QTextDocument& document) {
    TextContent content;
    if (ReadRtf(bytes, document)) {
        content.rich = true;
        return content;
    }
    DecodedText decoded = DecodePlainText(bytes);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.setPlainText(decoded.text);
    document.setUndoRedoEnabled(undo);
    content.plainFormat = decoded.format;
    return content;
}

QString DocumentPlainText(const QTextDocument& document) {
    // The raw text keeps no-break spaces, which toPlainText() would turn into spaces.
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    text.remove(QChar::ObjectReplacementCharacter);
    text.remove(QChar(0xfdd0));
    text.remove(QChar(0xfdd1));
    return text;
}

QByteArray SaveTextDocument(const QTextDocument& document, bool rich,
                            PlainTextFormat& plainFormat) {
    if (rich) return WriteRtf(document);
    return EncodePlainText(DocumentPlainText(document), plainFormat);
}

namespace {

// The extension with its dot, or nothing.
QStringView extensionOf(const QString& name) {
    const QStringView fileName = QStringView(name).mid(name.lastIndexOf(u'/') + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : fileName.mid(dot);
}

} // namespace

bool IsRichTextName(const QString& name) {
    return extensionOf(name).left(4).compare(u".rtf", Qt::CaseInsensitive) == 0;
}

bool IsRichAfterRename(bool rich, const QString& oldName, const QString& newName) {
    if (extensionOf(oldName).compare(extensionOf(newName), Qt::CaseInsensitive) == 0) return rich;
    return IsRichTextName(newName);
}
