// libFuzzer target for the PCX reader: any bytes give a picture or a reason, never a crash, a hang
// or an empty picture.

#include "images/PcxCodec.h"

#include <cstdint>
#include <cstdlib>

namespace {
// Small enough that a claimed size the data cannot fill does not make each run slow.
constexpr qint64 kFuzzPixels = qint64(1) << 22;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QString reason;
    const QImage image = DecodePcx(input, &reason, kFuzzPixels);
    if (image.isNull() && reason.isEmpty()) std::abort();
    if (!image.isNull() && (image.width() == 0 || image.height() == 0)) std::abort();
    return 0;
}
