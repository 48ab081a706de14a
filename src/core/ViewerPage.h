#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;
class TBannerMenu;

/// The viewer sheets of the main window's ProgPages, in tab order.
enum class ViewerSheet { TextEdit, Html, ImageView, Thumbs, IconView, Zip, HexEdit, ClipView };

/// A file a viewer entry hands to a page: chosen in the file list or by the File Finder.
struct ViewedFile {
    QByteArray rawPath; ///< the exact bytes of the path, also for a name that is not UTF-8
    QString name;       ///< the file name as listed
    QString directory;  ///< the tree's directory, ending in "/"
    QString path() const { return directory + name; }
};

/// What the main window needs of a viewer page. A page is a widget in its own feature folder
/// that builds its controls and menus; the main window places it on its sheet, orders its menus
/// among the others and calls these steps at the points of the window's life they name. Every
/// step but the first three has a default that does nothing, so a page implements only what it
/// takes part in.
class TViewerPage {
public:
    virtual ~TViewerPage() = default;

    /// The sheet the page fills.
    virtual ViewerSheet Sheet() const = 0;
    /// The page itself, placed on its sheet.
    virtual QWidget* Widget() = 0;
    /// The page's top-level menus; the main window puts them in the menu bar by their names.
    virtual QList<TBannerMenu*> Menus() const = 0;
    /// Whether the page's menus show while `showing` is the viewer sheet up.
    virtual bool ShowsMenusOn(ViewerSheet showing) const { return showing == Sheet(); }

    /// Once, while the window is made, before the tree reads its first directory.
    virtual void PageCreate() {}
    /// On every paint of the window: margins and other layout the page keeps in step.
    virtual void WindowPaint() {}
    /// After the window is shown, and before a viewer entry loads the text page.
    virtual void WindowShown() {}
    /// The window was resized; `showing` tells whether this page's sheet is up.
    virtual void WindowResized(bool showing) { (void)showing; }
    /// The user brought this page's sheet up: the page refreshes its buttons.
    virtual void PageShown() {}
    /// Any viewer sheet came up (after PageShown and the resize step).
    virtual void SheetChanged(ViewerSheet showing) { (void)showing; }
    /// Enables the page's buttons from what it holds now.
    virtual void ButSort() {}
    /// Asks whether unsaved changes should be saved; throws KorAbort when the user cancels.
    virtual void AskSave() {}
    /// True when the close request asks AskSave before the window closes; false when it is
    /// asked as the window closes, after the settings are written.
    virtual bool AsksSaveBeforeClose() const { return true; }
    /// Shows a file handed over by a viewer entry; throws KorError when it cannot.
    virtual void OpenFile(const ViewedFile& file) { (void)file; }
    /// While the page shows, a file clicked in the list opens in it whatever its kind.
    virtual bool OpensClickedFiles() const { return false; }
    /// While true, a click in the file list opens nothing: the page is choosing files from it.
    virtual bool HoldsFileList() const { return false; }
    /// A click in the file list was handled (whichever page showed the file).
    virtual void FileClicked() {}
    /// The tree moved to another directory.
    virtual void DirectoryChanged(const QString& directory, bool showing) {
        (void)directory;
        (void)showing;
    }
};
