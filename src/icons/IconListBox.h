#pragma once

#include <QListView>

class IconListModel;

/// The list of a file's icons, one cell per icon, running down each column and on into
/// the next with a horizontal scroll bar. Loading only counts the icons; with caching each
/// icon is decoded when its cell is first drawn.
class TIconListBox : public QListView {
    Q_OBJECT
public:
    explicit TIconListBox(QWidget* parent = nullptr);

    QString FileName() const { return m_fileName; }
    /// A name different from the current one reloads the list.
    void setFileName(const QString& fileName);
    /// Icons in the file; -1 before the first count.
    int NumberOfIcons() const { return m_numberOfIcons; }
    int XIcons() const { return m_xIcons; }
    void setXIcons(int columns);
    int YIcons() const { return m_yIcons; }
    void setYIcons(int rows);
    bool AutoDisable() const { return m_autoDisable; }
    void setAutoDisable(bool on) { m_autoDisable = on; }
    bool EnableCaching() const { return m_enableCaching; }
    void setEnableCaching(bool on) { m_enableCaching = on; }

    /// The selected icon's index, or -1.
    int selectedIndex() const;
    /// The image of an icon (decoded now if need be).
    QImage iconImage(int index) const;
    IconListModel* iconModel() const { return m_model; }

    /// Cell height: the standard icon height + 6.
    static constexpr int itemHeight = 32 + 6;

Q_SIGNALS:
    /// After a reload caused by a new file name (OnFileChange).
    void fileChange();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void reload();
    void sizeToIcons();
    void updateGrid();

    IconListModel* m_model;
    QString m_fileName;
    int m_numberOfIcons = -1;
    int m_xIcons = 4;
    int m_yIcons = 1;
    bool m_autoDisable = true;
    bool m_enableCaching = true;
};
