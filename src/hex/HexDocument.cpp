#include "hex/HexDocument.h"

#include "core/FileIo.h"
#include "core/KorError.h"
#include "hex/HexCodePage.h"
#include "hex/HexFileIo.h"
#include "hex/HexHeld.h"

#include <QFile>
#include <QScopedValueRollback>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using hexgrid::Cell;

namespace {

// One request is decided at a time, across all documents: the caret moves made while
// deciding get the grid's plain answer.
bool g_deciding = false;

} // namespace

THexDocument::THexDocument(QObject* parent) : QObject(parent) {
    m_bookmarks.fill(-1);
    ResetUndo();
    Clear();
    m_ready = true;
}

THexDocument::~THexDocument() = default;

// ---- properties

void THexDocument::setFileName(const QString& fileName) {
    m_fileName = fileName;
    m_rawName = QFile::encodeName(fileName);
}

void THexDocument::setRawFileName(const QByteArray& path) {
    m_rawName = path;
    m_fileName = QFile::decodeName(path);
}

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
    m_copy.close();
    m_size = 0;
    m_fileName.clear();
    m_rawName.clear();
    ResetUndo();
    clearSelectionQuietly();
    m_marks.clear();
    refreshGrid();
    m_modified = false;
    m_readOnly = true;
    moveCaret({hexgrid::kFirstHexColumn, 0});
}

bool THexDocument::LoadFromFile() {
    m_copy.close();
    m_readOnly = true;
    m_lastError.clear();
    if (m_rawName.isEmpty()) {
        failLoad();
        return false;
    }
    fileio::UniqueFd source;
    try {
        source = fileio::OpenForReading(m_rawName);
    } catch (const KorError& error) {
        failLoad();
        m_lastError = error.text();
        return false;
    }
    const QString tooLarge = "Cannot edit files of 2 GB or more\r\n" + m_fileName;
    struct stat st {};
    if (::fstat(source.get(), &st) == 0 && st.st_size > kMaxDataSize) {
        failLoad();
        throw KorError(tooLarge);
    }
    const bool writable = ::access(m_rawName.constData(), W_OK) == 0;
    qint64 copied;
    try {
        copied = m_copy.fillFrom(source.get(), kMaxDataSize);
    } catch (const KorError&) {
        failLoad();
        throw;
    }
    if (copied < 0 || copied > kMaxDataSize) {
        const int code = errno;
        failLoad();
        if (copied > kMaxDataSize) throw KorError(tooLarge);
        m_lastError = QStringLiteral("Cannot read file \"%1\". %2")
                          .arg(QFile::decodeName(m_rawName), fileio::ErrorText(code));
        return false;
    }
    m_size = m_copy.size();
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
    m_copy.close();
    m_size = 0;
    m_fileName.clear();
    m_rawName.clear();
    m_readOnly = true;
    ResetUndo();
    m_marks.clear();
    clearSelectionQuietly();
    refreshGrid();
    m_modified = false;
    Q_EMIT repaintNeeded();
}

QByteArray THexDocument::backupName() const {
    const qsizetype slash = m_rawName.lastIndexOf('/');
    const qsizetype dot = m_rawName.lastIndexOf('.');
    const QByteArray extension = QFile::encodeName(m_backupExtension);
    // A leading dot starts a hidden name, not an extension.
    if (dot > slash + 1) return m_rawName.left(dot) + extension;
    return m_rawName + extension;
}

bool THexDocument::SaveToFile() {
    m_lastError.clear();
    if (m_rawName.isEmpty()) return false;
    try {
        writeFile();
    } catch (const fileio::FileIoError& error) {
        m_lastError = error.reason();
        return false;
    } catch (const KorError& error) {
        m_lastError = error.text();
        return false;
    }
    m_marks.clear();
    m_modified = false;
    m_readOnly = false;
    ResetUndo();
    Q_EMIT repaintNeeded();
    return true;
}

void THexDocument::writeFile() {
    if (!m_copy.isOpen()) {
        m_copy.open();
        m_size = 0;
    }
    const auto copyAll = [](int from) {
        return [from](int to) {
            return hexio::copyWhole(from, to, std::numeric_limits<qint64>::max() - 1) >= 0;
        };
    };
    const bool backup = m_createBackup && m_modified && ::access(m_rawName.constData(), F_OK) == 0;
    if (!backup) {
        fileio::Replace(m_rawName, copyAll(m_copy.handle()));
        return;
    }
    // A failed save changes nothing on disk: an older backup is set aside, not replaced,
    // until the new file is complete.
    const QByteArray bak = backupName();
    QByteArray stash;
    if (::access(bak.constData(), F_OK) == 0) {
        stash = bak + ".kor-old-XXXXXX";
        fileio::UniqueFd hold(::mkostemp(stash.data(), O_CLOEXEC));
        if (!hold.valid() || ::rename(bak.constData(), stash.constData()) != 0) {
            const int code = errno;
            if (hold.valid()) ::unlink(stash.constData());
            throw fileio::FileIoError(QString(), bak, code, fileio::ErrorText(code));
        }
    }
    const auto putBack = [&] {
        if (!stash.isEmpty()) ::rename(stash.constData(), bak.constData());
    };
    try {
        const fileio::UniqueFd old = fileio::OpenForReading(m_rawName);
        struct stat info {};
        ::fstat(old.get(), &info);
        fileio::Replace(bak, copyAll(old.get()), int(info.st_mode & 0777));
    } catch (const KorError&) {
        putBack();
        throw;
    }
    try {
        fileio::Replace(m_rawName, copyAll(m_copy.handle()));
    } catch (const KorError&) {
        ::unlink(bak.constData());
        putBack();
        throw;
    }
    if (!stash.isEmpty()) ::unlink(stash.constData());
}

// ---- the working copy

void THexDocument::checkRoom(qint64 growth) const {
    if (qint64(m_size) + growth > kMaxDataSize)
        throw KorError("The document cannot grow to 2 GB or more");
}

void THexDocument::writeByte(qint32 index, uchar value) {
    m_copy.writeByte(index, value);
}

void THexDocument::insertRaw(const char* data, qint32 count, qint32 position) {
    if (m_size == 0) m_marks.clear();
    try {
        m_copy.insert(data, count, position);
    } catch (const KorError&) {
        m_size = m_copy.size();
        refreshGrid();
        throw;
    }
    m_size = m_copy.size();
    refreshGrid();
}

void THexDocument::deleteRaw(qint32 start, qint32 end) {
    m_copy.remove(start, end);
    m_size = m_copy.size();
    refreshGrid();
}

void THexDocument::truncateRaw(qint32 size) {
    m_copy.truncate(size);
    m_size = m_copy.size();
    refreshGrid();
}

// ---- the read window

const uchar* THexDocument::rowBytes(int row, int& count) {
    count = 0;
    if (row < 0) return nullptr;
    return m_copy.windowAt(qint64(row) * m_n, m_n, count);
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
        record.payload = m_copy.read(position, 1);
        record.oldMark = m_marks.test(position);
        break;
    case HexUndoKind::BytesRemoved:
        record.payload = m_copy.read(position, count);
        break;
    case HexUndoKind::ReplaceSelection:
        record.payload = m_copy.read(position, replacedCount);
        break;
    case HexUndoKind::InsertBuffer:
    case HexUndoKind::AppendBuffer:
        record.payload = QByteArray(1, '\0');
        break;
    }
    m_undo.append(record);
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
    if (!m_copy.readInto(bytes.data(), count, position)) {
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
        insertRaw(payload, record.count, record.position);
        restoreState(record);
        m_marks.truncate(record.position);
        break;
    case HexUndoKind::InsertBuffer:
        deleteRaw(record.position, record.position + record.count);
        restoreState(record);
        m_marks.truncate(record.position);
        break;
    case HexUndoKind::ReplaceSelection:
        deleteRaw(record.position, record.position + record.count);
        insertRaw(payload, record.replacedCount, record.position);
        restoreState(record);
        m_marks.truncate(std::max(0, record.position - 1));
        break;
    case HexUndoKind::AppendBuffer:
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
