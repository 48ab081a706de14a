#pragma once

#include "icons/IconContainer.h"

#include <QAbstractListModel>
#include <QImage>
#include <QList>

#include <optional>

/// One row per icon of a file, each row's image (DecorationRole) decoded when it is first
/// asked for and kept, so a view pays only for the cells it draws. With caching off every
/// icon is decoded when the file is loaded.
class IconListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit IconListModel(QObject* parent = nullptr);

    /// Loads the icons of the file named by these bytes, dropping those of the last file;
    /// a file that cannot be read gives no rows.
    void load(const QByteArray& rawPath, bool caching);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    /// DisplayRole: the index in decimal; DecorationRole: the icon's image (null when it
    /// cannot be decoded).
    QVariant data(const QModelIndex& index, int role) const override;

    /// The image of one icon, decoding it now if it has not been yet.
    QImage image(int row) const;
    /// How many icons have been decoded since the last load.
    int decodedCount() const;

private:
    IconContainer m_icons;
    mutable QList<std::optional<QImage>> m_images;
};
