// The main window's side of the file browser: the Tree sheet, the drive bar and the masks.
#include "app/MainWindow.h"

#include "app/PageSwitcher.h"
#include "browser/DriveBar.h"
#include "browser/FileList.h"
#include "browser/MaskTable.h"
#include "browser/TreeSheet.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "core/Helpers.h"
#include "kit/StatusPanels.h"

#include <QToolButton>

void TKorMain::wireTreeSheet() {
    TTreeSheet* sheet = TabTree;
    connect(sheet, &TTreeSheet::drivePanelToggled, this, Guarded([this] { DrivePButClick(); }));
    connect(sheet, &TTreeSheet::maskClicked, this,
            Guarded([this](QToolButton* button) { FileMaskSort(button); }));
    connect(sheet, &TTreeSheet::thumbClicked, this, Guarded([this] { ThumbButClick(); }));
    connect(sheet, &TTreeSheet::finderRequested, this, Guarded([this] { FindButClick(); }));
    connect(sheet, &TTreeSheet::exitRequested, this, Guarded([this] { Exit1Click(); }));
    connect(sheet, &TTreeSheet::fileChosen, this, Guarded([this] { Sort(TabTree->FileList); }));
    connect(sheet->Tree, &Tdirtree::OnChange, this, Guarded([this] { TreeChange(); }));
    connect(sheet->FileList, &TQuickFileList::OnDblClick, this,
            Guarded([this] { FileListDblClick(); }));
    connect(sheet->FileList, &TQuickFileList::OnListed, this, [this] {
        const QString error = TabTree->FileList->readError();
        if (!error.isEmpty()) StatBar->setPanelText(0, error);
    });
    connect(DriveBar, &TDriveBar::driveChosen, this, Guarded([this](const QString& root) {
                TabTree->Tree->goToDrive(root);
                TabTree->Tree->setFocus();
            }));
}

QString TKorMain::TreeDirectory() const {
    return TabTree->Tree->Directory();
}

QString TKorMain::SelectedFileName() const {
    return TabTree->FileList->firstSelectedName();
}

void TKorMain::TreeChange() {
    const QString directory = TabTree->Tree->Directory();
    TabTree->FileList->setRawDirectory(TabTree->Tree->rawDirectory());
    TabTree->FileList->update();
    DriveBar->setCurrentDirectory(directory);
    const ViewerSheet showing = Switcher->ShowingViewerSheet();
    for (TViewerPage* page : Switcher->Pages())
        page->DirectoryChanged(directory, page->Sheet() == showing);
    if (showing == ViewerSheet::Thumbs) ThumbButClick();
}

void TKorMain::DriveShow() {
    DriveBar->refreshDrives();
    DrivePanel->setFixedWidth(qMax(23, DriveBar->sizeHint().width()));
    TabTree->Tree->refresh();
    TabTree->FileList->reread();
    TabTree->FileList->update();
}

void TKorMain::FileMaskSort(QObject* sender) {
    const auto choice = FileMaskChoice(sender ? sender->objectName() : QString());
    if (!choice) return;
    TabTree->FileList->setMask(choice->mask);
    StatBar->setPanelText(1, choice->status);
    if (choice->leaveThumbs && Switcher->ShowingViewerSheet() == ViewerSheet::Thumbs)
        Switcher->SelectViewerSheet(ViewerSheet::TextEdit);
    TabTree->FileList->update();
    MenuVisable();
}

void TKorMain::ThumbButClick() {
    FileMaskSort(TabTree->MaskButtons.ThumbBut);
}

void TKorMain::ViewerSheetShown(ViewerSheet sheet) {
    // The sheets that show pictures or icons bring the list's mask for them.
    const MaskButtonSet& masks = TabTree->MaskButtons;
    struct MaskRow {
        ViewerSheet sheet;
        const char* status;
        QToolButton* button;
    };
    for (const MaskRow& row : {MaskRow{ViewerSheet::ImageView, "Image files", masks.ImageFilesBut},
                               MaskRow{ViewerSheet::IconView, "Icon containers", masks.IconsBut},
                               MaskRow{ViewerSheet::Thumbs, "Image files", masks.ThumbBut}}) {
        if (row.sheet != sheet) continue;
        StatBar->setPanelText(1, "File mask = " + QString::fromLatin1(row.status));
        row.button->setChecked(true);
        FileMaskSort(row.button);
    }
}

void TKorMain::FileListDblClick() {
    const QString name = TabTree->FileList->firstSelectedName();
    if (!name.isEmpty()) ShellRunFile(TreeDirectory() + name, {}, TreeDirectory());
}
