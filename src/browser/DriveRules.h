#pragma once

#include "platform/Volumes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

/// The volumes that get a drive button, in bar order: floppy entries first (always, with or
/// without a disk), then every other volume that reports a size greater than 0.
QList<platform::VolumeInfo> DriveBarVolumes(const QList<platform::VolumeInfo>& volumes);

/// The volume a floppy button falls back to when it has no disk: the first fixed volume
/// with media, else the first volume with media.
std::optional<platform::VolumeInfo> FallbackVolume(const QList<platform::VolumeInfo>& volumes);

/// The root (ending in "/") of the mounted volume that holds the path: the longest root that
/// is a prefix of it. Empty when none does.
QString VolumeRootOf(const QList<platform::VolumeInfo>& volumes, const QString& path);

/// Whether root (ending in "/") is the path or one of its parents.
bool IsPathUnder(const QByteArray& path, const QByteArray& root);
