#include "browser/BrowserIcons.h"

#include <QAbstractFileIconProvider>
#include <QMimeType>

namespace BrowserIcons {

QIcon folder(const QAbstractFileIconProvider& provider) {
    QIcon closed = QIcon::fromTheme("folder");
    if (closed.isNull()) closed = provider.icon(QAbstractFileIconProvider::Folder);
    const QIcon open = QIcon::fromTheme("folder-open");
    if (open.isNull() || closed.isNull()) return closed;
    QIcon both;
    for (const int side : {16, 32}) {
        both.addPixmap(closed.pixmap(side), QIcon::Normal);
        both.addPixmap(open.pixmap(side), QIcon::Selected);
    }
    return both;
}

QIcon volume(platform::VolumeType type, const QAbstractFileIconProvider& provider) {
    using platform::VolumeType;
    const char* name = "drive-harddisk";
    auto fallback = QAbstractFileIconProvider::Drive;
    switch (type) {
    case VolumeType::Removable:
        name = "drive-removable-media";
        break;
    case VolumeType::CdRom:
        name = "media-optical";
        break;
    case VolumeType::Network:
        name = "folder-remote";
        fallback = QAbstractFileIconProvider::Network;
        break;
    case VolumeType::Floppy:
        name = "media-floppy";
        break;
    case VolumeType::Fixed:
    case VolumeType::Ram:
    case VolumeType::Unknown:
        break;
    }
    const QIcon themed = QIcon::fromTheme(name);
    return themed.isNull() ? provider.icon(fallback) : themed;
}

QIcon fileType(const QMimeType& mime, const QAbstractFileIconProvider& provider) {
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull()) icon = provider.icon(QAbstractFileIconProvider::File);
    return icon;
}

} // namespace BrowserIcons
