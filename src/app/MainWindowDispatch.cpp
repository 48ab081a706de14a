// Dispatch of a clicked file to its viewer page, and the menus that follow the page.
#include "app/MainWindow.h"

#include "app/Dispatch.h"
#include "app/PageSwitcher.h"
#include "browser/FileList.h"
#include "browser/TreeSheet.h"
#include "core/Helpers.h"
#include "finder/FindForm.h"
#include "kit/StatusPanels.h"

#include <QFile>

QString TKorMain::ViewSourceName(QObject* sender, ViewerEntry entry) const {
    if (IsFinderViewSender(sender, entry) && m_findForm)
        return QFile::decodeName(m_findForm->handOverName());
    return SelectedFileName();
}

ViewedFile TKorMain::FileNamed(const QString& name) const {
    // A name that is not UTF-8 survives only as the list's bytes; any other name encodes
    // back to the same bytes.
    const TQuickFileList* list = TabTree->FileList;
    const QByteArray raw = !name.isEmpty() && list->firstSelectedName() == name
                               ? list->firstSelectedRawPath()
                               : QFile::encodeName(TreeDirectory() + name);
    return {raw, name, TreeDirectory()};
}

void TKorMain::Sort(QObject* sender) {
    const QList<TViewerPage*> pages = Switcher->Pages();
    if (std::any_of(pages.begin(), pages.end(), [](auto* page) { return page->HoldsFileList(); }))
        return;
    const QString name = SelectedFileName();
    if (name.isEmpty()) return;
    TViewerPage* showing = Switcher->ShowingPage();
    if (showing && showing->OpensClickedFiles())
        showing->OpenFile(FileNamed(name));
    else
        RunViewerEntry(DispatchEntry(ExtensionKey(name)), sender);
    for (TViewerPage* page : pages)
        page->FileClicked();
}

void TKorMain::RunViewerEntry(ViewerEntry entry, QObject* sender) {
    const ViewerSheet sheet = SheetOfEntry(entry);
    Switcher->SelectViewerSheet(sheet);
    // The menus must follow the page that is now showing even when loading fails half-way.
    struct AtEnd {
        TKorMain* window;
        ~AtEnd() { window->MenuVisable(); }
    } atEnd{this};
    const ViewedFile file = FileNamed(ViewSourceName(sender, entry));
    if (TViewerPage* page = Switcher->Page(sheet)) page->OpenFile(file);
    if (EntryShowsPathInStatusBar(entry)) StatBar->setPanelText(3, file.path());
}

void TKorMain::MenuVisable() {
    Switcher->MenuVisable();
}
