#pragma once

#include <QByteArray>
#include <QString>

/// The kinds of undo record; their numbers are stored in the log.
enum class HexUndoKind : quint8 {
    ByteChanged = 0,
    BytesRemoved = 1,
    InsertBuffer = 2,
    ReplaceSelection = 3,
    AppendBuffer = 4
};

/// "Byte changed", "Byte(s) removed", ... for a kind.
QString HexUndoText(HexUndoKind kind);

/// One undo record, decoded.
struct HexUndoRecord {
    HexUndoKind kind = HexUndoKind::ByteChanged;
    bool oldMark = false;     ///< ByteChanged: the byte's modification mark before the change
    bool wasModified = false; ///< the document's modified flag before the change
    qint32 caretByte = 0;
    quint8 caretNibble = 0; ///< 1 on a low nibble in the hex area, else 0
    bool caretInText = false;
    qint32 selStart = -1, selEnd = -1, selAnchor = -1;
    qint32 position = 0;      ///< first byte the change touches
    qint32 count = 0;         ///< bytes changed, removed or put in
    qint32 replacedCount = 0; ///< ReplaceSelection: bytes of the old selection
    QByteArray payload;       ///< old byte(s); one zero byte for insertions and appends
};

/// The undo log: records newest last, each a 33-byte header (little-endian int32 fields),
/// its payload and a 4-byte trailer holding the record's whole length, so the log can be
/// walked backwards. Holds at most kMaxRecords records; the oldest goes first.
class THexUndoLog {
public:
    static constexpr int kHeaderSize = 33;
    static constexpr int kTrailerSize = 4;
    static constexpr int kMaxRecords = 100;

    /// Appends a record, first dropping the oldest when the log is full.
    void append(const HexUndoRecord& record);
    /// The newest record; the log must hold one.
    HexUndoRecord newest() const;
    HexUndoKind newestKind() const;
    void removeNewest();
    void clear();

    int count() const { return m_count; }
    /// The log's bytes, exactly as stored.
    const QByteArray& bytes() const { return m_bytes; }

    static QByteArray encode(const HexUndoRecord& record);
    /// Decodes one record of the given length starting at data.
    static HexUndoRecord decode(const char* data, qsizetype length);

private:
    void dropOldest();

    QByteArray m_bytes;
    int m_count = 0;
};
