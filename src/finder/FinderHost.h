#pragma once

#include "finder/FindResults.h"

#include <QByteArray>

class QObject;

/// What the finder window needs from the main window. Paths are bytes; directories end
/// in "/".
class TFinderHost {
public:
    virtual ~TFinderHost() = default;
    /// Moves the directory tree (and with it the file list) to the directory.
    virtual void setTreeDirectory(const QByteArray& directory) = 0;
    /// Re-reads and repaints the file list.
    virtual void rereadFileList() = 0;
    /// The text page's save-changes question; throws KorAbort when it is cancelled.
    virtual void askSaveText() = 0;
    /// Whether the zip page is collecting files to add.
    virtual bool zipAddPanelShown() const = 0;
    /// Runs a viewer entry with the finder's item as the sender; the entry takes the file
    /// from the tree's directory and the finder's hand-over name.
    virtual void view(findsearch::Viewer viewer, QObject* sender) = 0;
    /// After a file was shown: enables the delete-file button, hides the zip-extract panel.
    virtual void fileShown() = 0;
    /// The main window's delete operation (to the trash, no question); throws KorError.
    virtual void deleteFile(const QByteArray& path) = 0;
    /// The properties window on the file, its "Change" button hidden.
    virtual void showProperties(const QByteArray& path) = 0;
};
