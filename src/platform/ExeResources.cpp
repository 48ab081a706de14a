#include "platform/ExeResources.h"

#include <QtEndian>

namespace platform {

namespace {

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// Bounds every PE resource directory walk: a directory whose entries all point back at
// one large subdirectory would otherwise multiply into billions of visits.
constexpr int maxEntryVisits = 1 << 20;

struct Section {
    quint32 virtualAddress = 0;
    quint32 virtualSize = 0;
    quint32 rawSize = 0;
    quint32 rawOffset = 0;
};

struct PeImage {
    QList<Section> sections;

    // File offset of an RVA and how many file bytes of its section follow it.
    std::optional<std::pair<quint64, quint64>> locate(quint32 rva) const {
        for (const Section& s : sections) {
            const quint64 span = qMax(s.virtualSize, s.rawSize);
            if (rva < s.virtualAddress || rva - s.virtualAddress >= span) continue;
            const quint64 into = rva - s.virtualAddress;
            if (into >= s.rawSize) return std::nullopt;
            return std::make_pair(quint64(s.rawOffset) + into, quint64(s.rawSize) - into);
        }
        return std::nullopt;
    }
};

struct DirEntry {
    quint32 id = 0;
    quint32 target = 0;
    bool isName() const { return id & 0x80000000u; }
    bool isDirectory() const { return target & 0x80000000u; }
    quint32 targetOffset() const { return target & 0x7fffffffu; }
};

// The PE resource tree, read from the bytes of the section that holds it.
class PeTree {
public:
    PeTree(const QByteArray& tree, const PeImage& image, quint64 fileSize)
        : m_tree(tree), m_image(image), m_fileSize(fileSize) {}

    QList<DirEntry> directory(quint32 offset) {
        QList<DirEntry> out;
        if (offset > quint64(m_tree.size()) || m_tree.size() - offset < 16) return out;
        const quint64 count = quint64(u16(m_tree, offset + 12)) + u16(m_tree, offset + 14);
        const quint64 first = quint64(offset) + 16;
        const quint64 fit = (quint64(m_tree.size()) - first) / 8;
        const quint64 n = qMin(qMin(count, fit), quint64(qMax(0, maxEntryVisits - m_visits)));
        m_visits += int(n);
        out.reserve(qsizetype(n));
        for (quint64 i = 0; i < n; ++i)
            out.append(
                {u32(m_tree, qsizetype(first + i * 8)), u32(m_tree, qsizetype(first + i * 8 + 4))});
        return out;
    }

    ResourceId id(const DirEntry& entry) const {
        ResourceId out;
        if (!entry.isName()) {
            out.number = quint16(entry.id);
            return out;
        }
        const quint64 at = entry.id & 0x7fffffffu;
        out.name = QLatin1String("");
        if (at > quint64(m_tree.size()) || m_tree.size() - at < 2) return out;
        const quint64 length = u16(m_tree, qsizetype(at));
        if ((quint64(m_tree.size()) - at - 2) / 2 < length) return out;
        out.name = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(m_tree.constData() + at + 2), qsizetype(length));
        return out;
    }

    // The data entry a leaf points at, as file offset and size; nullopt when the data
    // does not lie wholly inside the file.
    std::optional<std::pair<quint64, quint64>> leaf(const DirEntry& entry) const {
        const quint64 at = entry.targetOffset();
        if (entry.isDirectory() || at > quint64(m_tree.size()) || m_tree.size() - at < 16)
            return std::nullopt;
        const quint32 rva = u32(m_tree, qsizetype(at));
        const quint32 size = u32(m_tree, qsizetype(at + 4));
        const auto place = m_image.locate(rva);
        if (!place || place->second < size || place->first > m_fileSize ||
            m_fileSize - place->first < size)
            return std::nullopt;
        return std::make_pair(place->first, quint64(size));
    }

private:
    const QByteArray& m_tree;
    const PeImage& m_image;
    quint64 m_fileSize;
    int m_visits = 0;
};

} // namespace

ExeResources::ExeResources(std::shared_ptr<const ExeBytes> bytes) : m_bytes(std::move(bytes)) {
    if (!m_bytes) return;
    const QByteArray dos = m_bytes->read(0, 64);
    if (dos.size() < 64 || !dos.startsWith("MZ")) return;
    const quint32 header = u32(dos, 0x3c);
    const QByteArray magic = m_bytes->read(header, 2);
    if (magic == "PE")
        parsePe(header);
    else if (magic == "NE")
        parseNe(header);
}

ExeResources ExeResources::fromFile(const QByteArray& rawPath) {
    return ExeResources(ExeBytes::fromFile(rawPath));
}

void ExeResources::parsePe(quint64 headerOffset) {
    const QByteArray coff = m_bytes->read(headerOffset, 24);
    if (coff.size() < 24 || !coff.startsWith(QByteArray("PE\0\0", 4))) return;
    const quint16 sectionCount = u16(coff, 6);
    const quint16 optionalSize = u16(coff, 20);
    const QByteArray optional = m_bytes->read(headerOffset + 24, optionalSize);
    if (optional.size() < 2) return;
    Format format = Format::None;
    qsizetype countAt = 0;
    if (u16(optional, 0) == 0x10b) {
        format = Format::Pe32;
        countAt = 92;
    } else if (u16(optional, 0) == 0x20b) {
        format = Format::Pe32Plus;
        countAt = 108;
    } else {
        return;
    }
    const qsizetype directoriesAt = countAt + 4;
    const qsizetype resourceAt = directoriesAt + 2 * 8;
    if (optional.size() < resourceAt + 8 || u32(optional, countAt) < 3) return;
    const quint32 resourceRva = u32(optional, resourceAt);

    const QByteArray table =
        m_bytes->read(headerOffset + 24 + optionalSize, quint64(sectionCount) * 40);
    if (table.size() != qsizetype(sectionCount) * 40) return;
    PeImage image;
    for (int i = 0; i < sectionCount; ++i) {
        const qsizetype at = qsizetype(i) * 40;
        image.sections.append(
            {u32(table, at + 12), u32(table, at + 8), u32(table, at + 16), u32(table, at + 20)});
    }
    m_format = format;
    if (resourceRva == 0) return;
    const auto place = image.locate(resourceRva);
    if (!place || place->first >= m_bytes->size()) return;
    // Directory offsets are 31-bit, but the tree itself sits at the start of its section.
    const quint64 treeSize =
        qMin(qMin(place->second, m_bytes->size() - place->first), ExeBytes::maxRead);
    const QByteArray treeBytes = m_bytes->read(place->first, treeSize);
    PeTree tree(treeBytes, image, m_bytes->size());

    auto addLeaf = [&](const ResourceId& type, const ResourceId& name, quint16 language,
                       const DirEntry& entry) {
        if (const auto data = tree.leaf(entry))
            add({type, name, language, data->first, data->second});
    };
    for (const DirEntry& typeEntry : tree.directory(0)) {
        if (!typeEntry.isDirectory()) continue;
        const ResourceId type = tree.id(typeEntry);
        for (const DirEntry& nameEntry : tree.directory(typeEntry.targetOffset())) {
            const ResourceId name = tree.id(nameEntry);
            if (!nameEntry.isDirectory()) {
                addLeaf(type, name, 0, nameEntry);
                continue;
            }
            for (const DirEntry& languageEntry : tree.directory(nameEntry.targetOffset()))
                if (!languageEntry.isName())
                    addLeaf(type, name, quint16(languageEntry.id), languageEntry);
        }
    }
}

void ExeResources::parseNe(quint64 headerOffset) {
    const QByteArray header = m_bytes->read(headerOffset, 64);
    if (header.size() < 64) return;
    m_format = Format::Ne;
    const quint16 tableOffset = u16(header, 0x24);
    const quint16 residentNamesOffset = u16(header, 0x26);
    if (residentNamesOffset <= tableOffset) return;
    const quint64 tableStart = headerOffset + tableOffset;
    if (tableStart >= m_bytes->size()) return;
    const QByteArray table = m_bytes->read(
        tableStart, qMin<quint64>(residentNamesOffset - tableOffset, m_bytes->size() - tableStart));
    if (table.size() < 2) return;
    const quint16 shift = u16(table, 0);
    if (shift > 24) return;

    auto id = [&](quint16 raw) {
        ResourceId out;
        if (raw & 0x8000) {
            out.number = raw & 0x7fff;
            return out;
        }
        out.name = QLatin1String("");
        if (raw >= table.size()) return out;
        const int length = quint8(table[raw]);
        if (table.size() - raw - 1 >= length)
            out.name = QString::fromLatin1(table.constData() + raw + 1, length);
        return out;
    };

    qsizetype at = 2;
    while (table.size() - at >= 2) {
        const quint16 typeId = u16(table, at);
        if (typeId == 0 || table.size() - at < 8) break;
        const quint16 count = u16(table, at + 2);
        at += 8;
        const ResourceId type = id(typeId);
        for (int i = 0; i < count && table.size() - at >= 12; ++i, at += 12) {
            const quint64 offset = quint64(u16(table, at)) << shift;
            const quint64 length = quint64(u16(table, at + 2)) << shift;
            if (offset >= m_bytes->size()) continue;
            // Lengths are rounded up to the alignment, so the last one may run past the end.
            add({type, id(u16(table, at + 6)), 0, offset, qMin(length, m_bytes->size() - offset)});
        }
    }
}

void ExeResources::add(ExeResource resource) {
    if (m_resources.size() < maxResources) m_resources.append(std::move(resource));
}

QList<ExeResource> ExeResources::ofType(quint16 type) const {
    QList<ExeResource> out;
    for (const ExeResource& r : m_resources)
        if (!r.type.isName() && r.type.number == type) out.append(r);
    return out;
}

QList<ResourceId> ExeResources::namesOfType(quint16 type) const {
    QList<ResourceId> out;
    for (const ExeResource& r : m_resources)
        // Languages of one name are stored together, so comparing with the last suffices.
        if (!r.type.isName() && r.type.number == type && (out.isEmpty() || !(out.last() == r.name)))
            out.append(r.name);
    return out;
}

std::optional<ExeResource> ExeResources::find(quint16 type, const ResourceId& name,
                                              std::optional<quint16> language) const {
    std::optional<ExeResource> first;
    for (const ExeResource& r : m_resources) {
        if (r.type.isName() || r.type.number != type || !(r.name == name)) continue;
        if (!language || r.language == *language) return r;
        if (!first) first = r;
    }
    return first;
}

QByteArray ExeResources::data(const ExeResource& resource) const {
    if (!m_bytes) return {};
    return m_bytes->read(resource.offset, resource.size);
}

QByteArray ExeResources::versionData() const {
    const QList<ExeResource> versions = ofType(Version);
    return versions.isEmpty() ? QByteArray() : data(versions.first());
}

} // namespace platform
