#pragma once

#include <QStyledItemDelegate>

class QHeaderView;

/// Draws a result line on a 13-pixel row: its TAB-separated parts, the first 3 pixels from
/// the left, each further part moved right by the width of the header section before it.
class FindResultDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FindResultDelegate(QHeaderView& header, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QHeaderView& m_header;
};
