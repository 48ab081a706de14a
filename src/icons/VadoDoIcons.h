#pragma once

#include <QImage>
#include <QString>

/// Holds the one icon being saved or copied: the icon at IconIndex of FileName.
class TVadoDoIcons {
public:
    QString FileName() const { return m_fileName; }
    /// A new name counts the file's icons, sets IconIndex to 0 and takes icon 0.
    void setFileName(const QString& fileName);
    int NumberOfIcons() const { return m_numberOfIcons; }
    void setNumberOfIcons(int count) { m_numberOfIcons = count; }
    int IconIndex() const { return m_iconIndex; }
    /// Takes the icon at that index again (a null icon when the file has none there).
    void setIconIndex(int index);
    const QImage& icon() const { return m_icon; }

private:
    QString m_fileName;
    int m_numberOfIcons = -1;
    int m_iconIndex = 0;
    QImage m_icon;
};
