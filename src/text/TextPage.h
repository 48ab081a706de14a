#pragma once

#include "core/ViewerPage.h"
#include "text/PlainText.h"

#include <QByteArray>
#include <QWidget>

#include <memory>

class QPrinter;
class QTextDocument;
class QTextEdit;
class QToolButton;
class TBannerMenu;
class TFormatBar;
class TGradientPanel;
class TSearchDialog;
class TStatusPanels;
class TanlRuler;

/// The content of the "TextEdit" sheet (object name "TextPage"): the rich-text editor `View` with
/// the tool buttons above it, the ruler, the format bar below it and the status bar `StatText` (0
/// the modified mark, 1 line and column, 2 the folder, 3 the document name). It makes and fills its
/// three menus `TextMenu` ("&File"), `EditTextMenu` ("&Edit") and `TextFormatMenu` ("Format") and
/// owns its context menu `PopupMenu2` and the modeless find and replace dialogs. Every message box and modal dialog goes through the prompter.
///
/// Documents are read as rich text when they are RTF, else as plain text whose encoding
/// and line breaks are kept; Save writes them in the form they were read in (a .txt file
/// holding RTF stays RTF). A new document, or Save As with another extension, is saved as
/// rich text when the name's extension starts with ".rtf" (any letter case), else as plain
/// text; always through a temporary file and a rename. The page saves to the path it loaded from or
/// last saved to, also when the document name shows a bare file name.
///
/// The edit menu's shortcuts (Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Del) act only while that menu's
/// own action (menuAction()) is visible: Qt ignores shortcuts of hidden menus, so on other
/// pages the keys reach the focused control.
class TTextPage : public QWidget, public TViewerPage {
    Q_OBJECT
public:
    /// The printer is shared with the HTML page and must outlive the page.
    explicit TTextPage(QPrinter* printer, QWidget* parent = nullptr);

    ViewerSheet Sheet() const override { return ViewerSheet::TextEdit; }
    QWidget* Widget() override { return this; }
    QList<TBannerMenu*> Menus() const override { return {TextMenu, EditTextMenu, TextFormatMenu}; }
    /// FillFontNames, then EditMenuUpdate.
    void PageCreate() override;
    void WindowPaint() override { SetTextMargins(); }
    /// UpdateLineColumn, then UpdatePasteButton.
    void WindowShown() override;
    void WindowResized(bool) override { EditMenuUpdate(); }
    void SheetChanged(ViewerSheet) override { UpdatePasteButton(); }
    void ButSort() override { TextButSort(); }
    void AskSave() override { AskSaveText(); }
    /// The window's show step for this page, AskSaveText, then LoadDocument with the file's
    /// name and directory, then TextButSort.
    void OpenFile(const ViewedFile& file) override;

    /// Fills the font-name list (once at start-up).
    void FillFontNames();
    /// Sets the format bar and the ruler from the caret, the Copy, Cut and Delete buttons
    /// from the selection, then UpdateLineColumn and TextButSort.
    void EditMenuUpdate();
    /// Insets the text 30 pixels from the editor's left and right edges.
    void SetTextMargins();
    /// Panel 1 = "Line: %3d   Col: %3d" for the selection start; Copy and Cut follow the
    /// selection.
    void UpdateLineColumn();
    /// Enables Paste when the clipboard holds something the editor can paste.
    void UpdatePasteButton();
    /// Save, Save As, Print, Select All and Find are enabled when the document holds text.
    void TextButSort();
    /// When the document is marked modified, asks "Save changes to <name>?": Yes saves,
    /// No returns, Cancel throws KorAbort. A failed save throws KorError.
    void AskSaveText();
    /// Saves when the document has unsaved changes (Save As for an untitled one).
    void FileSave();
    /// Reads the file into the editor, replacing the document: the document name (panel 3)
    /// becomes `documentName`, panel 2 `folder`, the modified mark is cleared, then
    /// TextButSort. Throws KorError ("Cannot open file ..." or "Failed to Load Stream")
    /// and leaves the document and every panel as they were when the file cannot be read.
    /// Does not ask AskSaveText; the caller does.
    void LoadDocument(const QByteArray& path, const QString& documentName, const QString& folder);
    void LoadDocument(const QString& path, const QString& documentName, const QString& folder);

    /// The name last chosen in a Save As dialog, shared with the HTML page.
    QString LastSaveName() const { return m_lastSaveName; }
    void setLastSaveName(const QString& name) { m_lastSaveName = name; }

    TBannerMenu* TextMenu;
    TBannerMenu* EditTextMenu;
    TBannerMenu* TextFormatMenu;
    QTextEdit* View;
    TStatusPanels* StatText;
    TanlRuler* Ruler;
    TFormatBar* FormatBar;
    QToolButton* TextNewBut;
    QToolButton* TextOpenBut;
    QToolButton* SaveButton;
    QToolButton* SaveAsBut;
    QToolButton* PrintBut;
    QToolButton* CopyBut;
    QToolButton* CutBut;
    QToolButton* PasteBut;
    QToolButton* DeleteBut;
    QToolButton* SelAllBut;
    QToolButton* UndoBut;
    QToolButton* WrapBut;
    QToolButton* FindBut;
    TBannerMenu* PopupMenu2;
    TSearchDialog* FindDialog;
    TSearchDialog* ReplaceDialog;

Q_SIGNALS:
    /// A save wrote (or may have written) a file: the file list should re-read its folder.
    void fileListRefreshRequested();
    /// Save As chose a name; the HTML page's Save As proposes it next.
    void lastSaveNameChanged(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar(TGradientPanel* bar);
    void buildMenus();

    void TextNewButClick();
    void TextOpenButClick();
    void SaveText();
    void SaveTextAs();
    void PrintButClick();
    void PrinterSetupClick();
    void CopyButClick();
    void CutButClick();
    void PasteButClick();
    void DeleteButClick();
    void WrapButClick();
    void Find(const TSearchDialog& dialog);
    void Replace(bool all);
    void ViewChange();

    void showSearchDialog(TSearchDialog* dialog);
    void prepareDocument(QTextDocument& document) const;
    void installDocument(std::unique_ptr<QTextDocument> document);
    void setModifiedMark(bool modified);
    void applyWordWrap();

    QPrinter* m_printer;
    QByteArray m_path; // where the document is saved; empty while untitled
    PlainTextFormat m_plainFormat;
    bool m_rich = false; // the document is saved as RTF
    QString m_lastSaveName;
    bool m_modified = false; // the editor's own modified flag
    bool m_wrap = true;
};
