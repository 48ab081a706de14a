#include "app/Dispatch.h"

#include <QObject>

bool IsFinderViewSender(const QObject* sender, ViewerEntry entry) {
    if (!sender) return false;
    const QString name = sender->objectName();
    if (name == "ViewFile1" || name == "ViewFile2") return true;
    return entry == ViewerEntry::ZipView && (name == "OpenZipH1" || name == "OpenZipH2");
}

ViewerSheet SheetOfEntry(ViewerEntry entry) {
    switch (entry) {
    case ViewerEntry::Text:
        return ViewerSheet::TextEdit;
    case ViewerEntry::Pict:
        return ViewerSheet::ImageView;
    case ViewerEntry::WebView:
        return ViewerSheet::Html;
    case ViewerEntry::ZipView:
        return ViewerSheet::Zip;
    case ViewerEntry::IconView:
        return ViewerSheet::IconView;
    }
    return ViewerSheet::TextEdit;
}

bool EntryShowsPathInStatusBar(ViewerEntry entry) {
    return entry != ViewerEntry::Pict;
}
