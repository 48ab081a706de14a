#pragma once

#include "core/ViewerPage.h"

#include <QList>

class QWidget;
class TBannerMenu;

/// One of the menus that belong to a viewer page and show only with it.
struct PageMenuRow {
    const char* name;    ///< object name; its menu-bar action is named name + "Action"
    const char* caption;
    ViewerSheet sheet;   ///< the page that owns it
};

/// Every page menu, in menu-bar order: the one list of them.
const QList<PageMenuRow>& PageMenuRows();

/// A page's top-level menu, named and captioned from its row; null for a name not in the list.
TBannerMenu* NewPageMenu(const char* name, QWidget* parent);
