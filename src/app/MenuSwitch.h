#pragma once

#include "core/ViewerPage.h"

#include <QStringList>

/// The nine page menus whose visibility follows the showing viewer sheet, in menu-bar order.
const QStringList& PageMenuNames();

/// Which of the page menus show for a sheet; the HTML source menus show on the Html,
/// Thumbs, ClipView and IconView sheets only while the HTML page's "Source" sheet is up.
QStringList VisiblePageMenus(ViewerSheet sheet, bool htmlSourceShowing);
