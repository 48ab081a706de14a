#include "images/GifWriter.h"

#include "images/ImageOps.h"
#include "images/OctreeQuantizer.h"

#include <gif_lib.h>

#include <vector>

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

/// The row order of the file: the four interlace passes, or top to bottom.
std::vector<int> RowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    rows.reserve(size_t(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        return rows;
    }
    constexpr int kStart[] = {0, 4, 2, 1};
    constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            rows.push_back(y);
    return rows;
}

struct GifCloser {
    GifFileType* gif;
    ~GifCloser() {
        if (gif) EGifCloseFile(gif, nullptr);
    }
};

} // namespace

QByteArray EncodeGif(const QImage& image, bool transparent, bool interlaced) {
    if (image.isNull() || image.width() > 65535 || image.height() > 65535) return {};
    const QImage source = image.convertToFormat(QImage::Format_RGB888);
    const int width = source.width(), height = source.height();
    const QRgb background = kModifierBackground & 0xFFFFFF;

    OctreeQuantizer octree(255);
    for (int y = 0; y < height; ++y) {
        const uchar* p = source.constScanLine(y);
        QRgb last = 0xFFFFFFFF;
        for (int x = 0; x < width; ++x, p += 3) {
            const QRgb c = qRgb(p[0], p[1], p[2]) & 0xFFFFFF;
            if (c == last || (transparent && c == background)) continue;
            octree.add(c);
            last = c;
        }
    }
    const QList<QRgb> palette = octree.palette();
    GifColorType colours[256] = {};
    colours[0] = {uchar(qRed(background)), uchar(qGreen(background)), uchar(qBlue(background))};
    for (qsizetype i = 0; i < palette.size(); ++i)
        colours[i + 1] = {uchar(qRed(palette[i])), uchar(qGreen(palette[i])),
                          uchar(qBlue(palette[i]))};

    QByteArray bytes;
    int error = 0;
    GifCloser file{EGifOpen(&bytes, AppendBytes, &error)};
    if (!file.gif) return {};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    if (!map) return {};
    EGifSetGifVersion(file.gif, true);
    const bool described = EGifPutScreenDesc(file.gif, width, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!described) return {};
    const GifByteType control[4] = {GifByteType((DISPOSE_BACKGROUND << 2) | (transparent ? 1 : 0)),
                                    0, 0, 0};
    if (EGifPutExtension(file.gif, GRAPHICS_EXT_FUNC_CODE, 4, control) != GIF_OK) return {};
    if (EGifPutImageDesc(file.gif, 0, 0, width, height, interlaced, nullptr) != GIF_OK) return {};
    std::vector<GifPixelType> line(static_cast<size_t>(width));
    for (int y : RowOrder(height, interlaced)) {
        const uchar* p = source.constScanLine(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const QRgb c = qRgb(p[0], p[1], p[2]) & 0xFFFFFF;
            line[size_t(x)] =
                transparent && c == background ? 0 : GifPixelType(octree.indexOf(c) + 1);
        }
        if (EGifPutLine(file.gif, line.data(), width) != GIF_OK) return {};
    }
    GifFileType* gif = file.gif;
    file.gif = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) return {};
    return bytes;
}
