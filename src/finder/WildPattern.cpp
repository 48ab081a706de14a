#include "finder/WildPattern.h"

#include "finder/WildSet.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

constexpr int kAny = -1;
constexpr int kSet = -2;
constexpr int kStar = -3;

} // namespace

WildPattern::WildPattern(const QByteArray& pattern) {
    compile(WildLowered(pattern));
}

void WildPattern::compile(const QByteArray& p) {
    const qsizetype end = p.size();
    qsizetype i = 0;
    while (i < end) {
        const uchar c = uchar(p[i]);
        if (c == '*') {
            int questions = 0;
            int stars = 0;
            while (i < end && (p[i] == '*' || p[i] == '?')) {
                (p[i] == '?' ? questions : stars) += 1;
                ++i;
            }
            if (i == end) {
                // The walk lets a single trailing star take nothing, but a longer run of
                // stars alone only takes a non-empty rest.
                m_tailRun = true;
                m_tailMinimum = questions > 0 ? questions : (stars > 1 ? 1 : 0);
                break;
            }
            for (int q = 0; q < questions; ++q)
                m_stepBytes.append(kAny);
            m_stepBytes.append(kStar);
        } else if (c == '?') {
            m_stepBytes.append(kAny);
            ++i;
        } else if (c == '[') {
            QByteArray accepts;
            const qsizetype next = WildSetTable(p, i, accepts);
            m_stepBytes.append(kSet);
            m_sets.append(accepts);
            if (next < 0) break; // the set takes nothing, so nothing after it is reachable
            i = next;
        } else {
            m_stepBytes.append(c);
            ++i;
        }
    }

    m_steps = int(m_stepBytes.size());
    m_words = (m_steps + 1 + 63) / 64;
    m_accept.assign(size_t(256) * size_t(m_words), 0);
    m_stars.assign(size_t(m_words), 0);
    qsizetype setIndex = 0;
    for (int step = 0; step < m_steps; ++step) {
        const Word bit = Word(1) << (step % 64);
        const int word = step / 64;
        const int kind = m_stepBytes[step];
        if (kind == kStar) {
            m_stars[size_t(word)] |= bit;
        } else if (kind == kAny) {
            for (int byte = 0; byte < 256; ++byte)
                acceptRow(byte)[word] |= bit;
        } else if (kind == kSet) {
            const QByteArray& accepts = m_sets[setIndex++];
            for (int byte = 0; byte < 256; ++byte)
                if (accepts[byte]) acceptRow(byte)[word] |= bit;
        } else {
            acceptRow(kind)[word] |= bit;
        }
    }
    // Text bytes are not lower-cased while matching: capitals take what small letters take.
    for (int byte = 'A'; byte <= 'Z'; ++byte)
        for (int word = 0; word < m_words; ++word)
            acceptRow(byte)[word] = acceptRow(byte + ('a' - 'A'))[word];
}

bool WildPattern::matches(const char* text, qsizetype size) const {
    const int words = m_words;
    QVarLengthArray<Word, 8> buffer(2 * words);
    std::fill(buffer.begin(), buffer.end(), 0);
    Word* live = buffer.data();
    Word* moved = buffer.data() + words;
    live[0] = 1;

    const Word* stars = m_stars.data();
    const int endWord = m_steps / 64;
    const Word endBit = Word(1) << (m_steps % 64);
    // A star is also passed over without taking anything. Stars never stand side by side,
    // so one shift settles it.
    const auto passStars = [&](Word* set) {
        Word carry = 0;
        for (int w = 0; w < words; ++w) {
            const Word starred = set[w] & stars[w];
            set[w] |= (starred << 1) | carry;
            carry = starred >> 63;
        }
    };
    passStars(live);

    for (qsizetype j = 0;; ++j) {
        if (m_tailRun && (live[endWord] & endBit) && size - j >= m_tailMinimum) return true;
        if (j == size) break;
        const Word* accept = acceptRow(uchar(text[j]));
        Word carry = 0;
        Word any = 0;
        for (int w = 0; w < words; ++w) {
            const Word taken = live[w] & accept[w];
            moved[w] = (taken << 1) | carry | (live[w] & stars[w]);
            carry = taken >> 63;
            any |= moved[w];
        }
        if (!any) return false;
        std::swap(live, moved);
        passStars(live);
    }
    return !m_tailRun && (live[endWord] & endBit);
}
