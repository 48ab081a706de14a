#pragma once

#include "browser/FileAttributes.h"
#include "platform/Volumes.h"

#include <QAbstractFileIconProvider>
#include <QAbstractItemModel>
#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QStringList>

#include <functional>
#include <vector>

/// The directory tree's nodes and path bookkeeping, without widgets: one root per volume
/// (the root file system first), directories read lazily. Every node has an entry in the
/// path list, in creation order: "u" (children not read) or "i" (read) followed by the path,
/// which ends in "/" and keeps its letter case. A volume that is never touched while loading
/// has the placeholder child "u**"; a volume known to hold a directory has " ". Paths are
/// bytes, so directories whose names are not UTF-8 stay reachable.
class DirTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static inline const QString kUntouchedCaption = QStringLiteral("u**");
    static inline const QString kHasChildrenCaption = QStringLiteral(" ");

    explicit DirTreeModel(QObject* parent = nullptr);

    /// Options; reload() applies the first three to the root level.
    TDirTypes dirType = dtNormal | dtAll;
    bool allowNetwork = true;
    bool goBelowRecycleBin = true; ///< false: nothing inside a trash folder is listed
    /// May veto a directory path (ending in "/"); true lets it in.
    std::function<bool(const QString& path)> onAddDir;
    /// Whether captions can be edited (they only change the caption, never the disk).
    bool editable = false;
    /// Generic icons where the theme has none; the model does not own it.
    void setIconProvider(const QAbstractFileIconProvider* provider);

    /// Discards every node and builds the volume roots again from the host's volume list.
    /// Lets pending events run once after clearing.
    void reload();
    bool isLoaded() const { return m_loaded; }

    /// Reads a node's subdirectories once (state "u" to "i"), sorted case-insensitively,
    /// replacing its placeholder. A directory that cannot be read gets no children.
    void readNode(const QModelIndex& index);
    /// Reads the node, then each of its children, so the next level's expand marks are right.
    void expandNode(const QModelIndex& index);

    /// The node of a directory, reading each level on the way; invalid when the path is not an
    /// existing directory on a listed volume or a level is filtered out.
    QModelIndex locate(const QByteArray& directory);

    /// The node's path ending in "/"; empty for placeholders and invalid indexes.
    QByteArray pathOf(const QModelIndex& index) const;
    bool isPlaceholder(const QModelIndex& index) const;
    /// The root whose first child is the "u**" placeholder (never touched).
    bool isUntouched(const QModelIndex& root) const;

    /// The root of the listed volume holding the path (longest matching root), or empty.
    QByteArray volumeOf(const QByteArray& path) const;
    QModelIndex rootIndexOf(const QByteArray& volumeRoot) const;

    /// The directory last selected on a volume; the volume's root until one was.
    QByteArray rememberedDirectory(const QByteArray& volumeRoot) const;
    void remember(const QByteArray& directory);

    /// Every entry of the path list in creation order ("u/home/", "i/home/user/", ...).
    QStringList pathList() const;
    /// Whether the directory filter lets a path (ending in "/") in.
    bool acceptsPath(const QByteArray& path) const;

    /// An absolute path cleaned of ".", ".." and doubled "/", ending in "/"; empty when the
    /// path is relative.
    static QByteArray normalizeDirectory(const QByteArray& path);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node {
        QByteArray path;     ///< ends in "/"; empty for a placeholder
        QByteArray realPath; ///< symbolic links resolved, for loop detection
        QString caption;
        int parent = -1;
        int row = 0;
        std::vector<int> children;
        bool read = false;
        bool isRoot = false;
        platform::VolumeType volumeType = platform::VolumeType::Fixed;
    };

    int nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(int node) const;
    int addNode(Node node);
    void setChildren(int node, const std::vector<int>& children);
    bool passesDirType(const QByteArray& fullPath, const QByteArray& name) const;
    bool hasQualifyingSubdir(const QByteArray& root) const;
    bool repeatsAncestor(int parent, const QByteArray& realPath) const;
    int findRoot(const QByteArray& path) const;

    std::vector<Node> m_nodes;
    std::vector<int> m_roots;
    QHash<QByteArray, QByteArray> m_remembered;
    QByteArray m_homeTrash;
    bool m_loaded = false;
    bool m_rememberedCurrent = false;
    quint64 m_generation = 0;
    QAbstractFileIconProvider m_defaultProvider;
    const QAbstractFileIconProvider* m_provider = &m_defaultProvider;
    QIcon m_folderIcon;
};
