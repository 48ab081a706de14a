#include "text/BlockIndents.h"

#include <QTextBlockFormat>

ParagraphIndents IndentsOfBlock(const QTextBlockFormat& format) {
    const double toPoints = 1.0 / kPixelsPerPoint;
    ParagraphIndents indents;
    indents.firstLine = RoundHalfEven((format.leftMargin() + format.textIndent()) * toPoints);
    indents.left = RoundHalfEven(-format.textIndent() * toPoints);
    indents.right = RoundHalfEven(format.rightMargin() * toPoints);
    return indents;
}

void SetBlockIndents(QTextBlockFormat& format, const ParagraphIndents& indents) {
    format.setLeftMargin((indents.firstLine + indents.left) * kPixelsPerPoint);
    format.setTextIndent(-indents.left * kPixelsPerPoint);
    format.setRightMargin(indents.right * kPixelsPerPoint);
}
