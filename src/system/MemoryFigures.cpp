#include "system/MemoryFigures.h"

#include "system/SystemBars.h"

#include <QFile>
#include <QList>

#include <sys/resource.h>

namespace {

// The value of a "Key:   1234 kB" line in bytes, or 0 when the key is missing.
quint64 kilobytes(const QByteArray& text, const QByteArray& key) {
    for (const QByteArray& line : text.split('\n')) {
        if (!line.startsWith(key + ':')) continue;
        const QList<QByteArray> parts = line.mid(key.size() + 1).simplified().split(' ');
        bool ok = false;
        const quint64 value = parts.value(0).toULongLong(&ok);
        if (!ok) return 0;
        const bool inKb = parts.size() > 1 && parts[1].toLower() == "kb";
        return inKb ? value * 1024 : value;
    }
    return 0;
}

// /proc files report a size of 0, so they are read to their end.
QByteArray readProc(const char* path) {
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

} // namespace

MemoryFigures MemoryFigures::fromText(const QByteArray& meminfo, const QByteArray& status,
                                      quint64 addressSpaceLimit) {
    MemoryFigures f;
    f.totalPhysical = kilobytes(meminfo, "MemTotal");
    f.availablePhysical = kilobytes(meminfo, "MemAvailable");
    if (f.availablePhysical == 0 && !meminfo.contains("MemAvailable:"))
        f.availablePhysical = kilobytes(meminfo, "MemFree") + kilobytes(meminfo, "Buffers") +
                              kilobytes(meminfo, "Cached");
    f.availablePhysical = qMin(f.availablePhysical, f.totalPhysical);
    f.totalSwap = kilobytes(meminfo, "SwapTotal");
    f.availableSwap = qMin(kilobytes(meminfo, "SwapFree"), f.totalSwap);
    f.totalVirtual = addressSpaceLimit ? addressSpaceLimit : userAddressSpace();
    const quint64 used = kilobytes(status, "VmSize");
    f.availableVirtual = used < f.totalVirtual ? f.totalVirtual - used : 0;
    f.load = f.totalPhysical == 0
                 ? 0
                 : int((f.totalPhysical - f.availablePhysical) * 100 / f.totalPhysical);
    return f;
}

MemoryFigures MemoryFigures::read() {
    struct rlimit limit {};
    quint64 addressSpace = 0;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        addressSpace = limit.rlim_cur;
    return fromText(readProc("/proc/meminfo"), readProc("/proc/self/status"), addressSpace);
}

quint64 MemoryFigures::userAddressSpace() {
    if constexpr (sizeof(void*) == 4) return quint64(3) << 30;
    return quint64(1) << 47;
}

SystemBarValues SystemBarValues::from(const MemoryFigures& f) {
    SystemBarValues v;
    v.ram = MemoryUsedPercent(f.totalPhysical, f.availablePhysical);
    v.swap = MemoryUsedPercent(f.totalSwap, f.availableSwap);
    v.virtualMemory = MemoryUsedPercent(f.totalVirtual, f.availableVirtual);
    v.load = f.load;
    v.gdi = f.gdiResources;
    v.system = f.systemResources;
    v.user = f.userResources;
    v.average = f.averageResources();
    return v;
}
