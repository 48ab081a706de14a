#include "app/Dispatch.h"

#include <QObject>

bool IsFinderViewSender(const QObject* sender, ViewerEntry entry) {
    if (!sender) return false;
    const QString name = sender->objectName();
    if (name == "ViewFile1" || name == "ViewFile2") return true;
    return entry == ViewerEntry::ZipView && (name == "OpenZipH1" || name == "OpenZipH2");
}
