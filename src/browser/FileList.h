#pragma once

#include "browser/FileAttributes.h"
#include "browser/FileListModel.h"

#include <QByteArray>
#include <QFileIconProvider>
#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QMenu;
class QStackedLayout;
class QTreeView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

/// How the two icon styles lay their icons out.
struct TIconOptions {
    enum Arrangement { iaTop, iaLeft };
    Arrangement arrangement = iaTop; ///< rows from the top, or columns from the left
    bool autoArrange = false;        ///< re-arrange when the list is resized
    bool wrapText = true;
};

/// The file list: the files of one directory that pass the mask list and the attribute
/// filter, shown in one of four styles over one item model (report view with the columns
/// "Name", "Size", "Type", "Modified"; large icons, small icons and list). Captions are
/// display names; every name and path it hands out is the stored one, so files on a
/// case-sensitive file system are always reached. The raw forms (bytes) are the only exact
/// ones for names that are not UTF-8.
class TQuickFileList : public QWidget {
    Q_OBJECT
public:
    explicit TQuickFileList(QWidget* parent = nullptr);

    /// Mask: the patterns joined with ";". Writing splits the text and re-reads.
    QString Mask() const;
    void setMask(const QString& maskText);
    using QWidget::setMask;
    TFileTypes FileTypes() const;
    void setFileTypes(TFileTypes types);
    bool DisplayDirectory() const;
    void setDisplayDirectory(bool on);
    bool DisplayParentDir() const;
    void setDisplayParentDir(bool on);
    TSortColumn SortColumn() const;
    void setSortColumn(TSortColumn column);
    /// The sort direction flag: false is the normal direction.
    bool SortReversed() const;
    bool DrawSortSign() const;
    void setDrawSortSign(bool on);
    TViewStyle ViewStyle() const { return m_viewStyle; }
    void setViewStyle(TViewStyle style);
    bool MultiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool on);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);
    bool HideSelection() const { return m_hideSelection; }
    void setHideSelection(bool on);
    bool ColumnClick() const { return m_columnClick; }
    void setColumnClick(bool on);
    bool ShowColumnHeaders() const { return m_showColumnHeaders; }
    void setShowColumnHeaders(bool on);
    TIconOptions IconOptions() const { return m_iconOptions; }
    void setIconOptions(const TIconOptions& options);

    /// The listed directory, ending in "/" (empty until set).
    QString directory() const;
    QByteArray rawDirectory() const;
    /// Adds a missing "/"; re-reads only when the directory differs. An empty directory or
    /// "?" (nothing selected in the tree) lists nothing.
    void setDirectory(const QString& directory);
    void setRawDirectory(const QByteArray& directory);
    /// Lists the current directory again (after file commands, saves, the drive refresh).
    void reread();
    /// Why the listed directory could not be read; empty when it could.
    QString readError() const;

    int itemCount() const;
    /// The caption of item i in list order: its display name.
    QString itemCaption(int i) const;
    /// The stored name of item i (decoded; lossy only for names that are not UTF-8).
    QString itemName(int i) const;
    QByteArray itemRawName(int i) const;
    /// Directory + stored name.
    QString itemPath(int i) const;
    QByteArray itemRawPath(int i) const;
    bool isItemSelected(int i) const;
    void setItemSelected(int i, bool selected);
    /// The selected items in list order.
    QList<int> selectedItems() const;
    /// The first selected item in list order, -1 when none.
    int firstSelectedItem() const;
    /// The stored name of the first selected item; empty when none.
    QString firstSelectedName() const;
    QByteArray firstSelectedRawPath() const;
    /// Replaces the first selected item's name and caption.
    void replaceFirstSelectedName(const QString& newName);

    /// The pop-up menu shown on a right click (not owned).
    void setPopupMenu(QMenu* menu);

    FileListModel* listModel() const { return m_model; }
    QTreeView* reportView() const { return m_report; }
    QListView* iconView() const { return m_icons; }
    QAbstractItemView* currentView() const;

Q_SIGNALS:
    /// A listing is complete; readError() tells whether the folder could be read.
    void OnListed();
    /// The selection changed.
    void OnChange();
    /// A left click in the list, after the selection followed it.
    void OnClick();
    void OnDblClick();
    void OnKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    /// A header click sorted the list by the column.
    void OnSort(TSortColumn column);

private:
    void setUpReport();
    void setUpIcons();
    void fitIconItems();
    void applySelectionLook();
    void showPopup(QAbstractItemView* view, const QPoint& position);

    FileListModel* m_model;
    QTreeView* m_report;
    QListView* m_icons;
    QStackedLayout* m_stack;
    class ItemWidthDelegate* m_iconDelegate;
    QFileIconProvider m_iconProvider;
    QPointer<QMenu> m_popup;
    TViewStyle m_viewStyle = vsReport;
    TIconOptions m_iconOptions;
    bool m_multiSelect = false;
    bool m_readOnly = true;
    bool m_hideSelection = false;
    bool m_columnClick = true;
    bool m_showColumnHeaders = true;
};
