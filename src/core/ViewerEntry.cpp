#include "core/ViewerEntry.h"

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
