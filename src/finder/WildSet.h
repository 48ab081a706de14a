#pragma once

#include <QByteArray>

/// Tests the bracketed set that opens at pattern[open] (a `[`) against the byte c, both
/// already lower-cased. Gives 0 and sets next to the position after the closing `]` when the
/// set accepts c, 4 when it refuses c, 6 when the set is malformed for this walk.
int WildSetTest(const QByteArray& pattern, qsizetype open, uchar c, qsizetype& next);

/// The byte with A to Z made small; every other byte unchanged.
inline uchar WildLower(uchar c) {
    return (c >= 'A' && c <= 'Z') ? uchar(c + ('a' - 'A')) : c;
}

/// A copy with A to Z made small.
QByteArray WildLowered(const QByteArray& bytes);

/// What WildSetTest gives for every byte at once, in one pass over the set: accepts[c] is
/// 1 where the test gives 0. Returns the position after the closing `]` that every
/// accepted byte continues at, or -1 when no byte is accepted.
qsizetype WildSetTable(const QByteArray& pattern, qsizetype open, QByteArray& accepts);
