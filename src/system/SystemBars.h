#pragma once

/// The arithmetic and colours of the System sheet's memory and resource bars.

#include <QtGlobal>

/// Percentage of a memory kind in use: 100 - available div (total div 100), in integer
/// arithmetic; 0 when the total is below 100 bytes (no swap), never below 0 or above 100.
int MemoryUsedPercent(quint64 total, quint64 available);

enum class BarColour { Red, Yellow, Green };

/// Memory bars: 90 and above red, 60 to 89 yellow, below 60 green.
BarColour MemoryBarColour(int percent);

/// Free-resource bars: 20 and below red (so the -1 of an unavailable figure is red), 21 to
/// 50 yellow, above 50 green.
BarColour ResourceBarColour(int percent);
