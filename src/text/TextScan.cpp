#include "text/TextScan.h"

namespace {

inline char16_t upper(char16_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? char16_t(c - 'a' + 'A') : c;
    return QChar::toUpper(c);
}

} // namespace

bool IsWordChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

int ScanTextBuffer(const QString& buffer, int selStart, int selLength, const QString& pattern,
                   SearchOptions options) {
    const qsizetype length = buffer.size();
    const qsizetype patternLength = pattern.size();
    if (length <= 0 || patternLength == 0 || selStart < 0 || selLength < 0) return -1;
    const qsizetype origin = qsizetype(selStart) + selLength;
    if (origin > length) return -1;
    const qsizetype remaining = length - origin - patternLength;
    if (remaining < 0) return -1;

    QString key = pattern;
    if (!options.matchCase)
        for (QChar& c : key)
            c = QChar(upper(c.unicode()));
    const char16_t* text = reinterpret_cast<const char16_t*>(buffer.constData());
    const char16_t* want = reinterpret_cast<const char16_t*>(key.constData());
    const char16_t first = want[0];

    qsizetype left = remaining + 1; // candidate positions not yet used up
    qsizetype pos = origin;
    while (left > 0) {
        if (options.wholeWord) {
            while (left > 0 && IsWordChar(text[pos])) {
                ++pos;
                --left;
            }
            while (left > 0 && !IsWordChar(text[pos])) {
                ++pos;
                --left;
            }
            if (left == 0) return -1;
        }
        const char16_t c = options.matchCase ? text[pos] : upper(text[pos]);
        if (c == first) {
            qsizetype i = 1;
            if (options.matchCase)
                while (i < patternLength && text[pos + i] == want[i])
                    ++i;
            else
                while (i < patternLength && upper(text[pos + i]) == want[i])
                    ++i;
            if (i == patternLength) {
                const qsizetype end = pos + patternLength;
                if (!options.wholeWord || end == length || !IsWordChar(QChar(text[end])))
                    return int(pos);
            }
        }
        ++pos;
        --left;
    }
    return -1;
}
