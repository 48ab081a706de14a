#include "images/ImageOps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

void MakeRgb888(QImage& image) {
    if (!image.isNull() && image.format() != QImage::Format_RGB888)
        image.convertTo(QImage::Format_RGB888);
}

QRect ClipScope(const QImage& image, QRect scope) {
    return scope.isNull() ? image.rect() : scope.intersected(image.rect());
}

// Applies one table per channel to the scope's pixels.
void ApplyTables(QImage& image, QRect area, const std::array<std::array<uint8_t, 256>, 3>& lut) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uint8_t* p = image.scanLine(y) + 3 * area.left();
        for (int x = 0; x < area.width(); ++x, p += 3) {
            p[0] = lut[0][p[0]];
            p[1] = lut[1][p[1]];
            p[2] = lut[2][p[2]];
        }
    }
}

} // namespace

void Grayscale(QImage& image, QRect scope) {
    MakeRgb888(image);
    const QRect area = ClipScope(image, scope);
    if (area.isEmpty()) return;
    // Every weighted sum 30R + 59G + 11B, divided by 100 with ties to even, ahead of time.
    static const std::array<uint8_t, 25501> grey = [] {
        std::array<uint8_t, 25501> table{};
        for (int s = 0; s <= 25500; ++s) {
            int q = s / 100;
            const int r = s % 100;
            if (r > 50 || (r == 50 && (q & 1))) ++q;
            table[s] = uint8_t(q);
        }
        return table;
    }();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uint8_t* p = image.scanLine(y) + 3 * area.left();
        for (int x = 0; x < area.width(); ++x, p += 3) {
            const uint8_t g = grey[30 * p[0] + 59 * p[1] + 11 * p[2]];
            p[0] = p[1] = p[2] = g;
        }
    }
}

void Negative(QImage& image, QRect scope) {
    MakeRgb888(image);
    const QRect area = ClipScope(image, scope);
    if (area.isEmpty()) return;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        uint8_t* p = image.scanLine(y) + 3 * area.left();
        for (int i = 0; i < 3 * area.width(); ++i)
            p[i] = uint8_t(255 - p[i]);
    }
}

void Contrast(QImage& image, int value, QRect scope) {
    MakeRgb888(image);
    value = std::clamp(value, -100, 100);
    const QRect area = ClipScope(image, scope);
    if (area.isEmpty()) return;
    std::array<int, 3> reference{128, 128, 128};
    const qint64 count = qint64(image.width()) * image.height();
    if (count > 0) {
        std::array<quint64, 3> sum{};
        for (int y = 0; y < image.height(); ++y) {
            const uint8_t* p = image.constScanLine(y);
            // Row sums fit 32 bits for any width QImage allows per channel and row.
            std::array<quint32, 3> row{};
            for (int x = 0; x < image.width(); ++x, p += 3) {
                row[0] += p[0];
                row[1] += p[1];
                row[2] += p[2];
            }
            for (int c = 0; c < 3; ++c)
                sum[c] += row[c];
        }
        for (int c = 0; c < 3; ++c)
            reference[c] = int(sum[c] / quint64(count));
    }
    const double factor = value >= 0 ? 1.0 + value / 10.0 : 1.0 - std::sqrt(-double(value)) / 10.0;
    std::array<std::array<uint8_t, 256>, 3> lut{};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 256; ++v) {
            const int out = reference[c] + int(std::trunc((v - reference[c]) * factor));
            lut[c][v] = uint8_t(std::clamp(out, 0, 255));
        }
    ApplyTables(image, area, lut);
}

void Flip(QImage& image) {
    MakeRgb888(image);
    image.mirror(false, true);
}

void Mirror(QImage& image) {
    MakeRgb888(image);
    image.mirror(true, false);
}

void Clear(QImage& image) {
    MakeRgb888(image);
    image.fill(QColor::fromRgb(kModifierBackground));
}

QImage CanvasSize(const QImage& image, int w, int h) {
    if (w <= 0 || h <= 0) return {};
    QImage source = image.convertToFormat(QImage::Format_RGB888);
    QImage result(w, h, QImage::Format_RGB888);
    if (result.isNull()) return {};
    result.fill(QColor::fromRgb(kModifierBackground));
    const int copyW = std::min(w, source.width());
    const int copyH = std::min(h, source.height());
    for (int y = 0; y < copyH; ++y)
        std::memcpy(result.scanLine(y), source.constScanLine(y), size_t(copyW) * 3);
    return result;
}
