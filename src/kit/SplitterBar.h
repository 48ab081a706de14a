#pragma once

#include <QWidget>

/// A thin horizontal bar that resizes the control above it by dragging: that control keeps
/// a fixed height, the one below takes the rest.
class TSplitterBar : public QWidget {
    Q_OBJECT
public:
    explicit TSplitterBar(QWidget* above, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QWidget* m_above;
    int m_pressY = 0;
    int m_startHeight = 0;
};
