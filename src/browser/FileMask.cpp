#include "browser/FileMask.h"

#include "browser/MaskMatcher.h"

#include <algorithm>

QStringList SplitMaskList(const QString& maskText) {
    if (maskText.isEmpty()) return {QStringLiteral("*")};
    QString text = maskText;
    text.replace(',', ';');
    if (!text.endsWith(';')) text += ';';
    // The text ends with ";", so the piece after the last one is always empty and dropped.
    QStringList pieces = text.split(';');
    pieces.removeLast();
    QStringList patterns;
    patterns.reserve(pieces.size());
    for (const QString& piece : pieces) {
        QString pattern = piece.trimmed().toLower();
        const bool wild = pattern.contains('*') || pattern.contains('?');
        const bool dot = pattern.contains('.');
        if (!wild && !dot)
            pattern = '*' + pattern + '*';
        else if (wild && !dot && !pattern.endsWith('*'))
            pattern += '*';
        patterns.append(pattern);
    }
    patterns.sort();
    return patterns;
}

bool MatchMask(const QString& pattern, const QString& fileName) {
    return MaskMatcher::matchPattern(pattern, fileName);
}

bool MatchMaskList(const QStringList& patterns, const QString& fileName) {
    return MaskMatcher(patterns).matches(fileName);
}

QString DisplayName(const QString& fileName) {
    if (std::any_of(fileName.begin(), fileName.end(), [](QChar c) { return c.isLower(); }))
        return fileName;
    QString shown = fileName.toLower();
    bool wordStart = true;
    for (QChar& c : shown) {
        if (wordStart) c = c.toUpper();
        wordStart = c == ' ';
    }
    return shown;
}
