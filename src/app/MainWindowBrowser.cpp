// The main window's side of the file browser: the Tree sheet, the drive bar and the masks.
#include "app/MainWindow.h"

#include "browser/DriveBar.h"
#include "browser/FileList.h"
#include "browser/MaskTable.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "core/Helpers.h"
#include "kit/GradientPanel.h"
#include "kit/Hints.h"
#include "kit/SplitPanel.h"
#include "kit/StatusPanels.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kTreeToolBarHeight = 27;
constexpr int kFileToolBarHeight = 25;
// What the Tree sheet gives neither tree nor list: both tool bars and the splitter bar.
constexpr int kTreeSheetChrome = kTreeToolBarHeight + kFileToolBarHeight + TSplitPanel::kBarHeight;
static_assert(kTreeSheetChrome == 55);

QWidget* newPanel(const QString& name) {
    auto* panel = new QWidget;
    panel->setObjectName(name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    return panel;
}

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}
} // namespace

void TKorMain::buildTreeSheet() {
    auto* column = new QVBoxLayout(TabTree);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    TreeToolBar = new TGradientPanel({}, TabTree);
    TreeToolBar->setObjectName("TreeToolBar");
    TreeToolBar->setFixedHeight(kTreeToolBarHeight);
    DrivePBut = new QToolButton(TreeToolBar);
    DrivePBut->setObjectName("DrivePBut");
    DrivePBut->setIcon(style()->standardIcon(QStyle::SP_DriveHDIcon));
    DrivePBut->setAutoRaise(true);
    SetHint(DrivePBut, "Show or hide DriveBar");
    connect(DrivePBut, &QToolButton::clicked, this, Guarded([this] { DrivePButClick(); }));
    TreeToolBar->addWidget(DrivePBut);
    MaskButtons = MaskButtonSet::create(TreeToolBar);
    for (QToolButton* button : MaskButtons.visible) {
        TreeToolBar->addWidget(button);
        if (button == MaskButtons.ThumbBut)
            connect(button, &QToolButton::clicked, this, Guarded([this] { ThumbButClick(); }));
        else
            connect(button, &QToolButton::clicked, this,
                    Guarded([this, button] { FileMaskSort(button); }));
    }
    TreeToolBar->addStretch();
    TreeExitBut = newExitButton("TreeExitBut", TreeToolBar);
    TreeToolBar->addWidget(TreeExitBut);
    column->addWidget(TreeToolBar);

    TreeSplitter = new TSplitPanel(TabTree);
    TreeSplitter->setObjectName("TreeSplitter");
    TreePanel = newPanel("TreePanel");
    Tree = new Tdirtree(TreePanel);
    Tree->setObjectName("Tree");
    TreePanel->layout()->addWidget(Tree);
    FileListPanel = newPanel("FileListPanel");
    FileList = new TQuickFileList(FileListPanel);
    FileList->setObjectName("FileList");
    FileList->setFileTypes(ftArchive | ftReadonly | ftAll);
    FileList->setMultiSelect(true);
    FileList->setViewStyle(vsSmallIcon);
    FileListPanel->layout()->addWidget(FileList);
    TreeSplitter->setControls(TreePanel, FileListPanel);
    column->addWidget(TreeSplitter, 1);

    buildFileToolBar();
    column->addWidget(FileToolBar);

    connect(Tree, &Tdirtree::OnChange, this, Guarded([this] { TreeChange(); }));
    connect(FileList, &TQuickFileList::OnClick, this, Guarded([this] { Sort(FileList); }));
    connect(FileList, &TQuickFileList::OnKeyUp, this, Guarded([this](int key) {
                // A lone modifier moves no selection, so it shows nothing new.
                if (isModifierKey(key)) return;
                FileList->setFocus();
                Sort(FileList);
            }));
    connect(FileList, &TQuickFileList::OnDblClick, this, Guarded([this] { FileListDblClick(); }));
    connect(FileList, &TQuickFileList::OnChange, this, Guarded([this] { FileOpsButSort(); }));
    connect(FileList, &TQuickFileList::OnListed, this, [this] {
        if (!FileList->readError().isEmpty()) StatBar->setPanelText(0, FileList->readError());
    });
    connect(DriveBar, &TDriveBar::driveChosen, this, Guarded([this](const QString& root) {
                Tree->goToDrive(root);
                Tree->setFocus();
            }));
}

void TKorMain::buildFileToolBar() {
    FileToolBar = new TGradientPanel({}, TabTree);
    FileToolBar->setObjectName("FileToolBar");
    FileToolBar->setFixedHeight(kFileToolBarHeight);
    FileToolBar->addStretch();
    auto* group = new QButtonGroup(FileToolBar);
    const auto styleButton = [&](QToolButton*& button, const char* name, const char* hint,
                                 QStyle::StandardPixmap icon) {
        button = new QToolButton(FileToolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(style()->standardIcon(icon));
        SetHint(button, QString::fromLatin1(hint));
        group->addButton(button);
        FileToolBar->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                Guarded([this, button] { ViewStyleSort(button); }));
    };
    styleButton(VLargeBut, "VLargeBut", "Large Icons", QStyle::SP_FileDialogContentsView);
    styleButton(VSmallBut, "VSmallBut", "Small Icons", QStyle::SP_FileDialogListView);
    styleButton(VReportBut, "VReportBut", "Report", QStyle::SP_FileDialogDetailedView);
    VSmallBut->setChecked(true);
}

void TKorMain::FitTreePanel() {
    TreeSplitter->setTopHeight((TabTree->height() - kTreeSheetChrome) / 2);
}

QString TKorMain::TreeDirectory() const {
    return Tree->Directory();
}

QString TKorMain::SelectedFileName() const {
    return FileList->firstSelectedName();
}

void TKorMain::TreeChange() {
    const QString directory = Tree->Directory();
    FileList->setRawDirectory(Tree->rawDirectory());
    SetHtmlFileListDirectory(directory);
    FileList->update();
    FileOpsButSort();
    DriveBar->setCurrentDirectory(directory);
    ThumbClear();
    if (ShowingViewerSheet() == ViewerSheet::Thumbs) ThumbButClick();
}

void TKorMain::DriveShow() {
    DriveBar->refreshDrives();
    DrivePanel->setFixedWidth(qMax(23, DriveBar->sizeHint().width()));
    Tree->refresh();
    FileList->reread();
    FileList->update();
}

void TKorMain::FileMaskSort(QObject* sender) {
    const auto choice = FileMaskChoice(sender ? sender->objectName() : QString());
    if (!choice) return;
    FileList->setMask(choice->mask);
    StatBar->setPanelText(1, choice->status);
    if (choice->leaveThumbs && ShowingViewerSheet() == ViewerSheet::Thumbs)
        SelectViewerSheet(TabText);
    FileList->update();
    MenuVisable(sender);
}

void TKorMain::ThumbButClick() {
    FileMaskSort(MaskButtons.ThumbBut);
    LoadThumbnails();
}

void TKorMain::PressMask(QToolButton* button) {
    button->setChecked(true);
    FileMaskSort(button);
}

void TKorMain::ViewStyleSort(QObject* sender) {
    if (sender == VLargeBut) FileList->setViewStyle(vsIcon);
    if (sender == VSmallBut) FileList->setViewStyle(vsSmallIcon);
    if (sender == VReportBut) FileList->setViewStyle(vsReport);
}

void TKorMain::FileListDblClick() {
    const QString name = FileList->firstSelectedName();
    if (!name.isEmpty()) ShellRunFile(TreeDirectory() + name, {}, TreeDirectory());
}
