#pragma once

#include <QByteArray>
#include <QList>

#include <vector>

/// A wildcard mask compiled once and matched against many names without backtracking: the
/// mask becomes a row of one-character steps and stars, and a name is run through all the
/// live positions at once as a bit set (one machine word for masks of up to 63 steps).
/// Gives the same answers as WildMatch.
class WildPattern {
public:
    explicit WildPattern(const QByteArray& pattern);

    bool matches(const QByteArray& text) const { return matches(text.constData(), text.size()); }
    bool matches(const char* text, qsizetype size) const;

private:
    using Word = quint64;

    void compile(const QByteArray& lowered);
    void addStep();
    Word* acceptRow(int byte) { return m_accept.data() + qsizetype(byte) * m_words; }
    const Word* acceptRow(int byte) const { return m_accept.data() + qsizetype(byte) * m_words; }

    int m_steps = 0; ///< positions 0..m_steps-1 are steps or stars, m_steps is the end
    int m_words = 1;
    std::vector<Word> m_accept; ///< per byte: the steps that take it
    std::vector<Word> m_stars;  ///< the positions that are stars
    QList<int> m_stepBytes;     ///< per position: a literal byte, -1 any, -2 set, -3 star
    QList<QByteArray> m_sets;   ///< per set position: 256 flags of accepted bytes
    bool m_tailRun = false;     ///< the mask ends in a run of stars and question marks
    int m_tailMinimum = 0;      ///< characters that run must still find
};
