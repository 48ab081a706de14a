#include "browser/DriveRules.h"

#include <QFile>

using platform::VolumeInfo;
using platform::VolumeType;

QList<VolumeInfo> DriveBarVolumes(const QList<VolumeInfo>& volumes) {
    QList<VolumeInfo> bar;
    for (const VolumeInfo& v : volumes)
        if (v.type == VolumeType::Floppy) bar.append(v);
    for (const VolumeInfo& v : volumes)
        if (v.type != VolumeType::Floppy && v.hasMedia()) bar.append(v);
    return bar;
}

std::optional<VolumeInfo> FallbackVolume(const QList<VolumeInfo>& volumes) {
    for (const VolumeInfo& v : volumes)
        if (v.type == VolumeType::Fixed && v.hasMedia()) return v;
    for (const VolumeInfo& v : volumes)
        if (v.type != VolumeType::Floppy && v.hasMedia()) return v;
    return std::nullopt;
}

bool IsPathUnder(const QByteArray& path, const QByteArray& root) {
    if (root.isEmpty()) return false;
    if (path.startsWith(root)) return true;
    // The root itself, written without its trailing "/".
    return path.size() + 1 == root.size() && root.startsWith(path);
}

QString VolumeRootOf(const QList<VolumeInfo>& volumes, const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    QString best;
    for (const VolumeInfo& v : volumes) {
        if (v.rootPath.isEmpty() || !IsPathUnder(bytes, QFile::encodeName(v.rootPath))) continue;
        if (v.rootPath.size() > best.size()) best = v.rootPath;
    }
    return best;
}
