#include "platform/LinuxVolumes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>

namespace platform {

namespace {

const QSet<QString> kNetworkTypes = {
    "nfs", "nfs4",  "cifs", "smb3", "smbfs",     "sshfs",       "fuse.sshfs",
    "9p",  "davfs", "afs",  "ceph", "glusterfs", "fuse.rclone", "fuse.gvfsd-fuse"};
const QSet<QString> kRamTypes = {"tmpfs", "ramfs"};
const QStringList kSystemPrefixes = {"/proc", "/sys", "/dev", "/run", "/snap"};

QString withSlash(const QString& path) {
    return path.endsWith('/') ? path : path + '/';
}

bool underSystemFolder(const QString& root) {
    return std::any_of(kSystemPrefixes.begin(), kSystemPrefixes.end(),
                       [&](const QString& p) { return root == p || root.startsWith(p + '/'); });
}

// sysfs marks whole disks removable; a partition inherits its disk's flag.
bool isRemovableDevice(const QString& device) {
    if (!device.startsWith("/dev/")) return false;
    const QString sysEntry =
        QFileInfo("/sys/class/block/" + QFileInfo(device).fileName()).canonicalFilePath();
    if (sysEntry.isEmpty()) return false;
    for (const QString& dir : {sysEntry, QFileInfo(sysEntry).path()}) {
        QFile flag(dir + "/removable");
        if (flag.open(QIODevice::ReadOnly)) return flag.readAll().trimmed() == "1";
    }
    return false;
}

QString captionFor(const QString& root) {
    if (root == "/") return "/";
    return QDir(root).dirName();
}

} // namespace

VolumeType LinuxVolumes::classify(const QString& fileSystem, const QString& device) {
    if (kNetworkTypes.contains(fileSystem)) return VolumeType::Network;
    if (kRamTypes.contains(fileSystem)) return VolumeType::Ram;
    if (fileSystem == "iso9660" || fileSystem == "udf" || device.startsWith("/dev/sr"))
        return VolumeType::CdRom;
    if (device.startsWith("/dev/fd")) return VolumeType::Floppy;
    if (isRemovableDevice(device)) return VolumeType::Removable;
    if (device.startsWith("/dev/") || fileSystem.startsWith("fuse") || fileSystem == "overlay" ||
        fileSystem == "ext4" || fileSystem == "btrfs" || fileSystem == "xfs")
        return VolumeType::Fixed;
    return VolumeType::Unknown;
}

QList<VolumeInfo> LinuxVolumes::list() const {
    QList<VolumeInfo> result;
    QSet<QString> devicesSeen;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        const QString root = storage.rootPath();
        const QString device = QString::fromLocal8Bit(storage.device());
        const QString fs = QString::fromLatin1(storage.fileSystemType());
        const bool isRoot = root == "/";
        if (!isRoot) {
            if (!storage.isValid() || !storage.isReady() || underSystemFolder(root)) continue;
            const bool realSource =
                device.startsWith("/dev/") || fs.startsWith("fuse") || kNetworkTypes.contains(fs);
            if (!realSource) continue;
        }
        // A second mount of a device already listed is a bind mount.
        if (device.startsWith("/dev/") && devicesSeen.contains(device) && !isRoot) continue;
        devicesSeen.insert(device);

        VolumeInfo info;
        info.rootPath = withSlash(root);
        info.caption = captionFor(root);
        info.device = device;
        info.fileSystem = fs;
        info.type = classify(fs, device);
        if (isRoot && info.type == VolumeType::Unknown) info.type = VolumeType::Fixed;
        info.totalBytes = storage.isReady() && storage.bytesTotal() > 0 ? storage.bytesTotal() : -1;
        result.append(info);
    }
    std::stable_sort(result.begin(), result.end(), [](const VolumeInfo& a, const VolumeInfo& b) {
        if ((a.rootPath == "/") != (b.rootPath == "/")) return a.rootPath == "/";
        return a.rootPath < b.rootPath;
    });
    // Floppy drives without a disk still get their entry, as a volume without media.
    for (const QString& fd : {QStringLiteral("/dev/fd0"), QStringLiteral("/dev/fd1")}) {
        if (!QFileInfo::exists(fd) || devicesSeen.contains(fd)) continue;
        VolumeInfo floppy;
        floppy.caption = QFileInfo(fd).fileName();
        floppy.device = fd;
        floppy.type = VolumeType::Floppy;
        result.append(floppy);
    }
    return result;
}

} // namespace platform
