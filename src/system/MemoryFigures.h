#pragma once

#include <QByteArray>

/// The memory and resource figures the System sheet shows, all byte counts except the load
/// and the resource percentages.
struct MemoryFigures {
    quint64 totalPhysical = 0;
    quint64 availablePhysical = 0;
    quint64 totalSwap = 0;
    quint64 availableSwap = 0;
    quint64 totalVirtual = 0;
    quint64 availableVirtual = 0;
    int load = 0; ///< percentage of physical memory in use, 0 to 100
    /// Free system, GDI and user resources: Linux has no such heaps, so -1.
    int systemResources = -1;
    int gdiResources = -1;
    int userResources = -1;

    /// (system + user + GDI) div 3, truncated towards zero.
    int averageResources() const { return (systemResources + userResources + gdiResources) / 3; }

    /// Figures from the text of /proc/meminfo and /proc/self/status and the process's
    /// address-space limit in bytes (0 for none, when the user address space is the limit).
    /// Lines missing or unreadable count as 0.
    static MemoryFigures fromText(const QByteArray& meminfo, const QByteArray& status,
                                  quint64 addressSpaceLimit);
    /// The figures of this machine and process now.
    static MemoryFigures read();

    /// The address space a process has without a limit on this architecture.
    static quint64 userAddressSpace();
};

/// The values of the eight bars, in percent.
struct SystemBarValues {
    int ram = 0;
    int load = 0;
    int swap = 0;
    int virtualMemory = 0;
    int gdi = -1;
    int system = -1;
    int user = -1;
    int average = -1;

    static SystemBarValues from(const MemoryFigures& figures);
};
