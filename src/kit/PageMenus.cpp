#include "kit/PageMenus.h"

#include "kit/BannerMenu.h"

#include <QAction>
#include <cstring>

const QList<PageMenuRow>& PageMenuRows() {
    static const QList<PageMenuRow> rows = {
        {"TextMenu", "&File", ViewerSheet::TextEdit},
        {"HexFileMenu", "File", ViewerSheet::HexEdit},
        {"HSFileMenu", "&File", ViewerSheet::Html},
        {"EditTextMenu", "&Edit", ViewerSheet::TextEdit},
        {"EditPicMenu", "&Edit", ViewerSheet::ImageView},
        {"HSEditMenu", "&Edit", ViewerSheet::Html},
        {"HexEditMenu", "Edit", ViewerSheet::HexEdit},
        {"Zip1", "Zip", ViewerSheet::Zip},
        {"TextFormatMenu", "Format", ViewerSheet::TextEdit},
    };
    return rows;
}

TBannerMenu* NewPageMenu(const char* name, QWidget* parent) {
    for (const PageMenuRow& row : PageMenuRows()) {
        if (std::strcmp(row.name, name) != 0) continue;
        auto* menu = new TBannerMenu(QString::fromLatin1(row.caption), parent);
        menu->setObjectName(QString::fromLatin1(row.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(row.name) + "Action");
        return menu;
    }
    return nullptr;
}
