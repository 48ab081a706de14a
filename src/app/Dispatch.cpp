#include "app/Dispatch.h"

#include <QObject>
#include <QSet>

ViewerEntry DispatchEntry(const QString& extensionKey) {
    static const QSet<QString> pictures = {".BMP", ".GIF", ".JIF", ".JPG", ".PCX", ".DIB",
                                           ".RLE", ".TGA", ".WMF", ".EMF", ".JPE"};
    static const QSet<QString> icons = {".EXE", ".DLL", ".CUR", ".ICO", ".ICL", ".NIL"};
    if (pictures.contains(extensionKey)) return ViewerEntry::Pict;
    if (extensionKey == ".HTM") return ViewerEntry::WebView;
    if (extensionKey == ".ZIP") return ViewerEntry::ZipView;
    if (icons.contains(extensionKey)) return ViewerEntry::IconView;
    return ViewerEntry::Text;
}

bool IsFinderViewSender(const QObject* sender, ViewerEntry entry) {
    if (!sender) return false;
    const QString name = sender->objectName();
    if (name == "ViewFile1" || name == "ViewFile2") return true;
    return entry == ViewerEntry::ZipView && (name == "OpenZipH1" || name == "OpenZipH2");
}
