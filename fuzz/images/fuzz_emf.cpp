// libFuzzer target for the EMF path as the image page runs it: the conversion in a child
// process and the SVG drawn here. Any bytes give a picture or a reason, never a crash or a
// hang of this process.

#include "images/Metafiles.h"

#include "FuzzApp.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApp();

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QString reason;
    const QImage image = RenderEmf(input, &reason, qint64(1) << 22);
    if (image.isNull() && reason.isEmpty()) std::abort();
    return 0;
}
