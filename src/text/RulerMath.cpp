#include "text/RulerMath.h"

#include <cmath>

int RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result += 1.0;
    return int(result);
}

RulerIndents RulerFromParagraph(const ParagraphIndents& paragraph, int clientWidth) {
    RulerIndents ruler;
    ruler.first = RoundHalfEven(paragraph.firstLine * 4 / 3.0) + 26;
    ruler.left = RoundHalfEven((paragraph.left + paragraph.firstLine) * 4 / 3.0) + 26;
    ruler.right = clientWidth - 6 - RoundHalfEven((paragraph.right + 30) * 4 / 3.0);
    return ruler;
}

ParagraphIndents ParagraphFromRuler(int id, const RulerIndents& ruler, int clientWidth,
                                    const ParagraphIndents& current) {
    ParagraphIndents paragraph = current;
    switch (id) {
    case IndentLeftId:
        paragraph.left = RoundHalfEven(ruler.left * 0.75) - current.firstLine;
        break;
    case IndentRightId:
        paragraph.right = RoundHalfEven((clientWidth - ruler.right - 10) * 0.75);
        break;
    case IndentFirstId:
    case IndentBoxId:
        paragraph.firstLine = RoundHalfEven(ruler.first * 0.75);
        paragraph.left = RoundHalfEven(ruler.left * 0.75) - paragraph.firstLine;
        break;
    default:
        break;
    }
    return paragraph;
}
