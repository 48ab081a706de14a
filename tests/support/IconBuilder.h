#pragma once

#include "ExeBuilder.h"

#include <QBuffer>
#include <QImage>
#include <QList>

/// Builds icon images, icon and cursor files and icon groups as bytes, independently of the
/// program's own writer, so tests of the readers start from bytes laid out by hand.
namespace iconbuilder {

using exebuilder::add16;
using exebuilder::add32;

/// A stored bitmap of the image at bpp 1, 4, 8, 24 or 32, with its AND mask from the
/// image's alpha (alpha 0 is transparent). At 32 bits the alpha channel is stored only when
/// withAlpha is set. Palettes are built from the image's colours in order of appearance.
inline QByteArray dib(const QImage& source, int bpp, bool withAlpha = true) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QList<QRgb> palette;
    if (bpp <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = image.pixel(x, y) | 0xff000000u;
                if (qAlpha(image.pixel(x, y)) && !palette.contains(c)) palette.append(c);
            }
        while (palette.size() < (1 << bpp))
            palette.append(0xff000000u);
    }
    QByteArray out;
    add32(out, 40);
    add32(out, quint32(w));
    add32(out, quint32(2 * h));
    add16(out, 1);
    add16(out, quint16(bpp));
    for (int i = 0; i < 6; ++i)
        add32(out, 0);
    for (QRgb c : palette)
        add32(out, c & 0xffffff);
    const int stride = ((w * bpp + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (bpp <= 8) {
                const int index = qAlpha(c) ? int(palette.indexOf(c | 0xff000000u)) : 0;
                const int perByte = 8 / bpp;
                row[x / perByte] =
                    char(quint8(row[x / perByte]) | index << (8 - bpp * (x % perByte + 1)));
            } else if (bpp == 24) {
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
            } else {
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                row[4 * x + 3] = char(withAlpha ? qAlpha(c) : 0);
            }
        }
        out += row;
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(quint8(row[x / 8]) | 0x80 >> (x % 8));
        out += row;
    }
    return out;
}

/// A PNG stream of the image.
inline QByteArray png(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

/// One stored image with the values its directory entry claims.
struct Entry {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    QByteArray data;
};

/// An .ICO (type 1) or .CUR (type 2, hot spot 3,4 where an icon keeps planes and depth).
inline QByteArray iconFile(const QList<Entry>& entries, int type = 1) {
    QByteArray out;
    add16(out, 0);
    add16(out, quint16(type));
    add16(out, quint16(entries.size()));
    quint32 offset = quint32(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        out.append(char(e.width & 0xff));
        out.append(char(e.height & 0xff));
        out.append(char(0));
        out.append(char(0));
        add16(out, type == 1 ? 1 : 3);
        add16(out, type == 1 ? quint16(e.bitCount) : 4);
        add32(out, quint32(e.data.size()));
        add32(out, offset);
        offset += quint32(e.data.size());
    }
    for (const Entry& e : entries)
        out += e.data;
    return out;
}

/// An icon group directory naming the icons firstId, firstId + 1, ... for the entries.
inline QByteArray group(const QList<Entry>& entries, quint16 firstId) {
    QByteArray out;
    add16(out, 0);
    add16(out, 1);
    add16(out, quint16(entries.size()));
    for (int i = 0; i < entries.size(); ++i) {
        out.append(char(entries[i].width & 0xff));
        out.append(char(entries[i].height & 0xff));
        out.append(char(0));
        out.append(char(0));
        add16(out, 1);
        add16(out, quint16(entries[i].bitCount));
        add32(out, quint32(entries[i].data.size()));
        add16(out, quint16(firstId + i));
    }
    return out;
}

/// Resources of an executable holding one icon group per list of entries, in that order.
inline QList<exebuilder::Resource> iconResources(const QList<QList<Entry>>& groups) {
    QList<exebuilder::Resource> icons, groupResources;
    quint16 id = 1;
    for (int g = 0; g < groups.size(); ++g) {
        groupResources.append({14, quint16(100 + g), {}, 0x409, group(groups[g], id)});
        for (const Entry& e : groups[g])
            icons.append({3, id++, {}, 0x409, e.data});
    }
    return icons + groupResources;
}

/// A square image of one colour with its top-left quarter transparent.
inline QImage square(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    for (int y = 0; y < side / 2; ++y)
        for (int x = 0; x < side / 2; ++x)
            image.setPixel(x, y, 0);
    return image;
}

} // namespace iconbuilder
