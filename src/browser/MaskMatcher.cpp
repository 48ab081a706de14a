#include "browser/MaskMatcher.h"

#include <algorithm>

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

bool MaskMatcher::matchPattern(const QString& pattern, const QString& fileName) {
    return matchLowered(compile(pattern.toLower()), fileName.toLower());
}
