#include "browser/DirTreeModel.h"

#include "browser/BrowserIcons.h"
#include "browser/DirReader.h"
#include "browser/DriveRules.h"
#include "platform/Host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

using platform::VolumeInfo;
using platform::VolumeType;

namespace {

bool isDirectory(const QByteArray& path) {
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QByteArray canonical(const QByteArray& path) {
    char resolved[PATH_MAX];
    if (!::realpath(path.constData(), resolved)) return path;
    QByteArray result(resolved);
    return result.endsWith('/') ? result : result + '/';
}

// Removable, optical and unknown media, and network mounts that may hang, are not probed.
bool probedOnLoad(const VolumeInfo& volume) {
    if (!volume.hasMedia()) return false;
    return volume.type == VolumeType::Fixed || volume.type == VolumeType::Ram;
}

bool isTrashFolderName(const QByteArray& name) {
    if (name == ".Trash") return true;
    if (!name.startsWith(".Trash-") || name.size() == 7) return false;
    return std::all_of(name.begin() + 7, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

DirTreeModel::DirTreeModel(QObject* parent) : QAbstractItemModel(parent) {
    setIconProvider(&m_defaultProvider);
}

void DirTreeModel::setIconProvider(const QAbstractFileIconProvider* provider) {
    m_provider = provider ? provider : &m_defaultProvider;
    m_folderIcon = BrowserIcons::folder(*m_provider);
}

QByteArray DirTreeModel::normalizeDirectory(const QByteArray& path) {
    if (!path.startsWith('/')) return {};
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".") continue;
        if (part == "..") {
            if (!parts.isEmpty()) parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray result = "/";
    for (const QByteArray& part : parts)
        result += part + '/';
    return result;
}

bool DirTreeModel::acceptsPath(const QByteArray& path) const {
    if (!goBelowRecycleBin) {
        // The trash folders themselves stay; everything inside them goes.
        if (!m_homeTrash.isEmpty() && path.startsWith(m_homeTrash) && path != m_homeTrash)
            return false;
        const QList<QByteArray> parts = path.split('/');
        for (qsizetype i = 0; i + 2 < parts.size(); ++i)
            if (isTrashFolderName(parts[i])) return false;
    }
    return !onAddDir || onAddDir(QFile::decodeName(path));
}

bool DirTreeModel::passesDirType(const QByteArray& fullPath, const QByteArray& name) const {
    if (dirType & dtAll) return true;
    return PassesDirType(DosAttributes(fullPath, name), dirType);
}

bool DirTreeModel::hasQualifyingSubdir(const QByteArray& root) const {
    DirReader reader(root, DirReader::Facts::TypeOnly);
    DirEntry entry;
    while (reader.next(entry)) {
        if (!entry.isDir || entry.name == "." || entry.name == "..") continue;
        const QByteArray full = root + entry.name;
        if (acceptsPath(full + '/') && passesDirType(full, entry.name)) return true;
    }
    return false;
}

int DirTreeModel::addNode(Node node) {
    m_nodes.push_back(std::move(node));
    return int(m_nodes.size() - 1);
}

void DirTreeModel::setChildren(int node, const std::vector<int>& children) {
    const QModelIndex parentIndex = indexOf(node);
    std::vector<int>& current = node < 0 ? m_roots : m_nodes[size_t(node)].children;
    if (!current.empty()) {
        beginRemoveRows(parentIndex, 0, int(current.size()) - 1);
        current.clear();
        endRemoveRows();
    }
    if (children.empty()) return;
    beginInsertRows(parentIndex, 0, int(children.size()) - 1);
    for (size_t i = 0; i < children.size(); ++i) {
        m_nodes[size_t(children[i])].row = int(i);
        m_nodes[size_t(children[i])].parent = node;
    }
    current = children;
    endInsertRows();
}

void DirTreeModel::reload() {
    const quint64 generation = ++m_generation;
    m_loaded = false;
    beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    endResetModel();
    QCoreApplication::processEvents();
    if (generation != m_generation) return; // a reload run meanwhile has done the work

    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    m_homeTrash = dataHome.isEmpty() ? QByteArray() : QFile::encodeName(dataHome) + "/Trash/";

    std::vector<int> roots;
    for (const VolumeInfo& volume : platform::volumes().list()) {
        if (volume.rootPath.isEmpty()) continue;
        if (!allowNetwork && volume.type == VolumeType::Network) continue;
        const QByteArray root = normalizeDirectory(QFile::encodeName(volume.rootPath));
        if (root.isEmpty() || !acceptsPath(root)) continue;
        Node node;
        node.path = root;
        node.realPath = canonical(root);
        node.caption = volume.caption.isEmpty() ? volume.rootPath : volume.caption;
        node.isRoot = true;
        node.volumeType = volume.type;
        const int id = addNode(node);
        roots.push_back(id);
        QString placeholder;
        if (!probedOnLoad(volume))
            placeholder = kUntouchedCaption;
        else if (hasQualifyingSubdir(root))
            placeholder = kHasChildrenCaption;
        if (!placeholder.isEmpty()) {
            Node child;
            child.caption = placeholder;
            child.read = true;
            child.parent = id;
            const int childId = addNode(child); // may move the nodes: index after it
            m_nodes[size_t(id)].children.push_back(childId);
        }
    }
    setChildren(-1, roots);

    if (!m_rememberedCurrent) {
        m_rememberedCurrent = true;
        const QByteArray current = normalizeDirectory(QFile::encodeName(QDir::currentPath()));
        const QByteArray volume = volumeOf(current);
        if (!volume.isEmpty() && !m_remembered.contains(volume)) m_remembered[volume] = current;
    }
    m_loaded = true;
}

bool DirTreeModel::repeatsAncestor(int parent, const QByteArray& realPath) const {
    for (int n = parent; n >= 0; n = m_nodes[size_t(n)].parent)
        if (m_nodes[size_t(n)].realPath == realPath) return true;
    return false;
}

void DirTreeModel::readNode(const QModelIndex& index) {
    const int id = nodeOf(index);
    if (id < 0 || m_nodes[size_t(id)].read) return;
    m_nodes[size_t(id)].read = true;
    const QByteArray path = m_nodes[size_t(id)].path;
    const QByteArray realPath = m_nodes[size_t(id)].realPath;

    struct Found {
        QByteArray name;
        QString caption;
        bool isSymlink;
    };
    std::vector<Found> found;
    DirReader reader(path, DirReader::Facts::TypeOnly);
    DirEntry entry;
    while (reader.next(entry)) {
        if (!entry.isDir || entry.name == "." || entry.name == "..") continue;
        const QByteArray full = path + entry.name;
        if (!acceptsPath(full + '/') || !passesDirType(full, entry.name)) continue;
        found.push_back({entry.name, QFile::decodeName(entry.name), entry.isSymlink});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int c = QString::compare(a.caption, b.caption, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name < b.name;
    });

    std::vector<int> children;
    children.reserve(found.size());
    for (const Found& f : found) {
        Node child;
        child.path = path + f.name + '/';
        child.realPath = f.isSymlink ? canonical(child.path) : realPath + f.name + '/';
        child.caption = f.caption;
        // A link back to a directory above it is listed but never opens, so no loop forms.
        child.read = repeatsAncestor(id, child.realPath);
        children.push_back(addNode(child));
    }
    setChildren(id, children);
}

void DirTreeModel::expandNode(const QModelIndex& index) {
    readNode(index);
    const int id = nodeOf(index);
    if (id < 0) return;
    const std::vector<int> children = m_nodes[size_t(id)].children;
    for (const int child : children)
        readNode(indexOf(child));
}

int DirTreeModel::findRoot(const QByteArray& path) const {
    int best = -1;
    for (const int root : m_roots) {
        const QByteArray& rootPath = m_nodes[size_t(root)].path;
        if (!IsPathUnder(path, rootPath)) continue;
        if (best < 0 || rootPath.size() > m_nodes[size_t(best)].path.size()) best = root;
    }
    return best;
}

QModelIndex DirTreeModel::locate(const QByteArray& directory) {
    const QByteArray path = normalizeDirectory(directory);
    if (path.isEmpty()) return {};
    const int root = findRoot(path);
    if (root < 0) return {};
    if (path != m_nodes[size_t(root)].path && !isDirectory(path)) return {};
    int current = root;
    readNode(indexOf(current));
    const QByteArray rest = path.mid(m_nodes[size_t(root)].path.size());
    for (const QByteArray& part : rest.split('/')) {
        if (part.isEmpty()) continue;
        const QByteArray prefix = m_nodes[size_t(current)].path + part + '/';
        const std::vector<int>& children = m_nodes[size_t(current)].children;
        const auto it = std::find_if(children.begin(), children.end(),
                                     [&](int c) { return m_nodes[size_t(c)].path == prefix; });
        if (it == children.end()) return {};
        current = *it;
        readNode(indexOf(current));
    }
    return indexOf(current);
}

QByteArray DirTreeModel::pathOf(const QModelIndex& index) const {
    const int id = nodeOf(index);
    return id < 0 ? QByteArray() : m_nodes[size_t(id)].path;
}

bool DirTreeModel::isPlaceholder(const QModelIndex& index) const {
    const int id = nodeOf(index);
    return id >= 0 && m_nodes[size_t(id)].path.isEmpty();
}

bool DirTreeModel::isUntouched(const QModelIndex& root) const {
    const int id = nodeOf(root);
    if (id < 0 || m_nodes[size_t(id)].children.empty()) return false;
    return m_nodes[size_t(m_nodes[size_t(id)].children.front())].caption == kUntouchedCaption;
}

QByteArray DirTreeModel::volumeOf(const QByteArray& path) const {
    const int root = findRoot(path);
    return root < 0 ? QByteArray() : m_nodes[size_t(root)].path;
}

QModelIndex DirTreeModel::rootIndexOf(const QByteArray& volumeRoot) const {
    for (const int root : m_roots)
        if (m_nodes[size_t(root)].path == volumeRoot) return indexOf(root);
    return {};
}

QByteArray DirTreeModel::rememberedDirectory(const QByteArray& volumeRoot) const {
    return m_remembered.value(volumeRoot, volumeRoot);
}

void DirTreeModel::remember(const QByteArray& directory) {
    const QByteArray volume = volumeOf(directory);
    if (!volume.isEmpty()) m_remembered[volume] = directory;
}

QStringList DirTreeModel::pathList() const {
    QStringList entries;
    for (const Node& node : m_nodes)
        if (!node.path.isEmpty())
            entries.append((node.read ? "i" : "u") + QFile::decodeName(node.path));
    return entries;
}

int DirTreeModel::nodeOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return -1;
    const auto id = index.internalId();
    return id < m_nodes.size() ? int(id) : -1;
}

QModelIndex DirTreeModel::indexOf(int node) const {
    if (node < 0) return {};
    return createIndex(m_nodes[size_t(node)].row, 0, quintptr(node));
}

QModelIndex DirTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const int parentId = nodeOf(parent);
    if (parent.isValid() && parentId < 0) return {};
    const std::vector<int>& children = parentId < 0 ? m_roots : m_nodes[size_t(parentId)].children;
    if (size_t(row) >= children.size()) return {};
    return indexOf(children[size_t(row)]);
}

QModelIndex DirTreeModel::parent(const QModelIndex& child) const {
    const int id = nodeOf(child);
    return id < 0 ? QModelIndex() : indexOf(m_nodes[size_t(id)].parent);
}

int DirTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return int(m_roots.size());
    const int id = nodeOf(parent);
    return id < 0 || parent.column() != 0 ? 0 : int(m_nodes[size_t(id)].children.size());
}

int DirTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant DirTreeModel::data(const QModelIndex& index, int role) const {
    const int id = nodeOf(index);
    if (id < 0) return {};
    const Node& node = m_nodes[size_t(id)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node.caption;
    case Qt::ToolTipRole:
        return node.isRoot ? QVariant(QFile::decodeName(node.path)) : QVariant();
    case Qt::DecorationRole:
        if (node.path.isEmpty()) return {};
        return node.isRoot ? BrowserIcons::volume(node.volumeType, *m_provider) : m_folderIcon;
    default:
        return {};
    }
}

bool DirTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int id = nodeOf(index);
    if (id < 0 || role != Qt::EditRole || !editable || isPlaceholder(index)) return false;
    m_nodes[size_t(id)].caption = value.toString();
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags DirTreeModel::flags(const QModelIndex& index) const {
    if (nodeOf(index) < 0 || isPlaceholder(index)) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) f |= Qt::ItemIsEditable;
    return f;
}
