#pragma once

#include "app/MainSettings.h"
#include "core/ViewerEntry.h"
#include "core/ViewerPage.h"

#include <QList>
#include <QMainWindow>

#include <memory>

class QAction;
class QPrinter;
class QTabWidget;
class QToolButton;
class TBannerMenu;
class TDriveBar;
class TFinderLink;
class TFloatTabWidget;
class TMaskSheet;
class TPageSwitcher;
class TStatusPanels;
class TSystemPanel;
class TTreeSheet;
class TfFindForm;

/// The main window: the file browser on the left, the eight viewer pages on the right, the
/// status bar and the main menu. It is the only place that wires the pages together; the
/// pages themselves are reached through their common interface (see docs/pages.md).
class TKorMain : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window and runs its create step; the splash, when given, closes at its end.
    explicit TKorMain(QWidget* splash = nullptr);
    ~TKorMain() override;

    /// Makes the secondary windows, once, in their fixed order.
    void CreateSecondaryWindows();
    QWidget* secondaryWindow(const QString& name) const;

    // Left edge and left side.
    QWidget* DrivePanel;
    TDriveBar* DriveBar;
    TFloatTabWidget* Pages;
    TTreeSheet* TabTree;
    TMaskSheet* MaskSheet;
    QWidget* SystemSheet;
    TSystemPanel* SystemPanel;
    QWidget* TabUtils;
    QToolButton* SystemExitBut;
    QToolButton* UtilsExitBut;

    // Right side: the viewer sheets in tab order, and their pages.
    QTabWidget* ProgPages;
    TPageSwitcher* Switcher;
    QWidget* TabText;
    QWidget* TabHTML;
    QWidget* TabPic;
    QWidget* TabThumb;
    QWidget* TabIcon;
    QWidget* TabZip;
    QWidget* TabHex;
    QWidget* TabClip;

    TStatusPanels* StatBar;

    // The window's own menus; the page menus stand between File1 and MenuSystem.
    TBannerMenu* File1;
    TBannerMenu* MenuSystem;
    TBannerMenu* Utils1;
    TBannerMenu* Help1;
    QAction* FileFinder1;
    QAction* DriveBar1;
    QAction* DriveRefresh1;
    QAction* Exit1;
    QAction* HelpContents1;
    QAction* About1;

    /// The tree's current directory, ending in "/"; "?" when none is selected.
    QString TreeDirectory() const;

    // The file browser.
    void TreeChange();
    void DriveShow();
    void FileMaskSort(QObject* sender);
    void ThumbButClick();
    void FileListDblClick();

    // Dispatch of a clicked file and the viewer entries.
    void Sort(QObject* sender);
    void RunViewerEntry(ViewerEntry entry, QObject* sender);
    void MenuVisable();
    /// The left side's sheet changed: the System sheet refreshes its figures.
    void PagesChange();

    // Window events.
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormActivate();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();

    // Commands.
    void Exit1Click();
    void HelpContentsClick();
    void AboutClick();
    void DrivePButClick();
    /// Opens one of the System sheet's files on the TextEdit sheet.
    void OpenSystemFile(int index);
    /// Shows the File Finder, made on first use.
    void FindButClick();

    /// The settings as the window shows them now, and applying stored ones.
    MainSettings storedState() const;
    void applyStoredState(const MainSettings& state);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildBrowserSide();
    void wireTreeSheet();
    void buildViewerSide();
    /// The window's part of bringing a sheet up: the mask that goes with it.
    void ViewerSheetShown(ViewerSheet sheet);
    void AskSavePages(bool beforeClose);
    QString SelectedFileName() const;
    QString ViewSourceName(QObject* sender, ViewerEntry entry) const;
    /// The file a viewer entry opens, by its list name.
    ViewedFile FileNamed(const QString& name) const;
    void readSettings();
    void writeSettings();
    QString settingsPath() const;

    QWidget* m_splash;
    std::unique_ptr<QPrinter> m_printer; ///< shared by the text and HTML pages
    std::unique_ptr<TFinderLink> m_finderLink;
    QList<QWidget*> m_secondary;
    TfFindForm* m_findForm = nullptr;
};
