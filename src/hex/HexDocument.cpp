#include "hex/HexDocument.h"

#include "core/KorError.h"
#include "hex/HexCodePage.h"
#include "hex/HexFileIo.h"
#include "hex/HexHeld.h"
#include "platform/Host.h"

#include <QFile>
#include <QScopedValueRollback>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using hexgrid::Cell;

namespace {

// One request is decided at a time, across all documents: the caret moves made while
// deciding get the grid's plain answer.
bool g_deciding = false;

quint32 tickCount() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return quint32(quint64(now.tv_sec) * 1000 + quint64(now.tv_nsec) / 1000000);
}

} // namespace

THexDocument::THexDocument(QObject* parent) : QObject(parent), m_window(kReadWindowSize, '\0') {
    m_bookmarks.fill(-1);
    ResetUndo();
    chooseWorkingCopyName();
    Clear();
    m_ready = true;
}

THexDocument::~THexDocument() {
    closeStream();
    if (!m_workName.isEmpty()) ::unlink(QFile::encodeName(m_workName).constData());
}

void THexDocument::chooseWorkingCopyName() {
    QString dir = platform::paths().tempDir().trimmed();
    if (dir.isEmpty()) return;
    if (!dir.endsWith('/')) dir += '/';
    quint32 tick = tickCount();
    for (int attempt = 0; attempt < 4096; ++attempt) {
        const QString name =
            dir + QStringLiteral("%1.HEXW").arg(tick, 8, 16, QLatin1Char('0')).toUpper();
        const int error = hexio::createExclusive(name);
        if (error == 0) {
            m_workName = name;
            return;
        }
        if (error != EEXIST) return;
        tick = std::max(tickCount(), tick + 1);
    }
}

// ---- properties

qint32 THexDocument::CaretPosition() const {
    return m_size == 0 ? 0 : std::clamp(caretByte(), 0, m_size - 1);
}

void THexDocument::setBytesPerLine(int bytesPerLine) {
    if (bytesPerLine < 1 || bytesPerLine > 256) throw KorError("Invalid BytesPerLine argument");
    if (bytesPerLine == m_n) return;
    const qint32 anchor = m_selAnchor, start = m_selStart, end = m_selEnd;
    const qint32 byte = caretByte();
    const bool text = caretInText();
    m_n = bytesPerLine;
    refreshGrid();
    moveCaret(hexgrid::cellOfByte(byte, m_n, text));
    m_selAnchor = anchor;
    m_selStart = start;
    m_selEnd = end;
    Q_EMIT repaintNeeded();
}

void THexDocument::setOEMTranslate(bool on) {
    if (on == m_oem) return;
    m_oem = on;
    Q_EMIT repaintNeeded();
}

void THexDocument::MarkReadOnly(bool flag) {
    if (!flag || m_readOnly) return;
    m_readOnly = true;
    queueStateChanged();
}

// ---- loading and saving

void THexDocument::Clear() {
    closeStream();
    m_fileName.clear();
    ResetUndo();
    clearSelectionQuietly();
    m_marks.clear();
    refreshGrid();
    m_modified = false;
    m_readOnly = true;
    moveCaret({hexgrid::kFirstHexColumn, 0});
}

bool THexDocument::LoadFromFile() {
    closeStream();
    m_readOnly = true;
    const QByteArray native = QFile::encodeName(m_fileName);
    // Non-blocking, so that naming a FIFO cannot hang the program; only regular files load.
    const int source =
        m_fileName.isEmpty() ? -1 : ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (source < 0 || ::fstat(source, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (source >= 0) ::close(source);
        failLoad();
        return false;
    }
    const QString tooLarge = "Cannot edit files of 2 GB or more\r\n" + m_fileName;
    if (st.st_size > kMaxDataSize) {
        ::close(source);
        failLoad();
        throw KorError(tooLarge);
    }
    const bool writable = ::access(native.constData(), W_OK) == 0;
    if (m_workName.isEmpty() || (m_fd = hexio::openWorking(m_workName, true)) < 0) {
        ::close(source);
        failLoad();
        throw KorError("Cannot create the working copy in the temporary folder");
    }
    const qint64 copied = hexio::copyWhole(source, m_fd, kMaxDataSize);
    ::close(source);
    if (copied < 0 || copied > kMaxDataSize) {
        failLoad();
        if (copied > kMaxDataSize) throw KorError(tooLarge);
        return false;
    }
    m_size = qint32(copied);
    m_readOnly = !writable;
    ResetUndo();
    m_marks.clear();
    clearSelectionQuietly();
    refreshGrid();
    m_modified = false;
    moveCaret({hexgrid::kFirstHexColumn, 0});
    Q_EMIT repaintNeeded();
    return true;
}

void THexDocument::failLoad() {
    // The earlier contents are gone; an empty, unnamed document is left so that a later
    // Save cannot overwrite the file that failed to load.
    closeStream();
    m_fileName.clear();
    m_readOnly = true;
    ResetUndo();
    m_marks.clear();
    clearSelectionQuietly();
    refreshGrid();
    m_modified = false;
    Q_EMIT repaintNeeded();
}

QString THexDocument::backupName() const {
    const qsizetype slash = m_fileName.lastIndexOf('/');
    const qsizetype dot = m_fileName.lastIndexOf('.');
    // A leading dot starts a hidden name, not an extension.
    if (dot > slash + 1) return m_fileName.left(dot) + m_backupExtension;
    return m_fileName + m_backupExtension;
}

bool THexDocument::SaveToFile() {
    if (m_fileName.isEmpty()) return false;
    if (m_createBackup && m_modified && QFile::exists(m_fileName) &&
        !hexio::copyFileOver(m_fileName, backupName()))
        return false;
    if (m_fd < 0) ensureStream();
    if (!hexio::replaceFileFrom(m_fd, m_fileName)) return false;
    m_marks.clear();
    m_modified = false;
    m_readOnly = false;
    ResetUndo();
    Q_EMIT repaintNeeded();
    return true;
}

// ---- the working copy

void THexDocument::ensureStream() {
    if (m_fd >= 0) return;
    if (!m_workName.isEmpty()) m_fd = hexio::openWorking(m_workName, true);
    if (m_fd < 0) throw KorError("Cannot create the working copy in the temporary folder");
    m_size = 0;
}

void THexDocument::closeStream() {
    if (m_fd >= 0) {
        (void)!::ftruncate(m_fd, 0);
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = 0;
}

void THexDocument::throwWriteError() const {
    throw KorError("Cannot write the working copy\r\n" + m_workName);
}

void THexDocument::checkRoom(qint64 growth) const {
    if (qint64(m_size) + growth > kMaxDataSize)
        throw KorError("The document cannot grow to 2 GB or more");
}

QByteArray THexDocument::readData(qint32 position, qint32 count) const {
    QByteArray bytes(count, Qt::Uninitialized);
    if (!hexio::readAt(m_fd, bytes.data(), count, position))
        throw KorError("Cannot read the working copy\r\n" + m_workName);
    return bytes;
}

void THexDocument::writeByte(qint32 index, uchar value) {
    if (!hexio::writeAt(m_fd, reinterpret_cast<const char*>(&value), 1, index)) throwWriteError();
    if (m_windowStart >= 0 && index >= m_windowStart && index < m_windowStart + m_windowLength)
        m_window[index - m_windowStart] = char(value);
}

void THexDocument::insertRaw(const char* data, qint32 count, qint32 position) {
    ensureStream();
    if (m_size == 0) m_marks.clear();
    const qint32 old = m_size;
    // Reserving the room first means a full disk stops the insertion before anything moved.
    if (::posix_fallocate(m_fd, old, count) != 0) {
        (void)!::ftruncate(m_fd, old);
        throwWriteError();
    }
    m_size = old + count;
    if (!hexio::moveRange(m_fd, position, qint64(position) + count, old - position) ||
        !hexio::writeAt(m_fd, data, count, position)) {
        refreshGrid();
        throwWriteError();
    }
    refreshGrid();
}

void THexDocument::deleteRaw(qint32 start, qint32 end) {
    if (!hexio::moveRange(m_fd, end, start, m_size - end)) throwWriteError();
    truncateRaw(m_size - (end - start));
}

void THexDocument::truncateRaw(qint32 size) {
    if (::ftruncate(m_fd, size) != 0) throwWriteError();
    m_size = size;
    refreshGrid();
}

// ---- the read window

const uchar* THexDocument::rowBytes(int row, int& count) {
    count = 0;
    const qint64 p = qint64(row) * m_n;
    if (row < 0 || p >= m_size || m_fd < 0) return nullptr;
    if (m_windowStart < 0 || m_windowStart > p ||
        p + m_n > qint64(m_windowStart) + kReadWindowSize) {
        m_windowStart = qint32(std::max<qint64>(0, p - kReadWindowSize / 2));
        m_windowLength = std::min<qint32>(kReadWindowSize, m_size - m_windowStart);
        if (!hexio::readAt(m_fd, m_window.data(), m_windowLength, m_windowStart)) {
            m_windowStart = -1;
            return nullptr;
        }
    }
    count = int(std::min<qint64>({qint64(m_n), m_size - p, m_windowStart + m_windowLength - p}));
    return reinterpret_cast<const uchar*>(m_window.constData()) + (p - m_windowStart);
}

uchar THexDocument::byteAt(qint32 index) {
    int count = 0;
    const uchar* row = rowBytes(index / m_n, count);
    const int offset = index % m_n;
    return row && offset < count ? row[offset] : 0;
}

QString THexDocument::cellText(int col, int row) {
    static const char kDigits[] = "0123456789ABCDEF";
    if (col == hexgrid::kOffsetColumn)
        return QStringLiteral("%1:").arg(qint64(row) * m_n, 8, 16, QLatin1Char('0')).toUpper();
    if (col == hexgrid::kGutterColumn || col == hexgrid::separatorColumn(m_n))
        return QStringLiteral(" ");
    const qint64 index = hexgrid::byteOfCell(col, row, m_n);
    if (index >= m_size) return {};
    const uchar byte = byteAt(qint32(index));
    if (hexgrid::inHexArea(col, m_n))
        return QString(QLatin1Char(kDigits[col % 2 == 0 ? byte >> 4 : byte & 15]));
    const uchar shown = byte < 32 ? uchar('.') : byte;
    return QString(m_oem ? hexcp::oemChar(shown) : hexcp::ansiChar(shown));
}

// ---- notifications, the grid and the caret

void THexDocument::queueStateChanged() {
    // Like a control without a window yet, a document under construction posts nothing.
    if (!m_ready) return;
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT OnStateChanged(); }, Qt::QueuedConnection);
}

void THexDocument::refreshGrid() {
    m_marks.truncate(m_size);
    invalidateWindow();
    if (m_size == 0) {
        m_caret = {hexgrid::kFirstHexColumn, 0};
    } else {
        m_caret.row = std::min(m_caret.row, rowCount() - 1);
        m_caret.col = std::clamp(m_caret.col, hexgrid::kFirstHexColumn, columnCount() - 1);
        if (hexgrid::byteOfCell(m_caret.col, m_caret.row, m_n) >= m_size)
            m_caret = hexgrid::cellOfByte(m_size - 1, m_n, caretInText());
    }
    Q_EMIT gridRefreshed();
}

bool THexDocument::moveCaret(Cell cell) {
    if (cell.col < hexgrid::kFixedColumns || cell.col >= columnCount() || cell.row < 0 ||
        cell.row >= rowCount())
        return false;
    if (cell == m_caret) return true;
    if (!acceptCell(cell)) return false;
    m_caret = cell;
    Q_EMIT caretMoved();
    Q_EMIT repaintNeeded();
    return true;
}

void THexDocument::moveCaretWithin(Cell cell) {
    if (m_size == 0) return;
    if (hexgrid::byteOfCell(cell.col, cell.row, m_n) >= m_size)
        cell = hexgrid::cellOfByte(m_size - 1, m_n, caretInText());
    moveCaret(cell);
}

bool THexDocument::acceptCell(Cell cell) {
    if (m_size == 0) return false;
    if (g_deciding) return true;
    const QScopedValueRollback guard(g_deciding, true);
    const HexHeldState held = HexHeldNow();
    if (!held.shift && !held.leftButton) clearSelection();
    if (hexgrid::byteOfCell(cell.col, cell.row, m_n) >= m_size) {
        moveCaret(hexgrid::cellOfByte(m_size - 1, m_n, caretInText()));
        return false;
    }
    if (cell.col == hexgrid::separatorColumn(m_n)) {
        if (held.leftButton) moveCaret({hexgrid::lastHexColumn(m_n), cell.row});
        return false;
    }
    if (m_selecting)
        extendSelection(caretByte(), qint32(hexgrid::byteOfCell(cell.col, cell.row, m_n)));
    else
        clearSelection();
    return true;
}

void THexDocument::extendSelection(qint32 fromByte, qint32 toByte) {
    if (m_selAnchor < 0) m_selAnchor = fromByte;
    m_selStart = std::min(m_selAnchor, toByte);
    m_selEnd = std::max(m_selAnchor, toByte);
    Q_EMIT repaintNeeded();
    queueStateChanged();
}

void THexDocument::clearSelectionQuietly() {
    m_selecting = false;
    m_selStart = m_selAnchor = m_selEnd = -1;
    queueStateChanged();
}

void THexDocument::clearSelection() {
    clearSelectionQuietly();
    Q_EMIT repaintNeeded();
}

void THexDocument::selectInserted(qint32 position, qint32 count) {
    m_selAnchor = m_selStart = position;
    m_selEnd = position + count - 1;
    queueStateChanged();
}

void THexDocument::setBookmark(int digit, int row) {
    m_bookmarks.at(digit) = row;
    Q_EMIT repaintNeeded();
}

int THexDocument::bookmarkAt(int row) const {
    const auto found = std::find(m_bookmarks.begin(), m_bookmarks.end(), row);
    return found == m_bookmarks.end() ? -1 : int(found - m_bookmarks.begin());
}

// ---- edits

bool THexDocument::BeginChange(HexUndoKind kind, qint32 position, qint32 count,
                               qint32 replacedCount) {
    const bool allowed =
        m_size > 0 || kind == HexUndoKind::InsertBuffer || kind == HexUndoKind::AppendBuffer;
    if (allowed) {
        m_canUndo = true;
        recordUndo(kind, position, count, replacedCount);
        m_modified = true;
    }
    queueStateChanged();
    return allowed;
}

void THexDocument::recordUndo(HexUndoKind kind, qint32 position, qint32 count,
                              qint32 replacedCount) {
    m_undoDescription = HexUndoText(kind);
    HexUndoRecord record;
    record.kind = kind;
    record.wasModified = m_modified;
    record.caretByte = caretByte();
    record.caretInText = caretInText();
    record.caretNibble =
        record.caretInText ? 0 : quint8((m_caret.col - hexgrid::kFirstHexColumn) % 2);
    record.selStart = m_selStart;
    record.selEnd = m_selEnd;
    record.selAnchor = m_selAnchor;
    record.position = position;
    record.count = count;
    record.replacedCount = replacedCount;
    switch (kind) {
    case HexUndoKind::ByteChanged:
        record.payload = readData(position, 1);
        record.oldMark = m_marks.test(position);
        break;
    case HexUndoKind::BytesRemoved:
        record.payload = readData(position, count);
        break;
    case HexUndoKind::ReplaceSelection:
        record.payload = readData(position, replacedCount);
        break;
    case HexUndoKind::InsertBuffer:
    case HexUndoKind::AppendBuffer:
        record.payload = QByteArray(1, '\0');
        break;
    }
    m_undo.append(record);
    if (kind == HexUndoKind::BytesRemoved || kind == HexUndoKind::InsertBuffer ||
        kind == HexUndoKind::ReplaceSelection)
        invalidateWindow();
}

void THexDocument::ResetUndo() {
    m_canUndo = false;
    m_undoDescription = QStringLiteral("No Undo");
    m_undo.clear();
    Q_EMIT OnStateChanged();
}

void THexDocument::ChangeByte(uchar oldValue, uchar newValue, int, int, qint32 index) {
    if (oldValue == newValue) return;
    if (!BeginChange(HexUndoKind::ByteChanged, index, 1, 0)) return;
    writeByte(index, newValue);
    m_marks.set(index, true);
    Q_EMIT repaintNeeded();
}

THexDocument::Range THexDocument::takeSelectionRange() {
    Range range;
    if (m_selAnchor < 0) {
        range.start = caretByte();
        range.end = range.start + 1;
        range.cell = m_caret;
    } else {
        range.start = m_selStart;
        range.end = m_selEnd + 1;
        range.cell = hexgrid::cellOfByte(m_selStart, m_n, caretInText());
    }
    m_marks.truncate(range.start);
    return range;
}

void THexDocument::DeleteRange(const Range& range) {
    deleteRaw(range.start, range.end);
    moveCaretWithin(range.cell);
    clearSelectionQuietly();
    Q_EMIT repaintNeeded();
}

void THexDocument::DeleteSelection() {
    const Range range = takeSelectionRange();
    if (!BeginChange(HexUndoKind::BytesRemoved, range.start, range.end - range.start, 0)) return;
    DeleteRange(range);
}

void THexDocument::InsertBuffer(const char* data, int count, int position) {
    if (count <= 0) return;
    if (position < 0 || position > m_size) throw KorError("Invalid InsertBuffer argument");
    checkRoom(count);
    if (!BeginChange(HexUndoKind::InsertBuffer, position, count, 0)) return;
    insertRaw(data, count, position);
    m_marks.truncate(position);
    if (caretByte() == position) selectInserted(position, count);
    Q_EMIT repaintNeeded();
}

void THexDocument::AppendBuffer(const char* data, int count) {
    if (count <= 0) return;
    checkRoom(count);
    const qint32 old = m_size;
    if (!BeginChange(HexUndoKind::AppendBuffer, old, count, 0)) return;
    m_marks.truncate(old);
    insertRaw(data, count, old);
    moveCaret(hexgrid::cellOfByte(old, m_n, caretInText()));
    selectInserted(old, count);
    Q_EMIT repaintNeeded();
}

void THexDocument::ReplaceSelection(const char* data, int count) {
    if (m_selAnchor < 0) {
        InsertBuffer(data, count, caretByte());
        return;
    }
    if (count <= 0) return;
    checkRoom(qint64(count) - SelCount());
    if (!BeginChange(HexUndoKind::ReplaceSelection, m_selStart, count, SelCount())) return;
    const Range range = takeSelectionRange();
    // The new bytes go in before the caret returns, so that it lands on the old selection
    // start even when the selection ran to the end of the data.
    deleteRaw(range.start, range.end);
    insertRaw(data, count, range.start);
    m_marks.truncate(range.start);
    moveCaretWithin(range.cell);
    clearSelectionQuietly();
    if (caretByte() == range.start) selectInserted(range.start, count);
    Q_EMIT repaintNeeded();
}

QByteArray THexDocument::BufferFromFile(int position, int& count) {
    if (position < 0 || position >= m_size) throw KorError("Invalid BufferFromFile argument");
    count = std::clamp(count, 0, m_size - position);
    QByteArray bytes(count, Qt::Uninitialized);
    if (!hexio::readAt(m_fd, bytes.data(), count, position)) {
        count = 0;
        return {};
    }
    return bytes;
}

// ---- undo

void THexDocument::restoreState(const HexUndoRecord& record) {
    Cell cell = hexgrid::cellOfByte(record.caretByte, m_n, record.caretInText);
    if (!record.caretInText && m_size > 0) cell.col += record.caretNibble;
    moveCaret(cell);
    m_selStart = record.selStart;
    m_selEnd = record.selEnd;
    m_selAnchor = record.selAnchor;
    m_modified = record.wasModified;
}

void THexDocument::Undo() {
    if (!m_canUndo || m_undo.bytes().size() <= THexUndoLog::kTrailerSize) {
        ResetUndo();
        return;
    }
    const HexUndoRecord record = m_undo.newest();
    const char* payload = record.payload.constData();
    switch (record.kind) {
    case HexUndoKind::ByteChanged:
        writeByte(record.position, uchar(payload[0]));
        m_marks.set(record.position, record.oldMark);
        restoreState(record);
        break;
    case HexUndoKind::BytesRemoved:
        invalidateWindow();
        insertRaw(payload, record.count, record.position);
        restoreState(record);
        m_marks.truncate(record.position);
        break;
    case HexUndoKind::InsertBuffer:
        invalidateWindow();
        deleteRaw(record.position, record.position + record.count);
        restoreState(record);
        m_marks.truncate(record.position);
        break;
    case HexUndoKind::ReplaceSelection:
        invalidateWindow();
        deleteRaw(record.position, record.position + record.count);
        insertRaw(payload, record.replacedCount, record.position);
        restoreState(record);
        m_marks.truncate(std::max(0, record.position - 1));
        break;
    case HexUndoKind::AppendBuffer:
        invalidateWindow();
        moveCaret({hexgrid::kFirstHexColumn, m_caret.row});
        truncateRaw(record.position);
        m_marks.truncate(record.position);
        restoreState(record);
        break;
    default:
        return;
    }
    Q_EMIT repaintNeeded();
    m_undo.removeNewest();
    if (m_undo.bytes().size() <= THexUndoLog::kTrailerSize) {
        ResetUndo();
    } else {
        m_undoDescription = HexUndoText(m_undo.newestKind());
        queueStateChanged();
    }
}
