#pragma once

#include "core/ViewerPage.h"

#include <QWidget>

class QAction;
class QButtonGroup;
class QKeyEvent;
class QToolButton;
class TBannerMenu;
class TGradientPanel;
class THexEditor;
class TStatusPanels;

/// The content of the "HexEdit" sheet: a tool bar (New, Open, Save, Save As, Copy, Cut,
/// Paste, Undo and the 16/32/64 bytes-per-line group), the hex editor HexEditor1, the
/// status bar StatHex and the pop-up menu HexPop. The page makes its two top-level menus,
/// HexFileMenu ("File") and HexEditMenu ("Edit"), and refreshes them when they open.
///
/// Every handler is a plain public function; the controls call them through the command
/// guard. The clipboard carries the document's bytes as single-byte text, so a copied
/// selection ends at its first zero byte.
class THexPage : public QWidget, public TViewerPage {
    Q_OBJECT
public:
    explicit THexPage(QWidget* parent = nullptr);

    ViewerSheet Sheet() const override { return ViewerSheet::HexEdit; }
    QWidget* Widget() override { return this; }
    QList<TBannerMenu*> Menus() const override { return {HexFileMenu, HexEditMenu}; }
    void PageShown() override { UpdateHexButtons(); }
    void ButSort() override { UpdateHexButtons(); }
    /// AskSaveHex; a Cancel (or a failed save) throws KorAbort.
    void AskSave() override;
    /// Any file clicked in the list while the page shows loads here (LoadFromList).
    bool OpensClickedFiles() const override { return true; }
    void OpenFile(const ViewedFile& file) override { LoadFromList(file.rawPath); }

    /// The save-changes question for a modified document: Yes saves, No drops the changes.
    /// True when the caller may go on (close, load another file); false on Cancel or when
    /// saving failed.
    bool AskSaveHex();
    /// Saves under FileName, or asks for one; shows "Cannot save file" when writing fails.
    bool SaveHex();
    /// A file chosen in the file list while this page shows: asks to save changes, then
    /// loads the file and enables Save. False when the question stopped it. Throws
    /// KorError for a file of 2 GiB or more.
    bool LoadFromList(const QString& fullPath);
    /// The same for a path given by its bytes, so names that are not UTF-8 load too. A file
    /// that cannot be read gives a message naming it and the reason.
    bool LoadFromList(const QByteArray& rawPath);
    /// Recomputes the enabled state of the tool buttons.
    void UpdateHexButtons();

    void HexNewButClick();
    void HexOpenButClick();
    void HexSaveButClick();
    void HexSaveAsButClick();
    void HexUndoButClick();
    void HexCopyButClick();
    void HexCutButClick();
    void HexPasteButClick();
    void Hex16ButClick(int bytesPerLine);
    void HexFileMenuClick();
    void HexEditMenuClick();
    void HexPopPopup();
    void HexEditor1StateChanged();
    void HexEditor1KeyDown(QKeyEvent* event);

    QToolButton* HexNewBut;
    QToolButton* HexOpenBut;
    QToolButton* HexSaveBut;
    QToolButton* HexSaveAsBut;
    QToolButton* HexCopyBut;
    QToolButton* HexCutBut;
    QToolButton* HexPasteBut;
    QToolButton* HexUndoBut;
    QToolButton* Hex16But;
    QToolButton* Hex32But;
    QToolButton* Hex64But;
    THexEditor* HexEditor1;
    TStatusPanels* StatHex;

    TBannerMenu* HexFileMenu;
    QAction* HexNew;
    QAction* HexOpen;
    QAction* HexSave;
    QAction* HexSaveAs;
    TBannerMenu* HexEditMenu;
    QAction* HexUndo2;
    QAction* HexCopy2;
    QAction* HexCut2;
    QAction* HexPaste2;
    TBannerMenu* HexPop;
    QAction* HexUndo1;
    QAction* HexCopy1;
    QAction* HexCut1;
    QAction* HexPaste1;

Q_SIGNALS:
    /// A document was written to this file (the file list may want to re-read).
    void hexFileSaved(const QString& fileName);

private:
    /// Loads the editor's file; a failure gives the reason in a message box.
    bool loadNamed();
    void buildToolBar();
    void buildMenus();
    void refreshEditMenu(QAction* undo, QAction* copy, QAction* cut, QAction* paste);

    TGradientPanel* m_toolBar;
    QButtonGroup* m_widthGroup;
};
