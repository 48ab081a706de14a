#include "kit/Led.h"

#include <QPainter>
#include <QRadialGradient>

TLed::TLed(QWidget* parent) : QWidget(parent) {
    setFixedSize(16, 16);
}

void TLed::setColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    update();
}

void TLed::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(1, 1, -1, -1);
    // A highlight up and left makes the lamp look domed.
    QRadialGradient glow(lamp.center() - QPointF(2, 2), lamp.width() / 2);
    glow.setColorAt(0, m_color.lighter(170));
    glow.setColorAt(1, m_color.darker(130));
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(glow);
    painter.drawEllipse(lamp);
}
