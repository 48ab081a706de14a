#pragma once

#include <QtGlobal>

#include <array>
#include <map>

/// The modification marks: one bit per byte index, kept in pages so that a mark near the
/// end of a large document costs one page, not a bit for every byte before it.
class THexMarks {
public:
    bool test(qint64 index) const;
    void set(qint64 index, bool marked);
    /// Unmarks every byte from index on.
    void truncate(qint64 index);
    void clear() { m_pages.clear(); }
    bool isEmpty() const { return m_pages.empty(); }

private:
    static constexpr int kPageBits = 4096;
    using Page = std::array<quint64, kPageBits / 64>;
    std::map<qint64, Page> m_pages;
};
