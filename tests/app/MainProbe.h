#pragma once

#include "app/MainWindow.h"
#include "app/PageSwitcher.h"
#include "browser/FileList.h"
#include "browser/TreeSheet.h"
#include "hex/HexPage.h"
#include "text/TextPage.h"

/// The main window's built pages, as the tests reach them.
inline TTextPage* textPage(const TKorMain& main) {
    return dynamic_cast<TTextPage*>(main.Switcher->Page(ViewerSheet::TextEdit));
}
inline THexPage* hexPage(const TKorMain& main) {
    return dynamic_cast<THexPage*>(main.Switcher->Page(ViewerSheet::HexEdit));
}

/// Selects only the named file in the list, read again first so files made by the test show.
inline void selectOnly(TKorMain& main, const QString& name) {
    TQuickFileList* list = main.TabTree->FileList;
    list->reread();
    for (int i = 0; i < list->itemCount(); ++i)
        list->setItemSelected(i, list->itemName(i) == name);
}
