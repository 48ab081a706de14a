// libFuzzer target for the RTF reader: any bytes must load without crashing or hanging,
// and what the writer makes of the result must read back as RTF with the same text.

#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include "FuzzApp.h"

#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureFuzzApp();

    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    if (!ReadRtf(input, document)) return 0;
    QTextDocument again;
    if (!ReadRtf(WriteRtf(document), again)) std::abort();
    if (again.toRawText() != document.toRawText()) std::abort();
    return 0;
}
