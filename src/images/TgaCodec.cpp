#include "images/TgaCodec.h"

#include <QtEndian>

#include <cstring>
#include <vector>

namespace {

constexpr int kHeaderSize = 18;
constexpr int kFooterSize = 26;
constexpr int kExtensionSize = 495;

QImage Refuse(QString* reason, const QString& text) {
    if (reason) *reason = text;
    return {};
}

QRgb Expand15(quint16 v) {
    const int r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
    return qRgb((r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
}

/// Reads one stored value (pixel or colour-map entry) of `bytes` bytes as a colour.
QRgb ReadColour(const uchar* p, int depth, bool grey) {
    switch (depth) {
    case 8:
        return qRgb(p[0], p[0], p[0]);
    case 15:
    case 16:
        if (grey) return qRgba(p[0], p[0], p[0], p[1]);
        return Expand15(qFromLittleEndian<quint16>(p));
    case 24:
        return qRgb(p[2], p[1], p[0]);
    default:
        return qRgba(p[2], p[1], p[0], p[3]);
    }
}

// The extension area's attribute type says whether the fourth byte is really alpha
// (3 or 4) or unused (0 to 2); without a footer the header's alpha bits decide.
bool FooterDeniesAlpha(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize + kFooterSize) return false;
    const auto* footer =
        reinterpret_cast<const uchar*>(bytes.constData()) + bytes.size() - kFooterSize;
    if (std::memcmp(footer + 8, "TRUEVISION-XFILE.", 17) != 0) return false;
    const quint32 extension = qFromLittleEndian<quint32>(footer);
    if (extension < kHeaderSize || qint64(extension) + kExtensionSize > bytes.size() - kFooterSize)
        return false;
    const uchar attributes = uchar(bytes[qsizetype(extension) + 494]);
    return attributes < 3;
}

bool HasVisiblePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 0) return true;
    }
    return false;
}

} // namespace

QImage DecodeTga(const QByteArray& bytes, QString* reason, qint64 maxPixels) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < kHeaderSize) return Refuse(reason, "the TGA header is cut short");
    const int idLength = data[0];
    const int mapType = data[1];
    const int type = data[2];
    const int mapFirst = qFromLittleEndian<quint16>(data + 3);
    const int mapLength = qFromLittleEndian<quint16>(data + 5);
    const int mapDepth = data[7];
    const int width = qFromLittleEndian<quint16>(data + 12);
    const int height = qFromLittleEndian<quint16>(data + 14);
    const int depth = data[16];
    const int descriptor = data[17];
    const int kind = type & 7;
    const bool rle = type & 8;
    if (kind < 1 || kind > 3 || (type & ~0xB) != 0)
        return Refuse(reason, QStringLiteral("TGA image type %1 is not supported").arg(type));
    if (mapType > 1) return Refuse(reason, "it is not a TGA file");
    const bool depthOk =
        (kind == 1 && (depth == 8 || depth == 16)) ||
        (kind == 2 && (depth == 15 || depth == 16 || depth == 24 || depth == 32)) ||
        (kind == 3 && (depth == 8 || depth == 16));
    if (!depthOk)
        return Refuse(reason, QStringLiteral("a TGA picture of type %1 with %2 bits per pixel is "
                                             "not supported")
                                  .arg(type)
                                  .arg(depth));
    if (kind == 1 && (mapType != 1 || mapLength == 0))
        return Refuse(reason, "the colour-mapped TGA picture has no colour map");
    if (mapType == 1 && mapDepth != 15 && mapDepth != 16 && mapDepth != 24 && mapDepth != 32)
        return Refuse(reason, "the TGA colour map has an unknown entry size");
    if (!PictureSizeAllowed(width, height, maxPixels, reason)) return {};

    qsizetype pos = kHeaderSize + idLength;
    std::vector<QRgb> map;
    if (mapType == 1) {
        const int entryBytes = (mapDepth + 7) / 8;
        if (pos + qsizetype(mapLength) * entryBytes > size)
            return Refuse(reason, "the TGA colour map is cut short");
        map.resize(size_t(mapLength));
        for (int i = 0; i < mapLength; ++i, pos += entryBytes)
            map[size_t(i)] = ReadColour(data + pos, mapDepth, false);
    }
    const bool alpha = ((depth == 32 && (descriptor & 0x0F) != 0) || (kind == 3 && depth == 16) ||
                        (kind == 1 && mapDepth == 32 && (descriptor & 0x0F) != 0)) &&
                       !FooterDeniesAlpha(bytes);
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return Refuse(reason, "there is not enough memory for the picture");
    image.fill(alpha ? 0u : 0xFF000000u);

    const int pixelBytes = (depth + 7) / 8;
    const bool topDown = descriptor & 0x20;
    const bool rightToLeft = descriptor & 0x10;
    auto colourOf = [&](const uchar* p) -> QRgb {
        if (kind != 1) return ReadColour(p, depth, kind == 3);
        const int index = (depth == 8 ? p[0] : qFromLittleEndian<quint16>(p)) - mapFirst;
        return index >= 0 && index < mapLength ? map[size_t(index)] : qRgb(0, 0, 0);
    };
    const qint64 total = qint64(width) * height;
    qint64 done = 0;
    auto put = [&](QRgb colour) {
        const int row = int(done / width), column = int(done % width);
        const int y = topDown ? row : height - 1 - row;
        const int x = rightToLeft ? width - 1 - column : column;
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = alpha ? colour : (colour | 0xFF000000);
        ++done;
    };
    while (done < total) {
        if (!rle) {
            if (pos + pixelBytes > size) break;
            put(colourOf(data + pos));
            pos += pixelBytes;
            continue;
        }
        if (pos >= size) break;
        const int packet = data[pos++];
        const int count = int(std::min<qint64>((packet & 0x7F) + 1, total - done));
        if (packet & 0x80) {
            if (pos + pixelBytes > size) break;
            const QRgb colour = colourOf(data + pos);
            pos += pixelBytes;
            for (int i = 0; i < count; ++i)
                put(colour);
        } else {
            for (int i = 0; i < count && pos + pixelBytes <= size; ++i, pos += pixelBytes)
                put(colourOf(data + pos));
            if (pos + pixelBytes > size && done < total) break;
        }
    }
    if (done == 0) return Refuse(reason, "the TGA file holds no picture data");
    // Many writers mark 32 bits as alpha and leave it all 0: such a picture is opaque.
    if (alpha && !HasVisiblePixel(image)) {
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                row[x] |= 0xFF000000;
        }
        image.reinterpretAsFormat(QImage::Format_RGB32);
    }
    return image;
}
