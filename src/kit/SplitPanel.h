#pragma once

#include <QWidget>

/// Two controls stacked with a draggable bar between them: the top one keeps the height it
/// is given, the client below takes the rest. Unlike a layout, a tall top control never
/// stops the window from shrinking; it is cut instead.
class TSplitPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBarHeight = 3;

    explicit TSplitPanel(QWidget* parent = nullptr);

    /// Places the two controls; the panel takes them as children.
    void setControls(QWidget* top, QWidget* client);
    QWidget* bar() const { return m_bar; }
    int topHeight() const { return m_topHeight; }
    void setTopHeight(int height);

    QSize minimumSizeHint() const override { return {0, 0}; }
    QSize sizeHint() const override { return {200, 300}; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QWidget* m_top = nullptr;
    QWidget* m_client = nullptr;
    QWidget* m_bar;
    int m_topHeight = 100;
    int m_dragStartY = 0;
    int m_dragStartHeight = 0;
};
