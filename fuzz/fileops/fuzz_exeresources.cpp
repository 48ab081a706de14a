// libFuzzer target for the PE/NE resource reader and the version resource parser: any
// bytes must parse without crashing or hanging, and every resource found must lie inside
// the input.

#include "platform/ExeResources.h"
#include "platform/VersionInfo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const platform::ExeResources exe(platform::ExeBytes::fromMemory(input));
    for (const platform::ExeResource& r : exe.resources()) {
        if (r.offset + r.size > size) std::abort();
        if (quint64(exe.data(r).size()) != r.size) std::abort();
    }
    const platform::VersionInfo fromExe = platform::VersionInfo::parse(exe.versionData());
    const platform::VersionInfo direct = platform::VersionInfo::parse(input);
    for (const QString& key : platform::VersionInfo::keyOrder())
        if (fromExe.value(key).size() > qsizetype(size) ||
            direct.value(key).size() > qsizetype(size))
            std::abort();
    return 0;
}
