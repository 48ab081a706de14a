#include "browser/FileList.h"

#include "core/WaitCursor.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

namespace {

constexpr int kColumnWidths[] = {150, 60, 130, 100};

/// What a view reports back to the list once it has handled an input event itself.
struct ViewHooks {
    std::function<void(QMouseEvent*)> pressed;
    std::function<void(QMouseEvent*)> released;
    std::function<void(QMouseEvent*)> doubleClicked;
    std::function<void(QKeyEvent*)> keyReleased;
};

// The view handles the event first, so the list's signals see the selection already moved.
template <class View> class HookedView : public View {
public:
    HookedView(QWidget* parent, ViewHooks hooks) : View(parent), m_hooks(std::move(hooks)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        View::mousePressEvent(event);
        m_hooks.pressed(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        View::mouseReleaseEvent(event);
        m_hooks.released(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        View::mouseDoubleClickEvent(event);
        m_hooks.doubleClicked(event);
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        View::keyReleaseEvent(event);
        m_hooks.keyReleased(event);
    }

private:
    ViewHooks m_hooks;
};

constexpr int kMaxItemWidth = 320;
constexpr int kIconCellWidth = 96;
constexpr int kMeasuredCaptions = 16;

} // namespace

/// Gives every item of the icon view the same width, so that uniform item sizes (needed for
/// long listings) never cut a caption that is longer than the first one. The width is
/// measured when the view lays out, with the view's own style and font.
class ItemWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int fixedWidth = 0;                    ///< the cell width of the large icons
    QList<QPersistentModelIndex> widestOf; ///< the items whose widest caption sets the width

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (fixedWidth > 0) {
            size.setWidth(fixedWidth);
            return size;
        }
        int widest = size.width();
        for (const QPersistentModelIndex& other : widestOf)
            if (other.isValid())
                widest = std::max(widest, QStyledItemDelegate::sizeHint(option, other).width());
        size.setWidth(std::min(widest, kMaxItemWidth));
        return size;
    }
};

TQuickFileList::TQuickFileList(QWidget* parent)
    : QWidget(parent), m_model(new FileListModel(this)), m_stack(new QStackedLayout(this)) {
    m_model->setIconProvider(&m_iconProvider);
    const ViewHooks hooks{
        [this](QMouseEvent* e) {
            Q_EMIT OnMouseDown(e->button(), e->modifiers(), e->position().toPoint());
        },
        [this](QMouseEvent* e) {
            if (e->button() == Qt::LeftButton) Q_EMIT OnClick();
        },
        [this](QMouseEvent* e) {
            if (e->button() == Qt::LeftButton) Q_EMIT OnDblClick();
        },
        [this](QKeyEvent* e) { Q_EMIT OnKeyUp(e->key(), e->modifiers()); },
    };
    m_report = new HookedView<QTreeView>(this, hooks);
    m_icons = new HookedView<QListView>(this, hooks);
    m_report->setObjectName("FileListReport");
    m_icons->setObjectName("FileListIcons");
    m_iconDelegate = new ItemWidthDelegate(m_icons);
    m_icons->setItemDelegate(m_iconDelegate);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_report);
    m_stack->addWidget(m_icons);

    m_report->setModel(m_model);
    m_icons->setModel(m_model);
    m_icons->setSelectionModel(m_report->selectionModel());
    connect(m_report->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT OnChange(); });
    connect(m_model, &FileListModel::listed, this, &TQuickFileList::fitIconItems);
    connect(m_model, &FileListModel::listed, this, &TQuickFileList::OnListed);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& pos) { showPopup(view, pos); });
    }
    setUpReport();
    setUpIcons();
    setMultiSelect(false);
    setReadOnly(true);
    setViewStyle(vsReport);
}

void TQuickFileList::setUpReport() {
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setIconSize(QSize(16, 16));
    QHeaderView* header = m_report->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(m_columnClick);
    for (int column = 0; column < 4; ++column)
        header->resizeSection(column, kColumnWidths[column]);
    connect(header, &QHeaderView::sectionClicked, this, [this](int section) {
        if (!m_columnClick) return;
        WaitCursor wait;
        const auto column = TSortColumn(section);
        m_model->columnClick(column);
        Q_EMIT OnSort(column);
    });
}

void TQuickFileList::setUpIcons() {
    m_icons->setUniformItemSizes(true);
    m_icons->setLayoutMode(QListView::Batched);
    m_icons->setBatchSize(2000);
    m_icons->setMovement(QListView::Static);
    m_icons->setWrapping(true);
}

void TQuickFileList::fitIconItems() {
    if (m_viewStyle == vsReport) return; // the report view sizes by its columns
    m_iconDelegate->fixedWidth = m_viewStyle == vsIcon ? kIconCellWidth : 0;
    // The widest caption is nearly always among the longest ones: only those are measured.
    std::vector<int> rows(size_t(m_model->count()));
    std::iota(rows.begin(), rows.end(), 0);
    const auto measured = rows.begin() + std::min<qsizetype>(kMeasuredCaptions, rows.size());
    std::nth_element(rows.begin(), measured, rows.end(), [this](int a, int b) {
        return m_model->item(a).caption.size() > m_model->item(b).caption.size();
    });
    m_iconDelegate->widestOf.clear();
    for (auto it = rows.begin(); it != measured; ++it)
        m_iconDelegate->widestOf.append(QPersistentModelIndex(m_model->index(*it, 0)));
    m_icons->doItemsLayout();
}

QAbstractItemView* TQuickFileList::currentView() const {
    return m_viewStyle == vsReport ? static_cast<QAbstractItemView*>(m_report) : m_icons;
}

QString TQuickFileList::Mask() const {
    return m_model->mask();
}

void TQuickFileList::setMask(const QString& maskText) {
    WaitCursor wait;
    m_model->setMask(maskText);
}

TFileTypes TQuickFileList::FileTypes() const {
    return m_model->fileTypes();
}

void TQuickFileList::setFileTypes(TFileTypes types) {
    WaitCursor wait;
    m_model->setFileTypes(types);
}

bool TQuickFileList::DisplayDirectory() const {
    return m_model->displayDirectory();
}

void TQuickFileList::setDisplayDirectory(bool on) {
    WaitCursor wait;
    m_model->setDisplayDirectory(on);
}

bool TQuickFileList::DisplayParentDir() const {
    return m_model->displayParentDir();
}

void TQuickFileList::setDisplayParentDir(bool on) {
    WaitCursor wait;
    m_model->setDisplayParentDir(on);
}

TSortColumn TQuickFileList::SortColumn() const {
    return m_model->sortColumn();
}

void TQuickFileList::setSortColumn(TSortColumn column) {
    WaitCursor wait;
    m_model->setSortColumn(column);
}

bool TQuickFileList::SortReversed() const {
    return m_model->sortReversed();
}

bool TQuickFileList::DrawSortSign() const {
    return m_model->drawSortSign();
}

void TQuickFileList::setDrawSortSign(bool on) {
    m_model->setDrawSortSign(on);
}

void TQuickFileList::setViewStyle(TViewStyle style) {
    m_viewStyle = style;
    if (style != vsReport) {
        const bool large = style == vsIcon;
        m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
        m_icons->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        const bool rows =
            style == vsSmallIcon || (large && m_iconOptions.arrangement == TIconOptions::iaTop);
        m_icons->setFlow(rows ? QListView::LeftToRight : QListView::TopToBottom);
        m_icons->setWrapping(true);
        m_icons->setWordWrap(m_iconOptions.wrapText);
        m_icons->setResizeMode(m_iconOptions.autoArrange ? QListView::Adjust : QListView::Fixed);
        m_icons->setMovement(QListView::Static);
        fitIconItems();
    }
    QAbstractItemView* view = currentView();
    const bool hadFocus = focusProxy() && focusProxy()->hasFocus();
    m_stack->setCurrentWidget(view);
    setFocusProxy(view);
    if (hadFocus) view->setFocus();
}

void TQuickFileList::setMultiSelect(bool on) {
    m_multiSelect = on;
    const auto mode =
        on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_report->setSelectionMode(mode);
    m_icons->setSelectionMode(mode);
}

void TQuickFileList::setReadOnly(bool on) {
    m_readOnly = on;
    m_model->editable = !on;
    const auto triggers =
        on ? QAbstractItemView::NoEditTriggers
           : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked;
    m_report->setEditTriggers(triggers);
    m_icons->setEditTriggers(triggers);
}

void TQuickFileList::setHideSelection(bool on) {
    m_hideSelection = on;
    applySelectionLook();
}

void TQuickFileList::applySelectionLook() {
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)}) {
        QPalette palette = view->palette();
        const QPalette active = QPalette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         m_hideSelection ? active.color(QPalette::Inactive, QPalette::Base)
                                         : active.color(QPalette::Inactive, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         m_hideSelection
                             ? active.color(QPalette::Inactive, QPalette::Text)
                             : active.color(QPalette::Inactive, QPalette::HighlightedText));
        view->setPalette(palette);
    }
}

void TQuickFileList::setColumnClick(bool on) {
    m_columnClick = on;
    m_report->header()->setSectionsClickable(on);
}

void TQuickFileList::setShowColumnHeaders(bool on) {
    m_showColumnHeaders = on;
    m_report->header()->setVisible(on);
}

void TQuickFileList::setIconOptions(const TIconOptions& options) {
    m_iconOptions = options;
    setViewStyle(m_viewStyle);
}

QString TQuickFileList::directory() const {
    return QFile::decodeName(m_model->directory());
}

QByteArray TQuickFileList::rawDirectory() const {
    return m_model->directory();
}

void TQuickFileList::setDirectory(const QString& directory) {
    setRawDirectory(QFile::encodeName(directory));
}

void TQuickFileList::setRawDirectory(const QByteArray& directory) {
    WaitCursor wait;
    m_model->setDirectory(directory);
}

QString TQuickFileList::readError() const {
    return m_model->readError();
}

void TQuickFileList::reread() {
    WaitCursor wait;
    m_model->reread();
}

int TQuickFileList::itemCount() const {
    return m_model->count();
}

QString TQuickFileList::itemCaption(int i) const {
    return i >= 0 && i < itemCount() ? m_model->item(i).caption : QString();
}

QString TQuickFileList::itemName(int i) const {
    return i >= 0 && i < itemCount() ? m_model->item(i).name : QString();
}

QByteArray TQuickFileList::itemRawName(int i) const {
    return i >= 0 && i < itemCount() ? m_model->item(i).rawName : QByteArray();
}

QString TQuickFileList::itemPath(int i) const {
    return i >= 0 && i < itemCount() ? directory() + m_model->item(i).name : QString();
}

QByteArray TQuickFileList::itemRawPath(int i) const {
    return i >= 0 && i < itemCount() ? m_model->rawPath(i) : QByteArray();
}

bool TQuickFileList::isItemSelected(int i) const {
    return m_report->selectionModel()->isRowSelected(i, {});
}

void TQuickFileList::setItemSelected(int i, bool selected) {
    if (i < 0 || i >= itemCount()) return;
    const auto flags = (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                       QItemSelectionModel::Rows;
    const QModelIndex index = m_model->index(i, 0);
    if (!m_multiSelect && selected) {
        m_report->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        return;
    }
    m_report->selectionModel()->select(index, flags);
}

QList<int> TQuickFileList::selectedItems() const {
    QList<int> rows;
    for (const QModelIndex& index : m_report->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TQuickFileList::firstSelectedItem() const {
    const QList<int> rows = selectedItems();
    return rows.isEmpty() ? -1 : rows.first();
}

QString TQuickFileList::firstSelectedName() const {
    return itemName(firstSelectedItem());
}

QByteArray TQuickFileList::firstSelectedRawPath() const {
    return itemRawPath(firstSelectedItem());
}

void TQuickFileList::replaceFirstSelectedName(const QString& newName) {
    m_model->renameItem(firstSelectedItem(), newName);
}

void TQuickFileList::setPopupMenu(QMenu* menu) {
    m_popup = menu;
}

void TQuickFileList::showPopup(QAbstractItemView* view, const QPoint& position) {
    if (m_popup) m_popup->popup(view->viewport()->mapToGlobal(position));
}
