#pragma once

#include "app/Dispatch.h"
#include "app/MainSettings.h"
#include "app/MenuSwitch.h"
#include "browser/MaskButtonSet.h"

#include <QList>
#include <QMainWindow>

#include <memory>

class QAction;
class QDialog;
class QTabWidget;
class QToolButton;
class Tdirtree;
class TBannerMenu;
class TFinderLink;
class TSystemPanel;
class TDriveBar;
class TMaskSheet;
class QPrinter;
class THexPage;
class TQuickFileList;
class TTextPage;
class TFloatTabWidget;
class TGradientPanel;
class TSplitPanel;
class TStatusPanels;

/// The main window: the file browser on the left, the eight viewer pages on the right, the
/// status bar and the main menu. It is the only place that wires the pages together.
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
    QWidget* TabTree;
    TMaskSheet* MaskSheet;
    QWidget* SystemSheet;
    TSystemPanel* SystemPanel;
    QWidget* TabUtils;
    TGradientPanel* TreeToolBar;
    QToolButton* DrivePBut;
    MaskButtonSet MaskButtons; ///< AllFilesBut ... ThumbBut and the invisible CMaskBut
    QToolButton* FindBut;
    QToolButton* TreeExitBut;
    QWidget* TreePanel;
    Tdirtree* Tree;
    TSplitPanel* TreeSplitter; ///< holds TreePanel above FileListPanel
    QWidget* FileListPanel;
    TQuickFileList* FileList;
    TGradientPanel* FileToolBar;
    QToolButton* VLargeBut;
    QToolButton* VSmallBut;
    QToolButton* VReportBut;
    QToolButton* SystemExitBut;
    QToolButton* UtilsExitBut;

    // Right side: the viewer sheets in tab order.
    QTabWidget* ProgPages;
    QWidget* TabText;
    QWidget* TabHTML;
    QWidget* TabPic;
    QWidget* TabThumb;
    QWidget* TabIcon;
    QWidget* TabZip;
    QWidget* TabHex;
    QWidget* TabClip;

    TTextPage* TextPage;
    THexPage* HexPage;

    // The pages' own status bars that the viewer entries write.
    TStatusPanels* StatText;
    TStatusPanels* StatHTML;
    TStatusPanels* StatPicPath;
    TStatusPanels* StatZip;

    TStatusPanels* StatBar;

    // The main menu, in menu-bar order.
    TBannerMenu* File1;
    TBannerMenu* TextMenu;
    TBannerMenu* HexFileMenu;
    TBannerMenu* HSFileMenu;
    TBannerMenu* EditTextMenu;
    TBannerMenu* EditPicMenu;
    TBannerMenu* HSEditMenu;
    TBannerMenu* HexEditMenu;
    TBannerMenu* Zip1;
    TBannerMenu* TextFormatMenu;
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
    void ViewStyleSort(QObject* sender);
    void FileListDblClick();

    // Dispatch of a clicked file and the viewer entries.
    void Sort(QObject* sender);
    void Text(QObject* sender);
    void Pict(QObject* sender);
    void WebView(QObject* sender);
    void ZipView(QObject* sender);
    void IconView(QObject* sender);
    void RunViewerEntry(ViewerEntry entry, QObject* sender);

    // Page and menu switching.
    void MenuVisable(QObject* sender = nullptr);
    void ProgPagesChange();
    void PagesChange();
    ViewerSheet ShowingViewerSheet() const;
    /// Shows a viewer sheet from code; the user-change handler does not run.
    void SelectViewerSheet(QWidget* sheet);

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
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Save-changes questions of the editing pages: a cancel throws KorAbort (text, HTML) or
    // answers false (hex). Virtual so the close and dispatch rules can be exercised alone.
    virtual void AskSaveText();
    virtual bool AskSaveHex();
    virtual void AskSaveHtml();
    /// Name of the first selected file-list item, empty when none.
    virtual QString SelectedFileName() const;

private:
    // Page hooks: each page fills its own as it arrives; until then they do nothing.
    void FillFontNames();
    void EditMenuUpdate();
    void SetTextMargins();
    void SetSourceMargins() {}
    void UpdateLineColumn();
    void UpdatePasteButton();
    void TextButSort();
    bool HtmlSourceShowing() const { return false; }
    void ResetHtmlHistory() {}
    void HTMLButSort() {}
    void LoadHtml(const QString&) {}
    void LoadPicture(const QString&) {}
    void PicButSort() {}
    void RefitPicture() {}
    void LayoutThumbnails() {}
    void LoadIcons(const QString&) {}
    void ThumbClear() {}
    void LoadThumbnails() {}
    void SetHtmlFileListDirectory(const QString&) {}
    void OpenArchive(const QString&) {}
    void SetupZipGrid() {}
    void LoadZipEngine() {}
    void UnloadZipEngine() {}
    bool ZipAddPanelShowing() const { return false; }
    void HideZipExtractPanel() {}
    void ZipButSort() {}
    void UpdateHexButtons();
    void EnableDeleteFileBut() {}
    void FileOpsButSort() {}
    void ClipboardViewer1Change() {}
    void RefreshSystemInfo();

    void buildMenus();
    void buildBrowserSide();
    void buildTreeSheet();
    void buildFileToolBar();
    void PressMask(QToolButton* button);
    void buildViewerSide();
    void buildPages();
    void FitTreePanel();
    QWidget* newSheet(const QString& name);
    QToolButton* newExitButton(const QString& name, QWidget* parent);
    QString ViewSourceName(QObject* sender, ViewerEntry entry) const;
    QString FinderHandOverName() const;
    /// The exact bytes of the file a viewer entry opens.
    QByteArray RawPathOf(const QString& name) const;
    void readSettings();
    void writeSettings();
    QString settingsPath() const;

    QWidget* m_splash;
    std::unique_ptr<QPrinter> m_printer; ///< shared by the text and HTML pages
    std::unique_ptr<TFinderLink> m_finderLink;
    QList<QWidget*> m_secondary;
};
