#include "kit/ProgressBar3D.h"

#include <QPainter>

namespace {
constexpr int frame = 2;
}

TProgressBar3D::TProgressBar3D(QWidget* parent) : QWidget(parent) {
    resize(sizeHint());
}

void TProgressBar3D::setValue(int value) {
    if (value == m_value) return;
    m_value = value;
    update();
}

void TProgressBar3D::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
    update();
}

void TProgressBar3D::setBarColor(const QColor& color) {
    m_barColor = color;
    update();
}

int TProgressBar3D::filledWidth() const {
    const int inner = qMax(0, width() - 2 * frame);
    if (m_maximum == m_minimum || m_value <= m_minimum) return 0;
    const int value = qMin(m_value, m_maximum);
    return int(qint64(inner) * (value - m_minimum) / (m_maximum - m_minimum));
}

void TProgressBar3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, palette().window());
    // Sunken frame: dark above and left, light below and right.
    painter.setPen(palette().dark().color());
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().light().color());
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(frame, frame, -frame, -frame);
    painter.fillRect(inner, palette().base());
    const int filled = filledWidth();
    if (filled <= 0) return;
    const QRect bar(inner.left(), inner.top(), filled, inner.height());
    painter.fillRect(bar, m_barColor);
    // Raised bar: a lighter top edge and a darker bottom edge.
    painter.setPen(m_barColor.lighter(150));
    painter.drawLine(bar.topLeft(), bar.topRight());
    painter.drawLine(bar.topLeft(), bar.bottomLeft());
    painter.setPen(m_barColor.darker(160));
    painter.drawLine(bar.bottomLeft(), bar.bottomRight());
    painter.drawLine(bar.topRight(), bar.bottomRight());
}
