#pragma once

#include <QColor>
#include <QWidget>

/// A round indicator lamp, 16 by 16 pixels, lit in one colour.
class TLed : public QWidget {
    Q_OBJECT
public:
    explicit TLed(QWidget* parent = nullptr);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::red;
};
