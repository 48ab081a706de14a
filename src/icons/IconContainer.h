#pragma once

#include "platform/ExeResources.h"

#include <QHash>
#include <QImage>

#include <memory>

/// The icons of one file as a shell's icon extraction sees them: an .ICO or .CUR file holds
/// one icon; a PE or NE program or library holds one icon per icon group, in resource
/// order. Each icon's image is the stored image nearest 32 x 32, at the highest colour
/// depth among those. The file's kind is told by its bytes, not its name.
class IconContainer {
public:
    IconContainer() = default;
    /// Opens a file by the bytes of its name (without blocking; FIFOs and devices hold no
    /// icons).
    static IconContainer open(const QByteArray& rawPath);
    /// Reads icons from bytes in memory (an icon file's bytes, or an executable's).
    static IconContainer fromBytes(const QByteArray& bytes);

    /// The number of icons; 0 for a file without icons, or one unreadable or malformed.
    int count() const { return m_count; }
    /// The chosen image of the icon at index as ARGB32 with its transparency as alpha; null
    /// when the index is out of range or that icon cannot be decoded.
    QImage image(int index) const;

    /// Side of the standard icon that the image nearest to is chosen for.
    static constexpr int standardSize = 32;

private:
    explicit IconContainer(std::shared_ptr<const platform::ExeBytes> bytes);

    // One stored image: where its bytes lie and what its own header says.
    struct Candidate {
        quint64 offset = 0;
        quint64 size = 0;
        int width = 0;
        int height = 0;
        int bitCount = 0;
    };
    void addCandidate(QList<Candidate>& candidates, quint64 offset, quint64 size) const;
    QImage decodeBest(QList<Candidate> candidates) const;
    QImage iconFileImage() const;
    QImage groupImage(int index) const;

    std::shared_ptr<const platform::ExeBytes> m_bytes;
    platform::ExeResources m_exe;
    QList<platform::ResourceId> m_groups;
    QHash<quint16, QList<platform::ExeResource>> m_iconsById; ///< icon images by number
    bool m_iconFile = false;
    int m_count = 0;
};
