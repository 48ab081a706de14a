// libFuzzer target for the icon reader: any bytes, as an icon file or an executable, must
// count and decode without crashing or hanging, and an icon decoded and written again
// must read back with the same pixels.

#include "icons/IcoWriter.h"
#include "icons/IconContainer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const IconContainer icons = IconContainer::fromBytes(input);
    if (icons.count() < 0) std::abort();
    for (int i = 0; i < qMin(icons.count(), 16); ++i) {
        const QImage image = icons.image(i);
        if (image.isNull() || image.width() > 256 || image.height() > 256) continue;
        const QImage again = IconContainer::fromBytes(IcoFileBytes(image)).image(0);
        if (again.size() != image.size()) std::abort();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb a = image.pixel(x, y), b = again.pixel(x, y);
                if (a != b && (qAlpha(a) != 0 || qAlpha(b) != 0)) std::abort();
            }
    }
    return 0;
}
