#pragma once

#include <QColor>
#include <QWidget>

/// A sunken progress bar with a raised, shaded bar in its own colour; a value below the
/// minimum shows an empty bar.
class TProgressBar3D : public QWidget {
    Q_OBJECT
public:
    explicit TProgressBar3D(QWidget* parent = nullptr);

    int value() const { return m_value; }
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);
    QColor barColor() const { return m_barColor; }
    void setBarColor(const QColor& color);

    /// Width in pixels of the filled part inside the frame for the current value.
    int filledWidth() const;

    QSize sizeHint() const override { return {140, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    QColor m_barColor{Qt::blue};
};
