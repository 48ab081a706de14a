#include "finder/WildMatch.h"

#include "finder/WildPattern.h"
#include "finder/WildSet.h"

namespace {

// The star search decided without backtracking on strings already lower-cased.
int starSearchCode(const QByteArray& pattern, qsizetype from, const QByteArray& text,
                   qsizetype at) {
    if (WildPattern(pattern.mid(from)).matches(text.constData() + at, text.size() - at)) return 1;
    qsizetype questions = 0;
    for (qsizetype i = from; i < pattern.size() && (pattern[i] == '*' || pattern[i] == '?'); ++i)
        if (pattern[i] == '?') ++questions;
    return questions > text.size() - at ? 3 : 5;
}

} // namespace

int WildMatchCode(QByteArray pattern, QByteArray text) {
    pattern = WildLowered(pattern);
    text = WildLowered(text);
    const qsizetype patternEnd = pattern.size();
    const qsizetype textEnd = text.size();
    qsizetype i = 0;
    qsizetype j = 0;
    while (true) {
        if (j == textEnd && i < patternEnd)
            return (patternEnd - i == 1 && pattern[i] == '*') ? 1 : 3;
        if (i == patternEnd) return j == textEnd ? 1 : 2;
        const uchar c = uchar(pattern[i]);
        if (c == '*') return starSearchCode(pattern, i, text, j);
        if (c == '[') {
            qsizetype next = 0;
            const int code = WildSetTest(pattern, i, uchar(text[j]), next);
            if (code != 0) return code;
            i = next;
        } else {
            if (c != '?' && c != uchar(text[j])) return 5;
            ++i;
        }
        ++j;
    }
}

int WildMatchAfterStar(QByteArray pattern, QByteArray text) {
    if (!pattern.startsWith('*') || text.isEmpty()) return WildMatchCode(pattern, text);
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < pattern.size() && (pattern[i] == '*' || pattern[i] == '?')) {
        if (pattern[i] == '?') {
            if (j == text.size()) return 3;
            ++j;
        }
        ++i;
    }
    // A run that ends the mask takes the rest, however its question marks are placed.
    if (i == pattern.size()) return 1;
    if (j == text.size()) return 3;
    const char c = pattern[i];
    const QByteArray rest = pattern.mid(i);
    int code = 5;
    for (; j < text.size(); ++j) {
        if (text[j] != c && c != '[') continue;
        code = WildMatchCode(rest, text.mid(j));
        if (code == 1) return 1;
    }
    return code;
}

bool WildMatch(const QByteArray& pattern, const QByteArray& text) {
    return WildPattern(pattern).matches(text);
}
