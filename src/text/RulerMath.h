#pragma once

/// A paragraph's three indents in points, as the format bar and the ruler see them:
/// the first line from the left edge of the text area, the following lines relative to
/// the first line, and the right indent from the right edge of the text area.
struct ParagraphIndents {
    int firstLine = 0;
    int left = 0;
    int right = 0;

    bool operator==(const ParagraphIndents&) const = default;
};

/// Marker positions of the ruler, in ruler pixels from its left edge.
struct RulerIndents {
    int first = 0;
    int left = 0;
    int right = 0;

    bool operator==(const RulerIndents&) const = default;
};

/// Which ruler marker changed: 0 first-line, 1 left, 2 right, 3 the box moving both.
enum RulerIndentId { IndentFirstId = 0, IndentLeftId = 1, IndentRightId = 2, IndentBoxId = 3 };

/// Rounds to the nearest integer; an exact half goes to the even neighbour.
int RoundHalfEven(double value);

/// Marker positions for a paragraph on a ruler of the given client width:
/// first = round(first-line x 4/3) + 26, left = round((left + first-line) x 4/3) + 26,
/// right = width - 6 - round((right + 30) x 4/3).
RulerIndents RulerFromParagraph(const ParagraphIndents& paragraph, int clientWidth);

/// The paragraph after the marker `id` moved (the two directions are not exact inverses):
/// 1: left = round(IndentLeft x 0.75) - current first-line;
/// 2: right = round((width - IndentRight - 10) x 0.75);
/// 0, 3: first-line = round(IndentFirst x 0.75), left = round(IndentLeft x 0.75) - first-line.
ParagraphIndents ParagraphFromRuler(int id, const RulerIndents& ruler, int clientWidth,
                                    const ParagraphIndents& current);
