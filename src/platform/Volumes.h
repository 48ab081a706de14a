#pragma once

#include <QList>
#include <QString>

namespace platform {

/// What kind of medium a volume is; decides whether the tree may probe it.
enum class VolumeType { Fixed, Removable, CdRom, Network, Ram, Floppy, Unknown };

/// One mounted file system as the drive bar and the tree see it.
struct VolumeInfo {
    QString rootPath; ///< mount point, ending in "/"
    QString caption;  ///< short name for a drive button ("/" for the root file system)
    VolumeType type = VolumeType::Unknown;
    qint64 totalBytes = -1; ///< -1 when the volume has no media or cannot be queried
    QString device;         ///< block device or source, for tool-tips and type checks
    QString fileSystem;     ///< file-system type as the kernel names it

    bool hasMedia() const { return totalBytes > 0; }
    bool operator==(const VolumeInfo&) const = default;
};

/// The machine's volumes: stands in for drive letters.
class Volumes {
public:
    virtual ~Volumes() = default;
    /// The root file system first, then the others sorted by mount path.
    virtual QList<VolumeInfo> list() const = 0;
};

} // namespace platform
