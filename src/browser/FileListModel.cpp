#include "browser/FileListModel.h"

#include "browser/BrowserIcons.h"
#include "browser/DirReader.h"
#include "browser/FileMask.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

const char* const kCaptions[] = {"Name", "Size", "Type", "Modified"};
constexpr int kBatch = 256;

template <class T> int compareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

QString extensionOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {
    m_folderTypeName = QMimeDatabase().mimeTypeForName("inode/directory").comment();
    setIconProvider(&m_defaultProvider);
}

void FileListModel::setIconProvider(const QAbstractFileIconProvider* provider) {
    m_provider = provider ? provider : &m_defaultProvider;
    m_folderIcon = BrowserIcons::folder(*m_provider);
}

void FileListModel::setMask(const QString& maskText) {
    m_maskList = SplitMaskList(maskText);
    m_matcher = MaskMatcher(m_maskList);
    rereadIfSet();
}

void FileListModel::setFileTypes(TFileTypes types) {
    m_fileTypes = types;
    rereadIfSet();
}

void FileListModel::setDisplayDirectory(bool on) {
    m_displayDirectory = on;
    rereadIfSet();
}

void FileListModel::setDisplayParentDir(bool on) {
    m_displayParentDir = on;
    rereadIfSet();
}

void FileListModel::rereadIfSet() {
    if (!m_directory.isEmpty()) reread();
}

void FileListModel::setSortColumn(TSortColumn column) {
    m_sortColumn = column;
    sortItems();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FileListModel::columnClick(TSortColumn column) {
    if (column == m_sortColumn) m_reversed = !m_reversed;
    setSortColumn(column);
}

void FileListModel::setDrawSortSign(bool on) {
    m_drawSortSign = on;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString FileListModel::columnCaption(int column) const {
    if (column < 0 || column >= columnCount()) return {};
    QString caption = QString::fromLatin1(kCaptions[column]);
    if (m_drawSortSign && column == m_sortColumn) caption += m_reversed ? '-' : '+';
    return caption;
}

bool FileListModel::setDirectory(const QByteArray& directory) {
    QByteArray path = directory;
    if (path == "?") path.clear(); // the tree's "nothing selected"
    if (!path.isEmpty() && !path.endsWith('/')) path += '/';
    if (path == m_directory) return false;
    m_directory = path;
    reread();
    return true;
}

int FileListModel::typeFor(const QString& fileName) {
    const QString extension = extensionOf(fileName);
    const auto cached = m_typeCache.constFind(extension);
    if (cached != m_typeCache.constEnd()) return *cached;
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    m_types.push_back({mime.comment(), BrowserIcons::fileType(mime, *m_provider)});
    const int type = int(m_types.size() - 1);
    m_typeCache.insert(extension, type);
    return type;
}

void FileListModel::append(std::vector<FileItem>& batch) {
    if (batch.empty()) return;
    const int first = count();
    beginInsertRows({}, first, first + int(batch.size()) - 1);
    m_items.insert(m_items.end(), std::make_move_iterator(batch.begin()),
                   std::make_move_iterator(batch.end()));
    endInsertRows();
    batch.clear();
}

void FileListModel::reread() {
    const quint64 generation = ++m_generation;
    m_listing = true;
    beginResetModel();
    m_items.clear();
    m_types.clear();
    m_typeCache.clear();
    endResetModel();

    QElapsedTimer sinceYield;
    sinceYield.start();
    std::vector<FileItem> batch;
    batch.reserve(kBatch);
    DirReader reader(m_directory, DirReader::Facts::Full);
    m_readError.clear();
    if (!m_directory.isEmpty() && !reader.isOpen())
        m_readError = QStringLiteral("Cannot read the folder \"%1\". %2")
                          .arg(QFile::decodeName(m_directory),
                               QString::fromLocal8Bit(strerror(reader.error())));
    DirEntry entry;
    int seen = 0;
    while (reader.next(entry)) {
        if (++seen % kBatch == 0 && sinceYield.elapsed() >= m_yieldMs) {
            append(batch);
            QCoreApplication::processEvents();
            if (generation != m_generation) return; // superseded by a newer listing
            sinceYield.restart();
        }
        if (!entry.hasFacts || entry.name == ".") continue;
        const bool parentEntry = entry.name == "..";
        if (entry.isDir && (!m_displayDirectory || (parentEntry && !m_displayParentDir))) continue;
        const quint32 attributes =
            EntryAttributes(m_directory + entry.name, entry.name, entry.mode);
        if (!PassesFileTypes(attributes, m_fileTypes)) continue;
        FileItem item;
        item.name = QFile::decodeName(entry.name);
        if (!entry.isDir && !m_matcher.matches(item.name)) continue;
        item.rawName = std::move(entry.name);
        item.caption = DisplayName(item.name);
        item.sortKey = item.caption.toUpper();
        item.attributes = attributes;
        item.size = entry.size;
        item.modifiedMs = entry.modifiedMs;
        item.isDir = entry.isDir;
        item.isParent = parentEntry;
        item.type = entry.isDir ? -1 : typeFor(item.name);
        batch.push_back(std::move(item));
    }
    append(batch);
    sortItems();
    m_typeCache.clear();
    m_listing = false;
    Q_EMIT listed();
}

bool FileListModel::lessThan(const FileItem& a, const FileItem& b,
                             const std::vector<int>& typeRank) const {
    // ".." first, then directories, then files, whatever the direction.
    const auto group = [](const FileItem& i) { return i.isParent ? 0 : (i.isDir ? 1 : 2); };
    if (group(a) != group(b)) return group(a) < group(b);
    int c = 0;
    switch (m_sortColumn) {
    case clName:
        c = QString::compare(a.sortKey, b.sortKey);
        break;
    case clSize:
        c = compareValues(a.size, b.size);
        break;
    case clType:
        c = compareValues(typeRank[size_t(a.type + 1)], typeRank[size_t(b.type + 1)]);
        break;
    case clDate:
        c = compareValues(b.modifiedMs, a.modifiedMs); // newest first
        break;
    }
    if (m_reversed) c = -c;
    if (c != 0) return c < 0;
    c = QString::compare(a.sortKey, b.sortKey);
    return c != 0 ? c < 0 : a.rawName < b.rawName;
}

void FileListModel::sortItems() {
    if (m_items.size() < 2) return;
    // Type names are ranked once, so the comparison of items compares two numbers.
    std::vector<int> byName(m_types.size() + 1);
    std::iota(byName.begin(), byName.end(), -1);
    const auto nameOf = [&](int t) { return t < 0 ? m_folderTypeName : m_types[size_t(t)].name; };
    std::sort(byName.begin(), byName.end(),
              [&](int x, int y) { return QString::compare(nameOf(x), nameOf(y)) < 0; });
    std::vector<int> typeRank(byName.size());
    for (size_t rank = 0; rank < byName.size(); ++rank) {
        const bool tie = rank > 0 && nameOf(byName[rank]) == nameOf(byName[rank - 1]);
        typeRank[size_t(byName[rank] + 1)] =
            tie ? typeRank[size_t(byName[rank - 1] + 1)] : int(rank);
    }

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(m_items.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        return lessThan(m_items[size_t(x)], m_items[size_t(y)], typeRank);
    });
    std::vector<FileItem> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> newRow(m_items.size());
    for (size_t row = 0; row < order.size(); ++row) {
        newRow[size_t(order[row])] = int(row);
        sorted.push_back(std::move(m_items[size_t(order[row])]));
    }
    m_items.swap(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRow[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString FileListModel::typeName(int row) const {
    const FileItem& i = item(row);
    return i.type < 0 ? m_folderTypeName : m_types[size_t(i.type)].name;
}

void FileListModel::renameItem(int row, const QString& newName) {
    if (row < 0 || row >= count()) return;
    FileItem& i = m_items[size_t(row)];
    i.name = newName;
    i.rawName = QFile::encodeName(newName);
    i.caption = DisplayName(newName);
    i.sortKey = i.caption.toUpper();
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QString FileListModel::formatModified(qint64 modifiedMs) {
    static const QString timeFormat = [] {
        QString format = QLocale().timeFormat(QLocale::ShortFormat);
        format.remove(QRegularExpression("[:.,]?s+"));
        format.remove(QRegularExpression("[:.,]?z+"));
        return format.trimmed();
    }();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(modifiedMs).toLocalTime();
    const QLocale locale;
    return locale.toString(local.date(), QLocale::ShortFormat) + "  " +
           locale.toString(local.time(), timeFormat);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return {};
    const FileItem& i = item(index.row());
    if (role == Qt::TextAlignmentRole)
        return index.column() == clSize ? int(Qt::AlignRight | Qt::AlignVCenter)
                                        : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::DecorationRole && index.column() == clName)
        return i.type < 0 ? m_folderIcon : m_types[size_t(i.type)].icon;
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
    case clName:
        return i.caption;
    case clSize:
        return i.isDir ? QString() : QString::asprintf("%10lld", static_cast<long long>(i.size));
    case clType:
        return typeName(index.row());
    case clDate:
        return formatModified(i.modifiedMs);
    }
    return {};
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!editable || role != Qt::EditRole || index.column() != clName || index.row() >= count())
        return false;
    m_items[size_t(index.row())].caption = value.toString();
    Q_EMIT dataChanged(index, index);
    return true;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return columnCaption(section);
    if (role == Qt::TextAlignmentRole)
        return section == clSize ? int(Qt::AlignRight | Qt::AlignVCenter)
                                 : int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (editable && index.column() == clName) f |= Qt::ItemIsEditable;
    return f;
}
