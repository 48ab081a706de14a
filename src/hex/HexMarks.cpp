#include "hex/HexMarks.h"

#include <algorithm>

bool THexMarks::test(qint64 index) const {
    if (index < 0) return false;
    const auto page = m_pages.find(index / kPageBits);
    if (page == m_pages.end()) return false;
    const qint64 bit = index % kPageBits;
    return (page->second[bit / 64] >> (bit % 64)) & 1;
}

void THexMarks::set(qint64 index, bool marked) {
    if (index < 0) return;
    const qint64 key = index / kPageBits;
    const qint64 bit = index % kPageBits;
    const quint64 mask = quint64(1) << (bit % 64);
    auto page = m_pages.find(key);
    if (page == m_pages.end()) {
        if (!marked) return;
        page = m_pages.emplace(key, Page{}).first;
    }
    if (marked)
        page->second[bit / 64] |= mask;
    else
        page->second[bit / 64] &= ~mask;
}

void THexMarks::truncate(qint64 index) {
    index = std::max<qint64>(0, index);
    const qint64 key = index / kPageBits;
    m_pages.erase(m_pages.upper_bound(key), m_pages.end());
    const auto page = m_pages.find(key);
    if (page == m_pages.end()) return;
    const qint64 bit = index % kPageBits;
    Page& words = page->second;
    for (qint64 word = bit / 64 + 1; word < qint64(words.size()); ++word)
        words[word] = 0;
    words[bit / 64] &= (quint64(1) << (bit % 64)) - 1;
    if (std::all_of(words.begin(), words.end(), [](quint64 w) { return w == 0; }))
        m_pages.erase(page);
}
