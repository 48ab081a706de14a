#include "finder/WildSet.h"

int WildSetTest(const QByteArray& pattern, qsizetype open, uchar c, qsizetype& next) {
    const qsizetype end = pattern.size();
    const auto at = [&](qsizetype i) { return uchar(pattern[i]); };
    qsizetype p = open + 1;
    bool inverted = false;
    if (p < end && (at(p) == '!' || at(p) == '^')) {
        inverted = true;
        ++p;
    }
    if (p >= end || at(p) == ']') return 6;
    bool accepted = false;
    while (true) {
        const uchar first = at(p);
        if (p + 1 < end && at(p + 1) == '-') {
            if (p + 2 >= end || at(p + 2) == ']') return 6;
            const uchar last = at(p + 2);
            accepted = first <= c && c <= last;
            p += 3;
        } else {
            accepted = first == c;
            p += 1;
        }
        if (p >= end) return 6;
        if (accepted || at(p) == ']') break;
    }
    if (accepted == inverted) return 4;
    const qsizetype close = pattern.indexOf(']', p);
    if (close < 0) return 6;
    next = close + 1;
    return 0;
}

QByteArray WildLowered(const QByteArray& bytes) {
    QByteArray lowered(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        lowered[i] = char(WildLower(uchar(bytes[i])));
    return lowered;
}
