// libFuzzer target for the JPEG reader over libjpeg: any bytes give a picture or a reason, never a
// crash, a hang or an empty picture.

#include "images/JpegCodec.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Small enough that a claimed size the data cannot fill does not make each run slow.
constexpr qint64 kFuzzPixels = qint64(1) << 22;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    JpegDecodeOptions options;
    options.maxPixels = kFuzzPixels;
    QString reason;
    const QImage image = DecodeJpeg(input, &reason, options);
    options.wanted = QSize(17, 9);
    const QImage small = DecodeJpeg(input, &reason, options);
    if (!image.isNull() && (image.width() == 0 || image.height() == 0)) std::abort();
    if (!small.isNull() && (small.width() == 0 || small.height() == 0)) std::abort();
    return 0;
}
