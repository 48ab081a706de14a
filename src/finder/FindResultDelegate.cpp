#include "finder/FindResultDelegate.h"

#include <QHeaderView>
#include <QPainter>

FindResultDelegate::FindResultDelegate(QHeaderView& header, QObject* parent)
    : QStyledItemDelegate(parent), m_header(header) {}

void FindResultDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->setFont(option.font);
    const QStringList parts = index.data().toString().split('\t');
    int left = option.rect.left() + 3;
    for (int part = 0; part < parts.size(); ++part) {
        const int width =
            part < m_header.count() ? m_header.sectionSize(part) : option.rect.right() - left;
        const QRect cell(left, option.rect.top(), part + 1 < parts.size() ? width : 100000,
                         option.rect.height());
        painter->save();
        painter->setClipRect(cell.intersected(option.rect));
        painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, parts[part]);
        painter->restore();
        left += width;
    }
}

QSize FindResultDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {0, 13};
}
