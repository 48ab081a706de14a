#include "app/MainWindow.h"

#include "app/FinderLink.h"
#include "app/PageSwitcher.h"
#include "app/SecondaryWindows.h"
#include "browser/DriveBar.h"
#include "browser/FileList.h"
#include "browser/MaskSheet.h"
#include "browser/TreeSheet.h"
#include "browser/dirtree.h"
#include "core/CommandGuard.h"
#include "core/KorError.h"
#include "core/Prompter.h"
#include "finder/FindForm.h"
#include "hex/HexPage.h"
#include "kit/BannerMenu.h"
#include "kit/Controls.h"
#include "kit/FloatTabWidget.h"
#include "kit/Hints.h"
#include "kit/StatusPanels.h"
#include "platform/Host.h"
#include "system/SystemPanel.h"
#include "text/TextPage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Compact tabs so both page sets show all their tabs at the initial window size.
const char* kTabsBottomRight = "QTabWidget::tab-bar { alignment: right; }"
                               "QTabBar::tab { padding: 3px 6px; margin-right: 1px;"
                               " border: 1px solid #a0a0a0; border-top: none;"
                               " border-bottom-left-radius: 3px; border-bottom-right-radius: 3px;"
                               " background: #e4e4e4; }"
                               "QTabBar::tab:selected { background: #ffffff; margin-top: -1px; }";

} // namespace

TKorMain::TKorMain(QWidget* splash)
    : QMainWindow(nullptr), m_splash(splash), m_finderLink(std::make_unique<TFinderLink>(*this)) {
    setObjectName("KorMain");
    setWindowTitle("Korvane");
    resize(800, 561);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* central = new QWidget(this);
    central->setObjectName("MainPanel");
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    column->addLayout(row, 1);

    DrivePanel = new QWidget(central);
    DrivePanel->setObjectName("DrivePanel");
    DrivePanel->setFixedWidth(23);
    new QVBoxLayout(DrivePanel);
    DrivePanel->layout()->setContentsMargins(0, 0, 0, 0);
    DriveBar = new TDriveBar(DrivePanel);
    DriveBar->setObjectName("DriveBar");
    DrivePanel->layout()->addWidget(DriveBar);
    row->addWidget(DrivePanel);

    auto* sides = new QSplitter(Qt::Horizontal, central);
    sides->setObjectName("SideSplitter");
    sides->setChildrenCollapsible(false);
    row->addWidget(sides, 1);
    Pages = new TFloatTabWidget(sides);
    Pages->setObjectName("Pages");
    ProgPages = new QTabWidget(sides);
    ProgPages->setObjectName("ProgPages");
    sides->addWidget(Pages);
    sides->addWidget(ProgPages);
    sides->setStretchFactor(1, 1);
    sides->setSizes({255, 522});
    buildBrowserSide();
    buildViewerSide();
    buildMenus();

    StatBar = new TStatusPanels({250, 150, 60, 200}, central);
    StatBar->setObjectName("StatBar");
    StatBar->setPanelAlignment(1, Qt::AlignCenter);
    StatBar->setPanelText(1, "File mask = *.*");
    column->addWidget(StatBar);
    setCentralWidget(central);

    connect(&HintRouter::instance(), &HintRouter::hintChanged, StatBar,
            [this](const QString& hint) { StatBar->setPanelText(0, hint); });

    FormCreate();
}

TKorMain::~TKorMain() {
    // The shared printer is a member and goes before the child widgets would; the pages
    // that print go first.
    for (TViewerPage* page : Switcher->Pages())
        delete page->Widget();
}

void TKorMain::buildMenus() {
    const auto add = [this](TBannerMenu* menu, const char* name) {
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name) + "Action");
        menuBar()->addMenu(menu);
        return menu;
    };
    File1 = add(new TBannerMenu("&Tree", this), "File1");
    for (TBannerMenu* menu : Switcher->PageMenus())
        menuBar()->addMenu(menu);
    MenuSystem = add(new TBannerMenu("System", this), "MenuSystem");
    Utils1 = add(new TBannerMenu("Utils", this), "Utils1");
    Help1 = add(new TBannerMenu("Help", this), "Help1");
    Switcher->MenuVisable();

    FileFinder1 = File1->addAction("File Finder");
    FileFinder1->setObjectName("FileFinder1");
    connect(FileFinder1, &QAction::triggered, this, Guarded([this] { FindButClick(); }));
    File1->addSeparator();
    DriveBar1 = File1->addAction("DriveBar");
    DriveBar1->setObjectName("DriveBar1");
    DriveBar1->setCheckable(true);
    DriveBar1->setChecked(true);
    connect(DriveBar1, &QAction::triggered, this, Guarded([this] { DrivePButClick(); }));
    DriveRefresh1 = File1->addAction("Drive Refresh");
    DriveRefresh1->setObjectName("DriveRefresh1");
    connect(DriveRefresh1, &QAction::triggered, this, Guarded([this] { DriveShow(); }));
    File1->addSeparator();
    Exit1 = File1->addAction("E&xit");
    Exit1->setObjectName("Exit1");
    connect(Exit1, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));
    connect(File1, &QMenu::aboutToShow, this, [this] {
        DriveBar1->setChecked(!DrivePanel->isHidden());
        DriveRefresh1->setEnabled(!DrivePanel->isHidden());
    });

    HelpContents1 = Help1->addAction("Korvane Help");
    HelpContents1->setObjectName("HelpContents1");
    connect(HelpContents1, &QAction::triggered, this, Guarded([this] { HelpContentsClick(); }));
    Help1->addSeparator();
    About1 = Help1->addAction("About");
    About1->setObjectName("About1");
    connect(About1, &QAction::triggered, this, Guarded([this] { AboutClick(); }));
}

void TKorMain::buildBrowserSide() {
    Pages->setTabPosition(QTabWidget::South);
    Pages->setStyleSheet(kTabsBottomRight);
    TabTree = new TTreeSheet;
    MaskSheet = new TMaskSheet;
    MaskSheet->setObjectName("MaskSheet");
    SystemSheet = new QWidget;
    SystemSheet->setObjectName("SystemSheet");
    TabUtils = new QWidget;
    TabUtils->setObjectName("TabUtils");
    Pages->addTab(TabTree, "Tree");
    // The presets need more height than a small window has: they scroll instead of
    // holding the window open.
    auto* maskScroll = new QScrollArea;
    maskScroll->setObjectName("MaskScroll");
    maskScroll->setFrameShape(QFrame::NoFrame);
    maskScroll->setWidgetResizable(true);
    maskScroll->setWidget(MaskSheet);
    Pages->addTab(maskScroll, "Mask");
    Pages->addTab(SystemSheet, "System");
    Pages->addTab(TabUtils, "Utils");

    wireTreeSheet();

    const auto exitRow = [this](QWidget* sheet, const QString& name) {
        auto* layout = new QVBoxLayout(sheet);
        layout->addStretch();
        QToolButton* button = NewExitButton(sheet, name);
        connect(button, &QToolButton::clicked, this, Guarded([this] { Exit1Click(); }));
        layout->addWidget(button, 0, Qt::AlignRight);
        return button;
    };
    connect(MaskSheet, &TMaskSheet::exitClicked, this, Guarded([this] { Exit1Click(); }));
    connect(MaskSheet, &TMaskSheet::maskChosen, this,
            Guarded([this](const QString& mask, const QString& status) {
                TabTree->FileList->setMask(mask);
                StatBar->setPanelText(1, status);
                TabTree->MaskButtons.CMaskBut->setChecked(true);
                Pages->setCurrentWidget(TabTree);
            }));
    SystemExitBut = exitRow(SystemSheet, "SystemExitBut");
    // Like the presets, the bars scroll in a small window instead of holding it open.
    auto* systemScroll = new QScrollArea(SystemSheet);
    systemScroll->setObjectName("SystemScroll");
    systemScroll->setFrameShape(QFrame::NoFrame);
    systemScroll->setWidgetResizable(true);
    SystemPanel = new TSystemPanel(platform::paths().homeDir());
    SystemPanel->setObjectName("SystemPanel");
    systemScroll->setWidget(SystemPanel);
    auto* systemColumn = static_cast<QVBoxLayout*>(SystemSheet->layout());
    systemColumn->insertWidget(0, systemScroll, 1);
    connect(SystemPanel, &TSystemPanel::systemFileRequested, this,
            Guarded([this](int index) { OpenSystemFile(index); }));
    UtilsExitBut = exitRow(TabUtils, "UtilsExitBut");

    // A floated Utils sheet is closed with its window, so its own Exit button steps aside.
    Pages->setFloatable(TabUtils, true);
    connect(Pages, &TFloatTabWidget::sheetFloated, this, [this](QWidget* sheet) {
        if (sheet == TabUtils) UtilsExitBut->hide();
    });
    connect(Pages, &TFloatTabWidget::sheetDocked, this, [this](QWidget* sheet) {
        if (sheet == TabUtils) UtilsExitBut->show();
    });
    connect(Pages, &QTabWidget::currentChanged, this, Guarded([this] { PagesChange(); }));
}

void TKorMain::buildViewerSide() {
    ProgPages->setTabPosition(QTabWidget::South);
    ProgPages->setStyleSheet(kTabsBottomRight);
    m_printer = std::make_unique<QPrinter>();
    Switcher = new TPageSwitcher(ProgPages, {[this](ViewerSheet sheet) { ViewerSheetShown(sheet); },
                                             [this] { FormResize(); }});
    // One row per viewer sheet, in tab order; a sheet whose page is not built has no maker.
    struct SheetRow {
        QWidget** sheet;
        const char* name;
        const char* caption;
        std::function<TViewerPage*()> make;
    };
    const SheetRow rows[] = {
        {&TabText, "TabText", "TextEdit",
         [this] {
             auto* page = new TTextPage(m_printer.get());
             connect(page, &TTextPage::fileListRefreshRequested, this,
                     [this] { TabTree->FileList->reread(); });
             return page;
         }},
        {&TabHTML, "TabHTML", "Html", {}},
        {&TabPic, "TabPic", "ImageView", {}},
        {&TabThumb, "TabThumb", "Thumbs", {}},
        {&TabIcon, "TabIcon", "IconView", {}},
        {&TabZip, "TabZip", "Zip", {}},
        {&TabHex, "TabHex", "HexEdit",
         [this] {
             auto* page = new THexPage;
             connect(page, &THexPage::hexFileSaved, this, [this] { TabTree->FileList->reread(); });
             return page;
         }},
        {&TabClip, "TabClip", "ClipView", {}},
    };
    for (const SheetRow& row : rows) {
        *row.sheet = new QWidget;
        (*row.sheet)->setObjectName(QString::fromLatin1(row.name));
        Switcher->addSheet(*row.sheet, QString::fromLatin1(row.caption),
                           row.make ? row.make() : nullptr);
    }
    Switcher->SelectViewerSheet(ViewerSheet::TextEdit);
}

void TKorMain::CreateSecondaryWindows() {
    if (!m_secondary.isEmpty()) return;
    m_secondary = ::CreateSecondaryWindows(this, [this](const SecondaryWindowRow& row) -> QWidget* {
        if (row.name == "fFindForm") return m_findForm = new TfFindForm(*m_finderLink, this);
        return nullptr;
    });
}

QWidget* TKorMain::secondaryWindow(const QString& name) const {
    for (QWidget* window : m_secondary)
        if (window->objectName() == name) return window;
    return nullptr;
}

// --- window events ----------------------------------------------------------------------

void TKorMain::FormCreate() {
    {
        const QSignalBlocker quiet(Pages);
        Pages->setCurrentWidget(TabTree);
    }
    for (TViewerPage* page : Switcher->Pages())
        page->PageCreate();
    DriveShow();
    TabTree->Tree->setDirectory(platform::paths().homeDir());
    if (m_splash) {
        m_splash->close();
        m_splash = nullptr;
    }
}

void TKorMain::FormShow() {
    FormPaint();
    for (TViewerPage* page : Switcher->Pages())
        page->WindowShown();
}

void TKorMain::FormPaint() {
    for (TViewerPage* page : Switcher->Pages())
        page->WindowPaint();
}

void TKorMain::FormActivate() {
    setWindowTitle("Korvane");
    TabTree->Tree->setFocus();
    MenuVisable();
}

void TKorMain::FormResize() {
    FormPaint();
    const ViewerSheet showing = Switcher->ShowingViewerSheet();
    for (TViewerPage* page : Switcher->Pages())
        page->WindowResized(page->Sheet() == showing);
}

void TKorMain::AskSavePages(bool beforeClose) {
    for (TViewerPage* page : Switcher->Pages())
        if (page->AsksSaveBeforeClose() == beforeClose) page->AskSave();
}

bool TKorMain::FormCloseQuery() {
    return RunGuarded([this] { AskSavePages(true); });
}

void TKorMain::FormClose() {
    AskSavePages(false);
}

void TKorMain::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        readSettings();
        FormShow();
    }
    QMainWindow::showEvent(event);
}

void TKorMain::paintEvent(QPaintEvent* event) {
    FormPaint();
    QMainWindow::paintEvent(event);
}

void TKorMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

void TKorMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RunGuarded([this] { FormActivate(); });
}

void TKorMain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    writeSettings();
    if (!RunGuarded([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
}

// --- settings ---------------------------------------------------------------------------

QString TKorMain::settingsPath() const {
    return platform::paths().settingsFile("Kor2.ini");
}

MainSettings TKorMain::storedState() const {
    return {!DrivePanel->isHidden(), DriveBar1->isChecked()};
}

void TKorMain::applyStoredState(const MainSettings& state) {
    DrivePanel->setVisible(state.drivePanelVisible);
    DriveBar1->setChecked(state.driveBarChecked);
}

void TKorMain::readSettings() {
    applyStoredState(ReadMainSettings(settingsPath()));
}

void TKorMain::writeSettings() {
    WriteMainSettings(settingsPath(), storedState());
}

// --- commands ---------------------------------------------------------------------------

void TKorMain::Exit1Click() {
    close();
}

void TKorMain::OpenSystemFile(int index) {
    const SystemFile& file = SystemPanel->systemFiles().at(index);
    Switcher->SelectViewerSheet(ViewerSheet::TextEdit);
    // A file that cannot be read leaves the text page's panels as they were.
    Switcher->Page(ViewerSheet::TextEdit)
        ->OpenFile({QFile::encodeName(file.path), file.documentName(), file.directoryShown()});
    StatBar->setPanelText(3, file.path);
    Pages->setCurrentWidget(TabTree);
    MenuVisable();
}

void TKorMain::PagesChange() {
    if (Pages->currentWidget() == SystemSheet) SystemPanel->SysRefButClick();
}

void TKorMain::DrivePButClick() {
    DrivePanel->setVisible(DrivePanel->isHidden());
    FormResize();
}

void TKorMain::HelpContentsClick() {
    // The help page ships inside the program; the browser needs it as a real file.
    const QString folder = platform::paths().tempDir();
    const QString target = folder + "KorvaneHelp.html";
    QFile::remove(target);
    if (folder.isEmpty() || !QFile::copy(":/help/index.html", target))
        throw KorError("Cannot open the help page.");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    if (!platform::shell().openUrl(QUrl::fromLocalFile(target)))
        throw KorError("No web browser could be started to show the help page.");
}

void TKorMain::AboutClick() {
    if (auto* about = qobject_cast<QDialog*>(secondaryWindow("AboutBox")))
        prompter().execDialog(*about);
}

void TKorMain::FindButClick() {
    CreateSecondaryWindows();
    m_findForm->show();
    m_findForm->raise();
    m_findForm->activateWindow();
}
