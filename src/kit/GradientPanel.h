#pragma once

#include <QColor>
#include <QWidget>

class QHBoxLayout;

/// A tool panel painted with a horizontal gradient and an optional title at its left;
/// controls added with addWidget() line up after the title.
class TGradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit TGradientPanel(const QString& title = {}, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    void setColors(const QColor& start, const QColor& end);
    void addWidget(QWidget* widget);
    void addStretch();
    QHBoxLayout* row() const { return m_row; }

    /// Controls that do not fit are cut, never forcing the window wider.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_title;
    QColor m_start{0x40, 0x40, 0x80};
    QColor m_end{0xc0, 0xc0, 0xe0};
    void placeStrip();

    QWidget* m_strip;
    QHBoxLayout* m_row;
};
