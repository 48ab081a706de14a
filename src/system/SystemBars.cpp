#include "system/SystemBars.h"

int MemoryUsedPercent(quint64 total, quint64 available) {
    if (total < 100) return 0;
    const quint64 availableShare = available / (total / 100);
    // Figures read at different moments can report more available than the total.
    return availableShare >= 100 ? 0 : int(100 - availableShare);
}

BarColour MemoryBarColour(int percent) {
    if (percent >= 90) return BarColour::Red;
    if (percent >= 60) return BarColour::Yellow;
    return BarColour::Green;
}

BarColour ResourceBarColour(int percent) {
    if (percent <= 20) return BarColour::Red;
    if (percent <= 50) return BarColour::Yellow;
    return BarColour::Green;
}
