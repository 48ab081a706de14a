#pragma once

#include "browser/FileAttributes.h"

#include <QByteArray>
#include <QFileIconProvider>
#include <QTreeView>

#include <functional>

class DirTreeModel;

/// The directory tree: every volume and, below each, its directories, read lazily when a
/// node is expanded or a path is opened through it. Its directory ends in "/" and keeps its
/// letter case; "?" means that nothing is selected.
class Tdirtree : public QTreeView {
    Q_OBJECT
public:
    /// With readOnStart the volumes are loaded at once (ReadOnStart).
    explicit Tdirtree(QWidget* parent = nullptr, bool readOnStart = true);

    /// The selected directory, or "?" when nothing is selected.
    QString Directory() const;
    /// The selected directory as bytes (empty when nothing is selected); the only exact form
    /// for a directory whose name is not UTF-8.
    QByteArray rawDirectory() const;
    /// Goes to a directory: "?" is ignored; a missing "/" is added; a path that is not an
    /// existing directory on a listed volume, or whose chain of nodes cannot be found,
    /// leaves the selection unchanged. Selecting the node raises OnChange.
    void setDirectory(const QString& directory);
    void setRawDirectory(const QByteArray& directory);

    bool ReadOnStart() const { return m_readOnStart; }
    TDirTypes DirType() const;
    void setDirType(TDirTypes types);
    bool AllowNetwork() const;
    void setAllowNetwork(bool allow);
    /// False hides everything inside the trash folders (the home trash, .Trash-<uid> and
    /// .Trash on each volume); the trash folders themselves stay listed.
    bool GoBelowRecycleBin() const;
    void setGoBelowRecycleBin(bool allow);
    bool Readonly() const;
    void setReadonly(bool readOnly);
    /// OnAddDir: may veto a directory path (ending in "/") before it is listed; true adds it.
    void setOnAddDir(std::function<bool(const QString& path)> handler);

    /// Rebuilds all volume nodes (also run by the three option setters).
    void reload();
    /// Reloads and returns to the current directory, else to its volume's root, else to the
    /// remembered directory of the first volume that was probed (the drive refresh).
    void refresh();
    /// Opens the remembered directory of a volume (its root until one was selected there),
    /// or the root when that directory is gone. Nothing happens when it is the current volume.
    void goToDrive(const QString& volumeRoot);
    /// The root of the volume holding the current directory, or "?" when nothing is selected.
    QString currentDrive() const;

    DirTreeModel* pathModel() const { return m_model; }

Q_SIGNALS:
    /// Raised after every change of the selected directory.
    void OnChange();

private:
    void goTo(const QByteArray& directory);
    void selectNode(const QModelIndex& index);
    void selectionMoved();
    QModelIndex selectedNode() const;

    DirTreeModel* m_model;
    QFileIconProvider m_icons;
    bool m_readOnStart;
};
