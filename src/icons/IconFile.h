#pragma once

#include <QImage>
#include <QString>

/// The number of icons in a file, counted as a shell's icon extraction counts them: 1 for
/// an .ICO or .CUR file, one per icon group of a PE or NE program or library; 0 for a file
/// with no icons, or one that is unreadable or malformed.
int ExtractIconCount(const QString& path);

/// The chosen image (nearest 32 x 32, deepest colour) of the icon at index, ARGB32 with its
/// transparency as alpha; null when the index is out of range.
QImage ExtractIconImage(const QString& path, int index);
