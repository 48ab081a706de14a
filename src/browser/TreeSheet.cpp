#include "browser/TreeSheet.h"

#include "browser/FileList.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "kit/Controls.h"
#include "kit/GradientPanel.h"
#include "kit/SplitPanel.h"

#include <QButtonGroup>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kTreeToolBarHeight = 27;
constexpr int kFileToolBarHeight = 25;
// What the sheet gives neither tree nor list: both tool bars and the splitter bar.
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

TTreeSheet::TTreeSheet(QWidget* parent) : QWidget(parent) {
    setObjectName("TabTree");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildTreeToolBar();
    column->addWidget(TreeToolBar);

    TreeSplitter = new TSplitPanel(this);
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

    connect(FileList, &TQuickFileList::OnClick, this, &TTreeSheet::fileChosen);
    connect(FileList, &TQuickFileList::OnKeyUp, this, [this](int key) {
        // A lone modifier moves no selection, so it shows nothing new.
        if (isModifierKey(key)) return;
        FileList->setFocus();
        Q_EMIT fileChosen();
    });
}

void TTreeSheet::buildTreeToolBar() {
    TreeToolBar = new TGradientPanel({}, this);
    TreeToolBar->setObjectName("TreeToolBar");
    TreeToolBar->setFixedHeight(kTreeToolBarHeight);
    DrivePBut = NewToolButton(TreeToolBar, "DrivePBut", {}, "Show or hide DriveBar", {},
                              style()->standardIcon(QStyle::SP_DriveHDIcon));
    connect(DrivePBut, &QToolButton::clicked, this, &TTreeSheet::drivePanelToggled);
    TreeToolBar->addWidget(DrivePBut);
    MaskButtons = MaskButtonSet::create(TreeToolBar);
    for (QToolButton* button : MaskButtons.visible) {
        TreeToolBar->addWidget(button);
        if (button == MaskButtons.ThumbBut)
            connect(button, &QToolButton::clicked, this, &TTreeSheet::thumbClicked);
        else
            connect(button, &QToolButton::clicked, this, [this, button] { maskClicked(button); });
    }
    FindBut = NewToolButton(TreeToolBar, "FindBut", {},
                            "File Finder|Find files by name, also inside zip archives", "edit-find",
                            style()->standardIcon(QStyle::SP_FileDialogContentsView));
    connect(FindBut, &QToolButton::clicked, this, &TTreeSheet::finderRequested);
    TreeToolBar->addWidget(FindBut);
    TreeToolBar->addStretch();
    TreeExitBut = NewExitButton(TreeToolBar, "TreeExitBut");
    connect(TreeExitBut, &QToolButton::clicked, this, &TTreeSheet::exitRequested);
    TreeToolBar->addWidget(TreeExitBut);
}

void TTreeSheet::buildFileToolBar() {
    FileToolBar = new TGradientPanel({}, this);
    FileToolBar->setObjectName("FileToolBar");
    FileToolBar->setFixedHeight(kFileToolBarHeight);
    FileToolBar->addStretch();
    auto* group = new QButtonGroup(FileToolBar);
    const auto styleButton = [&](const char* name, const char* hint, QStyle::StandardPixmap icon) {
        QToolButton* button = NewToolButton(FileToolBar, QString::fromLatin1(name), {},
                                            QString::fromLatin1(hint), {},
                                            style()->standardIcon(icon));
        button->setCheckable(true);
        group->addButton(button);
        FileToolBar->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                Guarded([this, button] { ViewStyleSort(button); }));
        return button;
    };
    VLargeBut = styleButton("VLargeBut", "Large Icons", QStyle::SP_FileDialogContentsView);
    VSmallBut = styleButton("VSmallBut", "Small Icons", QStyle::SP_FileDialogListView);
    VReportBut = styleButton("VReportBut", "Report", QStyle::SP_FileDialogDetailedView);
    VSmallBut->setChecked(true);
}

void TTreeSheet::ViewStyleSort(QObject* sender) {
    if (sender == VLargeBut) FileList->setViewStyle(vsIcon);
    if (sender == VSmallBut) FileList->setViewStyle(vsSmallIcon);
    if (sender == VReportBut) FileList->setViewStyle(vsReport);
}

void TTreeSheet::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    TreeSplitter->setTopHeight((height() - kTreeSheetChrome) / 2);
}
