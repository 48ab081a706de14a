#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// A mask list prepared once for matching many names (the listing's hot path); matches
/// exactly like MatchMaskList (browser/FileMask.h) over the lower-cased patterns it was made
/// from.
class MaskMatcher {
public:
    explicit MaskMatcher(const QStringList& patterns = {QStringLiteral("*.*")});

    bool matches(const QString& fileName) const;
    /// One pattern against one name, both compared in lower case (MatchMask).
    static bool matchPattern(const QString& pattern, const QString& fileName);

private:
    struct Token {
        enum Kind { Star, AnyChar, Literal } kind;
        QString text;
    };
    struct Pattern {
        enum Mode { All, HasDot, Exact, Tokens } mode;
        QString text;
        QList<Token> tokens;
    };

    static Pattern compile(const QString& pattern);
    static bool matchLowered(const Pattern& pattern, QStringView name);

    QList<Pattern> m_patterns;
    bool m_matchesAll = false;
};
