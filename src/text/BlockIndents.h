#pragma once

#include "text/RulerMath.h"

class QTextBlockFormat;

/// Document lengths are pixels at 96 dots per inch: a point is 4/3 of them.
inline constexpr double kPixelsPerPoint = 96.0 / 72.0;

/// The paragraph's indents in whole points, read from a block format (left margin and
/// first-line text indent as the document keeps them).
ParagraphIndents IndentsOfBlock(const QTextBlockFormat& format);

/// Writes the indents into a block format: the left margin holds first-line + left, the
/// text indent the first line's offset from it (-left).
void SetBlockIndents(QTextBlockFormat& format, const ParagraphIndents& indents);
