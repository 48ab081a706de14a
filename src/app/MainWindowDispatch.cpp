// Dispatch of a clicked file to its viewer page, and the menus that follow the page.
#include "app/MainWindow.h"

#include "browser/FileList.h"
#include "core/Helpers.h"
#include "hex/HexPage.h"
#include "kit/BannerMenu.h"
#include "kit/FloatTabWidget.h"
#include "kit/StatusPanels.h"
#include "text/TextPage.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

QString TKorMain::FinderHandOverName() const {
    const QDialog* finder = secondaryWindow("fFindForm");
    const QLabel* label = finder ? finder->findChild<QLabel*>("Label3") : nullptr;
    return label ? label->text() : QString();
}

QString TKorMain::ViewSourceName(QObject* sender, ViewerEntry entry) const {
    return IsFinderViewSender(sender, entry) ? FinderHandOverName() : SelectedFileName();
}

QByteArray TKorMain::RawPathOf(const QString& name) const {
    // A name that is not UTF-8 survives only as the list's bytes; any other name encodes
    // back to the same bytes.
    if (!name.isEmpty() && FileList->firstSelectedName() == name)
        return FileList->firstSelectedRawPath();
    return QFile::encodeName(TreeDirectory() + name);
}

void TKorMain::Sort(QObject* sender) {
    if (ZipAddPanelShowing()) return;
    const QString name = SelectedFileName();
    if (name.isEmpty()) return;
    if (ProgPages->currentWidget() == TabHex) {
        HexPage->LoadFromList(RawPathOf(name));
    } else {
        RunViewerEntry(DispatchEntry(ExtensionKey(name)), sender);
    }
    EnableDeleteFileBut();
    HideZipExtractPanel();
}

void TKorMain::RunViewerEntry(ViewerEntry entry, QObject* sender) {
    switch (entry) {
    case ViewerEntry::Text:
        Text(sender);
        break;
    case ViewerEntry::Pict:
        Pict(sender);
        break;
    case ViewerEntry::WebView:
        WebView(sender);
        break;
    case ViewerEntry::ZipView:
        ZipView(sender);
        break;
    case ViewerEntry::IconView:
        IconView(sender);
        break;
    }
}

namespace {
// The menus must follow the page that is now showing even when loading fails half-way.
template <class Step> void ThenMenus(TKorMain* window, QObject* sender, Step step) {
    struct AtEnd {
        TKorMain* window;
        QObject* sender;
        ~AtEnd() { window->MenuVisable(sender); }
    } atEnd{window, sender};
    step();
}
} // namespace

void TKorMain::Text(QObject* sender) {
    SelectViewerSheet(TabText);
    ThenMenus(this, sender, [&] {
        FormShow();
        AskSaveText();
        const QString name = ViewSourceName(sender, ViewerEntry::Text);
        // The page sets its own name and folder panels only once the file has been read,
        // so a file that cannot be read leaves the old document's panels.
        TextPage->LoadDocument(RawPathOf(name), name, TreeDirectory());
        StatBar->setPanelText(3, TreeDirectory() + name);
        TextButSort();
    });
}

void TKorMain::Pict(QObject* sender) {
    SelectViewerSheet(TabPic);
    ThenMenus(this, sender, [&] {
        const QString name = ViewSourceName(sender, ViewerEntry::Pict);
        StatPicPath->setPanelText(0, name);
        LoadPicture(TreeDirectory() + name);
        PicButSort();
    });
}

void TKorMain::WebView(QObject* sender) {
    SelectViewerSheet(TabHTML);
    ThenMenus(this, sender, [&] {
        const QString path = TreeDirectory() + ViewSourceName(sender, ViewerEntry::WebView);
        StatHTML->setPanelText(0, path);
        AskSaveHtml();
        LoadHtml(path);
        StatBar->setPanelText(3, path);
        StatHTML->setPanelText(1, {});
    });
}

void TKorMain::ZipView(QObject* sender) {
    SelectViewerSheet(TabZip);
    ThenMenus(this, sender, [&] {
        const QString path = TreeDirectory() + ViewSourceName(sender, ViewerEntry::ZipView);
        StatZip->setPanelText(1, path);
        OpenArchive(path);
        StatBar->setPanelText(3, path);
        ZipButSort();
    });
}

void TKorMain::IconView(QObject* sender) {
    SelectViewerSheet(TabIcon);
    ThenMenus(this, sender, [&] {
        const QString path = TreeDirectory() + ViewSourceName(sender, ViewerEntry::IconView);
        StatBar->setPanelText(3, path);
        LoadIcons(path);
    });
}

ViewerSheet TKorMain::ShowingViewerSheet() const {
    return static_cast<ViewerSheet>(qMax(0, ProgPages->currentIndex()));
}

void TKorMain::SelectViewerSheet(QWidget* sheet) {
    const QSignalBlocker quiet(ProgPages);
    ProgPages->setCurrentWidget(sheet);
}

void TKorMain::MenuVisable(QObject*) {
    const QStringList shown = VisiblePageMenus(ShowingViewerSheet(), HtmlSourceShowing());
    for (TBannerMenu* menu : {TextMenu, HexFileMenu, HSFileMenu, EditTextMenu, EditPicMenu,
                              HSEditMenu, HexEditMenu, Zip1, TextFormatMenu})
        menu->menuAction()->setVisible(shown.contains(menu->objectName()));
}

void TKorMain::ProgPagesChange() {
    MenuVisable();
    switch (ShowingViewerSheet()) {
    case ViewerSheet::Zip:
        ZipButSort();
        break;
    case ViewerSheet::ImageView:
        StatBar->setPanelText(1, "File mask = Image files");
        PressMask(MaskButtons.ImageFilesBut);
        PicButSort();
        break;
    case ViewerSheet::Html:
        HTMLButSort();
        SetSourceMargins();
        break;
    case ViewerSheet::HexEdit:
        UpdateHexButtons();
        break;
    case ViewerSheet::IconView:
        StatBar->setPanelText(1, "File mask = Icon containers");
        PressMask(MaskButtons.IconsBut);
        break;
    case ViewerSheet::Thumbs:
        StatBar->setPanelText(1, "File mask = Image files");
        MaskButtons.ThumbBut->setChecked(true);
        ThumbButClick();
        break;
    case ViewerSheet::TextEdit:
    case ViewerSheet::ClipView:
        break;
    }
    FormResize();
    UpdatePasteButton();
    ClipboardViewer1Change();
}

void TKorMain::PagesChange() {
    if (Pages->currentWidget() == SystemSheet) RefreshSystemInfo();
}
