#include "icons/IconListBox.h"

#include "icons/IconCellDelegate.h"
#include "icons/IconListModel.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>

TIconListBox::TIconListBox(QWidget* parent) : QListView(parent), m_model(new IconListModel(this)) {
    setModel(m_model);
    setItemDelegate(new IconCellDelegate(this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    sizeToIcons();
}

void TIconListBox::setFileName(const QString& fileName) {
    if (fileName == m_fileName) return;
    m_fileName = fileName;
    reload();
    emit fileChange();
}

void TIconListBox::reload() {
    m_model->clear();
    m_numberOfIcons = -1;
    const bool exists = QFileInfo(m_fileName).isFile();
    if (m_autoDisable) setEnabled(exists);
    if (!exists) return;
    m_model->load(QFile::encodeName(m_fileName), m_enableCaching);
    m_numberOfIcons = m_model->rowCount();
    if (m_numberOfIcons > 0) setCurrentIndex(m_model->index(0));
}

void TIconListBox::setXIcons(int columns) {
    m_xIcons = qMax(1, columns);
    sizeToIcons();
}

void TIconListBox::setYIcons(int rows) {
    m_yIcons = qMax(1, rows);
    sizeToIcons();
}

int TIconListBox::selectedIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QImage TIconListBox::iconImage(int index) const {
    return m_model->image(index);
}

void TIconListBox::sizeToIcons() {
    resize(m_xIcons * (32 + 6) + 2,
           m_yIcons * itemHeight + horizontalScrollBar()->sizeHint().height() + 1);
    updateGrid();
}

// XIcons columns fill the visible width.
void TIconListBox::updateGrid() {
    const int columnWidth = qMax(1, (width() + m_xIcons - 3) / m_xIcons);
    setGridSize(QSize(columnWidth, itemHeight));
}

void TIconListBox::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    updateGrid();
}
