// Input: the bytes of an archive file. Reading its directory must stay inside what was read.
#include "finder/ZipFile.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

const QByteArray& scratchPath() {
    static const QByteArray path = [] {
        char name[] = "/tmp/fuzz_zipfile-XXXXXX.zip";
        const int fd = ::mkstemps(name, 4);
        if (fd < 0) std::abort();
        ::close(fd);
        return QByteArray(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray& path = scratchPath();
    FILE* out = std::fopen(path.constData(), "wb");
    if (!out) std::abort();
    if (size) std::fwrite(data, 1, size, out);
    std::fclose(out);
    try {
        TZipFile zip;
        zip.OpenArchiveRaw(path);
        for (int i = 0; i < zip.EntryCount(); ++i) {
            if (zip.Entry(i).size() < 46 || qsizetype(zip.Entry(i).size()) > qsizetype(size))
                std::abort();
            if (zip.EntryFileName(i).size() > zip.EntryPath(i).size()) std::abort();
        }
        (void)zip.EndRecord();
    } catch (const EZipErr&) {
    }
    return 0;
}
