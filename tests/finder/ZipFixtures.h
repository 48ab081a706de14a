#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

/// Zip archives written byte by byte, so a test controls every field the reader looks at.
namespace zipfixture {

struct Entry {
    QByteArray name;
    quint16 method = 8;
    quint32 compressed = 12;
    quint32 uncompressed = 30;
    QByteArray extra = {};
    QByteArray comment = {};
};

inline void put16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xff)).append(char(value >> 8));
}

inline void put32(QByteArray& out, quint32 value) {
    put16(out, quint16(value & 0xffff));
    put16(out, quint16(value >> 16));
}

inline QByteArray centralRecord(const Entry& e, quint32 localOffset, quint16 nameLength = 0xffff) {
    QByteArray out("PK\1\2", 4);
    put16(out, 20); // made by
    put16(out, 20); // needed
    put16(out, 0);  // flags
    put16(out, e.method);
    put16(out, 0x6000);     // time
    put16(out, 0x5821);     // date
    put32(out, 0x12345678); // crc
    put32(out, e.compressed);
    put32(out, e.uncompressed);
    put16(out, nameLength == 0xffff ? quint16(e.name.size()) : nameLength);
    put16(out, quint16(e.extra.size()));
    put16(out, quint16(e.comment.size()));
    put16(out, 0); // disk
    put16(out, 0); // internal attributes
    put32(out, 0); // external attributes
    put32(out, localOffset);
    return out + e.name + e.extra + e.comment;
}

inline QByteArray endRecord(quint16 count, quint32 size, quint32 offset,
                            const QByteArray& comment = {}, quint16 disk = 0,
                            quint16 directoryDisk = 0) {
    QByteArray out("PK\5\6", 4);
    put16(out, disk);
    put16(out, directoryDisk);
    put16(out, count);
    put16(out, count);
    put32(out, size);
    put32(out, offset);
    put16(out, quint16(comment.size()));
    return out + comment;
}

/// Some stand-in file data for each entry, the central directory, the end record.
inline QByteArray archive(const QList<Entry>& entries, const QByteArray& comment = {}) {
    QByteArray data;
    QByteArray directory;
    for (const Entry& e : entries) {
        directory += centralRecord(e, quint32(data.size()));
        data += "PK\3\4 local header and data of " + e.name;
    }
    return data + directory +
           endRecord(quint16(entries.size()), quint32(directory.size()), quint32(data.size()),
                     comment);
}

} // namespace zipfixture
