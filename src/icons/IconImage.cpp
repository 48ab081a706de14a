#include "icons/IconImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <bit>

namespace {

const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// The layout of a stored bitmap, each part checked to lie inside the data.
struct DibLayout {
    int width = 0;
    int height = 0; // of the colour image; the stored height counts the mask too
    int bitCount = 0;
    bool bitFields = false;
    quint32 masks[3] = {0, 0, 0};
    qsizetype paletteAt = 0;
    int paletteCount = 0;
    int paletteEntrySize = 4;
    qsizetype pixelsAt = 0;
    qsizetype stride = 0;
    qsizetype maskAt = 0; // 0 when the mask is missing
    qsizetype maskStride = 0;
};

// With headerOnly the data may end after the header: only the header is checked.
bool readDib(const QByteArray& d, DibLayout& out, bool headerOnly) {
    if (d.size() < 12) return false;
    const quint32 headerSize = u32(d, 0);
    qint64 width = 0, storedHeight = 0;
    quint32 compression = 0, colorsUsed = 0;
    if (headerSize == 12) {
        width = u16(d, 4);
        storedHeight = u16(d, 6);
        out.bitCount = u16(d, 10);
        out.paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024 && d.size() >= qsizetype(headerSize)) {
        width = qint32(u32(d, 4));
        storedHeight = qint32(u32(d, 8));
        out.bitCount = u16(d, 14);
        compression = u32(d, 16);
        colorsUsed = u32(d, 32);
    } else {
        return false;
    }
    if (width <= 0 || width > MaxIconSide || storedHeight < 2 || storedHeight > 2 * MaxIconSide)
        return false;
    out.width = int(width);
    out.height = int(storedHeight / 2);
    const int bpp = out.bitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    qsizetype at = headerSize;
    if (compression == 3 && (bpp == 16 || bpp == 32)) {
        out.bitFields = true;
        // The three masks follow a 40-byte header; larger headers hold them at the same place.
        if (d.size() < 52) return false;
        for (int i = 0; i < 3; ++i)
            out.masks[i] = u32(d, 40 + 4 * i);
        if (headerSize == 40) at += 12;
    } else if (compression != 0) {
        return false;
    }
    if (headerOnly) return true;
    if (bpp <= 8)
        out.paletteCount = colorsUsed == 0 ? 1 << bpp : int(qMin<quint32>(colorsUsed, 1u << bpp));
    const quint64 paletteBytes = quint64(colorsUsed > 0 ? colorsUsed : quint32(out.paletteCount)) *
                                 quint64(out.paletteEntrySize);
    if (paletteBytes > quint64(d.size() - at)) return false;
    out.paletteAt = at;
    out.pixelsAt = at + qsizetype(paletteBytes);
    out.stride = ((qsizetype(out.width) * bpp + 31) / 32) * 4;
    const qsizetype pixelBytes = out.stride * out.height;
    if (pixelBytes > d.size() - out.pixelsAt) return false;
    out.maskStride = ((qsizetype(out.width) + 31) / 32) * 4;
    const qsizetype maskAt = out.pixelsAt + pixelBytes;
    out.maskAt = out.maskStride * out.height <= d.size() - maskAt ? maskAt : 0;
    return true;
}

// Expands a bit-field channel to eight bits.
quint32 channel(quint32 value, quint32 mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const quint32 v = (value & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    return bits == 0 ? 0 : (v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1);
}

QImage decodeDib(const QByteArray& d) {
    DibLayout dib;
    if (!readDib(d, dib, false)) return {};
    QList<QRgb> palette;
    for (int i = 0; i < dib.paletteCount; ++i) {
        const qsizetype at = dib.paletteAt + qsizetype(i) * dib.paletteEntrySize;
        palette.append(qRgb(quint8(d[at + 2]), quint8(d[at + 1]), quint8(d[at])));
    }
    QImage image(dib.width, dib.height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    const auto* bytes = reinterpret_cast<const uchar*>(d.constData());
    bool anyAlpha = false;
    for (int y = 0; y < dib.height; ++y) {
        const uchar* row = bytes + dib.pixelsAt + qsizetype(dib.height - 1 - y) * dib.stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < dib.width; ++x) {
            QRgb c = 0;
            switch (dib.bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / dib.bitCount;
                const int shift = 8 - dib.bitCount * (x % perByte + 1);
                const int index = (row[x / perByte] >> shift) & ((1 << dib.bitCount) - 1);
                c = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
                break;
            }
            case 16: {
                const quint32 v = qFromLittleEndian<quint16>(row + 2 * x);
                const quint32 r = dib.bitFields ? dib.masks[0] : 0x7c00;
                const quint32 g = dib.bitFields ? dib.masks[1] : 0x03e0;
                const quint32 b = dib.bitFields ? dib.masks[2] : 0x001f;
                c = qRgb(int(channel(v, r)), int(channel(v, g)), int(channel(v, b)));
                break;
            }
            case 24:
                c = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32: {
                const quint32 v = qFromLittleEndian<quint32>(row + 4 * x);
                if (dib.bitFields) {
                    c = qRgb(int(channel(v, dib.masks[0])), int(channel(v, dib.masks[1])),
                             int(channel(v, dib.masks[2])));
                } else {
                    c = qRgba(int((v >> 16) & 0xff), int((v >> 8) & 0xff), int(v & 0xff),
                              int(v >> 24));
                    anyAlpha = anyAlpha || (v >> 24) != 0;
                }
                break;
            }
            }
            out[x] = dib.bitCount == 32 && !dib.bitFields ? c : (c | 0xff000000u);
        }
    }
    // An alpha channel that is all zero is unused: the mask gives the transparency then.
    if (anyAlpha) return image;
    for (int y = 0; y < dib.height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* mask =
            dib.maskAt ? bytes + dib.maskAt + qsizetype(dib.height - 1 - y) * dib.maskStride
                       : nullptr;
        for (int x = 0; x < dib.width; ++x) {
            const bool transparent = mask && (mask[x / 8] >> (7 - x % 8)) & 1;
            out[x] = transparent ? 0 : (out[x] | 0xff000000u);
        }
    }
    return image;
}

QImage decodePng(const QByteArray& d) {
    QBuffer buffer;
    buffer.setData(d);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxIconSide || size.height() > MaxIconSide) return {};
    QImage image = reader.read();
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

IconImageInfo ReadIconImageInfo(const QByteArray& data) {
    IconImageInfo info;
    if (data.startsWith(pngSignature)) {
        if (data.size() < 26 || data.mid(12, 4) != "IHDR") return info;
        const quint32 w = qFromBigEndian<quint32>(data.constData() + 16);
        const quint32 h = qFromBigEndian<quint32>(data.constData() + 20);
        if (w == 0 || h == 0 || w > MaxIconSide || h > MaxIconSide) return info;
        const int depth = quint8(data[24]);
        static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
        const int type = quint8(data[25]);
        info = {int(w), int(h), type < 7 ? depth * channels[type] : 0};
        return info;
    }
    DibLayout dib;
    if (readDib(data, dib, true)) info = {dib.width, dib.height, dib.bitCount};
    return info;
}

QImage DecodeIconImage(const QByteArray& data) {
    return data.startsWith(pngSignature) ? decodePng(data) : decodeDib(data);
}
