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

// Nearest the standard size first, then the deepest colour, then the first stored.
QByteArray IconContainer::choose(QList<Candidate> candidates) {
    auto distance = [](const Candidate& c) {
        return std::abs(qMax(c.width, c.height) - standardSize);
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const Candidate& a, const Candidate& b) {
                         if (distance(a) != distance(b)) return distance(a) < distance(b);
                         return a.bitCount > b.bitCount;
                     });
    return candidates.isEmpty() ? QByteArray() : candidates.first().data;
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
        const quint64 size =
            qMin<quint64>(u32(directory, at + 8), m_bytes->size() - qMin(offset, m_bytes->size()));
        const QByteArray data = m_bytes->read(offset, size);
        const IconImageInfo info = ReadIconImageInfo(data);
        if (info.isValid()) candidates.append({data, info.width, info.height, info.bitCount});
    }
    return DecodeIconImage(choose(candidates));
}

QImage IconContainer::groupImage(int index) const {
    const auto group = m_exe.find(ExeResources::GroupIcon, m_groups[index]);
    if (!group) return {};
    const QByteArray directory = m_exe.data(*group);
    if (directory.size() < 6) return {};
    const int entries = qMin<int>(u16(directory, 4), int((directory.size() - 6) / 14));
    QList<Candidate> candidates;
    for (int i = 0; i < entries; ++i) {
        const qsizetype at = 6 + qsizetype(i) * 14;
        platform::ResourceId id;
        id.number = u16(directory, at + 12);
        const auto icon = m_exe.find(ExeResources::Icon, id, group->language);
        if (!icon) continue;
        const QByteArray data = m_exe.data(*icon);
        const IconImageInfo info = ReadIconImageInfo(data);
        if (info.isValid()) candidates.append({data, info.width, info.height, info.bitCount});
    }
    return DecodeIconImage(choose(candidates));
}
