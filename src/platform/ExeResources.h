#pragma once

#include "platform/ExeBytes.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace platform {

/// A resource type or name: a number, or a string for named resources.
struct ResourceId {
    quint16 number = 0;
    QString name; ///< set for named resources, which then have no number
    bool isName() const { return !name.isNull(); }
    bool operator==(const ResourceId& other) const = default;
};

/// One resource of an executable: its type, name and language and where its bytes lie.
struct ExeResource {
    ResourceId type;
    ResourceId name;
    quint16 language = 0; ///< always 0 in NE files, which have no languages
    quint64 offset = 0;   ///< file offset of the data
    quint64 size = 0;     ///< data size in bytes, inside the file
};

/// The resource directory of a PE (32- or 64-bit) or NE program or library.
///
/// Reads untrusted files: every offset and count is checked against the file, the
/// directory is walked to its fixed three levels without recursion, and the number of
/// entries taken is capped, so a malformed file gives fewer resources, never a crash.
class ExeResources {
public:
    enum class Format { None, Pe32, Pe32Plus, Ne };

    /// Standard resource types (the same numbers in PE and NE files).
    enum Type : quint16 {
        Cursor = 1,
        Bitmap = 2,
        Icon = 3,
        Menu = 4,
        Dialog = 5,
        String = 6,
        GroupCursor = 12,
        GroupIcon = 14,
        Version = 16,
    };

    /// The most resources taken from one file; the rest are ignored.
    static constexpr int maxResources = 65536;

    ExeResources() = default;
    /// Parses the resource directory of the bytes; a file that is not PE or NE, or whose
    /// resource directory cannot be found, gives format() None and no resources.
    explicit ExeResources(std::shared_ptr<const ExeBytes> bytes);
    /// The same for a file named by its bytes (opened without blocking; see ExeBytes).
    static ExeResources fromFile(const QByteArray& rawPath);

    Format format() const { return m_format; }
    /// True for NE files, whose icon, cursor and version data use the 16-bit layouts.
    bool isNe() const { return m_format == Format::Ne; }

    /// Every resource in directory order (types, then names, then languages, as stored).
    const QList<ExeResource>& resources() const { return m_resources; }
    /// The resources of one numbered type, in directory order.
    QList<ExeResource> ofType(quint16 type) const;
    /// The distinct names of one numbered type, in directory order.
    QList<ResourceId> namesOfType(quint16 type) const;
    /// The resource of that type and name: in the language given when there is one,
    /// otherwise the first stored.
    std::optional<ExeResource> find(quint16 type, const ResourceId& name,
                                    std::optional<quint16> language = std::nullopt) const;
    /// The bytes of a resource, empty when they cannot be read.
    QByteArray data(const ExeResource& resource) const;
    /// The bytes of the first version resource, empty when there is none.
    QByteArray versionData() const;

private:
    void parsePe(quint64 headerOffset);
    void parseNe(quint64 headerOffset);
    void add(ExeResource resource);

    std::shared_ptr<const ExeBytes> m_bytes;
    Format m_format = Format::None;
    QList<ExeResource> m_resources;
};

} // namespace platform
