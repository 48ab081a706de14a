#pragma once

#include "hex/HexGrid.h"
#include "hex/HexMarks.h"
#include "hex/HexUndoLog.h"
#include "hex/HexWorkingCopy.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <limits>

/// The hex editor's document: the bytes live in a private working copy on disk (never in
/// memory as a whole), read for display through a 64 KiB window; typing marks bytes;
/// every edit is recorded in a 100-step undo log. It also keeps the grid's caret cell,
/// the selection and the bookmarks, and decides which cells the caret may enter, so the
/// widget that shows it only paints and forwards input.
///
/// Positions and sizes are 32-bit: files of 2 GiB or more are refused. Errors are thrown
/// as KorError; LoadFromFile and SaveToFile report a failed file access as false, with
/// the reason in LastError.
class THexDocument : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMaxDataSize = std::numeric_limits<qint32>::max();

    explicit THexDocument(QObject* parent = nullptr);
    ~THexDocument() override;

    QString FileName() const { return m_fileName; }
    void setFileName(const QString& fileName);
    /// Names the file by the bytes of its path (for names that are not UTF-8).
    void setRawFileName(const QByteArray& path);
    QByteArray RawFileName() const { return m_rawName; }
    /// Why the last LoadFromFile failed (naming the file) or SaveToFile failed (the reason
    /// alone); empty after success.
    QString LastError() const { return m_lastError; }
    qint32 DataSize() const { return m_size; }
    bool Modified() const { return m_modified; }
    /// An indicator only: nothing is refused because of it.
    bool ReadOnlyFile() const { return m_readOnly; }
    bool CanUndo() const { return m_canUndo; }
    QString UndoDescription() const { return m_undoDescription; }
    qint32 SelStart() const { return m_selStart; }
    qint32 SelEnd() const { return m_selEnd; }
    /// -1 when nothing is selected.
    qint32 SelAnchor() const { return m_selAnchor; }
    qint32 SelCount() const { return m_selAnchor < 0 ? 0 : m_selEnd - m_selStart + 1; }
    /// The caret's byte, within 0..DataSize-1; 0 when empty.
    qint32 CaretPosition() const;
    bool CreateBackup() const { return m_createBackup; }
    void setCreateBackup(bool on) { m_createBackup = on; }
    QString BackupExtension() const { return m_backupExtension; }
    void setBackupExtension(const QString& extension) { m_backupExtension = extension; }
    int BytesPerLine() const { return m_n; }
    /// 1..256, else throws "Invalid BytesPerLine argument"; keeps the caret's byte and area
    /// and the selection.
    void setBytesPerLine(int bytesPerLine);
    bool OEMTranslate() const { return m_oem; }
    void setOEMTranslate(bool on);
    /// Full path of the working copy ("" when the temp folder was unusable).
    QString WorkingCopyName() const { return m_copy.name(); }

    /// A new, empty, unnamed document.
    void Clear();
    /// Loads the file named by FileName. False (and an empty, unnamed document) when it is
    /// missing, not a regular file or unreadable; throws when it holds 2 GiB or more.
    bool LoadFromFile();
    /// Writes the document over FileName; the file is replaced only once the new contents
    /// are complete, and a modified existing file's old content is then kept under the
    /// ".bak"-style name. A failed save changes nothing on disk. On success the document
    /// is unmodified and its undo history is gone.
    bool SaveToFile();
    /// Reverts the newest undo record.
    void Undo();
    /// Removes the selection, or the byte under the caret without one.
    void DeleteSelection();
    /// Inserts count bytes before position (0..DataSize); selects them when the caret is on
    /// position.
    void InsertBuffer(const char* data, int count, int position);
    /// Appends count bytes, selects them and puts the caret on the first.
    void AppendBuffer(const char* data, int count);
    /// Replaces the selection by the bytes (without one, inserts them at the caret) and
    /// selects the new bytes.
    void ReplaceSelection(const char* data, int count);
    /// count bytes from position; count is lowered to the bytes available, and set to 0
    /// (with an empty result) when reading fails. Throws "Invalid BufferFromFile argument"
    /// for a position outside the data.
    QByteArray BufferFromFile(int position, int& count);
    /// true sets ReadOnlyFile; false does nothing.
    void MarkReadOnly(bool flag);

    /// Typing: writes newValue at index unless it equals oldValue, with an undo record and
    /// the byte's modification mark.
    void ChangeByte(uchar oldValue, uchar newValue, int row, int col, qint32 index);

    int rowCount() const { return hexgrid::rowCount(m_size, m_n); }
    int columnCount() const { return hexgrid::columnCount(m_n); }
    hexgrid::Cell caret() const { return m_caret; }
    bool caretInText() const { return !hexgrid::inHexArea(m_caret.col, m_n); }
    /// The byte of the caret's cell.
    qint32 caretByte() const { return qint32(hexgrid::byteOfCell(m_caret.col, m_caret.row, m_n)); }
    /// Moves the caret through the cell acceptance (which may clear or extend the selection,
    /// or put the caret elsewhere); true when the cell was entered.
    bool moveCaret(hexgrid::Cell cell);
    /// Moves the caret to the cell, or to the last byte in the caret's area when the cell
    /// lies beyond the data.
    void moveCaretWithin(hexgrid::Cell cell);

    /// The bytes of a row through the read window; count gets how many exist (0 beyond the
    /// data or when reading fails).
    const uchar* rowBytes(int row, int& count);
    /// A byte of the data (index below DataSize) through the read window.
    uchar byteAt(qint32 index);
    bool isMarked(qint32 index) const { return m_marks.test(index); }
    bool isSelected(qint32 index) const {
        return m_selAnchor >= 0 && index >= m_selStart && index <= m_selEnd;
    }
    /// The text a cell shows: "0000ABC0:" offsets, one hex digit, the byte's character
    /// ("." below 32), or blank.
    QString cellText(int col, int row);

    /// Clears the selection and ends selecting.
    void clearSelection();
    bool selecting() const { return m_selecting; }
    void setSelecting(bool on) { m_selecting = on; }

    /// The row bookmark digit marks, or -1.
    int bookmark(int digit) const { return m_bookmarks.at(digit); }
    void setBookmark(int digit, int row);
    /// The lowest bookmark digit on the row, or -1.
    int bookmarkAt(int row) const;

    const THexUndoLog& undoLog() const { return m_undo; }

Q_SIGNALS:
    /// The deferred state-changed notification: one call for each one queued.
    void OnStateChanged();
    void repaintNeeded();
    /// Row or column count, or the cell metrics, may have changed.
    void gridRefreshed();
    void caretMoved();

private:
    struct Range {
        qint32 start = 0, end = 0;
        hexgrid::Cell cell;
    };

    bool BeginChange(HexUndoKind kind, qint32 position, qint32 count, qint32 replacedCount);
    void recordUndo(HexUndoKind kind, qint32 position, qint32 count, qint32 replacedCount);
    void ResetUndo();
    void restoreState(const HexUndoRecord& record);
    bool acceptCell(hexgrid::Cell cell);
    void extendSelection(qint32 fromByte, qint32 toByte);
    void clearSelectionQuietly();
    Range takeSelectionRange();
    void DeleteRange(const Range& range);
    void selectInserted(qint32 position, qint32 count);
    void queueStateChanged();
    void refreshGrid();

    void failLoad();
    void checkRoom(qint64 growth) const;
    void writeByte(qint32 index, uchar value);
    void insertRaw(const char* data, qint32 count, qint32 position);
    void deleteRaw(qint32 start, qint32 end);
    void truncateRaw(qint32 size);
    QByteArray backupName() const;
    void writeFile();

    int m_n = 16;
    qint32 m_size = 0;
    THexWorkingCopy m_copy;
    THexUndoLog m_undo;
    bool m_readOnly = true;
    THexMarks m_marks;
    std::array<int, 10> m_bookmarks;
    qint32 m_selStart = -1, m_selAnchor = -1, m_selEnd = -1;
    bool m_selecting = false;
    bool m_canUndo = false;
    QString m_undoDescription;
    bool m_oem = false;
    bool m_modified = false;
    QString m_fileName;
    QByteArray m_rawName;
    QString m_lastError;
    bool m_createBackup = true;
    QString m_backupExtension = QStringLiteral(".bak");
    hexgrid::Cell m_caret;
    bool m_ready = false;
};
