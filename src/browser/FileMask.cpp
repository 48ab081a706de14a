#include "browser/FileMask.h"

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

MaskMatcher::MaskMatcher(const QStringList& patterns) {
    m_patterns.reserve(patterns.size());
    for (const QString& pattern : patterns) {
        m_patterns.append(compile(pattern.toLower()));
        if (m_patterns.last().mode == Pattern::All) m_matchesAll = true;
    }
}

bool MaskMatcher::matches(const QString& fileName) const {
    if (fileName.isEmpty() || m_matchesAll) return true;
    const QString name = fileName.toLower();
    return std::any_of(m_patterns.begin(), m_patterns.end(),
                       [&](const Pattern& p) { return matchLowered(p, name); });
}

MaskMatcher::Pattern MaskMatcher::compile(const QString& pattern) {
    Pattern compiled{Pattern::Tokens, pattern, {}};
    if (pattern == QLatin1String("*")) {
        compiled.mode = Pattern::All;
    } else if (pattern == QLatin1String("*.*")) {
        compiled.mode = Pattern::HasDot;
    } else if (!pattern.contains('*') && !pattern.contains('?')) {
        compiled.mode = Pattern::Exact;
    } else {
        QString literal;
        for (const QChar c : pattern) {
            if (c != '*' && c != '?') {
                literal += c;
                continue;
            }
            if (!literal.isEmpty()) compiled.tokens.append(Token{Token::Literal, literal});
            literal.clear();
            compiled.tokens.append(Token{c == '*' ? Token::Star : Token::AnyChar, {}});
        }
        if (!literal.isEmpty()) compiled.tokens.append(Token{Token::Literal, literal});
    }
    return compiled;
}

bool MaskMatcher::matchLowered(const Pattern& pattern, QStringView name) {
    switch (pattern.mode) {
    case Pattern::All:
        return true;
    case Pattern::HasDot:
        return name.contains('.');
    case Pattern::Exact:
        return name == pattern.text;
    case Pattern::Tokens:
        break;
    }
    qsizetype pos = 0;
    bool starPending = false;
    for (const Token& token : pattern.tokens) {
        switch (token.kind) {
        case Token::AnyChar:
            if (pos >= name.size()) return false;
            ++pos;
            break;
        case Token::Star:
            starPending = true;
            break;
        case Token::Literal:
            if (starPending) {
                const qsizetype found = name.indexOf(token.text, pos);
                if (found < 0) return false;
                pos = found + token.text.size();
                starPending = false;
            } else {
                if (!name.mid(pos).startsWith(token.text)) return false;
                pos += token.text.size();
            }
            break;
        }
    }
    return starPending || pos == name.size();
}

bool MatchMask(const QString& pattern, const QString& fileName) {
    return MaskMatcher::matchLowered(MaskMatcher::compile(pattern.toLower()), fileName.toLower());
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
