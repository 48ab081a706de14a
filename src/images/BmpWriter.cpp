#include "images/BmpWriter.h"

#include <QtEndian>

#include <array>
#include <limits>

namespace {

constexpr int kHeadersSize = 14 + 40;

// The image's two colours, darker first by the 30/59/11 weighting, or nothing when it has
// one colour or more than two.
bool TwoColours(const QImage& image, std::array<QRgb, 2>& colours) {
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* p = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 3) {
            const QRgb c = qRgb(p[0], p[1], p[2]);
            if (found > 0 && c == colours[0]) continue;
            if (found > 1 && c == colours[1]) continue;
            if (found == 2) return false;
            colours[size_t(found++)] = c;
        }
    }
    if (found != 2) return false;
    auto weight = [](QRgb c) { return 30 * qRed(c) + 59 * qGreen(c) + 11 * qBlue(c); };
    if (weight(colours[1]) < weight(colours[0])) std::swap(colours[0], colours[1]);
    return true;
}

void Put16(QByteArray& out, int at, quint16 v) {
    qToLittleEndian<quint16>(v, reinterpret_cast<uchar*>(out.data()) + at);
}
void Put32(QByteArray& out, int at, quint32 v) {
    qToLittleEndian<quint32>(v, reinterpret_cast<uchar*>(out.data()) + at);
}

} // namespace

QByteArray EncodeBmp(const QImage& image) {
    if (image.isNull()) return {};
    const QImage source = image.convertToFormat(QImage::Format_RGB888);
    const int width = source.width(), height = source.height();
    std::array<QRgb, 2> colours{};
    const bool mono = TwoColours(source, colours);
    const int bits = mono ? 1 : 24;
    const qint64 stride = ((qint64(width) * bits + 31) / 32) * 4;
    const int paletteSize = mono ? 8 : 0;
    const qint64 total = kHeadersSize + paletteSize + stride * height;
    if (total > std::numeric_limits<qint32>::max()) return {};
    QByteArray out(qsizetype(total), '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, quint32(total));
    Put32(out, 10, quint32(kHeadersSize + paletteSize));
    Put32(out, 14, 40);
    Put32(out, 18, quint32(width));
    Put32(out, 22, quint32(height));
    Put16(out, 26, 1);
    Put16(out, 28, quint16(bits));
    Put32(out, 34, quint32(stride * height));
    Put32(out, 38, 2835);
    Put32(out, 42, 2835);
    if (mono) {
        Put32(out, 46, 2);
        Put32(out, 50, 2);
        for (int i = 0; i < 2; ++i) {
            out[kHeadersSize + 4 * i] = char(qBlue(colours[size_t(i)]));
            out[kHeadersSize + 4 * i + 1] = char(qGreen(colours[size_t(i)]));
            out[kHeadersSize + 4 * i + 2] = char(qRed(colours[size_t(i)]));
        }
    }
    auto* pixels = reinterpret_cast<uchar*>(out.data()) + kHeadersSize + paletteSize;
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(y);
        uchar* row = pixels + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x, in += 3) {
            if (mono) {
                if (qRgb(in[0], in[1], in[2]) == colours[1]) row[x / 8] |= uchar(0x80 >> (x % 8));
            } else {
                row[3 * x] = in[2];
                row[3 * x + 1] = in[1];
                row[3 * x + 2] = in[0];
            }
        }
    }
    return out;
}
