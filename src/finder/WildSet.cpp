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

qsizetype WildSetTable(const QByteArray& pattern, qsizetype open, QByteArray& accepts) {
    accepts = QByteArray(256, '\0');
    const qsizetype end = pattern.size();
    const auto at = [&](qsizetype i) { return uchar(pattern[i]); };
    qsizetype p = open + 1;
    bool inverted = false;
    if (p < end && (at(p) == '!' || at(p) == '^')) {
        inverted = true;
        ++p;
    }
    if (p >= end || at(p) == ']') return -1;
    // Members count only when the walk would look past them without calling the set
    // malformed; no counted member holds a "]", so the first one after them closes the set.
    const qsizetype close = pattern.indexOf(']', p);
    QByteArray members(256, '\0');
    bool clean = false;
    while (true) {
        const uchar first = at(p);
        uchar last = first;
        if (p + 1 < end && at(p + 1) == '-') {
            if (p + 2 >= end || at(p + 2) == ']') break;
            last = at(p + 2);
            p += 3;
        } else {
            p += 1;
        }
        if (p >= end) break;
        for (int c = first; c <= last; ++c)
            members[c] = 1;
        if (at(p) == ']') {
            clean = true;
            break;
        }
    }
    if (close < 0) return -1;
    bool any = false;
    for (int c = 0; c < 256; ++c) {
        const bool accepted = inverted ? (clean && !members[c]) : bool(members[c]);
        accepts[c] = accepted;
        any = any || accepted;
    }
    return any ? close + 1 : -1;
}
