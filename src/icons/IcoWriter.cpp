#include "icons/IcoWriter.h"

#include <QPainter>
#include <QtEndian>

namespace {

const QRgb standardPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

void add16(QByteArray& b, quint16 v) {
    b.append(2, '\0');
    qToLittleEndian<quint16>(v, b.data() + b.size() - 2);
}
void add32(QByteArray& b, quint32 v) {
    b.append(4, '\0');
    qToLittleEndian<quint32>(v, b.data() + b.size() - 4);
}

int paletteIndex(QRgb c) {
    for (int i = 0; i < 16; ++i)
        if (standardPalette[i] == (c | 0xff000000u)) return i;
    return -1;
}

bool fitsSixteenColours(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(row[x]);
            if (alpha != 0 && (alpha != 255 || paletteIndex(row[x]) < 0)) return false;
        }
    }
    return true;
}

} // namespace

QByteArray IcoFileBytes(const QImage& icon) {
    if (icon.isNull()) return {};
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    if (image.width() > 256 || image.height() > 256)
        image = image.scaled(256, 256, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const int w = image.width();
    const int h = image.height();
    const int bitCount = fitsSixteenColours(image) ? 4 : 32;
    const int colourStride = ((w * bitCount + 31) / 32) * 4;
    const int maskStride = ((w + 31) / 32) * 4;
    const int paletteBytes = bitCount == 4 ? 16 * 4 : 0;
    const quint32 imageBytes = 40 + paletteBytes + (colourStride + maskStride) * h;

    QByteArray out;
    add16(out, 0);
    add16(out, 1);
    add16(out, 1);
    out.append(char(w == 256 ? 0 : w));
    out.append(char(h == 256 ? 0 : h));
    add16(out, quint16(bitCount)); // one plane
    add16(out, 0);
    add16(out, 0);
    add32(out, imageBytes);
    add32(out, 22);

    add32(out, 40);
    add32(out, quint32(w));
    add32(out, quint32(2 * h));
    add16(out, 1);
    add16(out, quint16(bitCount));
    add32(out, 0);
    add32(out, quint32((colourStride + maskStride) * h));
    add32(out, 0);
    add32(out, 0);
    add32(out, 0);
    add32(out, 0);
    if (bitCount == 4)
        for (QRgb c : standardPalette)
            add32(out, c & 0x00ffffffu);

    // Rows are stored bottom-up; transparent pixels are black in the colour image.
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray line(colourStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (bitCount == 32) {
                qToLittleEndian<quint32>(row[x], line.data() + 4 * x);
            } else if (qAlpha(row[x]) != 0) {
                line[x / 2] = char(quint8(line[x / 2]) | paletteIndex(row[x]) << (x % 2 ? 0 : 4));
            }
        }
        out += line;
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray line(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0) line[x / 8] = char(quint8(line[x / 8]) | 0x80 >> (x % 8));
        out += line;
    }
    return out;
}

QImage IconOnWhite(const QImage& icon) {
    QImage out(icon.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, icon);
    return out;
}
