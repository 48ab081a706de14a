#include "icons/IconContainer.h"

#include "icons/IconImage.h"

#include <QtEndian>

#include <algorithm>

using platform::ExeResources;

namespace {

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

IconContainer::IconContainer(std::shared_ptr<const platform::ExeBytes> bytes)
    : m_bytes(std::move(bytes)) {
    if (!m_bytes) return;
    const QByteArray head = m_bytes->read(0, 6);
    if (head.size() == 6 && u16(head, 0) == 0 && (u16(head, 2) == 1 || u16(head, 2) == 2) &&
        u16(head, 4) > 0) {
        m_iconFile = true;
        m_count = iconFileImage().isNull() ? 0 : 1;
        return;
    }
    m_exe = ExeResources(m_bytes);
    m_groups = m_exe.namesOfType(ExeResources::GroupIcon);
    for (const platform::ExeResource& r : m_exe.ofType(ExeResources::Icon))
        if (!r.name.isName()) m_iconsById[r.name.number].append(r);
    m_count = int(m_groups.size());
}

IconContainer IconContainer::open(const QByteArray& rawPath) {
    return IconContainer(platform::ExeBytes::fromFile(rawPath));
}

IconContainer IconContainer::fromBytes(const QByteArray& bytes) {
    return IconContainer(platform::ExeBytes::fromMemory(bytes));
}

QImage IconContainer::image(int index) const {
    if (index < 0 || index >= m_count) return {};
    return m_iconFile ? iconFileImage() : groupImage(index);
}

void IconContainer::addCandidate(QList<Candidate>& candidates, quint64 offset, quint64 size) const {
    const IconImageInfo info =
        ReadIconImageInfo(m_bytes->read(offset, qMin<quint64>(size, IconHeaderBytes)));
    if (info.isValid()) candidates.append({offset, size, info.width, info.height, info.bitCount});
}

// Nearest the standard size first, then the deepest colour, then the first stored. Only
// the first few are tried, so a directory repeating one broken image stays cheap.
QImage IconContainer::decodeBest(QList<Candidate> candidates) const {
    auto distance = [](const Candidate& c) {
        return std::abs(qMax(c.width, c.height) - standardSize);
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const Candidate& a, const Candidate& b) {
                         if (distance(a) != distance(b)) return distance(a) < distance(b);
                         return a.bitCount > b.bitCount;
                     });
    for (int i = 0; i < qMin<qsizetype>(candidates.size(), 4); ++i) {
        const QImage image =
            DecodeIconImage(m_bytes->read(candidates[i].offset, candidates[i].size));
        if (!image.isNull()) return image;
    }
    return {};
}

// The sizes and depths in the directory are often wrong (cursors even keep their hot spot
// there), so each candidate is measured by its own image header.
QImage IconContainer::iconFileImage() const {
    const quint16 entries = u16(m_bytes->read(4, 2), 0);
    const QByteArray directory = m_bytes->read(6, quint64(entries) * 16);
    if (directory.size() != qsizetype(entries) * 16) return {};
    QList<Candidate> candidates;
    for (int i = 0; i < entries; ++i) {
        const qsizetype at = qsizetype(i) * 16;
        const quint64 offset = u32(directory, at + 12);
        if (offset >= m_bytes->size()) continue;
        // Stored sizes are often a little off: the image may run to the end of the file.
        addCandidate(candidates, offset,
                     qMin<quint64>(u32(directory, at + 8), m_bytes->size() - offset));
    }
    return decodeBest(candidates);
}

QImage IconContainer::groupImage(int index) const {
    const auto group = m_exe.find(ExeResources::GroupIcon, m_groups[index]);
    if (!group) return {};
    const QByteArray directory = m_exe.data(*group);
    if (directory.size() < 6) return {};
    const int entries = qMin<int>(u16(directory, 4), int((directory.size() - 6) / 14));
    QList<Candidate> candidates;
    for (int i = 0; i < entries; ++i) {
        const QList<platform::ExeResource> icons =
            m_iconsById.value(u16(directory, 6 + qsizetype(i) * 14 + 12));
        if (icons.isEmpty()) continue;
        // The group's own language first, else the first stored.
        const platform::ExeResource* icon = &icons.first();
        for (const platform::ExeResource& r : icons)
            if (r.language == group->language) {
                icon = &r;
                break;
            }
        addCandidate(candidates, icon->offset, icon->size);
    }
    return decodeBest(candidates);
}
