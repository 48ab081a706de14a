#include "hex/HexUndoLog.h"

#include <QtEndian>

#include <cstring>

namespace {

void putInt(char* at, qint32 value) {
    qToLittleEndian<qint32>(value, at);
}
qint32 getInt(const char* at) {
    return qFromLittleEndian<qint32>(at);
}

qint32 trailerAt(const QByteArray& bytes, qsizetype end) {
    return getInt(bytes.constData() + end - 4);
}

} // namespace

QString HexUndoText(HexUndoKind kind) {
    switch (kind) {
    case HexUndoKind::ByteChanged:
        return QStringLiteral("Byte changed");
    case HexUndoKind::BytesRemoved:
        return QStringLiteral("Byte(s) removed");
    case HexUndoKind::InsertBuffer:
        return QStringLiteral("Insert Buffer");
    case HexUndoKind::ReplaceSelection:
        return QStringLiteral("Replace selection");
    case HexUndoKind::AppendBuffer:
        return QStringLiteral("Append buffer");
    }
    return QStringLiteral("No Undo");
}

QByteArray THexUndoLog::encode(const HexUndoRecord& record) {
    const qsizetype length = kHeaderSize + record.payload.size() + kTrailerSize;
    QByteArray bytes(length, '\0');
    char* at = bytes.data();
    at[0] = char(record.kind);
    at[1] = record.oldMark ? 1 : 0;
    at[2] = record.wasModified ? 1 : 0;
    putInt(at + 3, record.caretByte);
    at[7] = char(record.caretNibble);
    at[8] = record.caretInText ? 1 : 0;
    putInt(at + 9, record.selStart);
    putInt(at + 13, record.selEnd);
    putInt(at + 17, record.selAnchor);
    putInt(at + 21, record.position);
    putInt(at + 25, record.count);
    putInt(at + 29, record.replacedCount);
    memcpy(at + kHeaderSize, record.payload.constData(), size_t(record.payload.size()));
    putInt(at + length - kTrailerSize, qint32(length));
    return bytes;
}

HexUndoRecord THexUndoLog::decode(const char* data, qsizetype length) {
    HexUndoRecord record;
    record.kind = HexUndoKind(quint8(data[0]));
    record.oldMark = data[1] != 0;
    record.wasModified = data[2] != 0;
    record.caretByte = getInt(data + 3);
    record.caretNibble = quint8(data[7]);
    record.caretInText = data[8] != 0;
    record.selStart = getInt(data + 9);
    record.selEnd = getInt(data + 13);
    record.selAnchor = getInt(data + 17);
    record.position = getInt(data + 21);
    record.count = getInt(data + 25);
    record.replacedCount = getInt(data + 29);
    record.payload = QByteArray(data + kHeaderSize, length - kHeaderSize - kTrailerSize);
    return record;
}

void THexUndoLog::append(const HexUndoRecord& record) {
    if (m_count >= kMaxRecords) dropOldest();
    m_bytes.append(encode(record));
    ++m_count;
}

void THexUndoLog::dropOldest() {
    // The trailers chain the records from the end back to the first one.
    qsizetype end = m_bytes.size();
    for (int i = 0; i < m_count - 1; ++i)
        end -= trailerAt(m_bytes, end);
    m_bytes.remove(0, end);
    --m_count;
}

HexUndoRecord THexUndoLog::newest() const {
    const qint32 length = trailerAt(m_bytes, m_bytes.size());
    return decode(m_bytes.constData() + m_bytes.size() - length, length);
}

HexUndoKind THexUndoLog::newestKind() const {
    return HexUndoKind(quint8(m_bytes.at(m_bytes.size() - trailerAt(m_bytes, m_bytes.size()))));
}

void THexUndoLog::removeNewest() {
    m_bytes.chop(trailerAt(m_bytes, m_bytes.size()));
    --m_count;
}

void THexUndoLog::clear() {
    m_bytes = QByteArray();
    m_count = 0;
}
