#pragma once

#include <QStyledItemDelegate>

/// Draws one icon cell: the list's background (the selection colour when selected) and the
/// icon centred, scaled down when larger than the standard 32 x 32. The index is not drawn.
class IconCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
