#include "images/PcxCodec.h"

#include <QtEndian>

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr int kHeaderSize = 128;
constexpr int kPaletteSize = 769;

QImage Refuse(QString* reason, const QString& text) {
    if (reason) *reason = text;
    return {};
}

/// The RLE or raw stream after the header; runs may go on across scan lines.
class PcxStream {
public:
    PcxStream(const uchar* data, qsizetype size, bool rle)
        : m_data(data), m_size(size), m_rle(rle) {}

    /// Fills `line`; false when the data ended before it was full.
    bool read(uchar* line, qsizetype length) {
        qsizetype done = 0;
        while (done < length) {
            if (m_run > 0) {
                const qsizetype n = std::min<qsizetype>(m_run, length - done);
                std::memset(line + done, m_value, size_t(n));
                m_run -= int(n);
                done += n;
                continue;
            }
            if (m_pos >= m_size) {
                std::memset(line + done, 0, size_t(length - done));
                return false;
            }
            const uchar c = m_data[m_pos++];
            if (m_rle && (c & 0xC0) == 0xC0) {
                if (m_pos >= m_size) {
                    std::memset(line + done, 0, size_t(length - done));
                    return false;
                }
                m_run = c & 0x3F;
                m_value = m_data[m_pos++];
            } else {
                line[done++] = c;
            }
        }
        return true;
    }

private:
    const uchar* m_data;
    qsizetype m_size;
    bool m_rle;
    qsizetype m_pos = 0;
    int m_run = 0;
    uchar m_value = 0;
};

QRgb HeaderColour(const uchar* header, int index) {
    const uchar* p = header + 16 + 3 * index;
    return qRgb(p[0], p[1], p[2]);
}

} // namespace

QImage DecodePcx(const QByteArray& bytes, QString* reason, qint64 maxPixels) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < kHeaderSize) return Refuse(reason, "the PCX header is cut short");
    if (data[0] != 0x0A) return Refuse(reason, "it is not a PCX file");
    const int encoding = data[2];
    const int bits = data[3];
    const int xmin = qFromLittleEndian<quint16>(data + 4);
    const int ymin = qFromLittleEndian<quint16>(data + 6);
    const int xmax = qFromLittleEndian<quint16>(data + 8);
    const int ymax = qFromLittleEndian<quint16>(data + 10);
    const int planes = data[65];
    const int bytesPerLine = qFromLittleEndian<quint16>(data + 66);
    if (encoding > 1) return Refuse(reason, "the PCX encoding is unknown");
    const bool indexed = (bits == 1 && planes >= 1 && planes <= 4) ||
                         ((bits == 2 || bits == 4 || bits == 8) && planes == 1);
    const bool truecolour = bits == 8 && (planes == 3 || planes == 4);
    if (!indexed && !truecolour)
        return Refuse(
            reason,
            QStringLiteral("PCX with %1 bits in %2 planes is not supported").arg(bits).arg(planes));
    const qint64 width = qint64(xmax) - xmin + 1;
    const qint64 height = qint64(ymax) - ymin + 1;
    if (!PictureSizeAllowed(width, height, maxPixels, reason)) return {};
    if (qint64(bytesPerLine) * 8 < width * bits)
        return Refuse(reason, "the PCX line length is too short for its width");

    std::array<QRgb, 256> palette{};
    if (bits == 8 && planes == 1) {
        const qsizetype at = bytes.size() - kPaletteSize;
        if (at >= kHeaderSize && data[at] == 0x0C) {
            for (int i = 0; i < 256; ++i)
                palette[i] = qRgb(data[at + 1 + 3 * i], data[at + 2 + 3 * i], data[at + 3 + 3 * i]);
        } else {
            for (int i = 0; i < 256; ++i)
                palette[i] = qRgb(i, i, i);
        }
    } else if (indexed) {
        for (int i = 0; i < 16; ++i)
            palette[i] = HeaderColour(data, i);
        // A two-colour file with an empty header palette is black on white.
        if (bits * planes == 1 && palette[0] == palette[1]) {
            palette[0] = qRgb(0, 0, 0);
            palette[1] = qRgb(255, 255, 255);
        }
    }

    QImage image(int(width), int(height), QImage::Format_RGB888);
    if (image.isNull()) return Refuse(reason, "there is not enough memory for the picture");
    // What a truncated file leaves undecoded shows black, never stale memory.
    image.fill(Qt::black);
    const qsizetype lineBytes = qsizetype(planes) * bytesPerLine;
    std::vector<uchar> line(static_cast<size_t>(lineBytes));
    PcxStream stream(data + kHeaderSize, bytes.size() - kHeaderSize, encoding == 1);
    for (int y = 0; y < height; ++y) {
        const bool complete = stream.read(line.data(), lineBytes);
        if (!complete && y == 0) return Refuse(reason, "the PCX file holds no picture data");
        uchar* out = image.scanLine(y);
        if (truecolour) {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = line[size_t(x)];
                out[3 * x + 1] = line[size_t(bytesPerLine + x)];
                out[3 * x + 2] = line[size_t(2 * bytesPerLine + x)];
            }
        } else {
            for (int x = 0; x < width; ++x) {
                int index = 0;
                if (planes == 1) {
                    const int bit = x * bits;
                    const int shift = 8 - bits - bit % 8;
                    index = (line[size_t(bit / 8)] >> shift) & ((1 << bits) - 1);
                } else {
                    for (int p = 0; p < planes; ++p)
                        index |= ((line[size_t(p * bytesPerLine + x / 8)] >> (7 - x % 8)) & 1) << p;
                }
                const QRgb c = palette[size_t(index)];
                out[3 * x] = uchar(qRed(c));
                out[3 * x + 1] = uchar(qGreen(c));
                out[3 * x + 2] = uchar(qBlue(c));
            }
        }
        if (!complete) break;
    }
    return image;
}

namespace {

void EncodeRun(QByteArray& out, const uchar* row, int length) {
    int x = 0;
    while (x < length) {
        int run = 1;
        while (x + run < length && run < 63 && row[x + run] == row[x])
            ++run;
        if (run > 1 || (row[x] & 0xC0) == 0xC0) out.append(char(0xC0 | run));
        out.append(char(row[x]));
        x += run;
    }
}

} // namespace

QByteArray EncodePcx(const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_RGB888);
    const int width = source.width(), height = source.height();
    if (source.isNull() || width > 65535 || height > 65535) return {};
    const int bytesPerLine = (width + 1) & ~1;
    QByteArray out(kHeaderSize, '\0');
    auto* header = reinterpret_cast<uchar*>(out.data());
    header[0] = 0x0A;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    qToLittleEndian<quint16>(quint16(width - 1), header + 8);
    qToLittleEndian<quint16>(quint16(height - 1), header + 10);
    qToLittleEndian<quint16>(72, header + 12);
    qToLittleEndian<quint16>(72, header + 14);
    header[65] = 3;
    qToLittleEndian<quint16>(quint16(bytesPerLine), header + 66);
    qToLittleEndian<quint16>(1, header + 68);
    std::vector<uchar> plane(size_t(bytesPerLine), 0);
    for (int y = 0; y < height; ++y) {
        const uchar* in = source.constScanLine(y);
        for (int c = 0; c < 3; ++c) {
            for (int x = 0; x < width; ++x)
                plane[size_t(x)] = in[3 * x + c];
            EncodeRun(out, plane.data(), bytesPerLine);
        }
    }
    return out;
}
