#include "app/MenuSwitch.h"

const QStringList& PageMenuNames() {
    static const QStringList names = {"TextMenu",     "HexFileMenu", "HSFileMenu",
                                      "EditTextMenu", "EditPicMenu", "HSEditMenu",
                                      "HexEditMenu",  "Zip1",        "TextFormatMenu"};
    return names;
}

QStringList VisiblePageMenus(ViewerSheet sheet, bool htmlSourceShowing) {
    switch (sheet) {
    case ViewerSheet::TextEdit:
        return {"TextMenu", "EditTextMenu", "TextFormatMenu"};
    case ViewerSheet::ImageView:
        return {"EditPicMenu"};
    case ViewerSheet::HexEdit:
        return {"HexFileMenu", "HexEditMenu"};
    case ViewerSheet::Zip:
        return {"Zip1"};
    case ViewerSheet::Html:
    case ViewerSheet::Thumbs:
    case ViewerSheet::ClipView:
    case ViewerSheet::IconView:
        if (htmlSourceShowing) return {"HSFileMenu", "HSEditMenu"};
        return {};
    }
    return {};
}
