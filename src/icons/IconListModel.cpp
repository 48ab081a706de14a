#include "icons/IconListModel.h"

#include <algorithm>

IconListModel::IconListModel(QObject* parent) : QAbstractListModel(parent) {}

void IconListModel::load(const QByteArray& rawPath, bool caching) {
    beginResetModel();
    m_icons = IconContainer::open(rawPath);
    m_images = QList<std::optional<QImage>>(m_icons.count());
    endResetModel();
    if (!caching)
        for (int i = 0; i < m_icons.count(); ++i)
            image(i);
}

void IconListModel::clear() {
    beginResetModel();
    m_icons = IconContainer();
    m_images.clear();
    endResetModel();
}

int IconListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_images.size());
}

QVariant IconListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_images.size()) return {};
    if (role == Qt::DisplayRole) return QString::number(index.row());
    if (role == Qt::DecorationRole) return image(index.row());
    return {};
}

QImage IconListModel::image(int row) const {
    if (row < 0 || row >= m_images.size()) return {};
    if (!m_images[row]) m_images[row] = m_icons.image(row);
    return *m_images[row];
}

int IconListModel::decodedCount() const {
    return int(std::count_if(m_images.begin(), m_images.end(),
                             [](const auto& i) { return i.has_value(); }));
}
