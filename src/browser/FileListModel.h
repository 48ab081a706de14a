#pragma once

#include "browser/FileAttributes.h"
#include "browser/MaskMatcher.h"

#include <QAbstractFileIconProvider>
#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QStringList>

#include <vector>

/// The file list's columns, in header order.
enum TSortColumn { clName, clSize, clType, clDate };

/// One listed entry. The stored name (bytes) reaches the file; the caption only shows it.
struct FileItem {
    QByteArray rawName;
    QString name;    ///< the stored name decoded (lossy when it is not UTF-8)
    QString caption; ///< DisplayName(name)
    QString sortKey; ///< caption upper-cased, for the name order
    quint32 attributes = 0;
    qint64 size = 0;
    qint64 modifiedMs = 0;
    int type = -1; ///< index into the listing's type table; -1 for directories
    bool isDir = false;
    bool isParent = false; ///< the ".." entry
};

/// The file list's items without widgets: the listing of one directory filtered by the mask
/// list and the attribute filter, the sort order with its header signs, and the column texts.
/// Icons and type names come from the icon theme and the MIME database, looked up once per
/// extension per listing.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    /// The patterns joined with ";".
    QString mask() const { return m_maskList.join(';'); }
    /// Splits the text into the mask list (SplitMaskList) and re-reads.
    void setMask(const QString& maskText);
    const QStringList& maskList() const { return m_maskList; }

    TFileTypes fileTypes() const { return m_fileTypes; }
    void setFileTypes(TFileTypes types);
    bool displayDirectory() const { return m_displayDirectory; }
    void setDisplayDirectory(bool on);
    bool displayParentDir() const { return m_displayParentDir; }
    void setDisplayParentDir(bool on);

    TSortColumn sortColumn() const { return m_sortColumn; }
    /// Sorts by the column in the current direction.
    void setSortColumn(TSortColumn column);
    bool sortReversed() const { return m_reversed; }
    /// A header click: the sorted column toggles the direction, another column sorts by it.
    void columnClick(TSortColumn column);
    bool drawSortSign() const { return m_drawSortSign; }
    void setDrawSortSign(bool on);
    /// The caption of a column: its base caption, plus "+" or "-" on the sorted column when
    /// the sign is drawn.
    QString columnCaption(int column) const;

    /// The listed directory as bytes, ending in "/" (empty until set).
    const QByteArray& directory() const { return m_directory; }
    /// Adds a missing "/"; re-reads only when the directory differs. True when it re-read.
    /// An empty directory or "?" (nothing selected in the tree) lists nothing.
    bool setDirectory(const QByteArray& directory);
    /// Lists the directory again. Pending events run every yield interval, so a click may
    /// see a partial list; a listing started meanwhile supersedes this one.
    void reread();
    /// How often a listing lets pending events run (milliseconds; 0 after every batch).
    void setYieldInterval(int ms) { m_yieldMs = ms; }
    bool isListing() const { return m_listing; }
    /// Why the directory could not be read at the last listing; empty when it could.
    QString readError() const { return m_readError; }

    int count() const { return int(m_items.size()); }
    const FileItem& item(int row) const { return m_items[size_t(row)]; }
    QByteArray rawPath(int row) const { return m_directory + m_items[size_t(row)].rawName; }
    QString typeName(int row) const;
    /// Replaces the stored name of an item; its caption becomes the new display name.
    void renameItem(int row, const QString& newName);

    /// Whether captions can be edited (only the caption changes).
    bool editable = false;
    void setIconProvider(const QAbstractFileIconProvider* provider);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The "Modified" text of a time: short date, two spaces, time without seconds.
    static QString formatModified(qint64 modifiedMs);

Q_SIGNALS:
    /// A listing ran to its end (one superseded by a newer listing does not).
    void listed();

private:
    struct FileType {
        QString name;
        QIcon icon;
    };

    void rereadIfSet();
    int typeFor(const QString& fileName);
    void append(std::vector<FileItem>& batch);
    void sortItems();
    bool lessThan(const FileItem& a, const FileItem& b, const std::vector<int>& typeRank) const;

    QStringList m_maskList{QStringLiteral("*.*")};
    MaskMatcher m_matcher;
    TFileTypes m_fileTypes = ftArchive | ftReadonly;
    bool m_displayDirectory = false;
    bool m_displayParentDir = false;
    TSortColumn m_sortColumn = clName;
    bool m_reversed = false;
    bool m_drawSortSign = true;

    QByteArray m_directory;
    std::vector<FileItem> m_items;
    std::vector<FileType> m_types;
    QHash<QString, int> m_typeCache; ///< lower-case extension to type, for one listing
    quint64 m_generation = 0;
    bool m_listing = false;
    QString m_readError;
    int m_yieldMs = 50;

    QAbstractFileIconProvider m_defaultProvider;
    const QAbstractFileIconProvider* m_provider = &m_defaultProvider;
    QString m_folderTypeName;
    QIcon m_folderIcon;
};
