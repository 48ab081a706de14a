#include "icons/IconCellDelegate.h"

#include <QPainter>

void IconCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    QImage image = index.data(Qt::DecorationRole).value<QImage>();
    if (image.isNull()) return;
    if (image.width() > 32 || image.height() > 32)
        image = image.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QRect cell = option.rect;
    // Icons are square: the vertical offset uses the width too.
    const int x = cell.left() + (cell.width() - image.width()) / 2;
    const int y = cell.top() + (cell.height() - image.width()) / 2;
    painter->drawImage(x, y, image);
}
