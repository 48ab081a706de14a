#pragma once

#include <QList>
#include <QWidget>

class QLabel;

/// A status bar of fixed-width text panels, addressed by index like the program's
/// status bars ("StatBar", "StatText", ...). The last panel takes the remaining width.
class TStatusPanels : public QWidget {
    Q_OBJECT
public:
    explicit TStatusPanels(const QList<int>& widths, QWidget* parent = nullptr);

    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    void setPanelAlignment(int index, Qt::Alignment alignment);
    /// The label showing one panel, for tests and for styling.
    QLabel* panel(int index) const { return m_panels.value(index); }

    /// Panels that do not fit are cut, never forcing the window wider.
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

private:
    QList<QLabel*> m_panels;
};
