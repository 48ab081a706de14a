#pragma once

#include "hex/HexDocument.h"
#include "hex/HexHeld.h"

#include <QFile>
#include <QList>
#include <QtEndian>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hexgrid {
/// Lets QCOMPARE print cells.
inline char* toString(const Cell& cell) {
    return qstrdup(
        QByteArray("(" + QByteArray::number(cell.col) + ", " + QByteArray::number(cell.row) + ")")
            .constData());
}
} // namespace hexgrid

/// Makes a file or folder unwritable while it lives: by permissions for a normal user, by
/// the immutable flag for root (whom permissions do not stop).
/// The reason a write into what Unwritable locked is refused.
inline QString LockedReason() {
    return ::geteuid() == 0 ? QStringLiteral("Operation not permitted")
                            : QStringLiteral("Permission denied");
}

class Unwritable {
public:
    explicit Unwritable(const QString& path) : m_path(QFile::encodeName(path)) {
        if (::geteuid() != 0) {
            struct stat st {};
            if (::stat(m_path.constData(), &st) != 0) return;
            m_mode = int(st.st_mode & 07777);
            m_ok = ::chmod(m_path.constData(), mode_t(m_mode & ~0222)) == 0;
            return;
        }
        m_ok = setImmutable(true);
    }
    ~Unwritable() {
        if (!m_ok) return;
        if (m_mode >= 0)
            ::chmod(m_path.constData(), mode_t(m_mode));
        else
            setImmutable(false);
    }
    bool ok() const { return m_ok; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(m_path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }

    QByteArray m_path;
    int m_mode = -1;
    bool m_ok = false;
};

/// Plays the physical Shift key and left mouse button while it lives.
class HeldKeys {
public:
    HeldKeys() {
        SetHexHeldSource([this] { return state; });
    }
    ~HeldKeys() { SetHexHeldSource({}); }
    HexHeldState state;
};

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Bytes 0, 1, 2, ... (mod 256).
inline QByteArray countingBytes(int count) {
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(i);
    return bytes;
}

/// The document's whole contents, as BufferFromFile reads them.
inline QByteArray contents(THexDocument& doc) {
    if (doc.DataSize() == 0) return {};
    int count = doc.DataSize();
    return doc.BufferFromFile(0, count);
}

/// Selects bytes from..to (the anchor on `from`) the way Shift and the arrow keys do.
inline void selectBytes(THexDocument& doc, int from, int to) {
    doc.moveCaret(hexgrid::cellOfByte(from, doc.BytesPerLine(), doc.caretInText()));
    HeldKeys held;
    held.state.shift = true;
    doc.clearSelection();
    doc.setSelecting(true);
    doc.moveCaret(hexgrid::cellOfByte(to, doc.BytesPerLine(), doc.caretInText()));
    if (from == to) {
        // A one-byte selection: step off and back, as the keys would.
        const int other = from > 0 ? from - 1 : from + 1;
        doc.moveCaret(hexgrid::cellOfByte(other, doc.BytesPerLine(), doc.caretInText()));
        doc.moveCaret(hexgrid::cellOfByte(to, doc.BytesPerLine(), doc.caretInText()));
    }
}

/// Lengths of the undo log's records, oldest first, read through the trailers.
inline QList<int> recordLengths(const THexDocument& doc) {
    const QByteArray& log = doc.undoLog().bytes();
    QList<int> lengths;
    qsizetype end = log.size();
    while (end > 0) {
        const int length = qFromLittleEndian<qint32>(log.constData() + end - 4);
        lengths.prepend(length);
        end -= length;
    }
    return lengths;
}
