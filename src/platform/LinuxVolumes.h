#pragma once

#include "platform/Volumes.h"

namespace platform {

/// Volumes read from the kernel's mount table, pseudo and bind mounts left out.
class LinuxVolumes : public Volumes {
public:
    QList<VolumeInfo> list() const override;

    /// The kind of medium for a mount, from its file-system type and device.
    static VolumeType classify(const QString& fileSystem, const QString& device);
};

} // namespace platform
